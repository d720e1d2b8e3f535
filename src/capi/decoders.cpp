// The header decoders with C linkage: each runs the C++ decoder of the same name on the
// caller's buffer and record.
#include <string_view>

#include "capi/c_bridge.h"
#include "decode/seg2/seg2_headers.h"
#include "decode/segd/general_headers.h"
#include "decode/segd/trace_header.h"
#include "decode/sercel/quick_headers.h"
#include "decode/sercel/sercel_headers.h"
#include "decode/sercel/sn388_headers.h"
#include "decode/vorax/vorax_headers.h"
#include "vorax_segd.h"

namespace d = vorax::decode;
using vorax::capi::bytesOf;
using vorax::capi::decodeInto;

// A decoder that takes only its block and its record.
#define VORAX_BLOCK_DECODER(NAME, RECORD)                                                  \
  int32_t NAME(const uint8_t* buffer, size_t length, RECORD* out) {                        \
    return decodeInto<d::RECORD>(                                                          \
        out, [&](d::RECORD& record) { return d::NAME(bytesOf(buffer, length), record); }); \
  }

extern "C" {

VORAX_BLOCK_DECODER(SEGDDECODEGH1, Gh1Fields)
VORAX_BLOCK_DECODER(SEGDDECODEGH2, Gh2Fields)
VORAX_BLOCK_DECODER(SEGDDECODEGH3, Gh3Fields)
VORAX_BLOCK_DECODER(SEGDDECODESCANTYPEHEADER, ChannelSetFields)
VORAX_BLOCK_DECODER(SEGDDECODE408EXTERNALHEADER, ExternalHeaderFields)
VORAX_BLOCK_DECODER(SEGDDECODEDEMUXTRACEHEADER, DemuxTraceHeaderFields)
VORAX_BLOCK_DECODER(SEGDDECODEVORAXGH3, VoraxGh3Fields)
VORAX_BLOCK_DECODER(SEGDDECODEVORAXEXTENDEDHEADER, VoraxExtendedFields)
VORAX_BLOCK_DECODER(SEGDDECODEVORAXTRACEHEADEREXTBLOCK1, VoraxTraceExt1Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK1, Ext408Block1Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK2, Ext408Block2Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK3, Ext408Block3Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK4, Ext408Block4Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK5, Ext408Block5Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK6, Ext408Block6Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408TRACEHEADEREXTBLOCK7, Ext408Block7Fields)
VORAX_BLOCK_DECODER(SEGDDECODE408EXTENDEDHEADER, Ext408ExtendedFields)
VORAX_BLOCK_DECODER(SEGDDECODE388TRACEHEADEREXTBLOCK1, Sn388Block1Fields)
VORAX_BLOCK_DECODER(SEGDDECODE388TRACEHEADEREXTBLOCK2, Sn388Block2Fields)
VORAX_BLOCK_DECODER(SEGDDECODE388EXTENDEDHEADER, Sn388ExtendedFields)
VORAX_BLOCK_DECODER(DECODESEG2FILEHEADER, Seg2FileHeaderFields)
VORAX_BLOCK_DECODER(quick408fhl, QuickFileHeader)
VORAX_BLOCK_DECODER(vqc88decodefileheader, Vqc88FileHeader)

int32_t DECODESEG2TRACEHEADER(const uint8_t* buffer, size_t length, const char* byte_order_flag,
                              Seg2TraceHeaderFields* out) {
  const std::string_view flag = byte_order_flag == nullptr ? std::string_view() : byte_order_flag;
  return decodeInto<d::Seg2TraceHeaderFields>(out, [&](d::Seg2TraceHeaderFields& record) {
    return d::DECODESEG2TRACEHEADER(bytesOf(buffer, length), flag, record);
  });
}

int32_t DECODESEG2FILEDESCRIPTOR(const uint8_t* area, size_t length, const char* terminator,
                                 size_t terminator_length, Seg2FileDescriptorFields* out) {
  const std::string_view split =
      terminator == nullptr ? std::string_view() : std::string_view(terminator, terminator_length);
  return decodeInto<d::Seg2FileDescriptorFields>(out, [&](d::Seg2FileDescriptorFields& record) {
    return d::DECODESEG2FILEDESCRIPTOR(bytesOf(area, length), split, record);
  });
}

int32_t DECODESEG2TRACEDESCRIPTOR(const uint8_t* area, size_t length, const char* terminator,
                                  size_t terminator_length, Seg2TraceDescriptorFields* out) {
  const std::string_view split =
      terminator == nullptr ? std::string_view() : std::string_view(terminator, terminator_length);
  return decodeInto<d::Seg2TraceDescriptorFields>(out, [&](d::Seg2TraceDescriptorFields& record) {
    return d::DECODESEG2TRACEDESCRIPTOR(bytesOf(area, length), split, record);
  });
}

int32_t quick408gettracehl(const uint8_t* buffer, size_t length, QuickTraceHeader* out,
                           const QuickFileHeader* file_header) {
  const d::QuickFileHeader file = file_header == nullptr
                                      ? d::QuickFileHeader{}
                                      : std::bit_cast<d::QuickFileHeader>(*file_header);
  return decodeInto<d::QuickTraceHeader>(out, [&](d::QuickTraceHeader& record) {
    return d::quick408gettracehl(bytesOf(buffer, length), record, file);
  });
}

}  // extern "C"
