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
  out.fileNumber = hexOf(b, 1, 2);
  out.scanTypeNumber = hexOf(b, 3, 3);
  out.channelSetNumber = hexOf(b, 4, 4);
  out.traceNumber = hexOf(b, 5, 6);
  out.firstTimingWord = decimalOf(b, 7, 9);
  out.traceHeaderExtensions = decimalOf(b, 10, 10);
  out.sampleSkew = decimalOf(b, 11, 11);
  out.traceEditCode = decimalOf(b, 12, 12);
  out.timeBreakWindow = decimalOf(b, 13, 15);
  out.extendedChannelSetNumber = hexOf(b, 16, 17);
  out.extendedFileNumber = decimalOf(b, 18, 20);

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
