// Opening large records (2,000 seismic traces of 6,001 samples, 48 MB) with the header driver
// and each trace loader, next to a plain sequential read of the same file in the same run.
// Throughput counts file bytes. The loader runs also report the process's peak resident
// memory against the record's sample bytes, and `x_floor`: their time over the floor's, the
// whole file read into newly allocated memory (`freshMemoryRead`, run first), scaled to the
// loaded file's size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "decode/header_driver.h"
#include "decode/record_opener.h"
#include "decode/sercel/sercel_loader.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "decode/vorax/vorax_loader.h"
#include "decode/zeroed_floats.h"

namespace {

namespace fs = std::filesystem;
using namespace vorax::decode;

constexpr int kSeismicTraces = 2000;
constexpr int kSamples = 6001;

// A record written once per run (trace by trace, so writing costs little memory) and removed
// at exit.
class BenchRecord {
 public:
  BenchRecord(const std::string& name, int traces,
              const std::function<std::string(const fs::path&)>& write)
      : path_(fs::temp_directory_path() / name), traces_(traces), error_(write(path_)) {}
  ~BenchRecord() {
    std::error_code ec;
    fs::remove(path_, ec);
  }
  const fs::path& path() const { return path_; }
  const std::string& error() const { return error_; }
  std::int64_t size() const { return static_cast<std::int64_t>(fs::file_size(path_)); }
  double sampleMegabytes() const { return 4.0 * traces_ * kSamples / (1024.0 * 1024.0); }

 private:
  fs::path path_;
  int traces_;
  std::string error_;
};

const BenchRecord& voraxRecord() {
  static const BenchRecord record("vorax_loader_bench.segd", kSeismicTraces, [](const fs::path& p) {
    synth::SynthOptions options;
    options.seismicTraces = kSeismicTraces;
    options.auxTraces = 0;
    options.samplesPerTrace = kSamples;
    return synth::writeSyntheticRecord(p, options);
  });
  return record;
}

const BenchRecord& sercelRecord() {
  constexpr int kAuxTraces = 2;
  static const BenchRecord record("sercel_loader_bench.segd", kSeismicTraces + kAuxTraces,
                                  [](const fs::path& p) {
                                    synth::SercelSynthOptions options;
                                    options.seismicTraces = kSeismicTraces;
                                    options.auxTraces = kAuxTraces;
                                    options.samplesPerTrace = kSamples;
                                    options.receiverLines = 8;
                                    return synth::writeSercelRecords(p, options, {});
                                  });
  return record;
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

// The floor of any loader that returns new memory, in milliseconds per file byte; 0 until
// freshMemoryRead has run.
double floorMsPerByte = 0;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The counters of a loading run that took `totalMs` over all iterations. `x_floor` is the mean
// time per iteration over the floor's for a file of this size.
void reportLoading(benchmark::State& state, const BenchRecord& record, double totalMs) {
  state.SetBytesProcessed(state.iterations() * record.size());
  state.counters["sample_MiB"] = record.sampleMegabytes();
  state.counters["peak_rss_MiB"] = peakResidentMegabytes();
  state.counters["rss_per_sample_byte"] = peakResidentMegabytes() / record.sampleMegabytes();
  if (floorMsPerByte > 0 && state.iterations() > 0) {
    state.counters["x_floor"] = totalMs / static_cast<double>(state.iterations()) /
                                (floorMsPerByte * static_cast<double>(record.size()));
  }
}

void plainSequentialRead(benchmark::State& state) {
  const BenchRecord& record = voraxRecord();
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

// The whole file read with one call into memory allocated for it, as a loader returning a new
// array must at least do. The memory is asked for as the loaders ask for theirs (and as
// numpy.fromfile does): in huge pages where the system has them. With 4 KiB pages this machine
// spends over 100 ms in page faults for 48 MB, which would flatter every loader.
void freshMemoryRead(benchmark::State& state) {
  const BenchRecord& record = voraxRecord();
  if (!record.error().empty()) state.SkipWithError(record.error().c_str());
  const auto size = static_cast<std::size_t>(record.size());
  double totalMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::FILE* f = std::fopen(record.path().string().c_str(), "rb");
    ZeroedFloats buffer((size + sizeof(float) - 1) / sizeof(float));
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, size, f));
    std::fclose(f);
    benchmark::DoNotOptimize(buffer.data());
    totalMs += millisecondsSince(start);
  }
  state.SetBytesProcessed(state.iterations() * record.size());
  floorMsPerByte = totalMs / static_cast<double>(state.iterations()) / static_cast<double>(size);
}

// Header driver, then `loadTraces`, on a fresh record each iteration.
void loadRecord(benchmark::State& state, const BenchRecord& record,
                const std::function<void(std::int32_t, RecordFile&, SegdRecord&,
                                         const DecodedHeaders&, MessageSink&)>& loadTraces) {
  if (!record.error().empty()) state.SkipWithError(record.error().c_str());
  const vorax::base::DebugLog noLog;
  double totalMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    SegdRecord segd;
    DecodedHeaders headers;
    CollectingMessages messages;
    RecordFile::Opened opened = RecordFile::open(record.path());
    const std::int32_t first = readfileheaders(*opened.file, segd, headers, messages, noLog);
    loadTraces(first, *opened.file, segd, headers, messages);
    opened.file->close();
    totalMs += millisecondsSince(start);
  }
  reportLoading(state, record, totalMs);
}

void headerDriverAndOneBlockLoader(benchmark::State& state) {
  loadRecord(state, voraxRecord(),
             [](std::int32_t first, RecordFile& file, SegdRecord& segd, const DecodedHeaders&,
                MessageSink& messages) {
               benchmark::DoNotOptimize(readtracesvorax(first, file, segd, messages));
             });
}

void headerDriverAndSevenBlockLoader(benchmark::State& state) {
  loadRecord(state, sercelRecord(),
             [](std::int32_t first, RecordFile& file, SegdRecord& segd,
                const DecodedHeaders& headers, MessageSink& messages) {
               benchmark::DoNotOptimize(readtraces408(first, file, segd, messages, {},
                                                      sercelExtensionBlocks(headers.channelSets)));
             });
}

// The standard reader on the Sercel-style record, whose layout is the public standard's.
void standardReader(benchmark::State& state) {
  const BenchRecord& record = sercelRecord();
  if (!record.error().empty()) state.SkipWithError(record.error().c_str());
  const vorax::base::DebugLog noLog;
  OpenOptions options;
  options.loader = LoaderChoice::Standard;
  double totalMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    SegdRecord segd;
    CollectingMessages messages;
    benchmark::DoNotOptimize(openRecord(record.path(), segd, messages, noLog, options).tracesRead);
    totalMs += millisecondsSince(start);
  }
  reportLoading(state, record, totalMs);
}

BENCHMARK(plainSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(freshMemoryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(headerDriverAndOneBlockLoader)->Unit(benchmark::kMillisecond);
BENCHMARK(headerDriverAndSevenBlockLoader)->Unit(benchmark::kMillisecond);
BENCHMARK(standardReader)->Unit(benchmark::kMillisecond);

}  // namespace
