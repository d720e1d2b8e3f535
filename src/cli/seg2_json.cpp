#include "cli/seg2_json.h"

namespace vorax::cli {

namespace {

Json stringsJson(const std::vector<std::string>& strings) {
  Json out = Json::array();
  for (const std::string& s : strings) out.push_back(s);
  return out;
}

}  // namespace

void addSeg2HeadersJson(const decode::Seg2Headers& headers, Json& out) {
  Json seg2 = Json::object();
  seg2["file_header"] = recordJson(headers.fileHeader);
  seg2["file_descriptor"] = recordJson(headers.fileDescriptor);
  seg2["file_strings"] = stringsJson(headers.fileStrings);
  Json& traces = seg2["traces"] = Json::array();
  for (const decode::Seg2Trace& trace : headers.traces) {
    Json t = Json::object();
    t["offset"] = static_cast<std::int64_t>(trace.offset);
    t["samples_loaded"] = fieldJson(trace.samplesLoaded);
    t["header"] = recordJson(trace.header);
    t["descriptor"] = recordJson(trace.descriptor);
    t["strings"] = stringsJson(trace.strings);
    traces.push_back(std::move(t));
  }
  out["seg2"] = std::move(seg2);
}

}  // namespace vorax::cli
