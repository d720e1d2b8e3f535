// Opening a large Sercel-style record (2,000 seismic + 2 auxiliary traces of 6,001 samples,
// 48 MB) with the header driver and the seven-block loader, next to a plain sequential read
// of the same file in the same run. Throughput counts file bytes. The loader run also reports
// the process's peak resident memory against the record's sample bytes.
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include <benchmark/benchmark.h>

#include "decode/header_driver.h"
#include "decode/sercel_loader.h"
#include "decode/sercel_synth.h"

namespace {

namespace fs = std::filesystem;
using namespace vorax::decode;

constexpr int kSeismicTraces = 2000;
constexpr int kAuxTraces = 2;
constexpr int kSamples = 6001;

// The record is written once per run and removed at exit.
class BenchRecord {
 public:
  BenchRecord() : path_(fs::temp_directory_path() / "sercel_loader_bench.segd") {
    synth::SercelSynthOptions options;
    options.seismicTraces = kSeismicTraces;
    options.auxTraces = kAuxTraces;
    options.samplesPerTrace = kSamples;
    options.receiverLines = 8;
    error_ = synth::writeSercelRecords(path_, options, {});
  }
  ~BenchRecord() {
    std::error_code ec;
    fs::remove(path_, ec);
  }
  const fs::path& path() const { return path_; }
  const std::string& error() const { return error_; }
  std::int64_t size() const { return static_cast<std::int64_t>(fs::file_size(path_)); }

 private:
  fs::path path_;
  std::string error_;
};

const BenchRecord& benchRecord() {
  static const BenchRecord record;
  return record;
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void plainSequentialRead(benchmark::State& state) {
  const BenchRecord& record = benchRecord();
  if (!record.error().empty()) state.SkipWithError(record.error().c_str());
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    std::FILE* f = std::fopen(record.path().string().c_str(), "rb");
    std::size_t total = 0;
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), f)) total += got;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * record.size());
}

void headerDriverAndSevenBlockLoader(benchmark::State& state) {
  const BenchRecord& record = benchRecord();
  if (!record.error().empty()) state.SkipWithError(record.error().c_str());
  const vorax::app::DebugLog noLog;
  for (auto _ : state) {
    SegdRecord segd;
    DecodedHeaders headers;
    CollectingMessages messages;
    RecordFile::Opened opened = RecordFile::open(record.path());
    const std::int32_t first = readfileheaders(*opened.file, segd, headers, messages, noLog);
    benchmark::DoNotOptimize(readtraces408(first, *opened.file, segd, messages, {},
                                           sercelExtensionBlocks(headers.channelSets)));
    opened.file->close();
  }
  state.SetBytesProcessed(state.iterations() * record.size());
  const double sampleMegabytes =
      4.0 * (kSeismicTraces + kAuxTraces) * kSamples / (1024.0 * 1024.0);
  state.counters["sample_MiB"] = sampleMegabytes;
  state.counters["peak_rss_MiB"] = peakResidentMegabytes();
  state.counters["rss_per_sample_byte"] = peakResidentMegabytes() / sampleMegabytes;
}

BENCHMARK(plainSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(headerDriverAndSevenBlockLoader)->Unit(benchmark::kMillisecond);

}  // namespace
