#include "app/ui/message_boxes.h"

#include <QMessageBox>
#include <QString>

namespace vorax::app::ui {

void MessageBoxSink::show(std::string_view text, bool systemModal) {
  QMessageBox box(QMessageBox::NoIcon, "VORAX Viewer",
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, owner_);
  if (systemModal) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  box.exec();
}

}  // namespace vorax::app::ui
