// SEG-D general header blocks 1-3, scan type headers (channel set descriptors) and the
// external header, decoded into fixed-width display texts.
//
// Every decoder takes the block's bytes (a shorter buffer reads as if padded with zero bytes)
// and returns 0 good, a positive warning or a negative fatal status; a non-zero status fills
// `message`. Byte positions in the comments are 1-based within the block. "hex" fields hold
// each byte as two upper-case hex digits (the way BCD is held); "decimal" fields hold the
// bytes read as one big-endian unsigned integer.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/block_text.h"

namespace vorax::decode {

// General header block 1 (32 bytes).
struct Gh1Fields {
  FixedText<4> fileNumber;              // hex 1-2
  FixedText<4> formatCode;              // hex 3-4
  FixedText<12> generalConstants;       // hex 5-10
  FixedText<2> year;                    // hex 11
  FixedText<1> additionalBlocks;        // high digit of 12
  FixedText<3> julianDay;               // low digit of 12, hex 13
  FixedText<2> hour;                    // hex 14
  FixedText<2> minute;                  // hex 15
  FixedText<2> second;                  // hex 16
  FixedText<2> manufacturerCode;        // hex 17
  FixedText<4> manufacturerSerial;      // hex 18-19
  FixedText<6> bytesPerScan;            // hex 20-22
  FixedText<2> baseScanIntervalCode;    // hex 23
  FixedText<1> polarity;                // high digit of 24
  FixedText<3> scansPerBlock;           // low digit of 24, hex 25
  FixedText<1> recordTypeCode;          // high digit of 26
  FixedText<3> recordLength;            // low digit of 26, hex 27
  FixedText<2> scanTypesPerRecord;      // hex 28
  FixedText<2> channelSetsPerScanType;  // hex 29
  FixedText<2> skewBlocks;              // hex 30
  FixedText<2> extendedHeaderBlocks;    // hex 31
  FixedText<2> externalHeaderBlocks;    // hex 32
  FixedText<20> formatText;
  FixedText<20> manufacturerText;
  FixedText<10> dateText;         // "2005-03-07"
  FixedText<8> timeText;          // "hh:mm:ss"
  FixedText<30> instrumentModel;  // manufacturer 13 only
  FixedText<4> sampleIntervalMs;  // "0.25" .. "4"
  FixedText<10> recordTypeText;   // "Normal", "Test", "Unknown"
  FixedText<20> recordLengthText;
  FixedText<12> extendedHeaderLength;  // bytes, or "From GH2"
  FixedText<12> externalHeaderLength;  // bytes, or "From GH2"
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("file_number", fileNumber);
    v("format_code", formatCode);
    v("general_constants", generalConstants);
    v("year", year);
    v("additional_blocks", additionalBlocks);
    v("julian_day", julianDay);
    v("hour", hour);
    v("minute", minute);
    v("second", second);
    v("manufacturer_code", manufacturerCode);
    v("manufacturer_serial", manufacturerSerial);
    v("bytes_per_scan", bytesPerScan);
    v("base_scan_interval_code", baseScanIntervalCode);
    v("polarity", polarity);
    v("scans_per_block", scansPerBlock);
    v("record_type_code", recordTypeCode);
    v("record_length", recordLength);
    v("scan_types_per_record", scanTypesPerRecord);
    v("channel_sets_per_scan_type", channelSetsPerScanType);
    v("skew_blocks", skewBlocks);
    v("extended_header_blocks", extendedHeaderBlocks);
    v("external_header_blocks", externalHeaderBlocks);
    v("format_text", formatText);
    v("manufacturer_text", manufacturerText);
    v("date_text", dateText);
    v("time_text", timeText);
    v("instrument_model", instrumentModel);
    v("sample_interval_ms", sampleIntervalMs);
    v("record_type_text", recordTypeText);
    v("record_length_text", recordLengthText);
    v("extended_header_length", extendedHeaderLength);
    v("external_header_length", externalHeaderLength);
    v("message", message);
  }
};

