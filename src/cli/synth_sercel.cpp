#include "cli/synth_sercel.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_args.h"
#include "cli/synth_options.h"
#include "decode/sercel_synth.h"

namespace vorax::cli {

namespace {

constexpr const char* kUsage =
    "usage: vorax synth --sercel [--traces N] [--aux N] [--samples N] [--interval MS]\n"
    "                   [--seed N] [--file-number N] [--lines N] [--tape N] [--tilt-errors]\n"
    "                   [--records N [--file-numbers A,B,...]] -o FILE\n"
    "  --traces     seismic traces (120)         --aux       auxiliary traces, 0-99 (2)\n"
    "  --samples    samples per trace (1001)     --interval  0.25, 0.5, 1, 2 or 4 ms (2)\n"
    "  --seed       noise seed (1)               --file-number  1-9999 (1)\n"
    "  --lines      receiver lines (3)           --tape      tape number (7)\n"
    "  --tilt-errors  seismic traces 1-110 get a tilt error\n"
    "  --records    records written one after another (1); their file numbers are\n"
    "               --file-numbers, or --file-number counted up\n";

constexpr int kTiltErrorRun = 110;

int usageError(const std::string& what) {
  std::fprintf(stderr, "vorax synth: %s\n%s", what.c_str(), kUsage);
  return 2;
}

bool readOptions(const ParsedArgs& parsed, decode::synth::SercelSynthOptions& o,
                 std::string& error) {
  if (!readCommonSynthOptions(parsed, o, error)) return false;
  if (parsed.has("--tilt-errors")) o.tiltErrorTraces = kTiltErrorRun;
  return true;
}

// The file number of each record: the list given, or --file-number counted up.
bool readFileNumbers(const ParsedArgs& parsed, int firstFileNumber, std::vector<int>& numbers,
                     std::string& error) {
  int records = 1;
  if (!readIntegerOption(parsed, "--records", records, error)) return false;
  if (records < 1 || records > 999) {
    error = "--records must be from 1 to 999";
    return false;
  }
  const std::optional<std::string> list = parsed.value("--file-numbers");
  if (!list) {
    for (int k = 0; k < records; ++k) numbers.push_back(firstFileNumber + k);
    return true;
  }
  std::size_t start = 0;
  while (start <= list->size()) {
    const std::size_t comma = std::min(list->find(',', start), list->size());
    const std::optional<std::int64_t> number = parseInteger(list->substr(start, comma - start));
    if (!number || *number < INT32_MIN || *number > INT32_MAX) {
      error = "--file-numbers needs whole numbers separated by commas, not '" + *list + "'";
      return false;
    }
    numbers.push_back(static_cast<int>(*number));
    start = comma + 1;
  }
  if (static_cast<int>(numbers.size()) != records && parsed.value("--records")) {
    error = "--file-numbers lists " + std::to_string(numbers.size()) + " numbers for " +
            std::to_string(records) + " records";
    return false;
  }
  return true;
}

}  // namespace

bool wantsSercelSynth(Args args) {
  return std::find(args.begin(), args.end(), "--sercel") != args.end();
}

int runSercelSynth(Args args) {
  const ParsedArgs parsed = parseArgs(
      args, {"--sercel", "--tilt-errors"},
      {"-o", "--output", "--traces", "--aux", "--samples", "--interval", "--seed",
       "--file-number", "--lines", "--tape", "--records", "--file-numbers"});
  if (!parsed.error.empty()) return usageError(parsed.error);
  const std::optional<std::string> output =
      parsed.value("-o") ? parsed.value("-o") : parsed.value("--output");
  if (!output || !parsed.positional.empty()) return usageError("one output file (-o FILE) expected");

  decode::synth::SercelSynthOptions options;
  std::vector<int> fileNumbers;
  std::string error;
  if (!readOptions(parsed, options, error) ||
      !readFileNumbers(parsed, options.fileNumber, fileNumbers, error))
    return usageError(error);
  error = decode::synth::writeSercelRecords(*output, options, fileNumbers);
  if (!error.empty()) {
    std::fprintf(stderr, "vorax synth: %s\n", error.c_str());
    return 2;
  }
  std::printf("%s: %zu Sercel-style record(s) of %d seismic + %d auxiliary traces of %d samples "
              "at %g ms\n",
              output->c_str(), fileNumbers.size(), options.seismicTraces, options.auxTraces,
              options.samplesPerTrace, options.sampleIntervalMs);
  return 0;
}

}  // namespace vorax::cli
