// vorax tslice FILE [--start-ms A] [--end-ms B] [--every N] --out-dir DIR: the time slice of
// a record, one picture per sample time from A to B (every Nth sample), as the spread view
// animates it.
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/spread_record.h"
#include "spread/time_slice.h"

namespace vorax::cli {

namespace {

struct TsliceOptions {
  std::string file;
  double startMs = 0;
  std::optional<double> endMs;
  int every = 1;
  std::string outDir;
};

int runTslice(const TsliceOptions& options) {
  if (options.every < 1) {
    std::fprintf(stderr, "vorax tslice: --every needs a whole number of at least 1\n");
    return 2;
  }
  CliRecord opened;
  if (const int status = openSpreadRecord("tslice", options.file, opened); status != 0)
    return status;
  const decode::SegdRecord& record = opened.record;
  const std::int32_t samples = record.samples.samplesPerTrace();
  const double intervalMs = record.summary.sampleIntervalUs / 1000.0;
  if (samples <= 0 || !(intervalMs > 0)) {
    std::fprintf(stderr, "vorax tslice: the record holds no samples\n");
    return 2;
  }
  const RecordRange times{0, spread::sampleTimeMs(record, samples - 1), "ms"};
  const double endMs = options.endMs.value_or(times.high);
  if (!valueWithin("tslice", "--start-ms", options.startMs, times) ||
      !valueWithin("tslice", "--end-ms", endMs, times))
    return 2;
  // Samples whose time lies in start..end.
  const double first = std::ceil(options.startMs / intervalMs);
  const double last = std::min<double>(samples - 1, std::floor(endMs / intervalMs));
  if (!(first <= last)) {
    std::fprintf(stderr, "vorax tslice: no sample lies between %g and %g ms\n", options.startMs,
                 endMs);
    return 2;
  }
  if (!makeOutputFolder("tslice", options.outDir)) return 2;

  const spread::SpreadLayout layout = spread::computeSpreadLayout(record);
  int written = 0;
  for (auto j = static_cast<std::int64_t>(first); j <= static_cast<std::int64_t>(last);
       j += options.every) {
    const auto sample = static_cast<std::int32_t>(j);
    const std::string path = frameFileName(options.outDir, "tslice", sample, samples - 1).string();
    const int status = writePictureFile("tslice", path, PictureSize{}, [&](app::Canvas& canvas) {
      spread::drawTimeSliceFrame(canvas, record, layout, sample);
    });
    if (status != 0) return status;
    ++written;
  }
  std::printf("%d pictures in %s\n", written, options.outDir.c_str());
  return 0;
}

}  // namespace

void addTsliceCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<TsliceOptions>();
  CLI::App* command = app.add_subcommand(
      "tslice", "Draws the time slice of a record's spread, one picture per sample time.");
  command->add_option("FILE", options->file, "record file")->required();
  command->add_option("--start-ms", options->startMs, "first time, ms");
  command->add_option("--end-ms", options->endMs, "last time, ms")->default_str("the last sample");
  command->add_option("--every", options->every, "every Nth sample");
  command
      ->add_option("--out-dir", options->outDir,
                   "folder for the pictures tslice_<sample>.png (made when missing)")
      ->required();
  command->callback([options, &status] { status = runTslice(*options); });
}

}  // namespace vorax::cli
