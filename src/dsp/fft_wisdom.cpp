#include "dsp/fft_wisdom.h"

#include <fftw3.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "base/atomic_file.h"
#include "dsp/fft_planner.h"

namespace vorax::dsp {

namespace {

using planner::Kind;

// Wisdom files are a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kLargestWisdomFile = 16u << 20;
// The most one measurement may take: FFTW then keeps the best plan it found so far.
constexpr double kMeasuringSeconds = 5.0;

std::atomic<unsigned>& generation() {
  static std::atomic<unsigned> count{0};
  return count;
}

// The one background thread that measures the lengths asked for, in the order asked.
class Measurer {
 public:
  ~Measurer() { disable(); }

  void enable(std::filesystem::path file) {
    std::lock_guard lock(mutex_);
    file_ = std::move(file);
    enabled_ = true;
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
  }

  void disable() {
    std::thread ending;
    {
      std::lock_guard lock(mutex_);
      enabled_ = false;
      waiting_.clear();
      asked_.clear();
      ending = std::move(thread_);
    }
    changed_.notify_all();
    if (ending.joinable()) ending.join();
  }

  void request(Kind kind, std::size_t n) {
    {
      std::lock_guard lock(mutex_);
      if (!enabled_ || !asked_.insert({kind, n}).second) return;
      waiting_.emplace_back(kind, n);
    }
    changed_.notify_all();
  }

  bool waitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return waiting_.empty() && !busy_; });
  }

 private:
  void run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return !enabled_ || !waiting_.empty(); });
      if (!enabled_) return;
      const auto [kind, n] = waiting_.front();
      waiting_.pop_front();
      busy_ = true;
      const std::filesystem::path file = file_;
      lock.unlock();
      measure(kind, n, file);
      lock.lock();
      busy_ = false;
      changed_.notify_all();
    }
  }

  static void measure(Kind kind, std::size_t n, const std::filesystem::path& file) {
    // The plan itself is not needed: making it leaves its measurement in the wisdom.
    if (fftwf_plan plan = planner::makePlan(kind, n, FFTW_MEASURE)) {
      std::lock_guard planning(planner::lock());
      fftwf_destroy_plan(plan);
    }
    ++generation();
    if (!file.empty()) exportWisdom(file);
  }

  std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;
  std::filesystem::path file_;
  bool enabled_ = false;
  bool busy_ = false;
  std::deque<std::pair<Kind, std::size_t>> waiting_;
  std::set<std::pair<Kind, std::size_t>> asked_;  // never asked twice in one run
  std::thread thread_;
};

Measurer& measurer() {
  static Measurer instance;
  return instance;
}

}  // namespace

namespace planner {

unsigned wisdomGeneration() {
  return generation().load(std::memory_order_acquire);
}

void requestMeasurement(Kind kind, std::size_t n) {
  measurer().request(kind, n);
}

}  // namespace planner

std::filesystem::path wisdomFileFor(const char* xdgCacheHome, const char* home) {
  std::filesystem::path cache;
  if (xdgCacheHome != nullptr && std::filesystem::path(xdgCacheHome).is_absolute())
    cache = xdgCacheHome;
  else if (home != nullptr && *home != '\0')
    cache = std::filesystem::path(home) / ".cache";
  else
    return {};
  return cache / "vorax" / "fftw-wisdom";
}

std::filesystem::path userWisdomFile() {
  return wisdomFileFor(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

bool importWisdom(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kLargestWisdomFile) return false;
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) return false;
  if (text.find('\0') != std::string::npos) return false;  // the parser would stop there
  bool learnt = false;
  {
    // FFTW takes all of the text or, when any of it is unsound, keeps its wisdom as it was.
    std::lock_guard planning(planner::lock());
    learnt = fftwf_import_wisdom_from_string(text.c_str()) != 0;
  }
  if (learnt) ++generation();
  return learnt;
}

std::string exportWisdom(const std::filesystem::path& file) {
  std::unique_ptr<char, decltype(&std::free)> text(nullptr, &std::free);
  {
    std::lock_guard planning(planner::lock());
    text.reset(fftwf_export_wisdom_to_string());
  }
  if (text == nullptr) return "FFTW could not export its wisdom";
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return file.parent_path().string() + ": " + error.message();
  base::AtomicFileWriter writer(file);
  const std::string_view bytes(text.get());
  writer.write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  writer.commit();
  return writer.error();
}

bool enableMeasuredPlans(const std::filesystem::path& file) {
  const bool imported = !file.empty() && importWisdom(file);
  {
    std::lock_guard planning(planner::lock());
    fftwf_set_timelimit(kMeasuringSeconds);
  }
  measurer().enable(file);
  return imported;
}

void disableMeasuredPlans() {
  measurer().disable();
}

bool waitForMeasuredPlans(std::chrono::milliseconds timeout) {
  return measurer().waitUntilIdle(timeout);
}

bool hasMeasuredRealPlans(std::size_t n) {
  for (Kind kind : {Kind::RealForward, Kind::RealInverse}) {
    fftwf_plan plan = planner::makePlan(kind, n, FFTW_MEASURE | FFTW_WISDOM_ONLY);
    if (plan == nullptr) return false;
    std::lock_guard planning(planner::lock());
    fftwf_destroy_plan(plan);
  }
  return true;
}

void forgetWisdom() {
  std::lock_guard planning(planner::lock());
  fftwf_forget_wisdom();
}

}  // namespace vorax::dsp
