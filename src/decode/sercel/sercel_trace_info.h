// Per-trace attributes of a Sercel 408/428 trace from its seven 32-byte trace header
// extension blocks: receiver position, receiver test values with their limits and error
// flags, unit identities, and the error colour the spread view paints the trace with.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_reader.h"
#include "decode/segd_record.h"
#include "decode/sercel/sercel_headers.h"

namespace vorax::decode {

inline constexpr std::size_t kSercelExtensionBlocks = 7;
inline constexpr std::size_t kSercelExtensionBytes =
    kSercelExtensionBlocks * sercel_layout::kExtensionBlockBytes;

// The seven decoded blocks of one trace; the loader reuses one set for every trace.
struct SercelExtensionRecords {
  Ext408Block1Fields block1;
  Ext408Block2Fields block2;
  Ext408Block3Fields block3;
  Ext408Block4Fields block4;
  Ext408Block5Fields block5;
  Ext408Block6Fields block6;
  Ext408Block7Fields block7;
};

// Decodes blocks 1-7 from the 224 bytes after a trace header (short input reads as zeros).
// The decoders' statuses are not kept: an unknown code only changes a text.
void decodeSercelExtensions(Bytes blocks, SercelExtensionRecords& out);

// Decodes only the blocks fillSevenBlockTraceInfo takes texts from (6 and 7), as loading a
// record does for every trace.
void decodeSercelTraceInfoTexts(Bytes blocks, SercelExtensionRecords& out);

inline constexpr Colorref kResistanceErrorColour = 0x0000FF;   // red
inline constexpr Colorref kCapacitanceErrorColour = 0xFF00FF;  // magenta
inline constexpr Colorref kTiltErrorColour = 0x00FF00;         // green
inline constexpr Colorref kLeakageErrorColour = 0xFF0000;      // blue
inline constexpr Colorref kSeveralErrorsColour = 0x00FFFF;     // yellow
inline constexpr Colorref kAuxiliaryTraceColour = 0xC0C0C0;    // grey

// The colour of a trace: 0 without errors; a single error's own colour (tested in the order
// resistance, capacitance, tilt, leakage, the later overwriting); yellow for two or more;
// grey for an auxiliary trace (channel type identification 9) whatever its errors.
Colorref sercelErrorColour(const TraceHeaderInfo& info, int channelTypeIdentification);

inline constexpr int kSeismicChannelType = 1;
inline constexpr int kAuxiliaryChannelType = 9;

// Replaces `info` with the attributes of one trace: everything but the peak sample index and
// the amplitude scale, which come from the samples. `blocks` are the raw bytes the records
// were decoded from: numbers are taken from the recorded binary values rather than re-read
// from the display texts, which cut long values to their widths. A trace whose own channel
// type identification (block 7 byte 15) is neither seismic (1) nor auxiliary (9) takes its
// kind and grey colour from `channelSetType`, the type its channel set declares, when that
// is one of the two (some recorders leave byte 15 undefined on every trace).
void fillSevenBlockTraceInfo(Bytes blocks, const SercelExtensionRecords& decoded,
                             TraceHeaderInfo& info, int channelSetType = 0);

}  // namespace vorax::decode
