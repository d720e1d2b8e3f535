#include "app/ui/main_window.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/no_record_frame.h"
#include "app/startup.h"
#include "app/ui/graphic_area.h"

namespace vorax::app::ui {

namespace {

constexpr double kGraphicWidthShare = 0.87;
constexpr double kGraphicHeightShare = 0.95;
constexpr int kMargin = 6;  // pixels around the graphic area and the buttons

}  // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      graphicArea_(new GraphicArea(this)),
      buttonColumn_(new QWidget(this)),
      buttonLayout_(new QVBoxLayout(buttonColumn_)) {
  setWindowTitle("VORAX Viewer");
  buttonLayout_->setContentsMargins(0, 0, 0, 0);
  buttonLayout_->addStretch(1);
  connect(addButton("End"), &QPushButton::clicked, this, &QWidget::close);
  graphicArea_->setPainter(drawNoRecordFrame);
  placeOnDesktop();
}

QPushButton* MainWindow::addButton(const QString& caption) {
  auto* button = new QPushButton(caption, buttonColumn_);
  buttonLayout_->insertWidget(buttonLayout_->count() - 1, button);
  return button;
}

void MainWindow::placeOnDesktop() {
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // Once shown, the frame's size is known: the whole window, frame included, fills the
  // working area from its top left corner.
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(area.size() - frame);
    move(area.topLeft());
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int graphicWidth = static_cast<int>(width() * kGraphicWidthShare);
  const int graphicHeight = static_cast<int>(height() * kGraphicHeightShare);
  graphicArea_->setGeometry(kMargin, kMargin, graphicWidth, graphicHeight);
  const int columnLeft = kMargin + graphicWidth + kMargin;
  buttonColumn_->setGeometry(columnLeft, kMargin, std::max(0, width() - columnLeft - kMargin),
                             graphicHeight);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  saveSettingsOnce();
  event->accept();
}

void MainWindow::saveSettingsOnce() {
  if (ended_) return;
  ended_ = true;
  const ShutdownResult result = saveSettingsAtEnd(state_);
  if (result.outcome == ShutdownResult::Outcome::Failed) {
    QMessageBox::warning(this, "VORAX Viewer",
                         QString("The settings could not be saved.\n%1")
                             .arg(QString::fromStdString(result.message)));
  }
}

}  // namespace vorax::app::ui
