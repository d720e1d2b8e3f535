// Headers of the VORAX-flavour SEG-D record (manufacturer code 31): general header block 3
// with the source coordinates, the 64-byte extended header with the recorder's settings and
// auxiliary-channel assignment, and the one 32-byte extension block of every trace.
//
// Conventions as in general_headers.h ("hex" and "decimal" fields, short buffers read as
// zero-padded); the bytes of the VORAX fields are their rows of vorax_layout.h. All three decoders
// return 0 and never fill `message`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/vorax/vorax_layout.h"

namespace vorax::decode {

// General header block 3 (32 bytes), VORAX layout: the standard block 3's first fields, then
// the source position.
struct VoraxGh3Fields {
  FixedText<6> expandedFileNumber;
  FixedText<10> sourceLineDigits;
  FixedText<10> sourcePointDigits;
  FixedText<2> sourcePointIndexDigits;
  FixedText<2> phaseControl;
  FixedText<2> vibratorType;
  FixedText<4> phaseAngle;
  FixedText<2> generalHeaderBlockNumber;
  FixedText<2> sourceSetNumber;
  // Whole hundredths of a metre. Ten wide: a 4-byte value has up to ten digits, and a
  // northing in hundredths commonly needs nine.
  FixedText<10> sourceX;
  FixedText<10> sourceY;
  FixedText<10> sourceZ;
  FixedText<10> sourceLine;       // bytes 4-6 integer, 7-8 four fraction digits
  FixedText<10> sourcePoint;      // bytes 9-11 integer, 12-13 fraction digits
  FixedText<3> sourcePointIndex;  // decimal 14
  FixedText<80> message;

  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    eachGh3SourceField(self, f);
    f(vorax_layout::gh3::kSourceX, self.sourceX);
    f(vorax_layout::gh3::kSourceY, self.sourceY);
    f(vorax_layout::gh3::kSourceZ, self.sourceZ);
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

inline constexpr std::size_t kAuxChannelCount = 14;

// The 64-byte extended header. Counts are BCD: trace count "0240" is 240 traces.
struct VoraxExtendedFields {
  FixedText<5> tapeNumber;
  FixedText<5> traceCount;
  FixedText<8> samplesPerTrace;
  FixedText<1> timeBreakDigit;
  FixedText<1> dataRetryDigit;
  FixedText<1> correlationDigit;
  FixedText<1> recordKindDigit;
  FixedText<1> filterPhaseDigit;
  FixedText<1> byte10SecondDigit;
  FixedText<8> bytes11To16;  // the first 8 of its 12 hex digits
  FixedText<8> bytes17To20;
  std::array<FixedText<1>, kAuxChannelCount> auxChannelCodes;
  FixedText<6> noiseEditDigits;
  FixedText<2> byte31;
  FixedText<2> byte32;
  FixedText<1> sourceTypeDigit;
  FixedText<1> byte33SecondDigit;
  FixedText<2> byte34;
  FixedText<6> valueA;
  FixedText<6> valueB;
  FixedText<6> upholeTime;
  FixedText<8> valueD;
  FixedText<4> bytes44To45;
  FixedText<4> bytes46To47;
  FixedText<4> valueE;
  FixedText<4> valueF;
  FixedText<1> arrayFilterDigit;
  FixedText<24> bytes54To64;
  FixedText<3> timeBreakKind;  // "FTB" / "ITB"
  FixedText<16> dataRetry;
  FixedText<16> correlation;
  FixedText<16> recordKind;
  FixedText<16> filterPhase;  // "Linear Phase" / "Minimum Phase"
  std::array<FixedText<16>, kAuxChannelCount> auxChannelTexts;
  FixedText<16> noiseEdit;
  FixedText<16> sourceType;
  // The numeric values of the digit fields above divided by 10, as shortest decimal text.
  FixedText<16> valueATenths;
  FixedText<16> valueBTenths;
  FixedText<16> upholeTimeTenths;
  FixedText<16> valueDTenths;
  FixedText<164> valueETenths;  // 164 wide, unlike its neighbours
  FixedText<16> valueFTenths;
  FixedText<16> arrayFilter;
  FixedText<80> message;

