#include "cli/synth_sercel.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "decode/synth/sercel_synth.h"

namespace vorax::cli {

namespace {

constexpr int kTiltErrorRun = 110;

int usageError(const std::string& what) {
  std::fprintf(stderr, "vorax synth: %s\n", what.c_str());
  return 2;
}

// The file number of each record: the list given, or --file-number counted up.
bool readFileNumbers(const SercelSynthArgs& args, int firstFileNumber, std::vector<int>& numbers,
                     std::string& error) {
  const int records = args.records.value_or(1);
  if (records < 1 || records > 999) {
    error = "--records must be from 1 to 999";
    return false;
  }
  if (args.fileNumbers.empty()) {
    for (int k = 0; k < records; ++k) numbers.push_back(firstFileNumber + k);
    return true;
  }
  const std::string& list = args.fileNumbers;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    int number = 0;
    if (!CLI::detail::lexical_cast(list.substr(start, comma - start), number)) {
      error = "--file-numbers needs whole numbers separated by commas, not '" + list + "'";
      return false;
    }
    numbers.push_back(number);
    start = comma + 1;
  }
  if (static_cast<int>(numbers.size()) != records && args.records) {
    error = "--file-numbers lists " + std::to_string(numbers.size()) + " numbers for " +
            std::to_string(records) + " records";
    return false;
  }
  return true;
}

}  // namespace

int runSercelSynth(const CommonSynthArgs& common, const SercelSynthArgs& args) {
  decode::synth::SercelSynthOptions options;
  applyCommonSynthArgs(common, options);
  if (args.tiltErrors) options.tiltErrorTraces = kTiltErrorRun;
  std::vector<int> fileNumbers;
  std::string error;
  if (!readFileNumbers(args, options.fileNumber, fileNumbers, error)) return usageError(error);
  error = decode::synth::writeSercelRecords(common.output, options, fileNumbers);
  if (!error.empty()) {
    std::fprintf(stderr, "vorax synth: %s\n", error.c_str());
    return 2;
  }
  std::printf(
      "%s: %zu Sercel-style record(s) of %d seismic + %d auxiliary traces of %d samples "
      "at %g ms\n",
      common.output.c_str(), fileNumbers.size(), options.seismicTraces, options.auxTraces,
      options.samplesPerTrace, options.sampleIntervalMs);
  return 0;
}

}  // namespace vorax::cli
