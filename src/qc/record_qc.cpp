#include "qc/record_qc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "qc/trace_statistics.h"

namespace vorax::qc {

namespace {

struct TraceState {
  std::int32_t trace = 0;
  TraceEnergy energy;
  double rms = 0;      // recorded units
  bool spiky = false;  // holds a spike or a sample that is not a number; dead traces aside
  bool dead = false;
  bool noisy = false;
};

std::span<const float> samplesOf(const decode::SegdRecord& record, std::int32_t t) {
  // The trace's last value (index samplesPerTrace) is the always-zero guard, not a sample.
  return record.samples.trace(t).first(static_cast<std::size_t>(record.samples.samplesPerTrace()));
}

// Every trace not marked auxiliary. A Sercel trace whose type code is unknown ("Undefined")
// is placed by its position: Sercel recorders write the auxiliary traces first.
bool isSeismic(const decode::SegdRecord& record, std::int32_t t) {
  const auto i = static_cast<std::size_t>(t);
  if (i >= record.traceInfo.size()) return false;
  const std::string_view kind = record.traceInfo[i].channelKind.trimmed();
  if (kind == "Seis") return true;
  if (kind == "Aux") return false;
  return record.flavour != decode::RecordFlavour::Sercel408 || t > record.summary.auxTraceCount;
}

std::optional<std::int64_t> leadingNumber(std::string_view text) {
  std::int64_t value = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && digits < 18 && text[digits] >= '0' && text[digits] <= '9';
       ++digits)
    value = value * 10 + (text[digits] - '0');
  if (digits == 0) return std::nullopt;
  return value;
}

void takeShotHeaders(const decode::SegdRecord& record, RecordQc& out) {
  const decode::RecordSummary& s = record.summary;
  out.fileNumber = leadingNumber(s.fileNumber.trimmed());
  out.date = std::string(s.recordDate.trimmed());
  out.time = std::string(s.recordTime.trimmed());
  out.sourceLine = s.sourceLine;
  out.sourcePoint = s.sourcePoint;
}

// The four (kPolarityNeighbours) pool members nearest to pool[p] in trace number, pool[p]
// itself left out; ties go to the lower trace.
std::array<std::size_t, kPolarityNeighbours> nearestInPool(const std::vector<TraceState*>& pool,
                                                           std::size_t p) {
  std::array<std::size_t, kPolarityNeighbours> picked{};
  std::ptrdiff_t left = static_cast<std::ptrdiff_t>(p) - 1;
  std::size_t right = p + 1;
  const std::int32_t t = pool[p]->trace;
  for (std::size_t n = 0; n < picked.size(); ++n) {
    const bool leftIn = left >= 0;
    const bool rightIn = right < pool.size();
    const bool takeLeft = leftIn && (!rightIn || t - pool[static_cast<std::size_t>(left)]->trace <=
                                                     pool[right]->trace - t);
    picked[n] = takeLeft ? static_cast<std::size_t>(left--) : right++;
  }
  return picked;
}

// Of the neighbours the median after pool[p]'s takes, the farthest to the right: the one
// trace it reads that the medians before it did not (empty after the last).
std::span<const float> traceNextMedianReadsFirst(const decode::SegdRecord& record,
                                                 const std::vector<TraceState*>& pool,
                                                 std::size_t p) {
  if (p + 1 >= pool.size()) return {};
  const std::array<std::size_t, kPolarityNeighbours> near = nearestInPool(pool, p + 1);
  return samplesOf(record, pool[*std::max_element(near.begin(), near.end())]->trace);
}

// Reversed traces among the pool (live, not noisy, finite traces in trace order).
std::vector<std::int32_t> reversedTraces(const decode::SegdRecord& record,
                                         const std::vector<TraceState*>& pool) {
  std::vector<std::int32_t> reversed;
  if (pool.size() < kPolarityNeighbours + 1) return reversed;
  CorrelationTarget median(static_cast<std::size_t>(record.samples.samplesPerTrace()),
                           kCorrelationLags);
  for (std::size_t p = 0; p < pool.size(); ++p) {
    const std::array<std::size_t, kPolarityNeighbours> near = nearestInPool(pool, p);
    std::array<std::span<const float>, kPolarityNeighbours> neighbours;
    std::array<float, kPolarityNeighbours> divisors{};
    for (std::size_t n = 0; n < near.size(); ++n) {
      neighbours[n] = samplesOf(record, pool[near[n]]->trace);
      divisors[n] = record.divisorOf(pool[near[n]]->trace);
    }
    // The median of recorded amplitudes; correlations need no scale of their own.
    medianOfFour(neighbours, divisors, median.samples());
    const std::span<const float> trace = samplesOf(record, pool[p]->trace);
    if (!(median.bestWith(trace, traceNextMedianReadsFirst(record, pool, p)) < kReversedBelow))
      continue;
    // Only a median that looks like each of its neighbours says what the polarity should be:
    // where slow waves (ground roll) move out by more than the lags between traces, neighbours
    // disagree and a trace of normal polarity can anticorrelate with their median.
    bool coherent = true;
    for (const std::span<const float> neighbour : neighbours)
      coherent = coherent &&
                 bestCorrelation(median.samples(), neighbour, kCorrelationLags) > kCoherentAbove;
    if (coherent) reversed.push_back(pool[p]->trace);
  }
  return reversed;
}

std::optional<TestValueErrors> testValueErrorsOf(const decode::SegdRecord& record,
                                                 std::vector<bool>& flagged) {
  if (record.flavour != decode::RecordFlavour::Sercel408) return std::nullopt;
  TestValueErrors errors;
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    if (!isSeismic(record, t)) continue;
    const decode::TraceHeaderInfo& i = record.traceInfo[static_cast<std::size_t>(t)];
    errors.resistance += i.resistanceError != 0;
    errors.capacitance += i.capacitanceError != 0;
    errors.tilt += i.tiltError != 0;
    errors.leakage += i.leakageError != 0;
    if (i.resistanceError != 0 || i.capacitanceError != 0 || i.tiltError != 0 ||
        i.leakageError != 0)
      flagged[static_cast<std::size_t>(t)] = true;
  }
  return errors;
}

}  // namespace

