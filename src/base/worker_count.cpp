#include "base/worker_count.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/text_trim.h"

#ifdef __linux__
#include <sched.h>
#include <unistd.h>
#endif

namespace vorax::base {

namespace {

namespace fs = std::filesystem;

std::optional<long long> wholeNumber(std::string_view text) {
  text = trimmedView(text, kWhiteSpace);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> fileText(const fs::path& file) {
  std::ifstream in(file);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::optional<double> quotaOver(std::optional<long long> quota, std::optional<long long> period) {
  if (!quota || !period || *quota <= 0 || *period <= 0) return std::nullopt;
  return static_cast<double>(*quota) / static_cast<double>(*period);
}

// cgroup version 2: "max 100000" (no quota) or "150000 100000".
std::optional<double> cpuMaxLimit(const fs::path& folder) {
  const std::optional<std::string> text = fileText(folder / "cpu.max");
  if (!text) return std::nullopt;
  const std::string_view line = trimmedView(*text, kWhiteSpace);
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  return quotaOver(wholeNumber(line.substr(0, blank)), wholeNumber(line.substr(blank + 1)));
}

// cgroup version 1: a quota of -1 is none.
std::optional<double> cfsLimit(const fs::path& folder) {
  const std::optional<std::string> quota = fileText(folder / "cpu.cfs_quota_us");
  const std::optional<std::string> period = fileText(folder / "cpu.cfs_period_us");
  if (!quota || !period) return std::nullopt;
  return quotaOver(wholeNumber(*quota), wholeNumber(*period));
}

// The smallest limit from `mount`/`path` up to `mount` itself.
template <typename Read>
std::optional<double> smallestUpward(const fs::path& mount, std::string_view path, Read read) {
  std::optional<double> smallest;
  fs::path relative = fs::path(trimmedView(path, kWhiteSpace)).relative_path();
  for (;;) {
    if (const std::optional<double> limit = read(mount / relative))
      smallest = smallest ? std::min(*smallest, *limit) : *limit;
    if (relative.empty()) return smallest;
    relative = relative.parent_path();
  }
}

bool namesCpuController(std::string_view controllers) {
  while (!controllers.empty()) {
    const std::size_t comma = controllers.find(',');
    if (controllers.substr(0, comma) == "cpu") return true;
    if (comma == std::string_view::npos) break;
    controllers.remove_prefix(comma + 1);
  }
  return false;
}

unsigned affinityCpus() {
#ifdef __linux__
  const long configured = ::sysconf(_SC_NPROCESSORS_CONF);
  const int size = static_cast<int>(std::max<long>(configured, 1024));
  cpu_set_t* set = CPU_ALLOC(size);
  if (set != nullptr) {
    const std::size_t bytes = CPU_ALLOC_SIZE(size);
    const int count = ::sched_getaffinity(0, bytes, set) == 0 ? CPU_COUNT_S(bytes, set) : 0;
    CPU_FREE(set);
    if (count > 0) return static_cast<unsigned>(count);
  }
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

std::atomic<unsigned> chosenCount{0};
thread_local unsigned threadShare = 0;  // 0: none, the process's count

}  // namespace

std::optional<double> cgroupCpuLimit(const fs::path& root, std::string_view processCgroups) {
  std::optional<double> smallest;
  const auto keep = [&](std::optional<double> limit) {
    if (limit) smallest = smallest ? std::min(*smallest, *limit) : *limit;
  };
  std::istringstream lines{std::string(processCgroups)};
  for (std::string line; std::getline(lines, line);) {
    // "hierarchy-id:controllers:path"; version 2 is "0::path".
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first == std::string::npos ? first : first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string_view text(line);
    const std::string_view controllers = text.substr(first + 1, second - first - 1);
    const std::string_view path = text.substr(second + 1);
    if (text.substr(0, first) == "0" && controllers.empty()) {
      for (const fs::path& mount : {root, root / "unified"})
        keep(smallestUpward(mount, path, cpuMaxLimit));
    } else if (namesCpuController(controllers)) {
      for (const fs::path& mount : {root / std::string(controllers), root / "cpu,cpuacct"})
        keep(smallestUpward(mount, path, cfsLimit));
    }
  }
  return smallest;
}

unsigned allowedCpus() {
  unsigned cpus = affinityCpus();
  const std::optional<std::string> cgroups = fileText("/proc/self/cgroup");
  if (cgroups) {
    if (const std::optional<double> limit = cgroupCpuLimit("/sys/fs/cgroup", *cgroups))
      cpus = std::min(cpus, static_cast<unsigned>(std::max(1.0, std::ceil(*limit))));
  }
  return std::clamp(cpus, 1u, kMostWorkers);
}

unsigned workerCount() {
  if (threadShare != 0) return threadShare;
  static const unsigned allowed = allowedCpus();
  const unsigned chosen = chosenCount.load(std::memory_order_relaxed);
  return chosen != 0 ? chosen : allowed;
}

void setWorkerCount(unsigned count) {
  chosenCount.store(std::min(count, kMostWorkers), std::memory_order_relaxed);
}

ThreadWorkerShare::ThreadWorkerShare(unsigned count) : previous_(threadShare) {
  threadShare = std::clamp(count, 1u, kMostWorkers);
}

ThreadWorkerShare::~ThreadWorkerShare() {
  threadShare = previous_;
}

std::optional<unsigned> parseWorkerCount(std::string_view text) {
  const std::optional<long long> value = wholeNumber(text);
  if (!value || *value < 1 || *value > kMostWorkers) return std::nullopt;
  return static_cast<unsigned>(*value);
}

}  // namespace vorax::base
