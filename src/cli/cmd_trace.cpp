// vorax trace FILE --trace N [--start-ms A] [--end-ms B] (--json | -o OUT.png [--view
// trace|fvst|ft] [--size WxH]): one trace as the single trace view shows it — its RMS and
// its frequency against time as JSON, or the view's picture.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/single_trace_view.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/picture_file.h"
#include "cli/record_json.h"
#include "decode/conversions.h"
#include "dsp/fft.h"

namespace vorax::cli {

namespace {

struct TraceArgs {
  std::string file;
  std::int32_t trace = 0;
  std::optional<float> startMs;
  std::optional<float> endMs;
  bool json = false;
  std::string output;
  std::string view = "trace";
  std::string size = "1600x1000";
};

int fail(const std::string& why) {
  std::fprintf(stderr, "vorax trace: %s\n", why.c_str());
  return 2;
}

// The view's window from the options, in the record's times (a record with a delay starts
// before 0 ms); empty when they leave no time to show.
std::string applyWindow(const TraceArgs& args, const decode::SegdRecord& record,
                        app::SingleTraceState& view) {
  if (args.startMs) view.viewStartMs = *args.startMs;
  if (args.endMs) view.viewEndMs = *args.endMs;
  if (!(record.recordLengthMs > 0)) return "the record has no samples to show";
  const app::RecordTimes times = app::recordTimesOf(record);
  if (!(view.viewEndMs > view.viewStartMs) || !(view.viewStartMs < times.endMs) ||
      !(view.viewEndMs > times.firstMs))
    return "the window " + decode::shortestText(view.viewStartMs) + " to " +
           decode::shortestText(view.viewEndMs) + " ms is empty (the record runs " +
           decode::shortestText(times.firstMs) + " to " + decode::shortestText(times.endMs) +
           " ms)";
  app::limitViewWindow(view, times);
  return {};
}

Json traceJson(const decode::SegdRecord& record, app::SingleTraceState& view, dsp::Fft& fft) {
  const double rms = app::traceRms(record, view.viewTrace);
  Json points = Json::array();
  for (const app::FrequencyPoint& p : app::traceFrequencyVsTime(record, view, fft))
    points.push_back({{"time_ms", p.timeMs},
                      {"frequency_hz", p.frequencyHz},
                      {"distortion_percent", p.distortionPercent}});
  Json out;
  out["trace"] = view.viewTrace;
  out["rms_mv"] = rms;
  out["rms_text"] = app::traceRmsText(rms, view.rmsUnitFactor);
  out["f_vs_t"] = std::move(points);
  return out;
}

app::SingleTraceMode modeOf(const std::string& view) {
  if (view == "fvst") return app::SingleTraceMode::FrequencyVsTime;
  if (view == "ft") return app::SingleTraceMode::TimeFrequency;
  return app::SingleTraceMode::Trace;
}

int runTrace(const TraceArgs& args) {
  if (!args.json && args.output.empty()) return fail("give --json, -o OUT.png, or both");
  CliRecord opened;
  openForCommand("trace", args.file, true, opened);
  if (opened.exitStatus != 0) return opened.exitStatus;
  const decode::SegdRecord& record = opened.record;
  if (args.trace < 1 || args.trace > record.loadedTraceCount())
    return fail("trace " + std::to_string(args.trace) +
                " is not in the record (it holds traces 1 to " +
                std::to_string(record.loadedTraceCount()) + ")");
  app::SingleTraceState view = app::openSingleTrace(record, args.trace);
  if (const std::string empty = applyWindow(args, record, view); !empty.empty()) return fail(empty);

  dsp::Fft fft;
  if (!args.output.empty()) {
    view.viewMode = modeOf(args.view);
    const int status = writePictureFile(
        "trace", args.output, *parsePictureSize(args.size),
        [&](app::Canvas& canvas) { app::drawSingleTraceView(canvas, record, view, fft); });
    if (status != 0) return status;
  }
  if (args.json) {
    Json out = traceJson(record, view, fft);
    out["messages"] = textListJson(opened.messages.messages);
    std::printf("%s\n", jsonText(out).c_str());
  }
  return 0;
}

}  // namespace

void addTraceCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<TraceArgs>();
  CLI::App* command = app.add_subcommand(
      "trace",
      "One trace as the single trace view shows it: its RMS and dominant frequency against time "
      "(--json), or the view's picture (-o).");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_option("--trace", args->trace, "trace number, from 1")->required();
  command->add_option("--start-ms", args->startMs, "start of the time window, ms")
      ->default_str("0");
  command
      ->add_option("--end-ms", args->endMs,
                   "end of the time window, ms (also the end of the F vs T analysis)")
      ->default_str("the record length");
  command->add_flag("--json", args->json, "print the RMS and the F vs T points as JSON");
  command->add_option("-o,--output", args->output, "draw the view into NAME.bmp or NAME.png")
      ->check(pictureNameCheck());
  command->add_option("--view", args->view, "what -o draws: the trace, F vs T or the FT An. image")
      ->check(CLI::IsMember({"trace", "fvst", "ft"}))
      ->capture_default_str();
  command
      ->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck())
      ->capture_default_str();
  command->callback([args, &status] { status = runTrace(*args); });
}

}  // namespace vorax::cli
