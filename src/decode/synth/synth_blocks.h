// Byte builders for writing SEG-D records: BCD packing and the blocks every SEG-D flavour
// shares (general header blocks 1 and 2, channel-set descriptors, the 20-byte demultiplexed
// trace header, external header text, big-endian samples). Byte positions in the comments are
// 1-based within the block. Values that do not fit their field are the caller's error: the
// writers validate their options before building anything.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "decode/field_layout.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode::synth {

using Block32 = std::array<std::uint8_t, segd_layout::kBlockBytes>;

// Stores `value` as `digits` BCD digits (two per byte, high nibble first) at 0-based `offset`.
// An odd digit count starts in the low nibble of the first byte, leaving its high nibble.
// Binary fields use storeBig of byte_reader.h.
void storeBcd(std::span<std::uint8_t> out, std::size_t offset, std::uint64_t value, int digits);

// Writes into one field of a header layout: a number as binary for a Decimal field, as BCD
// digits for a Hex field (two a byte) and a digit field (its nibble alone), an IEEE value
// for a Single or Double field; a text's characters, cut to the field, the rest left as is.
void storeField(std::span<std::uint8_t> out, const FieldRow& row, std::uint64_t value);
void storeReal(std::span<std::uint8_t> out, const FieldRow& row, double value);
void storeFieldText(std::span<std::uint8_t> out, const FieldRow& row, std::string_view text);
// Writes `value` as a big-endian binary number over the whole field, whatever its encoding
// shows (binary counts the decoders show as hex digits).
void storeBinary(std::span<std::uint8_t> out, const FieldRow& row, std::uint64_t value);
// A line or point number at 0-based `offset` as three binary bytes of whole part and four
// BCD fraction digits.
void storeFractional(std::span<std::uint8_t> out, std::size_t offset, double value);

// General header byte 23 for a sample interval in ms (in 1/16 ms: 0.25 -> 0x04, 2 -> 0x20);
// 0 for an interval the VORAX reader does not accept (only 0.25, 0.5, 1, 2 and 4 ms).
int baseScanIntervalCode(double intervalMs);

// A high and a low nibble as one byte.
std::uint8_t nibbles(int high, int low);

struct RecordClock {
  int year = 24;  // two digits
  int dayOfYear = 130;
  int hour = 10;
  int minute = 42;
  int second = 17;
};

// What general header blocks 1 and 2 carry.
struct GeneralHeaderValues {
  int fileNumber = 1;                  // above 9999 block 1 holds FFFF; block 2 the full number
  int formatCode = 8058;               // four BCD digits
  std::uint64_t generalConstants = 0;  // twelve BCD digits
  RecordClock clock;
  int additionalBlocks = 2;
  int manufacturerCode = 31;     // two BCD digits
  int manufacturerSerial = 0;    // four BCD digits
  int baseScanInterval = 0x20;   // byte 23, in 1/16 ms: 0x04 0.25 ms .. 0x40 4 ms
  int recordTypeDigit = 8;       // 8 normal, 2 test
  int recordLengthMs = 0;        // block 1 says "FFF"; block 2 bytes 15-17 hold the length
  int channelSets = 1;           // two BCD digits
  int extendedHeaderBlocks = 2;  // two BCD digits in block 1; binary in block 2 bytes 6-7
  int externalHeaderBlocks = 0;  // likewise, block 2 bytes 8-9
  int revisionMajor = 2;
  int revisionMinor = 0;
};

Block32 generalHeaderBlock1(const GeneralHeaderValues& v);
Block32 generalHeaderBlock2(const GeneralHeaderValues& v);
// General header block 3's first 20 bytes (source line, point, index 1, set 1); the rest zero.
Block32 generalHeaderBlock3(int fileNumber, double sourceLine, double sourcePoint);

// One scan type header (channel-set descriptor).
struct ChannelSetValues {
  int number = 1;
  int channelCount = 0;           // four BCD digits
  int channelTypeDigit = 1;       // 1 seismic, 9 auxiliary
  int recordLengthMs = 0;         // end time, stored in units of 2 ms
  int aliasFilterHz = 0;          // BCD
  int aliasFilterSlope = 0;       // dB/octave, BCD
  int lowCutHz = 0;               // BCD
  int lowCutSlope = 0;            // BCD
  int traceHeaderExtensions = 1;  // low nibble of byte 29
  int verticalStack = 1;
};

Block32 channelSetDescriptor(const ChannelSetValues& v);

// The 20-byte demultiplexed trace header.
struct TraceHeaderValues {
  int fileNumber = 1;  // above 9999 bytes 1-2 hold FFFF and bytes 18-20 the number
  int channelSet = 1;
  int traceNumber = 1;  // within its channel set, four BCD digits
  int traceHeaderExtensions = 1;
  int traceEditCode = 0;  // 0 none, 2 dead before acquisition, 3 edited
};

std::array<std::uint8_t, segd_layout::kTraceHeaderBytes> demuxTraceHeader(
    const TraceHeaderValues& v);

// Number of 32-byte blocks that hold `text`.
int externalHeaderBlocksFor(std::string_view text);
// `text` padded with blanks to `blocks` x 32 bytes.
std::vector<std::uint8_t> externalHeaderBytes(std::string_view text, int blocks);

// Appends the samples as big-endian IEEE singles.
void appendBigFloats(std::vector<std::uint8_t>& out, std::span<const float> samples);

}  // namespace vorax::decode::synth
