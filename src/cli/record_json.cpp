#include "cli/record_json.h"

#include <cstdio>

#include "cli/seg2_json.h"
#include "cli/standard_json.h"
#include "decode/utc_time.h"

namespace vorax::cli {

Json summaryJson(const decode::SegdRecord& record) {
  const decode::RecordSummary& s = record.summary;
  Json out = Json::object();
  out["file_number"] = fieldJson(s.fileNumber);
  out["record_date"] = fieldJson(s.recordDate);
  out["record_time"] = fieldJson(s.recordTime);
  out["label"] = fieldJson(s.label);
  out["tape_number"] = fieldJson(s.tapeNumber);
  out["sample_interval_us"] = fieldJson(s.sampleIntervalUs);
  out["samples_per_trace"] = fieldJson(s.samplesPerTrace);
  out["record_type"] = fieldJson(s.recordType);
  out["source_line"] = fieldJson(s.sourceLine);
  out["source_point"] = fieldJson(s.sourcePoint);
  out["source_x"] = fieldJson(s.sourceX);
  out["source_y"] = fieldJson(s.sourceY);
  out["source_z"] = fieldJson(s.sourceZ);
  out["trace_count"] = fieldJson(s.traceCount);
  out["aux_trace_count"] = fieldJson(s.auxTraceCount);
  out["seismic_trace_count"] = fieldJson(s.seismicTraceCount);
  out["first_receiver_line"] = fieldJson(s.firstReceiverLine);
  out["first_receiver_point"] = fieldJson(s.firstReceiverPoint);
  out["time_break_kind"] = fieldJson(s.timeBreakKind);
  out["filter"] = fieldJson(s.filter);
  out["time_break_time"] = fieldJson(s.timeBreakTime);
  out["uphole_time"] = fieldJson(s.upholeTime);
  out["blast_identifier"] = fieldJson(s.blastIdentifier);
  out["extended_header_status"] = fieldJson(s.extendedHeaderStatus);
  out["sample_interval_ms"] = fieldJson(record.sampleIntervalMs);
  out["record_length_ms"] = fieldJson(record.recordLengthMs);
  if (s.gpsLatitude && s.gpsLongitude) {
    out["latitude"] = fieldJson(*s.gpsLatitude);
    out["longitude"] = fieldJson(*s.gpsLongitude);
  }
  out["start_time_ms"] = fieldJson(record.startTimeMs);
  return out;
}

void addHeadersJson(const decode::DecodedHeaders& headers, Json& out) {
  using Stage = decode::HeaderStage;
  const auto reached = [&](Stage stage) { return headers.reached >= stage; };
  if (reached(Stage::Gh1)) out["gh1"] = recordJson(headers.gh1);
  if (reached(Stage::Gh2)) out["gh2"] = recordJson(headers.gh2);
  const bool sercel = headers.sercel.present;
  if (reached(Stage::Gh3)) {
    Json gh3;
    if (headers.gh3Decoded) gh3 = sercel ? recordJson(headers.sercel.gh3) : recordJson(headers.gh3);
    out["gh3"] = gh3;
  }
  if (reached(Stage::ChannelSets)) {
    Json& channelSets = out["channel_sets"] = Json::array();
    for (const decode::ChannelSetFields& cs : headers.channelSets)
      channelSets.push_back(recordJson(cs));
  }
  if (reached(Stage::Extended))
    out["extended"] = sercel ? recordJson(headers.sercel.extended) : recordJson(headers.extended);
  if (reached(Stage::External)) out["external"] = recordJson(headers.external);
}

Json traceJson(const decode::SegdRecord& record, std::int32_t t, bool withSamples) {
  const decode::TraceHeaderInfo& i = record.traceInfo[static_cast<std::size_t>(t)];
  Json out = Json::object();
  out["trace"] = fieldJson(t);
  out["receiver_line"] = fieldJson(i.receiverLine);
  out["receiver_point"] = fieldJson(i.receiverPoint);
  out["receiver_x"] = fieldJson(i.receiverX);
  out["receiver_y"] = fieldJson(i.receiverY);
  out["receiver_z"] = fieldJson(i.receiverZ);
  out["channel_kind"] = fieldJson(i.channelKind);
  out["sensor_kind"] = fieldJson(i.sensorKind);
  out["resistance"] = fieldJson(i.resistance);
  out["capacitance"] = fieldJson(i.capacitance);
  out["tilt"] = fieldJson(i.tilt);
  out["leakage"] = fieldJson(i.leakage);
  out["resistance_error"] = fieldJson(i.resistanceError);
  out["capacitance_error"] = fieldJson(i.capacitanceError);
  out["tilt_error"] = fieldJson(i.tiltError);
  out["leakage_error"] = fieldJson(i.leakageError);
  out["resistance_low_limit"] = fieldJson(i.resistanceLowLimit);
  out["resistance_high_limit"] = fieldJson(i.resistanceHighLimit);
  out["capacitance_low_limit"] = fieldJson(i.capacitanceLowLimit);
  out["capacitance_high_limit"] = fieldJson(i.capacitanceHighLimit);
  out["tilt_limit"] = fieldJson(i.tiltLimit);
  out["leakage_limit"] = fieldJson(i.leakageLimit);
  out["unit_serial_number"] = fieldJson(i.unitSerialNumber);
  out["channel_number"] = fieldJson(i.channelNumber);
  out["sensor_channel_type_code"] = fieldJson(i.sensorChannelTypeCode);
  out["control_unit_type"] = fieldJson(i.controlUnitType);
  out["control_unit_serial_number"] = fieldJson(i.controlUnitSerialNumber);
  out["mv_conversion_factor"] = fieldJson(i.mvConversionFactor);
  out["trace_maximum"] = fieldJson(i.traceMaximum);
  out["peak_sample_index"] = fieldJson(i.peakSampleIndex);
  out["interpolation_count"] = fieldJson(i.interpolationCount);
  out["amplitude_scale"] = fieldJson(i.amplitudeScale);
  out["divisor"] = fieldJson(record.divisorOf(t));
  out["conversion_factor_copy"] = fieldJson(i.conversionFactorCopy);
  out["control_unit_text"] = fieldJson(i.controlUnitText);
  out["filter_text"] = fieldJson(i.filterText);
  out["error_colour"] = fieldJson(i.errorColour);
  out["note"] = fieldJson(i.note);
  if (i.startTimeUtcUs) out["start_time_utc"] = decode::utcText(*i.startTimeUtcUs);
  if (i.latitude && i.longitude) {
    out["latitude"] = fieldJson(*i.latitude);
    out["longitude"] = fieldJson(*i.longitude);
  }
  if (withSamples) {
    Json& samples = out["samples"] = Json::array();
    for (const float v : record.samples.trace(t)) samples.push_back(singleJson(v));
  }
  return out;
}

Json lineRunsJson(std::span<const decode::LineRun> runs) {
  Json out = Json::array();
  for (std::size_t k = 1; k < runs.size(); ++k) {
    out.push_back(Json::array({fieldJson(runs[k].receiverLine), fieldJson(runs[k].firstTrace),
                               fieldJson(runs[k].lastTrace)}));
  }
  return out;
}

Json textListJson(const std::vector<std::string>& texts) {
  Json out = Json::array();
  for (const std::string& t : texts) out.push_back(t);
  return out;
}

void addDecodedHeadersJson(const decode::OpenResult& result, Json& out) {
  if (result.flavour == decode::RecordFlavour::Seg2) {
    addSeg2HeadersJson(result.seg2, out);
  } else if (result.flavour == decode::RecordFlavour::Standard) {
    addStandardHeadersJson(result, out);
  } else {
    addHeadersJson(result.headers, out);
  }
}

Json infoJson(const decode::SegdRecord& record, const decode::OpenResult& result,
              const std::vector<std::string>& messages) {
  Json out = Json::object();
  out["first_trace_position"] = result.firstTracePosition;
  out["messages"] = textListJson(messages);
  if (!result.ok()) {
    if (result.flavour != decode::RecordFlavour::Seg2) addHeadersJson(result.headers, out);
    return out;
  }
  out["record"] = summaryJson(record);
  addDecodedHeadersJson(result, out);
  return out;
}

namespace {

// A nested JSON text shifted right by `spaces` after each line break.
std::string indented(const std::string& text, int spaces) {
  std::string out;
  for (const char c : text) {
    out.push_back(c);
    if (c == '\n') out.append(static_cast<std::size_t>(spaces), ' ');
  }
  return out;
}

// Trace t's attributes and samples as jsonText would write traceJson(record, t, true) at
// depth 2 of the whole text, the samples written straight from their values.
std::string traceText(const decode::SegdRecord& record, std::int32_t t, bool withSamples) {
  std::string text = indented(jsonText(traceJson(record, t, false)), 4);
  if (!withSamples) return text;
  constexpr std::string_view kClose = "\n    }";
  text.resize(text.size() - kClose.size());
  text += ",\n      \"samples\": [";
  const std::span<const float> samples = record.samples.trace(t);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    text += i == 0 ? "\n        " : ",\n        ";
    text += singleJsonText(samples[i]);
  }
  text += samples.empty() ? "]" : "\n      ]";
  text += kClose;
  return text;
}

}  // namespace

// Written trace by trace, in the layout jsonText gives, so that a large record with its
// samples never needs the whole JSON tree in memory.
void printTracesJson(const decode::SegdRecord& record, bool withSamples,
                     const std::vector<std::string>& messages) {
  std::fputs("{\n  \"traces\": [", stdout);
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    std::fputs(t == 1 ? "\n    " : ",\n    ", stdout);
    std::fputs(traceText(record, t, withSamples).c_str(), stdout);
  }
  std::fputs(record.loadedTraceCount() > 0 ? "\n  ],\n" : "],\n", stdout);
  std::printf("  \"line_runs\": %s,\n  \"tilt_error_count\": %d,\n  \"messages\": %s\n}\n",
              indented(jsonText(lineRunsJson(record.lineRuns)), 2).c_str(), record.tiltErrorCount,
              indented(jsonText(textListJson(messages)), 2).c_str());
}

}  // namespace vorax::cli
