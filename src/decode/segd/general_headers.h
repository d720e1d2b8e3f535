// SEG-D general header blocks 1-3, scan type headers (channel set descriptors) and the
// external header, decoded into fixed-width display texts.
//
// Every decoder takes the block's bytes (a shorter buffer reads as if padded with zero bytes)
// and returns 0 good, a positive warning or a negative fatal status; a non-zero status fills
// `message`. The fields held straight in a block's bytes take their positions and encodings
// from segd_layout.h; byte positions in the comments are 1-based within the block.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/block_text.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode {

// General header block 1 (32 bytes).
struct Gh1Fields {
  FixedText<4> fileNumber;
  FixedText<4> formatCode;
  FixedText<12> generalConstants;
  FixedText<2> year;
  FixedText<1> additionalBlocks;
  FixedText<3> julianDay;
  FixedText<2> hour;
  FixedText<2> minute;
  FixedText<2> second;
  FixedText<2> manufacturerCode;
  FixedText<4> manufacturerSerial;
  FixedText<6> bytesPerScan;
  FixedText<2> baseScanIntervalCode;
  FixedText<1> polarity;
  FixedText<3> scansPerBlock;
  FixedText<1> recordTypeCode;
  FixedText<3> recordLength;
  FixedText<2> scanTypesPerRecord;
  FixedText<2> channelSetsPerScanType;
  FixedText<2> skewBlocks;
  FixedText<2> extendedHeaderBlocks;
  FixedText<2> externalHeaderBlocks;
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

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = segd_layout::gh1;
    f(rows::kFileNumber, self.fileNumber);
    f(rows::kFormatCode, self.formatCode);
    f(rows::kGeneralConstants, self.generalConstants);
    f(rows::kYear, self.year);
    f(rows::kAdditionalBlocks, self.additionalBlocks);
    f(rows::kJulianDay, self.julianDay);
    f(rows::kHour, self.hour);
    f(rows::kMinute, self.minute);
    f(rows::kSecond, self.second);
    f(rows::kManufacturerCode, self.manufacturerCode);
    f(rows::kManufacturerSerial, self.manufacturerSerial);
    f(rows::kBytesPerScan, self.bytesPerScan);
    f(rows::kBaseScanIntervalCode, self.baseScanIntervalCode);
    f(rows::kPolarity, self.polarity);
    f(rows::kScansPerBlock, self.scansPerBlock);
    f(rows::kRecordTypeCode, self.recordTypeCode);
    f(rows::kRecordLength, self.recordLength);
    f(rows::kScanTypesPerRecord, self.scanTypesPerRecord);
    f(rows::kChannelSetsPerScanType, self.channelSetsPerScanType);
    f(rows::kSkewBlocks, self.skewBlocks);
    f(rows::kExtendedHeaderBlocks, self.extendedHeaderBlocks);
    f(rows::kExternalHeaderBlocks, self.externalHeaderBlocks);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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
  FixedText<6> expandedFileNumber;
  FixedText<4> extendedChannelSets;
  FixedText<4> extendedHeaderBlocks;
  FixedText<4> externalHeaderBlocks;
  FixedText<2> byte10;
  FixedText<4> segdRevision;
  FixedText<4> generalTrailerBlocks;
  FixedText<6> extendedRecordLength;
  FixedText<2> byte18;
  FixedText<2> generalHeaderBlockNumber;
  FixedText<26> bytes20To32;
  FixedText<10> expandedFileNumberValue;   // decimal 1-3
  FixedText<6> revisionText;               // "2.0"
  FixedText<6> extendedRecordLengthValue;  // decimal 15-17
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = segd_layout::gh2;
    f(rows::kExpandedFileNumber, self.expandedFileNumber);
    f(rows::kExtendedChannelSets, self.extendedChannelSets);
    f(rows::kExtendedHeaderBlocks, self.extendedHeaderBlocks);
    f(rows::kExternalHeaderBlocks, self.externalHeaderBlocks);
    f(rows::kByte10, self.byte10);
    f(rows::kSegdRevision, self.segdRevision);
    f(rows::kGeneralTrailerBlocks, self.generalTrailerBlocks);
    f(rows::kExtendedRecordLength, self.extendedRecordLength);
    f(rows::kByte18, self.byte18);
    f(rows::kGeneralHeaderBlockNumber, self.generalHeaderBlockNumber);
    f(rows::kBytes20To32, self.bytes20To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("expanded_file_number_value", expandedFileNumberValue);
    v("revision_text", revisionText);
    v("extended_record_length_value", extendedRecordLengthValue);
    v("message", message);
  }
};

// Bytes 1-20 of general header block 3, each with its layout row: the standard and the VORAX
// layouts share them (they differ only in bytes 21-32).
template <typename Self, typename F>
void eachGh3SourceField(Self& self, F&& f) {
  namespace rows = segd_layout::gh3;
  f(rows::kExpandedFileNumber, self.expandedFileNumber);
  f(rows::kSourceLineDigits, self.sourceLineDigits);
  f(rows::kSourcePointDigits, self.sourcePointDigits);
  f(rows::kSourcePointIndexDigits, self.sourcePointIndexDigits);
  f(rows::kPhaseControl, self.phaseControl);
  f(rows::kVibratorType, self.vibratorType);
  f(rows::kPhaseAngle, self.phaseAngle);
  f(rows::kGeneralHeaderBlockNumber, self.generalHeaderBlockNumber);
  f(rows::kSourceSetNumber, self.sourceSetNumber);
}

