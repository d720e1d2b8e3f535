#include "tools/record_sum.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "base/text_trim.h"
#include "decode/record_opener.h"
#include "tools/tool_support.h"

namespace vorax::tools {

namespace {

SumDiffOutcome failure(std::string message, bool untitled = false) {
  return {false, std::move(message), untitled};
}

bool isSeismic(const decode::SegdRecord& record, std::int32_t t) {
  return record.traceInfo[static_cast<std::size_t>(t)].channelKind.trimmed() == "Seis";
}

// P: the largest amplitude scale of the record's seismic traces, 1 when that is 0.
float largestSeismicScale(const decode::SegdRecord& record) {
  float largest = 0;
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    if (isSeismic(record, t))
      largest = std::max(largest, record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale);
  }
  return largest == 0 ? 1.0f : largest;
}

float largestMagnitude(std::span<const float> values) {
  float largest = 0;
  for (const float v : values) {
    if (std::isfinite(v)) largest = std::max(largest, std::abs(v));
  }
  return largest;
}

// Opens a file (headers only, or with its traces); the outcome's message says why it failed.
SumDiffOutcome open(const std::string& file, bool withTraces, decode::SegdRecord& record,
                    decode::MessageSink& messages, const base::DebugLog& debugLog,
                    const decode::ProgressCallback& progress) {
  decode::OpenOptions options;
  options.loadTraces = withTraces;
  options.progress = progress;
  const decode::OpenResult opened = decode::openRecord(file, record, messages, debugLog, options);
  if (opened.status == decode::OpenStatus::FileError) return failure(opened.error);
  if (opened.status == decode::OpenStatus::DecoderFatal) return failure("");
  return {true, {}, false};
}

}  // namespace

std::string geometryMismatch(const decode::RecordSummary& a, const decode::RecordSummary& b) {
  if (a.traceCount != b.traceCount) return kTraceCountMismatch;
  if (a.seismicTraceCount != b.seismicTraceCount) return kSeisCountMismatch;
  if (a.auxTraceCount != b.auxTraceCount) return kAuxCountMismatch;
  if (a.sampleIntervalUs != b.sampleIntervalUs) return kSampleRateMismatch;
  if (a.samplesPerTrace != b.samplesPerTrace) return kSampleCountMismatch;
  return {};
}

std::string combinedTitle(const std::string& file1, const std::string& file2,
                          SumDiffOperation operation) {
  const char* sign = operation == SumDiffOperation::Sum ? " + " : " \u2212 ";
  return std::filesystem::path(file1).filename().string() + sign +
         std::filesystem::path(file2).filename().string();
}

void combineRecords(const decode::SegdRecord& first, decode::SegdRecord& second,
                    const SumDiffOptions& options, const decode::ProgressCallback& progress) {
  const float seismicScale = largestSeismicScale(second);
  const std::int32_t traces = second.loadedTraceCount();
  second.traceDivisor.resize(static_cast<std::size_t>(traces) + 1, 1.0f);
  std::vector<float> r(second.samples.valuesPerTrace());
  for (std::int32_t t = 1; t <= traces; ++t) {
    if (progress && t % 100 == 0) progress(100 * t / traces);
    const std::span<const float> a = first.samples.trace(t);
    const std::span<float> b = second.samples.trace(t);
    const float da = first.divisorOf(t);
    const float db = second.divisorOf(t);
    for (std::size_t j = 0; j < r.size(); ++j) {
      r[j] = options.operation == SumDiffOperation::Sum ? b[j] * db + a[j] * da
                                                        : a[j] * da - b[j] * db;
    }
    float divisor = 1;
    if (options.normalise) {
      divisor = largestMagnitude(r);
    } else if (isSeismic(second, t)) {
      divisor = seismicScale;
    } else {
      divisor = second.traceInfo[static_cast<std::size_t>(t)].amplitudeScale;
      if (divisor == 0) continue;  // keeps the second record's samples
    }
    for (std::size_t j = 0; j < r.size(); ++j) b[j] = divisor == 0 ? 0.0f : r[j] / divisor;
    second.traceDivisor[static_cast<std::size_t>(t)] = divisor == 0 ? 1.0f : divisor;
  }
  if (progress) progress(100);
}

SumDiffOutcome sumDifference(const std::string& file1, const std::string& file2,
                             const SumDiffOptions& options, decode::SegdRecord& result,
                             decode::MessageSink& messages, const base::DebugLog& debugLog,
                             const SumDiffProgress& progress) {
  if (base::trimmed(file1, base::kSpacesAndTabs).empty() ||
      base::trimmed(file2, base::kSpacesAndTabs).empty())
    return failure(kSelectTwoFilesMessage);

  decode::SegdRecord first;
  decode::SegdRecord second;
  for (auto [file, record] : {std::pair{&file1, &first}, std::pair{&file2, &second}}) {
    if (SumDiffOutcome o = open(*file, false, *record, messages, debugLog, {}); !o.ok) return o;
  }
  if (std::string mismatch = geometryMismatch(first.summary, second.summary); !mismatch.empty())
    return failure(std::move(mismatch));
  if (options.operation == SumDiffOperation::None) return failure(kNoOperationMessage, true);

  bool stopped = false;
  auto watched = [&stopped](const decode::ProgressCallback& callback) -> decode::ProgressCallback {
    if (!callback) return {};
    return [&stopped, callback](int percent) { return !(stopped = stopped || !callback(percent)); };
  };
  const SumDiffOutcome cancelled{false, {}, false, true};
  if (SumDiffOutcome o = open(file1, true, first, messages, debugLog, watched(progress.readFile1));
      !o.ok)
    return o;
  if (stopped) return cancelled;
  debugLog.line("Add-subtract file Read file 1 Traces OK");
  if (SumDiffOutcome o = open(file2, true, second, messages, debugLog, watched(progress.readFile2));
      !o.ok)
    return o;
  if (stopped) return cancelled;
  debugLog.line("Add-subtract file Read file 2 Traces OK");
  // A file shorter than its headers say holds fewer traces or samples than the other.
  if (first.loadedTraceCount() != second.loadedTraceCount()) return failure(kTraceCountMismatch);
  if (first.samples.samplesPerTrace() != second.samples.samplesPerTrace())
    return failure(kSampleCountMismatch);

  combineRecords(first, second, options, progress.operation);
  second.fileName = combinedTitle(file1, file2, options.operation);
  result = std::move(second);
  return {true, {}, false};
}

}  // namespace vorax::tools