// General header block 2 (32 bytes). Its decoder always returns 0.
struct Gh2Fields {
  FixedText<6> expandedFileNumber;         // hex 1-3
  FixedText<4> extendedChannelSets;        // hex 4-5
  FixedText<4> extendedHeaderBlocks;       // hex 6-7
  FixedText<4> externalHeaderBlocks;       // hex 8-9
  FixedText<2> byte10;                     // hex 10
  FixedText<4> segdRevision;               // hex 11-12
  FixedText<4> generalTrailerBlocks;       // hex 13-14
  FixedText<6> extendedRecordLength;       // hex 15-17
  FixedText<2> byte18;                     // hex 18
  FixedText<2> generalHeaderBlockNumber;   // hex 19
  FixedText<26> bytes20To32;               // hex 20-32
  FixedText<10> expandedFileNumberValue;   // decimal 1-3
  FixedText<6> revisionText;               // "2.0"
  FixedText<6> extendedRecordLengthValue;  // decimal 15-17
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("expanded_file_number", expandedFileNumber);
    v("extended_channel_sets", extendedChannelSets);
    v("extended_header_blocks", extendedHeaderBlocks);
    v("external_header_blocks", externalHeaderBlocks);
    v("byte_10", byte10);
    v("segd_revision", segdRevision);
    v("general_trailer_blocks", generalTrailerBlocks);
    v("extended_record_length", extendedRecordLength);
    v("byte_18", byte18);
    v("general_header_block_number", generalHeaderBlockNumber);
    v("bytes_20_to_32", bytes20To32);
    v("expanded_file_number_value", expandedFileNumberValue);
    v("revision_text", revisionText);
    v("extended_record_length_value", extendedRecordLengthValue);
    v("message", message);
  }
};

// General header block 3 (32 bytes), standard layout. Its decoder always returns 0.
struct Gh3Fields {
  FixedText<6> expandedFileNumber;        // hex 1-3
  FixedText<10> sourceLineDigits;         // hex 4-8
  FixedText<10> sourcePointDigits;        // hex 9-13
  FixedText<2> sourcePointIndexDigits;    // hex 14
  FixedText<2> phaseControl;              // hex 15
  FixedText<2> vibratorType;              // hex 16
  FixedText<4> phaseAngle;                // hex 17-18
  FixedText<2> generalHeaderBlockNumber;  // hex 19
  FixedText<2> sourceSetNumber;           // hex 20
  FixedText<24> bytes21To32;              // hex 21-32
  FixedText<10> sourceLine;               // bytes 4-6 integer, 7-8 four fraction digits
  FixedText<10> sourcePoint;              // bytes 9-11 integer, 12-13 fraction digits
  FixedText<3> sourcePointIndex;          // decimal 14
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("expanded_file_number", expandedFileNumber);
    v("source_line_digits", sourceLineDigits);
    v("source_point_digits", sourcePointDigits);
    v("source_point_index_digits", sourcePointIndexDigits);
    v("phase_control", phaseControl);
    v("vibrator_type", vibratorType);
    v("phase_angle", phaseAngle);
    v("general_header_block_number", generalHeaderBlockNumber);
    v("source_set_number", sourceSetNumber);
    v("bytes_21_to_32", bytes21To32);
    v("source_line", sourceLine);
    v("source_point", sourcePoint);
    v("source_point_index", sourcePointIndex);
    v("message", message);
  }
};