bool RecordQc::passed() const {
  return error.empty() && deadTraces.empty() && reversedTraces.empty() && noisyTraces.empty() &&
         spikeTraces.empty() && (!testValueErrors || testValueErrors->total() == 0);
}

RecordQc unreadableRecord(std::string file, std::string error) {
  RecordQc out;
  out.file = std::move(file);
  out.error = error.empty() ? "the record could not be read" : std::move(error);
  return out;
}

RecordQc checkRecord(const decode::SegdRecord& record) {
  RecordQc out;
  out.file = record.fileName;
  takeShotHeaders(record, out);
  out.traceCount = record.loadedTraceCount();

  std::vector<TraceState> traces;
  std::vector<float> blockPeaks(
      spikeBlocksOf(static_cast<std::size_t>(record.samples.samplesPerTrace())));
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    if (!isSeismic(record, t)) continue;
    TraceState s;
    s.trace = t;
    // The spike test needs only the trace's own numbers and the block peaks its energy pass
    // found: it runs while the trace is still in the processor's cache.
    const std::span<const float> samples = samplesOf(record, t);
    s.energy = traceEnergy(samples, blockPeaks);
    s.spiky = s.energy.nonFinite || hasSpike(samples, s.energy, kSpikeFactor, blockPeaks);
    s.rms = s.energy.rms() * std::abs(static_cast<double>(record.divisorOf(t)));
    traces.push_back(s);
  }
  std::vector<double> rmsValues;
  for (const TraceState& s : traces) rmsValues.push_back(s.rms);
  out.rmsMedian = median(std::move(rmsValues));

  std::vector<TraceState*> pool;
  std::vector<bool> flagged(static_cast<std::size_t>(out.traceCount) + 1, false);
  for (TraceState& s : traces) {
    s.dead = s.energy.allZero || s.rms < kDeadRmsFraction * out.rmsMedian;
    s.noisy = !s.dead && s.rms > kNoisyRmsFactor * out.rmsMedian;
    if (s.dead) out.deadTraces.push_back(s.trace);
    if (s.noisy) out.noisyTraces.push_back(s.trace);
    // A sample that is not a number is a spike of its own kind.
    if (!s.dead && s.spiky) out.spikeTraces.push_back(s.trace);
    if (!s.dead && !s.noisy && !s.energy.nonFinite) pool.push_back(&s);
  }
  out.reversedTraces = reversedTraces(record, pool);
  out.testValueErrors = testValueErrorsOf(record, flagged);

  for (const auto* list :
       {&out.deadTraces, &out.reversedTraces, &out.noisyTraces, &out.spikeTraces})
    for (const std::int32_t t : *list) flagged[static_cast<std::size_t>(t)] = true;
  for (std::int32_t t = 1; t <= out.traceCount; ++t) {
    const auto i = static_cast<std::size_t>(t);
    if (!flagged[i]) continue;
    const decode::TraceHeaderInfo info =
        i < record.traceInfo.size() ? record.traceInfo[i] : decode::TraceHeaderInfo{};
    out.flaggedReceivers.push_back({t, info.receiverLine, info.receiverPoint});
  }
  if (record.loadedTraceCount() < record.summary.traceCount)
    out.error = "only " + std::to_string(record.loadedTraceCount()) + " of " +
                std::to_string(record.summary.traceCount) + " traces could be read";
  return out;
}

}  // namespace vorax::qc
