// Opening a large record (10,000 traces of 6,001 samples, 240 MB, Sercel-style: 9,998 seismic
// and 2 auxiliary traces) as the viewer opens it: the
// first page's traces are handed over as soon as they are in and drawn (1600 x 1000) on another
// thread, standing in for the window's, while the rest loads. Reports the time from the open
// to the first picture and to the whole record, beside the floor: the whole file read into
// newly allocated memory, measured in the same run.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "app/display_settings.h"
#include "app/record_display.h"
#include "app/ui/qt_canvas.h"
#include "decode/record_opener.h"
#include "decode/synth/sercel_synth.h"
#include "decode/zeroed_floats.h"
#include "gui_application.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kSeismicTraces = 9998;
constexpr int kAuxTraces = 2;
constexpr int kSamples = 6001;

class LargeRecord {
 public:
  LargeRecord() : path_(fs::temp_directory_path() / "vorax_first_page_bench.segd") {
    vorax::decode::synth::SercelSynthOptions options;
    options.seismicTraces = kSeismicTraces;
    options.auxTraces = kAuxTraces;
    options.samplesPerTrace = kSamples;
    error_ = vorax::decode::synth::writeSercelRecords(path_, options, {});
  }
  ~LargeRecord() {
    std::error_code ec;
    fs::remove(path_, ec);
  }
  const fs::path& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  fs::path path_;
  std::string error_;
};

const LargeRecord& largeRecord() {
  static const LargeRecord record;
  return record;
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double floorMs = 0;

// The floor: the whole file read with one call into memory allocated for it in huge pages.
void freshMemoryRead(benchmark::State& state) {
  const LargeRecord& record = largeRecord();
  if (!record.error().empty()) {
    state.SkipWithError(record.error().c_str());
    return;
  }
  const auto size = static_cast<std::size_t>(fs::file_size(record.path()));
  double totalMs = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    std::FILE* f = std::fopen(record.path().string().c_str(), "rb");
    vorax::decode::ZeroedFloats buffer((size + sizeof(float) - 1) / sizeof(float));
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, size, f));
    std::fclose(f);
    totalMs += millisecondsBetween(start, Clock::now());
  }
  floorMs = totalMs / static_cast<double>(state.iterations());
}

// The window's thread: draws the first page of the record it is handed.
class PictureThread {
 public:
  PictureThread() : thread_([this] { run(); }) {}
  ~PictureThread() { thread_.join(); }

  void hand(vorax::decode::SegdRecord&& leading) {
    std::lock_guard lock(mutex_);
    leading_ = std::move(leading);
    ready_.notify_one();
  }
  // When the picture was finished; waits for it.
  Clock::time_point finished() {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return drawnAt_.has_value(); });
    return *drawnAt_;
  }

 private:
  void run() {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return leading_.has_value(); });
    vorax::decode::SegdRecord record = std::move(*leading_);
    lock.unlock();
    const vorax::app::ViewerSettings settings;
    vorax::app::DisplayState display;
    vorax::app::takeDisplaySettings(settings, display);
    vorax::app::startRecordDisplay(settings, record, display);
    QImage picture(1600, 1000, QImage::Format_RGB32);
    vorax::app::ui::QtCanvas canvas(picture);
    vorax::app::DrawRecordDisplay(canvas, record, display,
                                  vorax::app::displayOptionsFrom(settings));
    lock.lock();
    drawnAt_ = Clock::now();
    ready_.notify_one();
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::optional<vorax::decode::SegdRecord> leading_;
  std::optional<Clock::time_point> drawnAt_;
  std::thread thread_;
};

void openToFirstPicture(benchmark::State& state) {
  ensureGuiApplication();
  const LargeRecord& record = largeRecord();
  if (!record.error().empty()) {
    state.SkipWithError(record.error().c_str());
    return;
  }
  const vorax::base::DebugLog noLog;
  const vorax::app::ViewerSettings settings;
  vorax::app::DisplayState display;
  vorax::app::takeDisplaySettings(settings, display);
  double firstMs = 0;
  double fullMs = 0;
  for (auto _ : state) {
    PictureThread window;
    vorax::decode::SegdRecord segd;
    vorax::decode::CollectingMessages messages;
    vorax::decode::OpenOptions options;
    bool handed = false;
    options.earlyTraces = {vorax::app::earlyTraceCount(settings, display.tracesPerScreen),
                           [&](const vorax::decode::SegdRecord& loading, std::int32_t loaded) {
                             window.hand(vorax::decode::leadingTraces(loading, loaded));
                             handed = true;
                           }};
    const Clock::time_point start = Clock::now();
    vorax::decode::openRecord(record.path(), segd, messages, noLog, options);
    const Clock::time_point loaded = Clock::now();
    if (!handed) {
      window.hand(std::move(segd));
      state.SkipWithError("the first traces were not handed over early");
    }
    firstMs += millisecondsBetween(start, window.finished());
    fullMs += millisecondsBetween(start, loaded);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["first_picture_ms"] = firstMs / n;
  state.counters["full_load_ms"] = fullMs / n;
  if (floorMs > 0) {
    state.counters["floor_ms"] = floorMs;
    state.counters["full_x_floor"] = fullMs / n / floorMs;
  }
}

// The same open without the early hand-over, for comparison.
void openWhole(benchmark::State& state) {
  const LargeRecord& record = largeRecord();
  if (!record.error().empty()) {
    state.SkipWithError(record.error().c_str());
    return;
  }
  const vorax::base::DebugLog noLog;
  double totalMs = 0;
  for (auto _ : state) {
    vorax::decode::SegdRecord segd;
    vorax::decode::CollectingMessages messages;
    const Clock::time_point start = Clock::now();
    vorax::decode::openRecord(record.path(), segd, messages, noLog);
    totalMs += millisecondsBetween(start, Clock::now());
  }
  if (floorMs > 0)
    state.counters["x_floor"] = totalMs / static_cast<double>(state.iterations()) / floorMs;
}

BENCHMARK(freshMemoryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(openWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(openToFirstPicture)->Unit(benchmark::kMillisecond);

}  // namespace
