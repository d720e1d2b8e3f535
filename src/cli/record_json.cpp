#include "cli/record_json.h"

#include <cstdio>

namespace vorax::cli {

Json summaryJson(const decode::SegdRecord& record) {
  const decode::RecordSummary& s = record.summary;
  Json out = Json::object();
  out.set("file_number", s.fileNumber);
  out.set("record_date", s.recordDate);
  out.set("record_time", s.recordTime);
  out.set("label", s.label);
  out.set("tape_number", s.tapeNumber);
  out.set("sample_interval_us", s.sampleIntervalUs);
  out.set("samples_per_trace", s.samplesPerTrace);
  out.set("record_type", s.recordType);
  out.set("source_line", s.sourceLine);
  out.set("source_point", s.sourcePoint);
  out.set("source_x", s.sourceX);
  out.set("source_y", s.sourceY);
  out.set("source_z", s.sourceZ);
  out.set("trace_count", s.traceCount);
  out.set("aux_trace_count", s.auxTraceCount);
  out.set("seismic_trace_count", s.seismicTraceCount);
  out.set("first_receiver_line", s.firstReceiverLine);
  out.set("first_receiver_point", s.firstReceiverPoint);
  out.set("time_break_kind", s.timeBreakKind);
  out.set("filter", s.filter);
  out.set("time_break_time", s.timeBreakTime);
  out.set("uphole_time", s.upholeTime);
  out.set("blast_identifier", s.blastIdentifier);
  out.set("extended_header_status", s.extendedHeaderStatus);
  out.set("sample_interval_ms", record.sampleIntervalMs);
  out.set("record_length_ms", record.recordLengthMs);
  return out;
}

void addHeadersJson(const decode::DecodedHeaders& headers, Json& out) {
  out.set("gh1", recordJson(headers.gh1));
  out.set("gh2", recordJson(headers.gh2));
  const bool sercel = headers.sercel.present;
  Json gh3;
  if (headers.gh3Decoded) gh3 = sercel ? recordJson(headers.sercel.gh3) : recordJson(headers.gh3);
  out.set("gh3", gh3);
  Json& channelSets = out.set("channel_sets", Json::array());
  for (const decode::ChannelSetFields& cs : headers.channelSets) channelSets.push(recordJson(cs));
  out.set("extended",
          sercel ? recordJson(headers.sercel.extended) : recordJson(headers.extended));
  out.set("external", recordJson(headers.external));
}

Json traceJson(const decode::SegdRecord& record, std::int32_t t, bool withSamples) {
  const decode::TraceHeaderInfo& i = record.traceInfo[static_cast<std::size_t>(t)];
  Json out = Json::object();
  out.set("trace", t);
  out.set("receiver_line", i.receiverLine);
  out.set("receiver_point", i.receiverPoint);
  out.set("receiver_x", i.receiverX);
  out.set("receiver_y", i.receiverY);
  out.set("receiver_z", i.receiverZ);
  out.set("channel_kind", i.channelKind);
  out.set("sensor_kind", i.sensorKind);
  out.set("resistance", i.resistance);
  out.set("capacitance", i.capacitance);
  out.set("tilt", i.tilt);
  out.set("leakage", i.leakage);
  out.set("resistance_error", i.resistanceError);
  out.set("capacitance_error", i.capacitanceError);
  out.set("tilt_error", i.tiltError);
  out.set("leakage_error", i.leakageError);
  out.set("resistance_low_limit", i.resistanceLowLimit);
  out.set("resistance_high_limit", i.resistanceHighLimit);
  out.set("capacitance_low_limit", i.capacitanceLowLimit);
  out.set("capacitance_high_limit", i.capacitanceHighLimit);
  out.set("tilt_limit", i.tiltLimit);
  out.set("leakage_limit", i.leakageLimit);
  out.set("unit_serial_number", i.unitSerialNumber);
  out.set("channel_number", i.channelNumber);
  out.set("sensor_channel_type_code", i.sensorChannelTypeCode);
  out.set("control_unit_type", i.controlUnitType);
  out.set("control_unit_serial_number", i.controlUnitSerialNumber);
  out.set("mv_conversion_factor", i.mvConversionFactor);
  out.set("trace_maximum", i.traceMaximum);
  out.set("peak_sample_index", i.peakSampleIndex);
  out.set("interpolation_count", i.interpolationCount);
  out.set("amplitude_scale", i.amplitudeScale);
  out.set("conversion_factor_copy", i.conversionFactorCopy);
  out.set("control_unit_text", i.controlUnitText);
  out.set("filter_text", i.filterText);
  out.set("error_colour", i.errorColour);
  out.set("note", i.note);
  if (withSamples) {
    Json::Array samples;
    for (const float v : record.samples.trace(t)) samples.emplace_back(v);
    out.set("samples", Json(std::move(samples)));
  }
  return out;
}

Json lineRunsJson(std::span<const decode::LineRun> runs) {
  Json out = Json::array();
  for (std::size_t k = 1; k < runs.size(); ++k) {
    out.push(Json(Json::Array{Json(runs[k].receiverLine), Json(runs[k].firstTrace),
                              Json(runs[k].lastTrace)}));
  }
  return out;
}

Json textListJson(const std::vector<std::string>& texts) {
  Json out = Json::array();
  for (const std::string& t : texts) out.push(t);
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

}  // namespace

// Written trace by trace, in the layout Json::dump gives, so that a large record with its
// samples never needs the whole JSON tree in memory.
void printTracesJson(const decode::SegdRecord& record, bool withSamples) {
  std::fputs("{\n  \"traces\": [", stdout);
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    std::fputs(t == 1 ? "\n    " : ",\n    ", stdout);
    std::fputs(indented(traceJson(record, t, withSamples).dump(), 4).c_str(), stdout);
  }
  std::fputs(record.loadedTraceCount() > 0 ? "\n  ],\n" : "],\n", stdout);
  std::printf("  \"line_runs\": %s,\n  \"tilt_error_count\": %d\n}\n",
              indented(lineRunsJson(record.lineRuns).dump(), 2).c_str(), record.tiltErrorCount);
}

}  // namespace vorax::cli
