// How many threads the program's parallel steps (trace loading, filtering, slice spectra, page
// drawing) may keep busy: one count for the whole process, from the CPUs the process may use.
// A process pinned to one CPU (taskset -c 0, a batch scheduler's allotment) or given a cgroup
// CPU quota of one CPU works on one thread, whatever the machine's core count.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vorax::base {

inline constexpr unsigned kMostWorkers = 1024;

// The CPUs this process may run on: those of the calling thread's CPU affinity mask, fewer when
// a cgroup CPU quota allows less (rounded up); at least 1.
unsigned allowedCpus();

// The worker count in force: the one set by setWorkerCount, else allowedCpus() (found once).
unsigned workerCount();

// Sets the worker count for the rest of the process (the --threads option, VORAX_THREADS);
// 0 goes back to allowedCpus(). Set it before parallel work starts.
void setWorkerCount(unsigned count);

// Within its scope, workerCount() on the calling thread (only) gives `count` (at least 1): each
// of several jobs run at once takes its share of the workers, so that jobs times their workers
// stay within the count in force.
class ThreadWorkerShare {
 public:
  explicit ThreadWorkerShare(unsigned count);
  ~ThreadWorkerShare();
  ThreadWorkerShare(const ThreadWorkerShare&) = delete;
  ThreadWorkerShare& operator=(const ThreadWorkerShare&) = delete;

 private:
  unsigned previous_;
};

// A worker count written as text (an option's or an environment variable's value): a whole
// number from 1 to kMostWorkers, blanks around it allowed; nullopt for anything else.
std::optional<unsigned> parseWorkerCount(std::string_view text);

// The CPUs a cgroup CPU quota allows (quota / period, 1.5 for 150000 of 100000 us), the
// smallest along the process's cgroup and its parents; nullopt when none is set. `root` is
// where the cgroup file systems are mounted (/sys/fs/cgroup: version 2 there or under
// "unified", version 1 under "cpu" or "cpu,cpuacct"), `processCgroups` the text of
// /proc/self/cgroup.
std::optional<double> cgroupCpuLimit(const std::filesystem::path& root,
                                     std::string_view processCgroups);

}  // namespace vorax::base
