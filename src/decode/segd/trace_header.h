// The 20-byte demultiplexed SEG-D trace header that starts every trace. Conventions as in
// general_headers.h (1-based byte positions, "hex" and "decimal" fields, short buffers read
// as zero-padded).
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

struct DemuxTraceHeaderFields {
  FixedText<4> fileNumber;                // hex 1-2
  FixedText<2> scanTypeNumber;            // hex 3
  FixedText<2> channelSetNumber;          // hex 4
  FixedText<4> traceNumber;               // hex 5-6
  FixedText<4> firstTimingWord;           // decimal 7-9, cut to 4 characters
  FixedText<2> traceHeaderExtensions;     // decimal 10
  FixedText<2> sampleSkew;                // decimal 11
  FixedText<2> traceEditCode;             // decimal 12
  FixedText<6> timeBreakWindow;           // decimal 13-15
  FixedText<4> extendedChannelSetNumber;  // hex 16-17
  FixedText<6> extendedFileNumber;        // decimal 18-20
  FixedText<40> traceEditText;
  FixedText<6> effectiveFileNumber;  // extended file number when file number is "FFFF"
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("file_number", fileNumber);
    v("scan_type_number", scanTypeNumber);
    v("channel_set_number", channelSetNumber);
    v("trace_number", traceNumber);
    v("first_timing_word", firstTimingWord);
    v("trace_header_extensions", traceHeaderExtensions);
    v("sample_skew", sampleSkew);
    v("trace_edit_code", traceEditCode);
    v("time_break_window", timeBreakWindow);
    v("extended_channel_set_number", extendedChannelSetNumber);
    v("extended_file_number", extendedFileNumber);
    v("trace_edit_text", traceEditText);
    v("effective_file_number", effectiveFileNumber);
    v("message", message);
  }
};

// Returns 0, or 1 (message filled) for a trace edit code other than 0, 2 or 3; every field
// is filled either way.
std::int32_t SEGDDECODEDEMUXTRACEHEADER(Bytes buffer, DemuxTraceHeaderFields& out);

}  // namespace vorax::decode
