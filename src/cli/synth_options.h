// The options both synthetic-record writers share (VORAX and Sercel style), read the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/command_args.h"

namespace vorax::cli {

// Fills the shared fields of a writer's options from --traces, --aux, --samples, --seed,
// --file-number, --lines, --tape and --interval; false, with `error` set, on a bad value.
template <typename SynthOptions>
bool readCommonSynthOptions(const ParsedArgs& parsed, SynthOptions& o, std::string& error) {
  int seed = static_cast<int>(o.seed);
  const bool integersOk = readIntegerOption(parsed, "--traces", o.seismicTraces, error) &&
                          readIntegerOption(parsed, "--aux", o.auxTraces, error) &&
                          readIntegerOption(parsed, "--samples", o.samplesPerTrace, error) &&
                          readIntegerOption(parsed, "--seed", seed, error) &&
                          readIntegerOption(parsed, "--file-number", o.fileNumber, error) &&
                          readIntegerOption(parsed, "--lines", o.receiverLines, error) &&
                          readIntegerOption(parsed, "--tape", o.tapeNumber, error);
  if (!integersOk) return false;
  if (seed < 0) {
    error = "--seed must not be negative";
    return false;
  }
  o.seed = static_cast<std::uint32_t>(seed);
  if (const std::optional<std::string> text = parsed.value("--interval")) {
    const std::optional<double> interval = parseNumber(*text);
    if (!interval) {
      error = "--interval needs a number of ms, not '" + *text + "'";
      return false;
    }
    o.sampleIntervalMs = *interval;
  }
  return true;
}

}  // namespace vorax::cli
