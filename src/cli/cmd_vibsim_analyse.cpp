// vorax vibsim-analyse FILE --pilot N --signal N [--signal2 N] [--truncate-ms T] [--json]:
// the similarity numbers of one vibrator's traces, as the similarity pages compute them
// (every other similarity parameter at its default).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "vibsim/correlogram.h"
#include "vibsim/phase_analysis.h"
#include "vibsim/spectrum_analysis.h"

namespace vorax::cli {

namespace {

struct AnalyseArgs {
  std::string file;
  std::int32_t pilot = 0;
  std::int32_t signal = 0;
  std::int32_t signal2 = 0;
  std::int32_t truncateMs = vibsim::SimParams{}.truncateTime;
  bool json = false;
};

// Every number the analyses compute for the pilot against the analysed signal.
struct Numbers {
  vibsim::PhaseErrorResult phase;
  vibsim::IpfdCurves curves;  // of the analysed signal over the analysis length
  vibsim::Correlogram xcorr;
  vibsim::SpectrumCurve spectrum;
};

Json pointsJson(const std::vector<float>& values, std::size_t count, double pointMs,
                const char* key) {
  Json out = Json::array();
  for (std::size_t k = 0; k < count && k < values.size(); ++k)
    out.push_back(
        Json{{"time_ms", static_cast<double>(k) * pointMs}, {key, singleJson(values[k])}});
  return out;
}

void printJson(const Numbers& n) {
  Json out = Json::object();
  out["start_time_error_us"] =
      n.phase.startTimeErrorUs ? singleJson(*n.phase.startTimeErrorUs) : Json(nullptr);
  out["phase_error"] = pointsJson(n.phase.error, n.phase.error.size(), n.phase.pointMs, "degrees");
  const auto points = static_cast<std::size_t>(n.curves.m) + 1;
  out["frequency"] = pointsJson(n.curves.frequency, points, n.curves.pointMs, "hz");
  out["distortion"] = pointsJson(n.curves.distortion, points, n.curves.pointMs, "percent");
  out["xcorr"] =
      Json{{"peak_lag_ms", n.xcorr.peakLagMs}, {"peak_value", singleJson(n.xcorr.peakValue)}};
  out["spectrum_peak_hz"] = n.spectrum.peakHz;
  std::printf("%s\n", jsonText(out).c_str());
}

template <typename T>
T largestMagnitude(const std::vector<T>& values) {
  T largest = 0;
  for (T v : values) largest = std::max(largest, std::abs(v));
  return largest;
}

void printText(const Numbers& n) {
  if (n.phase.startTimeErrorUs)
    std::printf("start time error    %.1f us\n", static_cast<double>(*n.phase.startTimeErrorUs));
  else
    std::printf("start time error    none (no point with a frequency)\n");
  std::printf("largest phase error %.2f degrees\n",
              static_cast<double>(largestMagnitude(n.phase.error)));
  std::printf("largest distortion  %.2f %%\n",
              static_cast<double>(largestMagnitude(n.curves.distortion)));
  std::printf("correlation peak    %.4f at %.2f ms\n", static_cast<double>(n.xcorr.peakValue),
              n.xcorr.peakLagMs);
  std::printf("spectrum peak       %.2f Hz\n", n.spectrum.peakHz);
}

int runAnalyse(const AnalyseArgs& args) {
  CliRecord r;
  openForCommand("vibsim-analyse", args.file, true, r);
  if (r.exitStatus != 0) return r.exitStatus;
  const std::int32_t traces = r.record.loadedTraceCount();
  struct Choice {
    const char* option;
    std::int32_t trace;
  };
  for (Choice c : {Choice{"--pilot", args.pilot}, Choice{"--signal", args.signal},
                   Choice{"--signal2", args.signal2}}) {
    const bool optional = std::string(c.option) == "--signal2" && c.trace == 0;
    if (optional || (c.trace >= 1 && c.trace <= traces)) continue;
    std::fprintf(stderr, "vorax vibsim-analyse: %s %d is not a trace of the record (it has %d)\n",
                 c.option, c.trace, traces);
    return 2;
  }
  if (!(r.record.summary.sampleIntervalUs > 0)) {
    std::fprintf(stderr, "vorax vibsim-analyse: the record has no sample interval\n");
    return 2;
  }

  vibsim::SimParams params;
  params.truncateTime = args.truncateMs;
  dsp::Fft fft;
  vibsim::SimInput input(r.record, params, fft);
  const std::int32_t analysed = args.signal2 != 0 ? args.signal2 : args.signal;
  Numbers n;
  n.phase = vibsim::computePhaseError(input, args.pilot, args.signal, args.signal2);
  n.curves = input.ipfd(analysed, input.tA());
  n.xcorr = vibsim::computeCorrelogram(input, args.pilot, analysed);
  n.spectrum = vibsim::computeSpectrum(input, analysed, 0);
  if (args.json)
    printJson(n);
  else
    printText(n);
  return 0;
}

}  // namespace

void addVibsimAnalyseCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<AnalyseArgs>();
  CLI::App* command = app.add_subcommand(
      "vibsim-analyse",
      "Vibrator similarity numbers of a record's traces: phase error and start-time error of a "
      "signal against the pilot, its frequency and distortion, the pilot x signal correlation "
      "peak and the signal's spectrum peak. With --signal2 the analysed signal is --signal2 and "
      "--signal gives the phase error's second curve.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_option("--pilot", args->pilot, "trace number of the pilot")->required();
  command->add_option("--signal", args->signal, "trace number of the signal (e.g. ground force)")
      ->required();
  command->add_option("--signal2", args->signal2, "trace number of a second signal; 0 for none");
  command
      ->add_option("--truncate-ms", args->truncateMs, "analysis length, ms (capped at the record)")
      ->check(CLI::Range(1, 10000000));
  command->add_flag("--json", args->json, "every number as JSON instead of a summary");
  command->callback([args, &status] { status = runAnalyse(*args); });
}

}  // namespace vorax::cli
