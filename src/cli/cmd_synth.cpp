// vorax synth [options] -o FILE: writes a synthetic VORAX-flavour shot record.
#include <cstdio>
#include <string>

#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/synth_options.h"
#include "cli/synth_sercel.h"
#include "decode/synth_writer.h"

namespace vorax::cli {

namespace {

constexpr const char* kUsage =
    "usage: vorax synth [--traces N] [--aux N] [--samples N] [--interval MS] [--seed N]\n"
    "                   [--file-number N] [--lines N] [--dead N] [--reversed N] [--tape N]\n"
    "                   [--itb] [--minimum-phase] -o FILE\n"
    "  --traces     seismic traces (96)          --aux       auxiliary traces, 0-14 (2)\n"
    "  --samples    samples per trace (1001)     --interval  0.25, 0.5, 1, 2 or 4 ms (2)\n"
    "  --seed       noise seed (1)               --file-number  1-999999 (1)\n"
    "  --lines      receiver lines, 1-9 (4)      --tape      tape number (17)\n"
    "  --dead, --reversed  seismic trace made dead / reversed (0 none; default a third and\n"
    "               two thirds along the spread)\n"
    "  --sercel     a Sercel 428-style record instead (its options: vorax synth --sercel)\n";

int usageError(const std::string& what) {
  std::fprintf(stderr, "vorax synth: %s\n%s", what.c_str(), kUsage);
  return 2;
}

bool readOptions(const ParsedArgs& parsed, decode::synth::SynthOptions& o, std::string& error) {
  const bool ok = readCommonSynthOptions(parsed, o, error) &&
                  readIntegerOption(parsed, "--dead", o.deadTrace, error) &&
                  readIntegerOption(parsed, "--reversed", o.reversedTrace, error);
  if (!ok) return false;
  o.internalTimeBreak = parsed.has("--itb");
  o.minimumPhase = parsed.has("--minimum-phase");
  error = decode::synth::checkSynthOptions(o);
  return error.empty();
}

}  // namespace

int runSynth(Args args) {
  if (wantsSercelSynth(args)) return runSercelSynth(args);
  const ParsedArgs parsed = parseArgs(
      args, {"--itb", "--minimum-phase"},
      {"-o", "--output", "--traces", "--aux", "--samples", "--interval", "--seed",
       "--file-number", "--lines", "--dead", "--reversed", "--tape"});
  if (!parsed.error.empty()) return usageError(parsed.error);
  const std::optional<std::string> output =
      parsed.value("-o") ? parsed.value("-o") : parsed.value("--output");
  if (!output || !parsed.positional.empty()) return usageError("one output file (-o FILE) expected");

  decode::synth::SynthOptions options;
  std::string error;
  if (!readOptions(parsed, options, error)) return usageError(error);
  error = decode::synth::writeSyntheticRecord(*output, options);
  if (!error.empty()) {
    std::fprintf(stderr, "vorax synth: %s\n", error.c_str());
    return 2;
  }
  std::printf("%s: %d seismic + %d auxiliary traces of %d samples at %g ms\n", output->c_str(),
              options.seismicTraces, options.auxTraces, options.samplesPerTrace,
              options.sampleIntervalMs);
  return 0;
}

}  // namespace vorax::cli
