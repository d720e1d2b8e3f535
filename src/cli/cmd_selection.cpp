// vorax selection FILE --traces A-B --samples S0-S1 (--json | -o OUT.png [--size WxH]
// [--db-scale] [--title] [--values]): the
// statistics and stacked spectrum of a rectangle of the record, as the Trace Selection dialog
// shows them. A reversed range is the same rectangle.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/trace_selection.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/picture_file.h"
#include "dsp/fft.h"

namespace vorax::cli {

namespace {

struct Range {
  std::int32_t first = 0;
  std::int32_t last = 0;
};

// "A-B" or "A", whole numbers from 0.
std::optional<Range> parseRange(const std::string& text) {
  const std::size_t dash = text.find('-', 1);
  Range range;
  if (dash == std::string::npos) {
    if (!CLI::detail::lexical_cast(text, range.first)) return std::nullopt;
    range.last = range.first;
  } else if (!CLI::detail::lexical_cast(text.substr(0, dash), range.first) ||
             !CLI::detail::lexical_cast(text.substr(dash + 1), range.last)) {
    return std::nullopt;
  }
  if (range.first < 0 || range.last < 0) return std::nullopt;
  return range;
}

CLI::Validator rangeCheck() {
  return CLI::Validator(
      [](std::string& text) { return parseRange(text) ? "" : "needs FIRST-LAST, whole numbers"; },
      "FIRST-LAST");
}

struct SelectionArgs {
  std::string file;
  std::string traces;
  std::string samples;
  bool json = false;
  std::string output;
  std::string size = "1600x1000";
  bool dbScale = false;
  bool title = false;
  bool values = false;
};

int fail(const std::string& why) {
  std::fprintf(stderr, "vorax selection: %s\n", why.c_str());
  return 2;
}

// Why the rectangle does not lie in the record, or empty.
std::string outsideRecord(const app::SelectionRectangle& r, const decode::SegdRecord& record) {
  if (r.firstTrace < 1 || r.lastTrace > record.loadedTraceCount())
    return "traces " + std::to_string(r.firstTrace) + "-" + std::to_string(r.lastTrace) +
           " are not in the record (it holds traces 1 to " +
           std::to_string(record.loadedTraceCount()) + ")";
  if (r.endSample >= record.samples.samplesPerTrace())
    return "samples " + std::to_string(r.startSample) + "-" + std::to_string(r.endSample) +
           " are not in the record (it holds samples 0 to " +
           std::to_string(record.samples.samplesPerTrace() - 1) + ")";
  return {};
}

Json selectionJson(const app::SelectionStatistics& s) {
  const std::vector<float> level = app::normalisedSpectrum(s.spectrum);
  Json frequencies = Json::array();
  for (std::size_t i = 0; i < level.size(); ++i)
    frequencies.push_back(static_cast<double>(i) * s.binHz);
  Json out;
  out["first_trace"] = s.range.firstTrace;
  out["last_trace"] = s.range.lastTrace;
  out["start_ms"] = s.startMs;
  out["end_ms"] = s.endMs;
  out["rms_uv"] = s.rms * 1000;
  out["peak_uv"] = s.peak * 1000;
  Json levels = Json::array();
  for (float v : level) levels.push_back(singleJson(v));
  out["spectrum"] = {{"frequency_hz", std::move(frequencies)}, {"level", std::move(levels)}};
  return out;
}

int runSelection(const SelectionArgs& args) {
  if (!args.json && args.output.empty()) return fail("give --json, -o OUT.png, or both");
  CliRecord opened;
  openForCommand("selection", args.file, true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;
  const Range traces = *parseRange(args.traces);
  const Range samples = *parseRange(args.samples);
  const app::SelectionRectangle rectangle =
      app::orderedSelection({traces.first, traces.last, samples.first, samples.last});
  if (const std::string why = outsideRecord(rectangle, opened.record); !why.empty())
    return fail(why);

  dsp::Fft fft;
  const app::SelectionStatistics statistics = app::analyseSelection(opened.record, rectangle, fft);
  if (statistics.empty) return fail("the selection holds no samples");
  if (!args.output.empty()) {
    app::SelectionPlotOptions options;
    options.dbScale = args.dbScale;
    options.title = args.title;
    options.values = args.values;
    const int status = writePictureFile(
        "selection", args.output, *parsePictureSize(args.size),
        [&](app::Canvas& canvas) { app::drawSelectionSpectrum(canvas, statistics, options); });
    if (status != 0) return status;
  }
  if (args.json) std::printf("%s\n", jsonText(selectionJson(statistics)).c_str());
  return 0;
}

}  // namespace

void addSelectionCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SelectionArgs>();
  CLI::App* command = app.add_subcommand(
      "selection",
      "RMS, peak and stacked amplitude spectrum of a rectangle of traces by samples, as the Trace "
      "Selection dialog shows them (--json), or its spectrum plot (-o).");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_option("--traces", args->traces, "traces FIRST-LAST (from 1; either order)")
      ->required()
      ->check(rangeCheck());
  command->add_option("--samples", args->samples, "samples FIRST-LAST (from 0; either order)")
      ->required()
      ->check(rangeCheck());
  command->add_flag("--json", args->json, "print the statistics and the spectrum as JSON");
  command
      ->add_option("-o,--output", args->output, "draw the spectrum plot into NAME.bmp or NAME.png")
      ->check(pictureNameCheck());
  command
      ->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck())
      ->capture_default_str();
  command->add_flag("--db-scale", args->dbScale,
                    "-o: level labels in dB (the dialog's \"dB Scale\")");
  command->add_flag("--title", args->title,
                    "-o: the title \"Trace Selection\" (the dialog's \"Title\")");
  command->add_flag("--values", args->values, "-o: the six value lines (the dialog's \"Values\")");
  command->callback([args, &status] { status = runSelection(*args); });
}

}  // namespace vorax::cli