  // The fields held straight in the header's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = vorax_layout::extended;
    f(rows::kTapeNumber, self.tapeNumber);
    f(rows::kTraceCount, self.traceCount);
    f(rows::kSamplesPerTrace, self.samplesPerTrace);
    f(rows::kTimeBreakDigit, self.timeBreakDigit);
    f(rows::kDataRetryDigit, self.dataRetryDigit);
    f(rows::kCorrelationDigit, self.correlationDigit);
    f(rows::kRecordKindDigit, self.recordKindDigit);
    f(rows::kFilterPhaseDigit, self.filterPhaseDigit);
    f(rows::kByte10SecondDigit, self.byte10SecondDigit);
    f(rows::kBytes11To16, self.bytes11To16);
    f(rows::kBytes17To20, self.bytes17To20);
    for (std::size_t i = 0; i < kAuxChannelCount; ++i)
      f(rows::kAuxChannelCodes[i], self.auxChannelCodes[i]);
    f(rows::kNoiseEditDigits, self.noiseEditDigits);
    f(rows::kByte31, self.byte31);
    f(rows::kByte32, self.byte32);
    f(rows::kSourceTypeDigit, self.sourceTypeDigit);
    f(rows::kByte33SecondDigit, self.byte33SecondDigit);
    f(rows::kByte34, self.byte34);
    f(rows::kValueA, self.valueA);
    f(rows::kValueB, self.valueB);
    f(rows::kUpholeTime, self.upholeTime);
    f(rows::kValueD, self.valueD);
    f(rows::kBytes44To45, self.bytes44To45);
    f(rows::kBytes46To47, self.bytes46To47);
    f(rows::kValueE, self.valueE);
    f(rows::kValueF, self.valueF);
    f(rows::kArrayFilterDigit, self.arrayFilterDigit);
    f(rows::kBytes54To64, self.bytes54To64);
  }

  template <typename V>
  void visit(V&& v) const {
    static constexpr std::array<std::string_view, kAuxChannelCount> kTextNames{
        "aux_channel_text_1",  "aux_channel_text_2",  "aux_channel_text_3",  "aux_channel_text_4",
        "aux_channel_text_5",  "aux_channel_text_6",  "aux_channel_text_7",  "aux_channel_text_8",
        "aux_channel_text_9",  "aux_channel_text_10", "aux_channel_text_11", "aux_channel_text_12",
        "aux_channel_text_13", "aux_channel_text_14"};
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("time_break_kind", timeBreakKind);
    v("data_retry", dataRetry);
    v("correlation", correlation);
    v("record_kind", recordKind);
    v("filter_phase", filterPhase);
    for (std::size_t i = 0; i < kAuxChannelCount; ++i) v(kTextNames[i], auxChannelTexts[i]);
    v("noise_edit", noiseEdit);
    v("source_type", sourceType);
    v("value_a_tenths", valueATenths);
    v("value_b_tenths", valueBTenths);
    v("uphole_time_tenths", upholeTimeTenths);
    v("value_d_tenths", valueDTenths);
    v("value_e_tenths", valueETenths);
    v("value_f_tenths", valueFTenths);
    v("array_filter", arrayFilter);
    v("message", message);
  }
};

// The trace header extension block (32 bytes) of the VORAX layout.
struct VoraxTraceExt1Fields {
  FixedText<6> receiverLine;
  FixedText<6> receiverPoint;
  FixedText<2> receiverPointIndex;
  FixedText<6> samplesPerTrace;
  FixedText<2> byte11;
  FixedText<2> byte12;
  FixedText<10> receiverX;  // hundredths of a metre
  FixedText<10> receiverY;  // hundredths of a metre
  FixedText<2> byte21;
  FixedText<8> unitIdentifier;
  FixedText<1> byte26FirstDigit;
  FixedText<1> byte26SecondDigit;
  FixedText<4> bytes27To28;
  FixedText<4> bytes29To30;
  FixedText<4> byte31;
  FixedText<2> byte31Again;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = vorax_layout::extension;
    f(rows::kReceiverLine, self.receiverLine);
    f(rows::kReceiverPoint, self.receiverPoint);
    f(rows::kReceiverPointIndex, self.receiverPointIndex);
    f(rows::kSamplesPerTrace, self.samplesPerTrace);
    f(rows::kByte11, self.byte11);
    f(rows::kByte12, self.byte12);
    f(rows::kReceiverX, self.receiverX);
    f(rows::kReceiverY, self.receiverY);
    f(rows::kByte21, self.byte21);
    f(rows::kUnitIdentifier, self.unitIdentifier);
    f(rows::kByte26FirstDigit, self.byte26FirstDigit);
    f(rows::kByte26SecondDigit, self.byte26SecondDigit);
    f(rows::kBytes27To28, self.bytes27To28);
    f(rows::kBytes29To30, self.bytes29To30);
    f(rows::kByte31, self.byte31);
    f(rows::kByte31Again, self.byte31Again);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("message", message);
  }
};

std::int32_t SEGDDECODEVORAXGH3(Bytes buffer, VoraxGh3Fields& out);
std::int32_t SEGDDECODEVORAXEXTENDEDHEADER(Bytes buffer, VoraxExtendedFields& out);
std::int32_t SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(Bytes buffer, VoraxTraceExt1Fields& out);

}  // namespace vorax::decode
