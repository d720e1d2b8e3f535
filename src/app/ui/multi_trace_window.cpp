#include "app/ui/multi_trace_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/display_settings.h"
#include "app/multi_trace_view.h"
#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"
#include "app/ui/trace_labels_dialog.h"

namespace vorax::app::ui {

namespace {

constexpr double kScreenShare = 0.8;

}  // namespace

MultiTraceWindow::MultiTraceWindow(AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      graphicArea_(new GraphicArea(this)),
      numericsButton_(new QPushButton("Numerics")) {
  setWindowTitle("Multi Trace View");
  setAttribute(Qt::WA_DeleteOnClose);
  numericsButton_->setCheckable(true);
  auto* print = new QPushButton("Print");
  auto* labels = new QPushButton("Labels");
  auto* bmp = new QPushButton("BMP");
  auto* exit = new QPushButton("Exit");
  connect(print, &QPushButton::clicked, this, [this] { PrintView(this, graphicArea_->picture()); });
  connect(numericsButton_, &QPushButton::toggled, this, &MultiTraceWindow::setNumerics);
  connect(labels, &QPushButton::clicked, this, &MultiTraceWindow::openLabels);
  connect(bmp, &QPushButton::clicked, this,
          [this] { SaveViewAsBmp(this, graphicArea_->picture(), state_.StartFolder); });
  connect(exit, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {print, numericsButton_, labels, bmp, exit}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(graphicArea_, 1);
  layout->addLayout(buttons);

  if (const QScreen* screen = this->screen())
    resize(screen->availableGeometry().size() * kScreenShare);
  graphicArea_->setPainter([this](Canvas& canvas) {
    DrawMultiTraceView(
        canvas, state_.record, state_.display,
        multiTraceOptionsFor(state_.settings, numerics_, state_.record, state_.display));
  });
}

void MultiTraceWindow::setNumerics(bool on) {
  numerics_ = on;
  numericsButton_->setChecked(on);
  graphicArea_->redraw();
}

void MultiTraceWindow::openLabels() {
  auto* dialog = new TraceLabelsDialog(state_.settings, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, graphicArea_, &GraphicArea::redraw);
  dialog->open();
}

}  // namespace vorax::app::ui
