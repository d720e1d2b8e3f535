// The record tools on a 1 GB file of ten Sercel records (2,000 seismic traces of 12,501
// samples, 100 MB each): the splitter writing all ten records, the radio-similarity repair
// copying the first record's traces, and a plain 1 MB-chunk copy of the same file as the
// disk's ceiling. Throughput counts bytes written. Each run also reports the peak resident
// memory of the run itself (the peak is reset before it) next to the resident memory at its
// start: streaming keeps the difference to a few megabytes whatever the file's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "decode/synth/sercel_synth.h"
#include "tools/file_splitter.h"
#include "tools/radio_fix.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 10;

// VmRSS or VmHWM of this process in MB, from /proc/self/status.
double residentMb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024;
  }
  return 0;
}

// Forgets the peak so far: VmHWM restarts from the current resident size.
void resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

struct MemoryCounters {
  MemoryCounters() : start(residentMb("VmRSS:")) { resetPeak(); }
  void report(benchmark::State& state) const {
    state.counters["rss_start_MB"] = start;
    state.counters["peak_rss_MB"] = residentMb("VmHWM:");
  }
  double start;
};

// The 1 GB input, written once per run from one record whose file number is changed for each
// copy (general header block 1 bytes 1-2, BCD), and removed at exit with every output.
class BigFile {
 public:
  BigFile() : folder_(fs::temp_directory_path() / "vorax-tools-bench") {
    fs::create_directories(folder_);
    vorax::decode::synth::SercelSynthOptions o;
    o.seismicTraces = 2000;
    o.samplesPerTrace = 12501;
    std::vector<std::uint8_t> record = vorax::decode::synth::sercelRecordBytes(o);
    recordBytes_ = record.size();
    std::FILE* out = std::fopen(input().c_str(), "wb");
    for (int k = 0; k < kRecords && out != nullptr; ++k) {
      const int number = 1001 + k;
      record[0] = static_cast<std::uint8_t>((number / 1000) * 16 + (number / 100) % 10);
      record[1] = static_cast<std::uint8_t>(((number / 10) % 10) * 16 + number % 10);
      std::fwrite(record.data(), 1, record.size(), out);
    }
    if (out != nullptr) std::fclose(out);
  }
  ~BigFile() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  fs::path input() const { return folder_ / "shots.dat"; }
  fs::path outputs() const { return folder_ / "out"; }
  std::uint64_t recordBytes() const { return recordBytes_; }
  std::uint64_t size() const { return fs::file_size(input()); }

  void clearOutputs() const {
    std::error_code ec;
    fs::remove_all(outputs(), ec);
    fs::create_directories(outputs());
  }

 private:
  fs::path folder_;
  std::uint64_t recordBytes_ = 0;
};

const BigFile& bigFile() {
  static const BigFile file;
  return file;
}

void BM_SplitFile(benchmark::State& state) {
  const BigFile& file = bigFile();
  for (auto _ : state) {
    state.PauseTiming();
    file.clearOutputs();
    const MemoryCounters memory;
    state.ResumeTiming();
    const vorax::tools::SplitResult result = vorax::tools::splitFile(file.input(), file.outputs());
    state.PauseTiming();
    memory.report(state);
    if (result.records.size() != kRecords) state.SkipWithError(result.message.c_str());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_RepairFirstRecord(benchmark::State& state) {
  const BigFile& file = bigFile();
  vorax::tools::RadioFixOptions options;
  options.tracesRequired = 9999;  // more than the record's 2,002: all of them
  options.outputFolder = file.outputs();
  for (auto _ : state) {
    state.PauseTiming();
    file.clearOutputs();
    const MemoryCounters memory;
    state.ResumeTiming();
    const vorax::tools::RadioFixResult result =
        vorax::tools::fixRadioFiles({file.input()}, options);
    state.PauseTiming();
    memory.report(state);
    if (result.files.size() != 1) state.SkipWithError(result.message.c_str());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.recordBytes()));
}

// The ceiling: the same file read and written in 1 MB chunks, no headers looked at.
void BM_PlainCopy(benchmark::State& state) {
  const BigFile& file = bigFile();
  std::vector<char> chunk(1 << 20);
  for (auto _ : state) {
    state.PauseTiming();
    file.clearOutputs();
    state.ResumeTiming();
    std::FILE* in = std::fopen(file.input().c_str(), "rb");
    std::FILE* out = std::fopen((file.outputs() / "copy").c_str(), "wb");
    for (std::size_t n; in != nullptr && out != nullptr &&
                        (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;)
      std::fwrite(chunk.data(), 1, n, out);
    if (in != nullptr) std::fclose(in);
    if (out != nullptr) std::fclose(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

BENCHMARK(BM_SplitFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RepairFirstRecord)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
