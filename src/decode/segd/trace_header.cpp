#include "decode/segd/trace_header.h"

#include <string_view>

#include "decode/block_text.h"

namespace vorax::decode {

namespace {

// Text of a trace edit code; empty for a code other than 0, 2 or 3.
std::string_view traceEditText(std::string_view code) {
  if (code == "0") return "No edit applied";
  if (code == "2") return "Muted or dead prior to acquisition";
  if (code == "3") return "Edited by acquisition system";
  return {};
}

}  // namespace

std::int32_t SEGDDECODEDEMUXTRACEHEADER(Bytes buffer, DemuxTraceHeaderFields& out) {
  const Block b(buffer);
  readByteFields(b, out);

  std::int32_t status = 0;
  const std::string_view editText = traceEditText(out.traceEditCode.trimmed());
  if (editText.empty()) {
    out.traceEditText = "Status Unknown";
    out.message = "Trace edit Flag error - should be 0,2 or 3";
    status = 1;
  } else {
    out.traceEditText = editText;
  }

  out.effectiveFileNumber =
      out.fileNumber.trimmed() == "FFFF" ? out.extendedFileNumber.view() : out.fileNumber.view();
  return status;
}

}  // namespace vorax::decode
