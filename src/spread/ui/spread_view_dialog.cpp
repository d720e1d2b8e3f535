#include "spread/ui/spread_view_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/readouts.h"
#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"
#include "decode/conversions.h"
#include "spread/frequency_slice.h"
#include "spread/spread_drawing.h"
#include "spread/time_slice.h"
#include "spread/ui/slice_runner.h"

namespace vorax::spread::ui {

namespace {

constexpr double kScreenShare = 0.85;
// Slice options in the settings: Trace Peak flag, Spread Peak flag, update-delay position.
constexpr std::size_t kTracePeakOption = 0;
constexpr std::size_t kSpreadPeakOption = 1;
constexpr std::size_t kDelayOption = 2;
constexpr std::size_t kFromFrequency = 0;
constexpr std::size_t kToFrequency = 1;

QString oneDecimal(double value) {
  return QString::fromStdString(app::fixedDecimals(value, 1));
}

QSlider* makeSlider(int minimum, int maximum, int position, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(minimum, maximum);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(10);
  slider->setValue(position);
  return slider;
}

}  // namespace

SpreadViewDialog::SpreadViewDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      layout_(computeSpreadLayout(state.record)),
      area_(new app::ui::GraphicArea(this)),
      runner_(new SliceRunner(
          state.record, state.fft, state.debugLog, [this] { return delay_->value() * 10; }, this)),
      readout_(new QLabel(this)),
      status_(new QLabel(this)),
      positionValue_(new QLabel(this)),
      position_(makeSlider(-100, 100, 0, this)),
      delay_(makeSlider(0, 100, 0, this)),
      progress_(new QProgressBar(this)),
      tracePeak_(new QRadioButton("Trace Peak", this)),
      spreadPeak_(new QRadioButton("Spread Peak", this)),
      from_(new QLineEdit(this)),
      to_(new QLineEdit(this)),
      pause_(new QPushButton("Pause", this)) {
  setWindowTitle("Spread View");
  area_->setMinimumSize(400, 300);
  readout_->setMinimumWidth(200);

  auto* left = new QVBoxLayout;
  left->addWidget(area_, 1);
  left->addWidget(readout_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(buildControls());

  restoreSliceSettings();
  connect(runner_, &SliceRunner::timeFrame, this, &SpreadViewDialog::showTimeFrame);
  connect(runner_, &SliceRunner::frequencyFrame, this, &SpreadViewDialog::showFrequencyFrame);
  connect(runner_, &SliceRunner::progressRange, progress_, &QProgressBar::setRange);
  connect(runner_, &SliceRunner::progressed, progress_, &QProgressBar::setValue);
  connect(runner_, &SliceRunner::status, status_, &QLabel::setText);
  connect(runner_, &SliceRunner::positionRange, this, [this](int maximum) {
    const QSignalBlocker quiet(position_);
    position_->setRange(0, maximum);
    position_->setTickInterval(std::max(1, maximum / 20));
    position_->setPageStep(std::max(1, maximum / 20));
  });
  connect(runner_, &SliceRunner::pausedChanged, this,
          [this](bool paused) { pause_->setText(paused ? "Continue" : "Pause"); });
  connect(area_, &app::ui::GraphicArea::mouseMoved, this,
          [this](QPointF pixel, Qt::MouseButtons, Qt::KeyboardModifiers) { pointerMoved(pixel); });
  connect(area_, &app::ui::GraphicArea::pointerLeft, readout_, &QLabel::clear);

  if (const QScreen* screen = this->screen())
    resize(screen->availableGeometry().size() * kScreenShare);
  showMap(MapKind::Errors);
  button("Errors")->setFocus();
  area_->setPainter([this](app::Canvas& canvas) { drawScene(canvas); });
}

QWidget* SpreadViewDialog::buildControls() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  auto* maps = new QGridLayout;
  int index = 0;
  for (MapKind kind : kAllMapKinds) {
    auto* b = new QPushButton(
        QString::fromUtf8(captionOf(kind).data(), static_cast<qsizetype>(captionOf(kind).size())),
        panel);
    connect(b, &QPushButton::clicked, this, [this, kind] { showMap(kind); });
    maps->addWidget(b, index / 2, index % 2);
    ++index;
  }
  column->addLayout(maps);
  column->addWidget(buildSliceControls());

  auto* files = new QHBoxLayout;
  auto* bmp = new QPushButton("BMP", panel);
  auto* print = new QPushButton("Print", panel);
  auto* close = new QPushButton("Close", panel);
  connect(bmp, &QPushButton::clicked, this,
          [this] { app::ui::SaveViewAsBmp(this, area_->picture(), state_.StartFolder); });
  connect(print, &QPushButton::clicked, this,
          [this] { app::ui::PrintView(this, area_->picture()); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  for (QPushButton* b : {bmp, print, close}) files->addWidget(b);
  column->addStretch(1);
  column->addLayout(files);
  return panel;
}

QWidget* SpreadViewDialog::buildSliceControls() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);

  auto* run = new QHBoxLayout;
  auto* tslice = new QPushButton("TSlice", box);
  auto* fslice = new QPushButton("FSlice", box);
  auto* abandon = new QPushButton("Abandon", box);
  connect(tslice, &QPushButton::clicked, this, [this] {
    if (timeSlicePeaks_.empty()) timeSlicePeaks_ = timeSlicePeaks(state_.record);
    scene_ = Scene::TimeSlice;
    runner_->startTimeSlice();
  });
  connect(fslice, &QPushButton::clicked, this, &SpreadViewDialog::runFrequencySlice);
  connect(pause_, &QPushButton::clicked, runner_, &SliceRunner::togglePause);
  connect(abandon, &QPushButton::clicked, runner_, &SliceRunner::abandon);
  for (QPushButton* b : {tslice, fslice, pause_, abandon}) run->addWidget(b);
  column->addLayout(run);

  auto* normalisation = new QGroupBox("Normalisation", box);
  auto* radios = new QHBoxLayout(normalisation);
  radios->addWidget(tracePeak_);
  radios->addWidget(spreadPeak_);
  column->addWidget(normalisation);
  auto storeReference = [this] {
    state_.settings.setSliceOption(kTracePeakOption, tracePeak_->isChecked() ? 1 : 0);
    state_.settings.setSliceOption(kSpreadPeakOption, spreadPeak_->isChecked() ? 1 : 0);
  };
  connect(tracePeak_, &QRadioButton::toggled, this, storeReference);

  auto* band = new QHBoxLayout;
  band->addWidget(new QLabel("From", box));
  band->addWidget(from_);
  band->addWidget(new QLabel("To", box));
  band->addWidget(to_);
  column->addLayout(band);

  auto* positionRow = new QHBoxLayout;
  positionRow->addWidget(new QLabel("Position", box));
  positionRow->addWidget(position_, 1);
  positionRow->addWidget(positionValue_);
  positionValue_->setMinimumWidth(50);
  column->addLayout(positionRow);
  position_->setSingleStep(1);
  connect(position_, &QSlider::sliderMoved, this,
          [this](int value) { positionValue_->setText(oneDecimal(value / 100.0)); });
  connect(position_, &QSlider::sliderReleased, this, &SpreadViewDialog::showPositionFrequency);
  connect(position_, &QSlider::actionTriggered, this, [this](int action) {
    if (action == QAbstractSlider::SliderPageStepAdd ||
        action == QAbstractSlider::SliderPageStepSub)
      QMetaObject::invokeMethod(this, &SpreadViewDialog::showPositionFrequency,
                                Qt::QueuedConnection);
  });

  column->addWidget(new QLabel("Update Delay", box));
  auto* delayRow = new QHBoxLayout;
  delayRow->addWidget(new QLabel("Fast", box));
  delayRow->addWidget(delay_, 1);
  delayRow->addWidget(new QLabel("Slow", box));
  column->addLayout(delayRow);
  connect(delay_, &QSlider::valueChanged, this,
          [this](int value) { state_.settings.setSliceOption(kDelayOption, value); });

  progress_->setTextVisible(false);
  progress_->setStyleSheet("QProgressBar::chunk { background-color: red; }");
  column->addWidget(progress_);
  column->addWidget(status_);
  return box;
}

void SpreadViewDialog::restoreSliceSettings() {
  const app::ViewerSettings& s = state_.settings;
  (s.sliceOption(kTracePeakOption) != 0 && s.sliceOption(kSpreadPeakOption) == 0 ? tracePeak_
                                                                                 : spreadPeak_)
      ->setChecked(true);
  delay_->setValue(std::clamp(s.sliceOption(kDelayOption), 0, 100));
  from_->setText(QString::fromStdString(decode::shortestText(s.sliceFrequency(kFromFrequency))));
  to_->setText(QString::fromStdString(decode::shortestText(s.sliceFrequency(kToFrequency))));
  status_->clear();
}

PeakReference SpreadViewDialog::chosenReference() const {
  return tracePeak_->isChecked() ? PeakReference::Trace : PeakReference::Spread;
}

void SpreadViewDialog::showMap(MapKind kind) {
  runner_->stop();
  map_ = computeSpreadMap(state_.record, kind,
                          {state_.record.tiltErrorCount, state_.settings.ignoreTiltErrors() != 0});
  if (!map_.holdsTestValues) status_->setText(kNoTestValuesMessage);
  scene_ = Scene::Map;
  area_->redraw();
}

void SpreadViewDialog::runFrequencySlice() {
  const auto from = static_cast<float>(decode::numericValue(from_->text().toStdString()));
  const auto to = static_cast<float>(decode::numericValue(to_->text().toStdString()));
  state_.settings.setSliceFrequency(kFromFrequency, from);
  state_.settings.setSliceFrequency(kToFrequency, to);
  runner_->startFrequencySlice(from, to, chosenReference());
}

void SpreadViewDialog::showPositionFrequency() {
  const double hz = position_->value() / 100.0;
  positionValue_->setText(oneDecimal(hz));
  runner_->startFrequencySlice(hz, hz, chosenReference());
}

void SpreadViewDialog::showTimeFrame(std::int32_t sample) {
  scene_ = Scene::TimeSlice;
  frame_ = sample;
  area_->redraw();
}

void SpreadViewDialog::showFrequencyFrame(std::int32_t bin, double hz) {
  scene_ = Scene::FrequencySlice;
  frame_ = bin;
  {
    const QSignalBlocker quiet(position_);
    position_->setValue(positionOf(hz));
  }
  positionValue_->setText(oneDecimal(hz));
  area_->redraw();
}

void SpreadViewDialog::drawScene(app::Canvas& canvas) {
  switch (scene_) {
    case Scene::Map:
      drawSpreadMap(canvas, state_.record, layout_, map_, state_.debugLog);
      return;
    case Scene::TimeSlice:
      drawTimeSliceFrame(canvas, state_.record, layout_, timeSlicePeaks_, frame_);
      return;
    case Scene::FrequencySlice:
      if (runner_->spectra())
        drawFrequencySliceFrame(canvas, state_.record, layout_, *runner_->spectra(), frame_,
                                runner_->reference());
      return;
  }
}

void SpreadViewDialog::pointerMoved(QPointF pixel) {
  if (scene_ != Scene::Map) return;
  const app::WorldMapping mapping{layout_.world(), static_cast<double>(area_->width()),
                                  static_cast<double>(area_->height())};
  const app::PointF world = mapping.toWorld({pixel.x(), pixel.y()});
  const MapEntry* entry = entryAt(map_, world, layout_.boxHalfWidth, layout_.boxHalfHeight);
  readout_->setText(
      entry ? QString::fromStdString(readoutText(
                  map_, *entry, state_.record.traceInfo[static_cast<std::size_t>(entry->trace)]))
            : QString());
}

QPushButton* SpreadViewDialog::button(const QString& caption) const {
  for (QPushButton* b : findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  return nullptr;
}

void SpreadViewDialog::done(int result) {
  runner_->stop();
  runner_->abandon();
  QDialog::done(result);
}

SpreadViewDialog* openSpreadView(app::AppState& state, QWidget* parent,
                                 std::function<void()> closed) {
  if (!hasLiveTraces(state.record)) {
    QMessageBox::information(parent, "VORAX Viewer", kNoLiveTracesMessage);
    if (closed) closed();
    return nullptr;
  }
  auto* dialog = new SpreadViewDialog(state, parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setModal(true);
  if (closed) QObject::connect(dialog, &QDialog::finished, dialog, [closed](int) { closed(); });
  dialog->show();
  return dialog;
}

}  // namespace vorax::spread::ui
