// The options both synthetic-record writers (VORAX and Sercel style) share, read the same way.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "decode/conversions.h"

namespace vorax::cli {

// What was given on the command line; a writer keeps its own default for the rest.
struct CommonSynthArgs {
  std::string output;
  std::optional<int> traces, aux, samples, fileNumber, lines, tape;
  std::optional<std::uint32_t> seed;
  std::optional<double> intervalMs;
};

template <typename T>
std::string numberText(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    return decode::shortestText(value);
  } else {
    return std::to_string(value);
  }
}

// Adds -o and the shared options; `voraxDefaults` and `sercelDefaults` are the writers' own
// options, whose values the help shows.
template <typename VoraxOptions, typename SercelOptions>
void addCommonSynthOptions(CLI::App& command, CommonSynthArgs& args,
                           const VoraxOptions& voraxDefaults, const SercelOptions& sercelDefaults) {
  command.add_option("-o,--output", args.output, "the record file to write")->required();
  auto add = [&](const char* name, auto& target, const char* meaning, auto voraxValue,
                 auto sercelValue) {
    using T = typename std::remove_reference_t<decltype(target)>::value_type;
    command
        .add_option_function<T>(
            name, [&target](const T& value) { target = value; }, meaning)
        ->default_str(numberText(voraxValue) + ", with --sercel " + numberText(sercelValue));
  };
  const VoraxOptions& v = voraxDefaults;
  const SercelOptions& s = sercelDefaults;
  add("--traces", args.traces, "seismic traces", v.seismicTraces, s.seismicTraces);
  add("--aux", args.aux, "auxiliary traces (VORAX 0-14, Sercel 0-99)", v.auxTraces, s.auxTraces);
  add("--samples", args.samples, "samples per trace", v.samplesPerTrace, s.samplesPerTrace);
  add("--interval", args.intervalMs, "sample interval: 0.25, 0.5, 1, 2 or 4 ms", v.sampleIntervalMs,
      s.sampleIntervalMs);
  add("--seed", args.seed, "noise seed", v.seed, s.seed);
  add("--file-number", args.fileNumber, "file number (VORAX 1-999999, Sercel 1-9999)", v.fileNumber,
      s.fileNumber);
  add("--lines", args.lines, "receiver lines (VORAX 1-9)", v.receiverLines, s.receiverLines);
  add("--tape", args.tape, "tape number", v.tapeNumber, s.tapeNumber);
}

// Puts the shared options given into a writer's options.
template <typename SynthOptions>
void applyCommonSynthArgs(const CommonSynthArgs& args, SynthOptions& o) {
  o.seismicTraces = args.traces.value_or(o.seismicTraces);
  o.auxTraces = args.aux.value_or(o.auxTraces);
  o.samplesPerTrace = args.samples.value_or(o.samplesPerTrace);
  o.sampleIntervalMs = args.intervalMs.value_or(o.sampleIntervalMs);
  o.seed = args.seed.value_or(o.seed);
  o.fileNumber = args.fileNumber.value_or(o.fileNumber);
  o.receiverLines = args.lines.value_or(o.receiverLines);
  o.tapeNumber = args.tape.value_or(o.tapeNumber);
}

}  // namespace vorax::cli
