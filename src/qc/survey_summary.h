// What a survey's records add up to: the counts of summary.json, and which receivers were
// flagged in the most records.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "qc/record_qc.h"

namespace vorax::qc {

struct SurveySummary {
  std::int64_t records = 0;
  std::int64_t recordsFlagged = 0;  // not passed, unreadable ones included
  std::int64_t traces = 0;
  std::int64_t deadTraces = 0;
  std::int64_t reversedTraces = 0;
  std::int64_t noisyTraces = 0;
  std::int64_t spikeTraces = 0;
};

SurveySummary summarise(std::span<const RecordQc> records);

// A receiver and the number of records in which one of its traces was flagged. A receiver
// is named by its line and point ("1001/2005"), or by its trace number ("trace 7") where the
// record lays out no positions (line and point both 0).
struct ReceiverFlags {
  std::string receiver;
  std::int64_t records = 0;
};

// The `limit` receivers flagged in most records, most first (ties by name).
std::vector<ReceiverFlags> receiversFlaggedMostOften(std::span<const RecordQc> records,
                                                     std::size_t limit);

std::string receiverName(const FlaggedReceiver& receiver);

}  // namespace vorax::qc
