#include "spread/ui/slice_runner.h"

#include <QtConcurrent/QtConcurrent>
#include <string>

#include "spread/spread_layout.h"

namespace vorax::spread::ui {

namespace {

constexpr int kProgressPollMs = 50;
constexpr int kDelayPollMs = 10;  // how often a held frame looks at the clock
constexpr std::int32_t kTimeSliceProgressStep = 20;

}  // namespace

SliceRunner::SliceRunner(const decode::SegdRecord& record, dsp::Fft& fft, const base::DebugLog& log,
                         std::function<int()> delayMs, QObject* parent)
    : QObject(parent),
      record_(record),
      fft_(fft),
      log_(log),
      delayMs_(std::move(delayMs)),
      worker_(std::make_shared<WorkerState>()) {
  connect(&timer_, &QTimer::timeout, this, &SliceRunner::tick);
  connect(&progressPoll_, &QTimer::timeout, this, &SliceRunner::showSpectraProgress);
  connect(&watcher_, &QFutureWatcher<std::optional<SliceSpectra>>::finished, this,
          &SliceRunner::spectraFinished);
  progressPoll_.setInterval(kProgressPollMs);
}

SliceRunner::~SliceRunner() {
  worker_->abandon = true;
  watcher_.waitForFinished();
}

void SliceRunner::stop() {
  timer_.stop();
  mode_ = Mode::Idle;
  showAfterSpectra_ = false;
  paused_ = false;
  abandon_ = false;
  emit pausedChanged(false);
}

void SliceRunner::togglePause() {
  paused_ = !paused_;
  emit pausedChanged(paused_);
}

void SliceRunner::abandon() {
  abandon_ = true;
  worker_->abandon = true;
}

void SliceRunner::startTimeSlice() {
  stop();
  const std::int32_t samples = record_.samples.samplesPerTrace();
  emit progressRange(0, samples);
  emit progressed(0);
  emit status(QString());
  log_.line("Enter Display TSlice");
  log_.line("Draw Legend Box Outline OK");
  if (samples <= 0) {
    emit timeFrame(-1);
    return;
  }
  mode_ = Mode::Time;
  next_ = 0;
  last_ = samples - 1;
  timer_.start(0);
}

void SliceRunner::tick() {
  if (abandon_) {
    stop();
    return;
  }
  if (paused_) return;
  if (mode_ == Mode::Time)
    tickTime();
  else if (mode_ == Mode::Frequency)
    tickFrequency();
}

void SliceRunner::tickTime() {
  emit timeFrame(next_);
  if ((next_ + 1) % kTimeSliceProgressStep == 0 || next_ == last_) emit progressed(next_ + 1);
  if (++next_ > last_) stop();
}

void SliceRunner::startFrequencySlice(double fromHz, double toHz, PeakReference reference) {
  stop();
  band_ = {std::max(fromHz, 0.0), std::max(toHz, 1.0)};
  reference_ = reference;
  log_.line("Enter Display fSlice");
  if (spectra_) {
    beginFrequencyFrames();
    return;
  }
  showAfterSpectra_ = true;
  if (computing()) {  // the run under way shows this band when it ends
    worker_->abandon = false;
    return;
  }
  worker_->done = 0;
  worker_->total = 0;
  worker_->peaks = false;
  worker_->abandon = false;
  emit status(QString::fromStdString(std::string(kSpectraPhase)));
  std::int32_t live = 0;
  const std::int32_t n = heldTraceCount(record_);
  for (std::int32_t t = 1; t <= n; ++t)
    live += isLiveTrace(record_.traceInfo[static_cast<std::size_t>(t)]) ? 1 : 0;
  emit progressRange(0, live);
  emit progressed(0);
  computing_ = true;
  std::shared_ptr<WorkerState> worker = worker_;
  const decode::SegdRecord& record = record_;
  dsp::Fft& fft = fft_;
  watcher_.setFuture(QtConcurrent::run([worker, &record, &fft]() {
    return computeSliceSpectra(
        record, fft, [worker](std::string_view phase, std::int32_t done, std::int32_t total) {
          worker->peaks = phase == kPeaksPhase;
          worker->done = done;
          worker->total = total;
          return !worker->abandon.load();
        });
  }));
  progressPoll_.start();
}

void SliceRunner::showSpectraProgress() {
  emit status(QString::fromStdString(std::string(worker_->peaks ? kPeaksPhase : kSpectraPhase)));
  emit progressed(worker_->done);
}

void SliceRunner::spectraFinished() {
  progressPoll_.stop();
  computing_ = false;
  std::optional<SliceSpectra> result = watcher_.result();
  const bool show = showAfterSpectra_ && result.has_value();
  if (result) spectra_ = std::move(result);
  if (!spectra_) {
    emit status(QString());
    stop();
    return;
  }
  if (show) beginFrequencyFrames();
}

void SliceRunner::beginFrequencyFrames() {
  showAfterSpectra_ = false;
  paused_ = false;
  abandon_ = false;
  emit status("Plotting");
  const std::optional<double> nyquist = nyquistKhz(record_.summary.sampleIntervalUs);
  if (!nyquist) {
    stop();
    return;
  }
  const std::int32_t bins = spectra_->binCount();
  const SliceBand band = sliceBand(bins, *nyquist, band_.fromHz, band_.toHz);
  if (log_.enabled()) {
    log_.line("Draw fslice First sample = " + std::to_string(band.firstBin) + " Last Sample = " +
              std::to_string(band.lastBin) + " fsamples =" + std::to_string(bins));
    log_.line("Max theoretical frequency is " + std::to_string(std::lround(1000 * *nyquist)));
    log_.line("First frequency is " + std::to_string(band.firstBin));
    log_.line("Draw fslice Legend Box Outline OK");
  }
  emit positionRange(positionSliderMaximum(*nyquist));
  emit progressRange(band.firstBin, std::max(band.firstBin, band.lastBin));
  if (band.firstBin > band.lastBin) {
    stop();
    return;
  }
  mode_ = Mode::Frequency;
  next_ = band.firstBin;
  last_ = band.lastBin;
  drawFrequencyFrame();
  timer_.start(kDelayPollMs);
}

void SliceRunner::drawFrequencyFrame() {
  const double hz = binFrequencyHz(next_, spectra_->binCount(),
                                   nyquistKhz(record_.summary.sampleIntervalUs).value_or(0));
  emit frequencyFrame(next_, hz);
  emit progressed(next_);
  frameClock_.start();
}

void SliceRunner::tickFrequency() {
  const int delay = delayMs_ ? delayMs_() : 0;
  if (frameClock_.elapsed() <= delay && delay > 0) return;
  if (++next_ > last_) {
    stop();
    return;
  }
  drawFrequencyFrame();
  timer_.setInterval(delay > 0 ? kDelayPollMs : 0);
}

}  // namespace vorax::spread::ui
