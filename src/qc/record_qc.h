// The QC verdicts of one record: which of its seismic traces are dead, reversed, noisy or
// spiky, how many receiver test values it flags, and the shot's headers. One function judges a
// record in memory, whatever reader loaded it; the Survey QC window, `vorax qc` and any other
// caller share it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decode/segd_record.h"

namespace vorax::qc {

// The limits the verdicts use. Amplitudes are recorded values (stored sample x the trace's
// divisor); RMS values are over a trace's finite samples.
inline constexpr double kDeadRmsFraction = 1e-6;  // of the record's median trace RMS
inline constexpr double kNoisyRmsFactor = 3;      // times the record's median trace RMS
inline constexpr int kPolarityNeighbours = 4;     // nearest live, not-noisy traces
inline constexpr int kCorrelationLags = 10;       // samples either way
inline constexpr double kReversedBelow = -0.5;    // the trace against its neighbours' median
inline constexpr double kCoherentAbove = 0.7;     // the median against each neighbour
inline constexpr double kSpikeFactor = 8;         // times the RMS of the trace's other samples

// Receiver test values flagged in error on the seismic traces, per kind.
struct TestValueErrors {
  std::int32_t resistance = 0;
  std::int32_t capacitance = 0;
  std::int32_t tilt = 0;
  std::int32_t leakage = 0;
  std::int32_t total() const { return resistance + capacitance + tilt + leakage; }
  bool operator==(const TestValueErrors&) const = default;
};

// A trace with any verdict or test-value error, where it was laid out.
struct FlaggedReceiver {
  std::int32_t trace = 0;
  float line = 0;
  float point = 0;
  bool operator==(const FlaggedReceiver&) const = default;
};

struct RecordQc {
  std::string file;
  // Why the record could not be read whole; empty when it was. A record read in part (fewer
  // traces than its headers announce) keeps the verdicts of the traces it holds.
  std::string error;

  // The shot's headers as the record summary holds them.
  std::optional<std::int64_t> fileNumber;  // the leading decimal digits; none without any
  std::string date;                        // "YYYY-MM-DD", as the header summary writes it
  std::string time;                        // "HH:MM:SS"
  float sourceLine = 0;
  float sourcePoint = 0;

  std::int32_t traceCount = 0;  // every trace the record holds, auxiliary ones included
  // 1-based trace numbers of the record, ascending.
  std::vector<std::int32_t> deadTraces;
  std::vector<std::int32_t> reversedTraces;
  std::vector<std::int32_t> noisyTraces;
  std::vector<std::int32_t> spikeTraces;
  // Only records that hold receiver test values (Sercel) have them.
  std::optional<TestValueErrors> testValueErrors;
  double rmsMedian = 0;  // median RMS of the seismic traces, recorded units

  std::vector<FlaggedReceiver> flaggedReceivers;  // ascending by trace

  bool readable() const { return error.empty() || traceCount > 0; }
  // Read whole, no trace with a verdict and no test value in error.
  bool passed() const;
  bool operator==(const RecordQc&) const = default;
};

// Judges the seismic traces of `record` (every trace not marked "Aux"; in a Sercel record an
// unmarked trace among the leading auxiliary count is auxiliary). `file` is record.fileName.
// A record holding fewer traces than its headers announce gets `error` saying how many, and
// does not pass. recordJson(checkRecord(record)) (qc_json.h) is the record's records.jsonl
// object; `vorax qc` only adds the reader's own messages to such an `error`.
RecordQc checkRecord(const decode::SegdRecord& record);

// A record that could not be read: its file and the reason.
RecordQc unreadableRecord(std::string file, std::string error);

}  // namespace vorax::qc
