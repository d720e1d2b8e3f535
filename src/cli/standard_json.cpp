#include "cli/standard_json.h"

namespace vorax::cli {

void addStandardHeadersJson(const decode::OpenResult& result, Json& out) {
  out["gh1"] = recordJson(result.headers.gh1);
  out["gh2"] = recordJson(result.headers.gh2);
  const decode::StandardHeaders& h = result.standard;
  Json standard = Json::object();
  standard["revision"] = std::to_string(h.revisionMajor) + "." + std::to_string(h.revisionMinor);
  standard["format_code"] = h.formatCode;
  standard["manufacturer_code"] = h.manufacturerCode;
  standard["file_number"] = h.fileNumber;
  standard["base_scan_interval_us"] = h.baseScanIntervalUs;
  standard["record_type"] = h.recordType;
  standard["record_length_ms"] = h.recordLengthMs;
  standard["general_header_bytes"] = h.generalHeaderBytes;
  standard["extended_header_bytes"] = h.extendedHeaderBytes;
  standard["external_header_bytes"] = h.externalHeaderBytes;
  standard["first_trace_offset"] = h.firstTraceOffset;
  Json sets = Json::array();
  for (const decode::StandardChannelSet& cs : h.channelSets) {
    Json set = Json::object();
    set["scan_type"] = cs.scanType;
    set["number"] = cs.number;
    set["type_code"] = cs.typeCode;
    set["start_ms"] = cs.startMs;
    set["end_ms"] = cs.endMs;
    set["samples"] = cs.samples;
    set["sample_interval_us"] = cs.sampleIntervalUs;
    set["channels"] = cs.channels;
    set["extensions"] = cs.extensions;
    sets.push_back(std::move(set));
  }
  standard["channel_sets"] = std::move(sets);
  out["standard"] = std::move(standard);
}

}  // namespace vorax::cli
