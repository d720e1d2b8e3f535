#include "qc/ui/survey_qc_tool.h"

#include <QEvent>
#include <QPointer>

#include "qc/ui/survey_qc_window.h"

namespace vorax::qc::ui {

namespace {

// Hands control back to the main window when the Survey QC window closes.
class ClosingWatch : public QObject {
 public:
  ClosingWatch(app::ui::MainWindow& window, QObject* parent) : QObject(parent), window_(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) window_.returnToMainWindow();
    return QObject::eventFilter(watched, event);
  }

 private:
  app::ui::MainWindow& window_;
};

}  // namespace

void addSurveyQcTool(app::ui::MainWindow& window) {
  window.setToolOpener("Survey QC", [&window] {
    static QPointer<SurveyQcWindow> open;
    if (open.isNull()) {
      open = new SurveyQcWindow(
          [&window](const std::string& file, std::vector<app::TraceMark> marks) {
            window.returnToMainWindow();
            window.openRecordMarkingTraces(file, std::move(marks));
          },
          &window);
      open->setAttribute(Qt::WA_DeleteOnClose);
      open->installEventFilter(new ClosingWatch(window, open));
    }
    open->show();
    open->raise();
  });
}

}  // namespace vorax::qc::ui
