#include "qc/qc_json.h"

#include "decode/conversions.h"

namespace vorax::qc {

namespace {

// A single-precision value as the number its shortest text names (0.1f is 0.1).
Json singleJson(float value) {
  if (!std::isfinite(value)) return nullptr;
  return std::stod(decode::shortestText(value));
}

Json traceList(const std::vector<std::int32_t>& traces) {
  Json list = Json::array();
  for (const std::int32_t t : traces) list.push_back(t);
  return list;
}

Json testValueJson(const std::optional<TestValueErrors>& errors) {
  Json out = Json::object();
  if (!errors) return out;
  out["resistance"] = errors->resistance;
  out["capacitance"] = errors->capacitance;
  out["tilt"] = errors->tilt;
  out["leakage"] = errors->leakage;
  return out;
}

// Reading back: each throws nlohmann's own errors on a missing key or a wrong kind.
std::vector<std::int32_t> traceListFrom(const Json& list) {
  std::vector<std::int32_t> out;
  for (const Json& t : list) out.push_back(t.get<std::int32_t>());
  return out;
}

std::optional<TestValueErrors> testValuesFrom(const Json& object) {
  if (object.empty()) return std::nullopt;
  TestValueErrors out;
  out.resistance = object.at("resistance").get<std::int32_t>();
  out.capacitance = object.at("capacitance").get<std::int32_t>();
  out.tilt = object.at("tilt").get<std::int32_t>();
  out.leakage = object.at("leakage").get<std::int32_t>();
  return out;
}

void takeShot(const Json& shot, RecordQc& out) {
  out.date = shot.at("date").get<std::string>();
  out.time = shot.at("time").get<std::string>();
  out.sourceLine = shot.at("source_line").get<float>();
  out.sourcePoint = shot.at("source_point").get<float>();
  for (const Json& r : shot.at("flagged_receivers"))
    out.flaggedReceivers.push_back(
        {r.at(0).get<std::int32_t>(), r.at(1).get<float>(), r.at(2).get<float>()});
}

}  // namespace

Json recordJson(const RecordQc& r) {
  Json out = Json::object();
  out["file"] = r.file;
  out["file_number"] = r.fileNumber ? Json(*r.fileNumber) : Json(nullptr);
  out["trace_count"] = r.traceCount;
  out["dead_traces"] = traceList(r.deadTraces);
  out["reversed_traces"] = traceList(r.reversedTraces);
  out["noisy_traces"] = traceList(r.noisyTraces);
  out["spike_traces"] = traceList(r.spikeTraces);
  out["test_value_errors"] = testValueJson(r.testValueErrors);
  out["rms_median"] = r.readable() ? singleJson(static_cast<float>(r.rmsMedian)) : Json(nullptr);
  out["passed"] = r.passed();
  if (!r.error.empty()) out["error"] = r.error;
  return out;
}

Json shotJson(const RecordQc& r) {
  Json out = Json::object();
  out["file"] = r.file;
  out["date"] = r.date;
  out["time"] = r.time;
  out["source_line"] = singleJson(r.sourceLine);
  out["source_point"] = singleJson(r.sourcePoint);
  Json receivers = Json::array();
  for (const FlaggedReceiver& f : r.flaggedReceivers)
    receivers.push_back(Json::array({f.trace, singleJson(f.line), singleJson(f.point)}));
  out["flagged_receivers"] = receivers;
  return out;
}

Json summaryJson(const SurveySummary& s) {
  Json out = Json::object();
  out["records"] = s.records;
  out["records_flagged"] = s.recordsFlagged;
  out["traces"] = s.traces;
  out["dead_traces"] = s.deadTraces;
  out["reversed_traces"] = s.reversedTraces;
  out["noisy_traces"] = s.noisyTraces;
  out["spike_traces"] = s.spikeTraces;
  return out;
}

std::optional<RecordQc> recordFromJson(const Json& record, const Json* shot, std::string& error) {
  try {
    RecordQc out;
    out.file = record.at("file").get<std::string>();
    const Json& number = record.at("file_number");
    if (!number.is_null()) out.fileNumber = number.get<std::int64_t>();
    out.traceCount = record.at("trace_count").get<std::int32_t>();
    out.deadTraces = traceListFrom(record.at("dead_traces"));
    out.reversedTraces = traceListFrom(record.at("reversed_traces"));
    out.noisyTraces = traceListFrom(record.at("noisy_traces"));
    out.spikeTraces = traceListFrom(record.at("spike_traces"));
    out.testValueErrors = testValuesFrom(record.at("test_value_errors"));
    const Json& rms = record.at("rms_median");
    if (!rms.is_null()) out.rmsMedian = rms.get<double>();
    if (record.contains("error")) out.error = record.at("error").get<std::string>();
    if (shot != nullptr) takeShot(*shot, out);
    return out;
  } catch (const Json::exception& e) {
    error = e.what();
    return std::nullopt;
  }
}

std::string jsonLines(std::span<const Json> objects) {
  std::string text;
  for (const Json& object : objects) {
    text += object.dump(-1, ' ', false, Json::error_handler_t::replace);
    text += '\n';
  }
  return text;
}

}  // namespace vorax::qc
