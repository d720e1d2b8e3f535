#include "base/worker_count.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <fstream>
#include <optional>
#include <thread>

#include "test_support.h"

namespace vorax::base {
namespace {

void writeText(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

// A cgroup tree laid out as the kernel mounts it, each limit as quota / period worked by hand.
TEST(WorkerCount, CgroupQuotaIsTheSmallestAlongThePath) {
  test::TempDir root;
  writeText(root / "batch/cpu.max", "max 100000\n");               // no quota
  writeText(root / "batch/job7/cpu.max", "150000 100000\n");       // 1.5 CPUs
  writeText(root / "batch/job7/step/cpu.max", "400000 100000\n");  // 4, but the parent allows 1.5
  writeText(root / "cpu,cpuacct/slurm/cpu.cfs_quota_us", "50000\n");  // version 1: half a CPU
  writeText(root / "cpu,cpuacct/slurm/cpu.cfs_period_us", "100000\n");
  writeText(root / "cpu,cpuacct/free/cpu.cfs_quota_us", "-1\n");  // version 1: none
  writeText(root / "cpu,cpuacct/free/cpu.cfs_period_us", "100000\n");
  const struct {
    const char* cgroups;
    std::optional<double> cpus;
  } cases[] = {
      {"0::/batch/job7/step\n", 1.5},
      {"0::/batch\n", std::nullopt},
      {"0::/elsewhere\n", std::nullopt},
      {"4:cpu,cpuacct:/slurm\n1:name=systemd:/x\n", 0.5},
      {"4:cpu,cpuacct:/free\n", std::nullopt},
      {"4:memory:/slurm\n", std::nullopt},  // not the CPU controller
      {"garbage without colons\n", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cgroupCpuLimit(root.path(), c.cgroups), c.cpus) << c.cgroups;
}

TEST(WorkerCount, CountsWrittenAsText) {
  const struct {
    const char* text;
    std::optional<unsigned> count;
  } cases[] = {{"1", 1u},
               {" 8\n", 8u},
               {"1024", 1024u},
               {"0", std::nullopt},
               {"1025", std::nullopt},
               {"-2", std::nullopt},
               {"2x", std::nullopt},
               {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(parseWorkerCount(c.text), c.count) << c.text;
}

// A thread allowed one CPU (as taskset -c 0 or a batch scheduler allots) finds one.
TEST(WorkerCount, OneAllottedCpuIsOneWorker) {
  cpu_set_t mine;
  CPU_ZERO(&mine);
  ASSERT_EQ(sched_getaffinity(0, sizeof mine, &mine), 0);
  int first = 0;
  while (!CPU_ISSET(first, &mine)) ++first;
  unsigned seen = 0;
  std::thread pinned([&] {
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    if (pthread_setaffinity_np(pthread_self(), sizeof one, &one) == 0) seen = allowedCpus();
  });
  pinned.join();
  EXPECT_EQ(seen, 1u);
  EXPECT_GE(allowedCpus(), 1u);
  setWorkerCount(3);
  EXPECT_EQ(workerCount(), 3u);
  setWorkerCount(0);
  EXPECT_EQ(workerCount(), allowedCpus());
}

}  // namespace
}  // namespace vorax::base