// One scan type header (channel set descriptor, 32 bytes), every field hex digits. Its
// decoder always returns 0; no code is checked.
struct ChannelSetFields {
  FixedText<2> scanTypeNumber;            // 1
  FixedText<2> channelSetNumber;          // 2
  FixedText<5> startTime;                 // 3-4
  FixedText<5> endTime;                   // 5-6
  FixedText<4> descaleMultiplier;         // 7-8
  FixedText<4> channelCount;              // 9-10
  FixedText<1> channelType;               // high digit of 11
  FixedText<1> channelTypeSecondDigit;    // low digit of 11
  FixedText<1> subscans;                  // high digit of 12
  FixedText<1> channelGainControl;        // low digit of 12
  FixedText<4> aliasFilterFrequency;      // 13-14
  FixedText<4> aliasFilterSlope;          // 15-16
  FixedText<4> lowCutFilter;              // 17-18
  FixedText<4> lowCutSlope;               // 19-20
  FixedText<4> firstNotch;                // 21-22
  FixedText<4> secondNotch;               // 23-24
  FixedText<4> thirdNotch;                // 25-26
  FixedText<4> extendedChannelSetNumber;  // 27-28
  FixedText<1> extendedHeaderFlag;        // high digit of 29
  FixedText<1> traceHeaderExtensions;     // low digit of 29
  FixedText<2> verticalStack;             // 30
  FixedText<2> streamerCableNumber;       // 31
  FixedText<2> arrayForming;              // 32
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("scan_type_number", scanTypeNumber);
    v("channel_set_number", channelSetNumber);
    v("start_time", startTime);
    v("end_time", endTime);
    v("descale_multiplier", descaleMultiplier);
    v("channel_count", channelCount);
    v("channel_type", channelType);
    v("channel_type_second_digit", channelTypeSecondDigit);
    v("subscans", subscans);
    v("channel_gain_control", channelGainControl);
    v("alias_filter_frequency", aliasFilterFrequency);
    v("alias_filter_slope", aliasFilterSlope);
    v("low_cut_filter", lowCutFilter);
    v("low_cut_slope", lowCutSlope);
    v("first_notch", firstNotch);
    v("second_notch", secondNotch);
    v("third_notch", thirdNotch);
    v("extended_channel_set_number", extendedChannelSetNumber);
    v("extended_header_flag", extendedHeaderFlag);
    v("trace_header_extensions", traceHeaderExtensions);
    v("vertical_stack", verticalStack);
    v("streamer_cable_number", streamerCableNumber);
    v("array_forming", arrayForming);
    v("message", message);
  }
};

// The first 1024 bytes of the external header, as hex digits and as characters. Bytes
// missing from a shorter header count as zero. Its decoder always returns 0.
struct ExternalHeaderFields {
  FixedText<2048> hexDigits;
  FixedText<1024> text;  // control characters, 127 and bytes above 127 shown as blanks
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("hex_digits", hexDigits);
    v("text", text);
    v("message", message);
  }
};

// Status: 0 good; 1 VQC-88 file (stops after the manufacturer text); 2 unknown
// manufacturer (decoding goes on); -1 unknown format code, -3 sample interval code,
// -4 record type (each stops at once, later fields keep what they held).
std::int32_t SEGDDECODEGH1(Bytes buffer, Gh1Fields& out);
std::int32_t SEGDDECODEGH2(Bytes buffer, Gh2Fields& out);
// Bytes 1-20 of general header block 3 and the texts made from them, which the standard and
// the VORAX layouts share (they differ only in bytes 21-32).
template <typename Gh3Record>
void fillGh3SourceFields(const Block& b, Gh3Record& out) {
  out.expandedFileNumber = hexOf(b, 1, 3);
  out.sourceLineDigits = hexOf(b, 4, 8);
  out.sourcePointDigits = hexOf(b, 9, 13);
  out.sourcePointIndexDigits = hexOf(b, 14, 14);
  out.phaseControl = hexOf(b, 15, 15);
  out.vibratorType = hexOf(b, 16, 16);
  out.phaseAngle = hexOf(b, 17, 18);
  out.generalHeaderBlockNumber = hexOf(b, 19, 19);
  out.sourceSetNumber = hexOf(b, 20, 20);
  out.sourceLine = fractionaltext(b.bytes(4, 8));
  out.sourcePoint = fractionaltext(b.bytes(9, 13));
  out.sourcePointIndex = decimalOf(b, 14, 14);
}

std::int32_t SEGDDECODEGH3(Bytes buffer, Gh3Fields& out);
std::int32_t SEGDDECODESCANTYPEHEADER(Bytes buffer, ChannelSetFields& out);
std::int32_t SEGDDECODE408EXTERNALHEADER(Bytes buffer, ExternalHeaderFields& out);

}  // namespace vorax::decode
