#include "cli/decoder_registry.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "decode/seg2/seg2_headers.h"
#include "decode/seg2/seg2_reader.h"
#include "decode/segd/general_headers.h"
#include "decode/segd/trace_header.h"
#include "decode/sercel/quick_headers.h"
#include "decode/sercel/sercel_headers.h"
#include "decode/sercel/sn388_headers.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::cli {

namespace d = vorax::decode;

namespace {

template <typename Record, std::int32_t (*Decode)(d::Bytes, Record&)>
std::int32_t plain(d::Bytes block, const DecodeContext& /*context*/, Json& out) {
  Record record;
  const std::int32_t status = Decode(block, record);
  out = recordJson(record);
  return status;
}

std::int32_t seg2TraceHeader(d::Bytes block, const DecodeContext& context, Json& out) {
  d::Seg2TraceHeaderFields record;
  const std::int32_t status = d::DECODESEG2TRACEHEADER(block, context.seg2ByteOrderFlag, record);
  out = recordJson(record);
  return status;
}

template <typename Record, std::int32_t (*Decode)(d::Bytes, std::string_view, Record&)>
std::int32_t seg2Strings(d::Bytes block, const DecodeContext& context, Json& out) {
  Record record;
  const std::int32_t status = Decode(block, context.seg2Terminator, record);
  out = recordJson(record);
  return status;
}

// The record-level values come from an empty file header: the command decodes one block.
std::int32_t quickTrace(d::Bytes block, const DecodeContext& /*context*/, Json& out) {
  d::QuickTraceHeader record;
  const std::int32_t status = d::quick408gettracehl(block, record, d::QuickFileHeader{});
  out = recordJson(record);
  return status;
}

// A Sercel 408 file header as quick408fhl reads it: three general header blocks, sixteen
// channel set descriptors and the 1024-byte extended header.
constexpr std::size_t kQuickFileHeaderBytes = 96 + 16 * 32 + 1024;

const std::array kDecoders = {
    DecoderEntry{"SEGDDECODEGH1", 32, plain<d::Gh1Fields, d::SEGDDECODEGH1>},
    DecoderEntry{"SEGDDECODEGH2", 32, plain<d::Gh2Fields, d::SEGDDECODEGH2>},
    DecoderEntry{"SEGDDECODEGH3", 32, plain<d::Gh3Fields, d::SEGDDECODEGH3>},
    DecoderEntry{"SEGDDECODESCANTYPEHEADER", 32,
                 plain<d::ChannelSetFields, d::SEGDDECODESCANTYPEHEADER>},
    DecoderEntry{"SEGDDECODE408EXTERNALHEADER", 1024,
                 plain<d::ExternalHeaderFields, d::SEGDDECODE408EXTERNALHEADER>},
    DecoderEntry{"SEGDDECODEDEMUXTRACEHEADER", 20,
                 plain<d::DemuxTraceHeaderFields, d::SEGDDECODEDEMUXTRACEHEADER>},
    DecoderEntry{"SEGDDECODEVORAXGH3", 32, plain<d::VoraxGh3Fields, d::SEGDDECODEVORAXGH3>},
    DecoderEntry{"SEGDDECODEVORAXEXTENDEDHEADER", 64,
                 plain<d::VoraxExtendedFields, d::SEGDDECODEVORAXEXTENDEDHEADER>},
    DecoderEntry{"SEGDDECODEVORAXTRACEHEADEREXTBLOCK1", 32,
                 plain<d::VoraxTraceExt1Fields, d::SEGDDECODEVORAXTRACEHEADEREXTBLOCK1>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK1", 32,
                 plain<d::Ext408Block1Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK1>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK2", 32,
                 plain<d::Ext408Block2Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK2>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK3", 32,
                 plain<d::Ext408Block3Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK3>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK4", 32,
                 plain<d::Ext408Block4Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK4>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK5", 32,
                 plain<d::Ext408Block5Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK5>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK6", 32,
                 plain<d::Ext408Block6Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK6>},
    DecoderEntry{"SEGDDECODE408TRACEHEADEREXTBLOCK7", 32,
                 plain<d::Ext408Block7Fields, d::SEGDDECODE408TRACEHEADEREXTBLOCK7>},
    DecoderEntry{"SEGDDECODE408EXTENDEDHEADER", 1024,
                 plain<d::Ext408ExtendedFields, d::SEGDDECODE408EXTENDEDHEADER>},
    DecoderEntry{"SEGDDECODE388TRACEHEADEREXTBLOCK1", 32,
                 plain<d::Sn388Block1Fields, d::SEGDDECODE388TRACEHEADEREXTBLOCK1>},
    DecoderEntry{"SEGDDECODE388TRACEHEADEREXTBLOCK2", 32,
                 plain<d::Sn388Block2Fields, d::SEGDDECODE388TRACEHEADEREXTBLOCK2>},
    DecoderEntry{"SEGDDECODE388EXTENDEDHEADER", 1024,
                 plain<d::Sn388ExtendedFields, d::SEGDDECODE388EXTENDEDHEADER>},
    DecoderEntry{"DECODESEG2FILEHEADER", 32,
                 plain<d::Seg2FileHeaderFields, d::DECODESEG2FILEHEADER>},
    DecoderEntry{"DECODESEG2TRACEHEADER", 32, seg2TraceHeader},
    DecoderEntry{"DECODESEG2FILEDESCRIPTOR", 0,
                 seg2Strings<d::Seg2FileDescriptorFields, d::DECODESEG2FILEDESCRIPTOR>},
    DecoderEntry{"DECODESEG2TRACEDESCRIPTOR", 0,
                 seg2Strings<d::Seg2TraceDescriptorFields, d::DECODESEG2TRACEDESCRIPTOR>},
    DecoderEntry{"quick408fhl", kQuickFileHeaderBytes, plain<d::QuickFileHeader, d::quick408fhl>},
    DecoderEntry{"quick408gettracehl", 244, quickTrace},
    DecoderEntry{"vqc88decodefileheader", 2656,
                 plain<d::Vqc88FileHeader, d::vqc88decodefileheader>},
};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

DecodeContext decodeContextOf(d::Bytes fileStart) {
  DecodeContext context;
  if (!d::isSeg2(fileStart)) return context;
  context.seg2ByteOrderFlag = fileStart[0] == 0x55 ? "1" : "-";
  context.seg2Terminator.clear();
  const std::size_t count = std::min<std::size_t>(d::byteAt(fileStart, 8), 2);
  for (std::size_t i = 0; i < count; ++i)
    context.seg2Terminator.push_back(static_cast<char>(d::byteAt(fileStart, 9 + i)));
  return context;
}

std::span<const DecoderEntry> decoderEntries() {
  return kDecoders;
}

const DecoderEntry* findDecoder(std::string_view name) {
  for (const DecoderEntry& entry : kDecoders) {
    if (sameIgnoringCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

std::size_t stringListLength(d::Bytes bytes, const DecodeContext& context) {
  const bool pcOrder = context.seg2ByteOrderFlag == "1";
  std::size_t pos = 0;
  while (pos + 2 <= bytes.size()) {
    const std::size_t length = pcOrder ? d::littleU16(bytes, pos) : d::bigU16(bytes, pos);
    if (length < 2 || pos + length > bytes.size()) break;
    pos += length;
  }
  return pos;
}

}  // namespace vorax::cli
