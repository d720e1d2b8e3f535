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
#include "cli/vibrator_numbers.h"

namespace vorax::cli {

namespace {

struct AnalyseArgs {
  std::string file;
  VibratorTraces traces;
  bool json = false;
};

template <typename T>
T largestMagnitude(const std::vector<T>& values) {
  T largest = 0;
  for (T v : values) largest = std::max(largest, std::abs(v));
  return largest;
}

void printText(const VibratorNumbers& n) {
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
  if (const std::string problem = vibratorTracesProblem(r.record, args.traces); !problem.empty()) {
    std::fprintf(stderr, "vorax vibsim-analyse: %s\n", problem.c_str());
    return 2;
  }
  const VibratorNumbers n = analyseVibrator(r.record, args.traces);
  if (args.json)
    std::printf("%s\n", jsonText(vibratorNumbersJson(n)).c_str());
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
  command->add_option("--pilot", args->traces.pilot, "trace number of the pilot")->required();
  command
      ->add_option("--signal", args->traces.signal,
                   "trace number of the signal (e.g. ground force)")
      ->required();
  command->add_option("--signal2", args->traces.signal2,
                      "trace number of a second signal; 0 for none");
  command
      ->add_option("--truncate-ms", args->traces.truncateMs,
                   "analysis length, ms (capped at the record)")
      ->check(CLI::Range(1, 10000000));
  command->add_flag("--json", args->json, "every number as JSON instead of a summary");
  command->callback([args, &status] { status = runAnalyse(*args); });
}

}  // namespace vorax::cli