// General header block 3 (32 bytes), standard layout. Its decoder always returns 0.
struct Gh3Fields {
  FixedText<6> expandedFileNumber;
  FixedText<10> sourceLineDigits;
  FixedText<10> sourcePointDigits;
  FixedText<2> sourcePointIndexDigits;
  FixedText<2> phaseControl;
  FixedText<2> vibratorType;
  FixedText<4> phaseAngle;
  FixedText<2> generalHeaderBlockNumber;
  FixedText<2> sourceSetNumber;
  FixedText<24> bytes21To32;
  FixedText<10> sourceLine;       // bytes 4-6 integer, 7-8 four fraction digits
  FixedText<10> sourcePoint;      // bytes 9-11 integer, 12-13 fraction digits
  FixedText<3> sourcePointIndex;  // decimal 14
  FixedText<80> message;

  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    eachGh3SourceField(self, f);
    f(segd_layout::gh3::kBytes21To32, self.bytes21To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("source_line", sourceLine);
    v("source_point", sourcePoint);
    v("source_point_index", sourcePointIndex);
    v("message", message);
  }
};

// One scan type header (channel set descriptor, 32 bytes), every field hex digits. Its
// decoder always returns 0; no code is checked.
struct ChannelSetFields {
  FixedText<2> scanTypeNumber;
  FixedText<2> channelSetNumber;
  FixedText<5> startTime;
  FixedText<5> endTime;
  FixedText<4> descaleMultiplier;
  FixedText<4> channelCount;
  FixedText<1> channelType;
  FixedText<1> channelTypeSecondDigit;
  FixedText<1> subscans;
  FixedText<1> channelGainControl;
  FixedText<4> aliasFilterFrequency;
  FixedText<4> aliasFilterSlope;
  FixedText<4> lowCutFilter;
  FixedText<4> lowCutSlope;
  FixedText<4> firstNotch;
  FixedText<4> secondNotch;
  FixedText<4> thirdNotch;
  FixedText<4> extendedChannelSetNumber;
  FixedText<1> extendedHeaderFlag;
  FixedText<1> traceHeaderExtensions;
  FixedText<2> verticalStack;
  FixedText<2> streamerCableNumber;
  FixedText<2> arrayForming;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = segd_layout::channel_set;
    f(rows::kScanTypeNumber, self.scanTypeNumber);
    f(rows::kChannelSetNumber, self.channelSetNumber);
    f(rows::kStartTime, self.startTime);
    f(rows::kEndTime, self.endTime);
    f(rows::kDescaleMultiplier, self.descaleMultiplier);
    f(rows::kChannelCount, self.channelCount);
    f(rows::kChannelType, self.channelType);
    f(rows::kChannelTypeSecondDigit, self.channelTypeSecondDigit);
    f(rows::kSubscans, self.subscans);
    f(rows::kChannelGainControl, self.channelGainControl);
    f(rows::kAliasFilterFrequency, self.aliasFilterFrequency);
    f(rows::kAliasFilterSlope, self.aliasFilterSlope);
    f(rows::kLowCutFilter, self.lowCutFilter);
    f(rows::kLowCutSlope, self.lowCutSlope);
    f(rows::kFirstNotch, self.firstNotch);
    f(rows::kSecondNotch, self.secondNotch);
    f(rows::kThirdNotch, self.thirdNotch);
    f(rows::kExtendedChannelSetNumber, self.extendedChannelSetNumber);
    f(rows::kExtendedHeaderFlag, self.extendedHeaderFlag);
    f(rows::kTraceHeaderExtensions, self.traceHeaderExtensions);
    f(rows::kVerticalStack, self.verticalStack);
    f(rows::kStreamerCableNumber, self.streamerCableNumber);
    f(rows::kArrayForming, self.arrayForming);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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
// The texts made from bytes 4-14 of general header block 3 (standard and VORAX layouts).
template <typename Gh3Record>
void fillGh3SourceTexts(const Block& b, Gh3Record& out) {
  namespace rows = segd_layout::gh3;
  out.sourceLine =
      fractionaltext(b.bytes(rows::kSourceLineDigits.first, rows::kSourceLineDigits.last));
  out.sourcePoint =
      fractionaltext(b.bytes(rows::kSourcePointDigits.first, rows::kSourcePointDigits.last));
  out.sourcePointIndex = decimalOf(b, rows::kSourcePointIndexDigits);
}

std::int32_t SEGDDECODEGH3(Bytes buffer, Gh3Fields& out);
std::int32_t SEGDDECODESCANTYPEHEADER(Bytes buffer, ChannelSetFields& out);
std::int32_t SEGDDECODE408EXTERNALHEADER(Bytes buffer, ExternalHeaderFields& out);

}  // namespace vorax::decode
