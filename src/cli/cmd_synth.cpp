// vorax synth [options] -o FILE: writes a synthetic shot record, VORAX style or (--sercel)
// Sercel 428 style.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/synth_options.h"
#include "cli/synth_sercel.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::cli {

namespace {

struct SynthArgs {
  CommonSynthArgs common;
  bool sercel = false;
  SercelSynthArgs sercelOnly;
  int deadTrace = -1;
  int reversedTrace = -1;
  bool internalTimeBreak = false;
  bool minimumPhase = false;
  bool vibrators = false;
};

int runVibratorSynth(const CommonSynthArgs& args) {
  vibsim::VibratorRecordOptions options;
  options.sampleIntervalMs = args.intervalMs.value_or(options.sampleIntervalMs);
  const std::string error = vibsim::writeVibratorRecord(args.output, options);
  if (!error.empty()) {
    std::fprintf(stderr, "vorax synth: %s\n", error.c_str());
    return 2;
  }
  std::printf("%s: pilot on trace 1, vibrators 1-3 on traces 2-13 (Ref, BP, Mass, Force each)\n",
              args.output.c_str());
  return 0;
}

int runVoraxSynth(const SynthArgs& args) {
  decode::synth::SynthOptions options;
  applyCommonSynthArgs(args.common, options);
  options.deadTrace = args.deadTrace;
  options.reversedTrace = args.reversedTrace;
  options.internalTimeBreak = args.internalTimeBreak;
  options.minimumPhase = args.minimumPhase;
  std::string error = decode::synth::checkSynthOptions(options);
  if (error.empty()) error = decode::synth::writeSyntheticRecord(args.common.output, options);
  if (!error.empty()) {
    std::fprintf(stderr, "vorax synth: %s\n", error.c_str());
    return 2;
  }
  std::printf("%s: %d seismic + %d auxiliary traces of %d samples at %g ms\n",
              args.common.output.c_str(), options.seismicTraces, options.auxTraces,
              options.samplesPerTrace, options.sampleIntervalMs);
  return 0;
}

}  // namespace

void addSynthCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SynthArgs>();
  CLI::App* command = app.add_subcommand("synth", "Writes a synthetic shot record.");
  addCommonSynthOptions(*command, args->common, decode::synth::SynthOptions{},
                        decode::synth::SercelSynthOptions{});
  CLI::Option* sercel =
      command->add_flag("--sercel", args->sercel, "a Sercel 428-style record instead");

  command
      ->add_option("--dead", args->deadTrace,
                   "seismic trace made dead (0 none; -1 a third along the spread)")
      ->excludes(sercel);
  command
      ->add_option("--reversed", args->reversedTrace,
                   "seismic trace made reversed (0 none; -1 two thirds along the spread)")
      ->excludes(sercel);
  command->add_flag("--itb", args->internalTimeBreak, "internal time break (ITB) instead of FTB")
      ->excludes(sercel);
  command
      ->add_flag("--minimum-phase", args->minimumPhase,
                 "recorder filter Minimum Phase instead of Linear Phase")
      ->excludes(sercel);

  SercelSynthArgs& s = args->sercelOnly;
  command->add_flag("--tilt-errors", s.tiltErrors, "seismic traces 1-110 get a tilt error")
      ->needs(sercel);
  command
      ->add_option_function<int>(
          "--records", [&s](const int& n) { s.records = n; },
          "records written one after another, 1-999")
      ->default_str("1")
      ->needs(sercel);
  command
      ->add_option("--file-numbers", s.fileNumbers,
                   "the records' file numbers, A,B,... (default: --file-number counted up)")
      ->needs(sercel);

  command
      ->add_flag("--vibrators", args->vibrators,
                 "a vibrator similarity test record instead: 12 s 8-80 Hz sweeps, the pilot on "
                 "trace 1 and three vibrators (clean, 300 us late, 30 % second harmonic on the "
                 "ground force); only --interval applies")
      ->excludes(sercel);
  command->callback([args, &status] {
    if (args->vibrators) {
      status = runVibratorSynth(args->common);
      return;
    }
    status = args->sercel ? runSercelSynth(args->common, args->sercelOnly) : runVoraxSynth(*args);
  });
}

}  // namespace vorax::cli
