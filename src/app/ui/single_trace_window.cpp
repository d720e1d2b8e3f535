#include "app/ui/single_trace_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

#include "app/readouts.h"
#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"

namespace vorax::app::ui {

namespace {

constexpr double kScreenShare = 0.85;

QLineEdit* readOnlyField() {
  auto* field = new QLineEdit;
  field->setReadOnly(true);
  field->setMinimumWidth(110);
  return field;
}

}  // namespace

SingleTraceWindow::SingleTraceWindow(AppState& state, std::int32_t trace, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      view_(openSingleTrace(state.record, trace)),
      graphicArea_(new GraphicArea(this)),
      time_(readOnlyField()),
      sample_(readOnlyField()),
      frequency_(readOnlyField()) {
  setWindowTitle("408 Single Trace View");
  setAttribute(Qt::WA_DeleteOnClose);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

  auto* actions = new QHBoxLayout;
  connect(addButton("Close", actions), &QPushButton::clicked, this, &QWidget::close);
  connect(addButton("BMP", actions), &QPushButton::clicked, this,
          [this] { SaveViewAsBmp(this, graphicArea_->picture(), state_.StartFolder); });
  connect(addButton("Print", actions), &QPushButton::clicked, this,
          [this] { PrintView(this, graphicArea_->picture()); });
  numericsButton_ = addButton("Display Numerics", actions);
  connect(numericsButton_, &QPushButton::clicked, this, &SingleTraceWindow::toggleNumerics);
  connect(addButton("FFT", actions), &QPushButton::clicked, this,
          [this] { emit spectrumRequested(wholeTraceSelection(state_.record, view_.viewTrace)); });
  connect(addButton("F vs T", actions), &QPushButton::clicked, this,
          [this] { setMode(SingleTraceMode::FrequencyVsTime); });
  connect(addButton("FT An.", actions), &QPushButton::clicked, this,
          [this] { setMode(SingleTraceMode::TimeFrequency); });
  actions->addStretch(1);

  auto* zoom = new QHBoxLayout;
  const std::pair<const char*, ViewButton> viewButtons[] = {
      {"<>", ViewButton::ZoomIn},        {"><", ViewButton::ZoomOut},
      {"|<", ViewButton::StartDouble},   {"|>", ViewButton::StartHalve},
      {"|---|", ViewButton::WholeTrace}, {"<-", ViewButton::ShiftLeft},
      {"->", ViewButton::ShiftRight},    {"+", ViewButton::ScaleUp},
      {"-", ViewButton::ScaleDown},      {"R", ViewButton::ResetScale}};
  for (const auto& [caption, button] : viewButtons) {
    const ViewButton pressed = button;
    connect(addButton(caption, zoom), &QPushButton::clicked, this,
            [this, pressed] { press(pressed); });
  }
  zoom->addStretch(1);

  // The read-outs have a row of their own, so that the window fits a screen 1024 wide.
  auto* readouts = new QHBoxLayout;
  for (auto [caption, field] : {std::pair{"Time", time_}, std::pair{"Sample", sample_},
                                std::pair{"Frequency", frequency_}}) {
    readouts->addWidget(new QLabel(caption));
    readouts->addWidget(field);
  }
  readouts->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(graphicArea_, 1);
  layout->addLayout(zoom);
  layout->addLayout(readouts);
  layout->addLayout(actions);

  if (const QScreen* screen = this->screen())
    resize(screen->availableGeometry().size() * kScreenShare);
  connect(graphicArea_, &GraphicArea::mouseMoved, this,
          [this](QPointF position) { showReadout(position); });
  graphicArea_->setPainter([this](Canvas& canvas) { draw(canvas); });
}

QPushButton* SingleTraceWindow::addButton(const QString& caption, QLayout* row) {
  auto* button = new QPushButton(caption);
  button->setAutoDefault(false);
  if (caption.size() <= 5) button->setMaximumWidth(56);
  row->addWidget(button);
  return button;
}

void SingleTraceWindow::press(ViewButton button) {
  applyViewButton(view_, button, recordTimesOf(state_.record));
  view_.viewMode = SingleTraceMode::Trace;
  graphicArea_->redraw();
}

void SingleTraceWindow::setMode(SingleTraceMode mode) {
  view_.viewMode = mode;
  graphicArea_->redraw();
}

void SingleTraceWindow::toggleNumerics() {
  view_.numericsOn = !view_.numericsOn;
  view_.viewMode = SingleTraceMode::Trace;
  graphicArea_->redraw();
}

void SingleTraceWindow::draw(Canvas& canvas) {
  if (view_.viewMode == SingleTraceMode::TimeFrequency && !image_)
    image_ = traceTimeFrequency(state_.record, view_.viewTrace, state_.fft);
  geometry_ = drawSingleTraceView(canvas, state_.record, view_, state_.fft, &state_.debugLog,
                                  image_ ? &*image_ : nullptr);
  updateNumericsButton();
}

void SingleTraceWindow::updateNumericsButton() {
  const bool allowed = numericsAllowed(state_.record, view_);
  numericsButton_->setEnabled(allowed);
  numericsButton_->setText(view_.numericsOn ? "Numerics Off" : "Display Numerics");
}

void SingleTraceWindow::showReadout(QPointF position) {
  time_->clear();
  sample_->clear();
  frequency_->clear();
  const QImage& picture = graphicArea_->picture();
  const std::optional<PointF> at =
      geometry_.dataPointAt(picture.width(), picture.height(), {position.x(), position.y()});
  if (!at) return;
  if (view_.viewMode == SingleTraceMode::Trace) {
    const auto sample = static_cast<std::int64_t>(std::lround(at->x));
    time_->setText(QString::fromStdString(timeLabelMs(
        state_.record.startTimeMs + static_cast<double>(sample) * state_.record.sampleIntervalMs)));
    sample_->setText(QString::number(sample));
  } else {
    time_->setText(QString::fromStdString(timeLabelMs(at->x)));
    frequency_->setText(QString::fromStdString(frequencyReadout(at->y)));
  }
}

void SingleTraceWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace vorax::app::ui
