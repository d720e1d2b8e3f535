// `vorax qc` over a folder of large records (50 records of 2,000 traces x 6,001 samples, 2.4
// GB, made by bench/survey_qc_bench.sh with `vorax synth`), next to the floor measured in the
// same run: every file of the folder read whole into newly allocated memory. The folder is
// named by VORAX_QC_BENCH_FOLDER; without it the benchmarks say so and skip.
//
// Counters: records_per_s, x_floor (the run's wall time over the floor's) and cpu_s_per_record
// (the whole process's CPU time, every thread, per record: less shaken by other work on the
// machine than wall time).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/picture_file.h"
#include "decode/zeroed_floats.h"
#include "qc/record_finder.h"
#include "qc/survey_report.h"
#include "qc/survey_run.h"

namespace {

namespace fs = std::filesystem;
using namespace vorax;

std::vector<std::string> benchFiles() {
  const char* folder = std::getenv("VORAX_QC_BENCH_FOLDER");
  if (folder == nullptr) return {};
  const std::vector<std::string> paths{folder};
  return qc::findRecords(paths).files;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The process's CPU time since `start`, every thread, per record of every iteration.
double cpuSecondsPerRecord(std::clock_t start, std::size_t records, const benchmark::State& state) {
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC /
         static_cast<double>(records * static_cast<std::size_t>(state.iterations()));
}

double floorSeconds = 0;  // one pass of freshMemoryRead; 0 until it ran

void freshMemoryRead(benchmark::State& state) {
  const std::vector<std::string> files = benchFiles();
  if (files.empty()) return state.SkipWithError("VORAX_QC_BENCH_FOLDER names no records");
  double total = 0;
  std::int64_t bytes = 0;
  const std::clock_t cpuStart = std::clock();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
      const auto size = static_cast<std::size_t>(fs::file_size(file));
      std::FILE* f = std::fopen(file.c_str(), "rb");
      decode::ZeroedFloats buffer((size + sizeof(float) - 1) / sizeof(float));
      benchmark::DoNotOptimize(std::fread(buffer.data(), 1, size, f));
      std::fclose(f);
      benchmark::DoNotOptimize(buffer.data());
      bytes += static_cast<std::int64_t>(size);
    }
    total += secondsSince(start);
  }
  floorSeconds = total / static_cast<double>(state.iterations());
  state.SetBytesProcessed(bytes);
  state.counters["records_per_s"] = static_cast<double>(files.size()) / floorSeconds;
  state.counters["cpu_s_per_record"] = cpuSecondsPerRecord(cpuStart, files.size(), state);
}

// What `vorax qc FOLDER --out DIR --jobs N` does: the verdicts of every record on N threads,
// its thumbnail, then the folder's files.
void surveyQc(benchmark::State& state) {
  const std::vector<std::string> files = benchFiles();
  if (files.empty()) return state.SkipWithError("VORAX_QC_BENCH_FOLDER names no records");
  const fs::path out = fs::temp_directory_path() / "vorax_qc_bench_out";
  fs::create_directories(out / qc::kThumbnailFolder);
  cli::ensureGuiApplication();
  const qc::PictureWriter pictures = [](const fs::path& path, int width, int height,
                                        const std::function<void(app::Canvas&)>& draw) {
    return cli::writePictureFile("bench", path.string(), {width, height}, draw) == 0 ? ""
                                                                                     : "failed";
  };
  qc::SurveyRunOptions options;
  options.jobs = static_cast<int>(state.range(0));
  options.withRecord = [&out](decode::SegdRecord& record, const qc::RecordQc& verdicts) {
    cli::writeRecordPictureFile("bench", (out / qc::thumbnailName(verdicts.file)).string(),
                                {qc::kThumbnailWidth, qc::kThumbnailHeight}, record, {}, {},
                                app::PngEffort::Quick);
  };
  double total = 0;
  const std::clock_t cpuStart = std::clock();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<qc::RecordQc> records;
    for (auto& r : qc::runSurvey(files, options))
      if (r) records.push_back(std::move(*r));
    benchmark::DoNotOptimize(qc::writeSurveyFiles(out, records, pictures));
    total += secondsSince(start);
  }
  const double perRun = total / static_cast<double>(state.iterations());
  state.counters["records_per_s"] = static_cast<double>(files.size()) / perRun;
  state.counters["cpu_s_per_record"] = cpuSecondsPerRecord(cpuStart, files.size(), state);
  if (floorSeconds > 0) state.counters["x_floor"] = perRun / floorSeconds;
  std::error_code error;
  fs::remove_all(out, error);
}

BENCHMARK(freshMemoryRead)->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(surveyQc)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

}  // namespace
