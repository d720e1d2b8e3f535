// The 20-byte demultiplexed SEG-D trace header that starts every trace. Conventions as in
// general_headers.h (positions and encodings from segd_layout.h, short buffers read as
// zero-padded).
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode {

struct DemuxTraceHeaderFields {
  FixedText<4> fileNumber;
  FixedText<2> scanTypeNumber;
  FixedText<2> channelSetNumber;
  FixedText<4> traceNumber;
  FixedText<4> firstTimingWord;  // cut to 4 characters
  FixedText<2> traceHeaderExtensions;
  FixedText<2> sampleSkew;
  FixedText<2> traceEditCode;
  FixedText<6> timeBreakWindow;
  FixedText<4> extendedChannelSetNumber;
  FixedText<6> extendedFileNumber;
  FixedText<40> traceEditText;
  FixedText<6> effectiveFileNumber;  // extended file number when file number is "FFFF"
  FixedText<80> message;

  // The fields held straight in the header's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = segd_layout::trace_header;
    f(rows::kFileNumber, self.fileNumber);
    f(rows::kScanTypeNumber, self.scanTypeNumber);
    f(rows::kChannelSetNumber, self.channelSetNumber);
    f(rows::kTraceNumber, self.traceNumber);
    f(rows::kFirstTimingWord, self.firstTimingWord);
    f(rows::kTraceHeaderExtensions, self.traceHeaderExtensions);
    f(rows::kSampleSkew, self.sampleSkew);
    f(rows::kTraceEditCode, self.traceEditCode);
    f(rows::kTimeBreakWindow, self.timeBreakWindow);
    f(rows::kExtendedChannelSetNumber, self.extendedChannelSetNumber);
    f(rows::kExtendedFileNumber, self.extendedFileNumber);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("trace_edit_text", traceEditText);
    v("effective_file_number", effectiveFileNumber);
    v("message", message);
  }
};

// Returns 0, or 1 (message filled) for a trace edit code other than 0, 2 or 3; every field
// is filled either way.
std::int32_t SEGDDECODEDEMUXTRACEHEADER(Bytes buffer, DemuxTraceHeaderFields& out);

}  // namespace vorax::decode
