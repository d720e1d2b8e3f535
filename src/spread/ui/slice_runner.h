// Runs the time and frequency slices without ever blocking the window: frames are drawn one
// per tick of a timer, and the frequency slice's spectra are computed once on a worker (two
// threads) while the window stays live. Pause holds the frames, Abandon stops at the next
// check and leaves the last frame drawn.
#pragma once

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "spread/frequency_slice.h"
#include "spread/slice_spectra.h"

namespace vorax::spread::ui {

class SliceRunner : public QObject {
  Q_OBJECT

 public:
  // `delayMs` is read before every frame of the frequency slice, so a change takes effect
  // on the frame being held.
  SliceRunner(const decode::SegdRecord& record, dsp::Fft& fft, const base::DebugLog& log,
              std::function<int()> delayMs, QObject* parent = nullptr);
  // Abandons a spectra computation still running and waits for it.
  ~SliceRunner() override;

  // Frames at samples 0..S-1, as fast as they can be drawn (one frame without samples).
  void startTimeSlice();
  // Frames at the bins of fromHz..toHz, computing the spectra first when this runner has none.
  void startFrequencySlice(double fromHz, double toHz, PeakReference reference);
  // Stops any animation, clearing the pause and abandon flags; the last frame stays. A
  // spectra computation goes on, but its slice is not shown.
  void stop();

  void togglePause();
  bool paused() const { return paused_; }
  void abandon();
  bool running() const { return timer_.isActive() || computing(); }
  // From the start of a spectra computation until its result has been taken.
  bool computing() const { return computing_; }

  const std::optional<SliceSpectra>& spectra() const { return spectra_; }
  PeakReference reference() const { return reference_; }

 signals:
  void timeFrame(std::int32_t sample);  // -1: the frame without samples
  void frequencyFrame(std::int32_t bin, double hz);
  void progressRange(int minimum, int maximum);
  void progressed(int value);
  void status(const QString& words);
  void positionRange(int maximum);  // hundredths of a hertz
  void pausedChanged(bool paused);

 private:
  enum class Mode { Idle, Time, Frequency };
  struct Band {
    double fromHz = 0;
    double toHz = 0;
  };

  void tick();
  void tickTime();
  void tickFrequency();
  void showSpectraProgress();
  void spectraFinished();
  void beginFrequencyFrames();
  void drawFrequencyFrame();

  const decode::SegdRecord& record_;
  dsp::Fft& fft_;
  const base::DebugLog& log_;
  std::function<int()> delayMs_;

  QTimer timer_;
  QTimer progressPoll_;
  QElapsedTimer frameClock_;
  QFutureWatcher<std::optional<SliceSpectra>> watcher_;
  // Shared with the worker, which may outlive nothing but these.
  struct WorkerState {
    std::atomic<std::int32_t> done{0};
    std::atomic<std::int32_t> total{0};
    std::atomic<bool> peaks{false};  // past the transforms, finding the peaks
    std::atomic<bool> abandon{false};
  };
  std::shared_ptr<WorkerState> worker_;

  Mode mode_ = Mode::Idle;
  bool paused_ = false;
  bool abandon_ = false;
  bool showAfterSpectra_ = false;
  bool computing_ = false;
  std::optional<SliceSpectra> spectra_;
  PeakReference reference_ = PeakReference::Spread;
  Band band_;
  std::int32_t next_ = 0;  // sample or bin of the next frame
  std::int32_t last_ = 0;
};

}  // namespace vorax::spread::ui
