// vorax tslice FILE [--start-ms A] [--end-ms B] [--every N] [--json] [--out-dir DIR]: the
// time slice of a record, one frame per sample time from A to B (every Nth sample), as the
// spread view animates it: as JSON (every live trace's scaled value and colour) and/or one
// picture per frame.
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_text.h"
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
  bool json = false;
  std::string outDir;
};

Json frameJson(const decode::SegdRecord& record, std::span<const float> peaks,
               std::int32_t sample) {
  Json traces = Json::array();
  for (const spread::TimeSliceBox& box : spread::timeSliceBoxes(record, peaks, sample))
    traces.push_back({{"trace", box.trace},
                      {"line", singleJson(box.line)},
                      {"point", singleJson(box.point)},
                      {"value", singleJson(box.value)},
                      {"colour", colourJson(box.colour)}});
  return {{"sample", sample},
          {"time_ms", spread::sampleTimeMs(record, sample)},
          {"traces", std::move(traces)}};
}

int runTslice(const TsliceOptions& options) {
  if (options.every < 1) {
    std::fprintf(stderr, "vorax tslice: --every needs a whole number of at least 1\n");
    return 2;
  }
  if (!options.json && options.outDir.empty()) {
    std::fprintf(stderr, "vorax tslice: --json or --out-dir DIR is needed\n");
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
  if (!options.outDir.empty() && !makeOutputFolder("tslice", options.outDir)) return 2;

  const std::vector<float> peaks = spread::timeSlicePeaks(record);
  const spread::SpreadLayout layout = spread::computeSpreadLayout(record);
  Json frames = Json::array();
  int written = 0;
  for (auto j = static_cast<std::int64_t>(first); j <= static_cast<std::int64_t>(last);
       j += options.every) {
    const auto sample = static_cast<std::int32_t>(j);
    if (options.json) frames.push_back(frameJson(record, peaks, sample));
    if (options.outDir.empty()) continue;
    const std::string path = frameFileName(options.outDir, "tslice", sample, samples - 1).string();
    const int status = writePictureFile("tslice", path, PictureSize{}, [&](app::Canvas& canvas) {
      spread::drawTimeSliceFrame(canvas, record, layout, peaks, sample);
    });
    if (status != 0) return status;
    ++written;
  }
  if (options.json) {
    Json out = Json::object();
    out["frames"] = std::move(frames);
    std::printf("%s\n", jsonText(out).c_str());
  } else {
    std::printf("%d pictures in %s\n", written, options.outDir.c_str());
  }
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
  command->add_flag("--json", options->json,
                    "print every frame's live traces with the value (sample over the trace's "
                    "peak, -1..+1) and colour as JSON (off)");
  command->add_option("--out-dir", options->outDir,
                      "folder for the pictures tslice_<sample>.png (made when missing)");
  command->callback([options, &status] { status = runTslice(*options); });
}

}  // namespace vorax::cli
