#include "cli/seg2_json.h"

namespace vorax::cli {

namespace {

Json stringsJson(const std::vector<std::string>& strings) {
  Json out = Json::array();
  for (const std::string& s : strings) out.push(Json(s));
  return out;
}

}  // namespace

void addSeg2HeadersJson(const decode::Seg2Headers& headers, Json& out) {
  Json seg2 = Json::object();
  seg2.set("file_header", recordJson(headers.fileHeader));
  seg2.set("file_descriptor", recordJson(headers.fileDescriptor));
  seg2.set("file_strings", stringsJson(headers.fileStrings));
  Json& traces = seg2.set("traces", Json::array());
  for (const decode::Seg2Trace& trace : headers.traces) {
    Json t = Json::object();
    t.set("offset", static_cast<std::int64_t>(trace.offset));
    t.set("samples_loaded", trace.samplesLoaded);
    t.set("header", recordJson(trace.header));
    t.set("descriptor", recordJson(trace.descriptor));
    t.set("strings", stringsJson(trace.strings));
    traces.push(std::move(t));
  }
  out.set("seg2", std::move(seg2));
}

}  // namespace vorax::cli
