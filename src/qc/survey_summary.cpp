#include "qc/survey_summary.h"

#include <algorithm>
#include <map>
#include <set>

#include "decode/conversions.h"

namespace vorax::qc {

SurveySummary summarise(std::span<const RecordQc> records) {
  SurveySummary s;
  for (const RecordQc& r : records) {
    ++s.records;
    s.recordsFlagged += !r.passed();
    s.traces += r.traceCount;
    s.deadTraces += static_cast<std::int64_t>(r.deadTraces.size());
    s.reversedTraces += static_cast<std::int64_t>(r.reversedTraces.size());
    s.noisyTraces += static_cast<std::int64_t>(r.noisyTraces.size());
    s.spikeTraces += static_cast<std::int64_t>(r.spikeTraces.size());
  }
  return s;
}

std::string receiverName(const FlaggedReceiver& r) {
  if (r.line == 0 && r.point == 0) return "trace " + std::to_string(r.trace);
  return decode::shortestText(r.line) + "/" + decode::shortestText(r.point);
}

std::vector<ReceiverFlags> receiversFlaggedMostOften(std::span<const RecordQc> records,
                                                     std::size_t limit) {
  std::map<std::string, std::int64_t> counts;
  for (const RecordQc& r : records) {
    std::set<std::string> named;  // a receiver counts once a record
    for (const FlaggedReceiver& f : r.flaggedReceivers) named.insert(receiverName(f));
    for (const std::string& name : named) ++counts[name];
  }
  std::vector<ReceiverFlags> out;
  for (const auto& [name, count] : counts) out.push_back({name, count});
  std::stable_sort(out.begin(), out.end(), [](const ReceiverFlags& a, const ReceiverFlags& b) {
    return a.records > b.records;
  });
  if (out.size() > limit) out.resize(limit);
  return out;
}

}  // namespace vorax::qc
