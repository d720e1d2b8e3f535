// Headers of the VORAX-flavour SEG-D record (manufacturer code 31): general header block 3
// with the source coordinates, the 64-byte extended header with the recorder's settings and
// auxiliary-channel assignment, and the one 32-byte extension block of every trace.
//
// Conventions as in general_headers.h (1-based byte positions, "hex" and "decimal" fields,
// short buffers read as zero-padded). All three decoders return 0 and never fill `message`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

// General header block 3 (32 bytes), VORAX layout: bytes 21-32 hold the source position.
struct VoraxGh3Fields {
  FixedText<6> expandedFileNumber;        // hex 1-3
  FixedText<10> sourceLineDigits;         // hex 4-8
  FixedText<10> sourcePointDigits;        // hex 9-13
  FixedText<2> sourcePointIndexDigits;    // hex 14
  FixedText<2> phaseControl;              // hex 15
  FixedText<2> vibratorType;              // hex 16
  FixedText<4> phaseAngle;                // hex 17-18
  FixedText<2> generalHeaderBlockNumber;  // hex 19
  FixedText<2> sourceSetNumber;           // hex 20
  // Whole hundredths of a metre, decimal of 21-24, 25-28, 29-32. Ten wide: a 4-byte value
  // has up to ten digits, and a northing in hundredths commonly needs nine.
  FixedText<10> sourceX;
  FixedText<10> sourceY;
  FixedText<10> sourceZ;
  FixedText<10> sourceLine;       // bytes 4-6 integer, 7-8 four fraction digits
  FixedText<10> sourcePoint;      // bytes 9-11 integer, 12-13 fraction digits
  FixedText<3> sourcePointIndex;  // decimal 14
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
    v("source_x", sourceX);
    v("source_y", sourceY);
    v("source_z", sourceZ);
    v("source_line", sourceLine);
    v("source_point", sourcePoint);
    v("source_point_index", sourcePointIndex);
    v("message", message);
  }
};

inline constexpr std::size_t kAuxChannelCount = 14;

// The 64-byte extended header. Counts are BCD: trace count "0240" is 240 traces.
struct VoraxExtendedFields {
  FixedText<5> tapeNumber;         // hex 1-2
  FixedText<5> traceCount;         // hex 3-4
  FixedText<8> samplesPerTrace;    // hex 5-7
  FixedText<1> timeBreakDigit;     // high digit of 8
  FixedText<1> dataRetryDigit;     // low digit of 8
  FixedText<1> correlationDigit;   // high digit of 9
  FixedText<1> recordKindDigit;    // low digit of 9
  FixedText<1> filterPhaseDigit;   // high digit of 10
  FixedText<1> byte10SecondDigit;  // low digit of 10
  FixedText<8> bytes11To16;        // first 8 of the 12 hex digits of 11-16
  FixedText<8> bytes17To20;        // hex 17-20
  // One hex digit each: the 6 digits of bytes 21-23, then the 8 digits of bytes 24-27.
  std::array<FixedText<1>, kAuxChannelCount> auxChannelCodes;
  FixedText<6> noiseEditDigits;    // hex 28-30
  FixedText<2> byte31;             // hex 31
  FixedText<2> byte32;             // hex 32
  FixedText<1> sourceTypeDigit;    // high digit of 33
  FixedText<1> byte33SecondDigit;  // low digit of 33
  FixedText<2> byte34;             // hex 34
  FixedText<6> valueA;             // hex 35-36
  FixedText<6> valueB;             // hex 37-38
  FixedText<6> upholeTime;         // hex 39-40
  FixedText<8> valueD;             // hex 41-43
  FixedText<4> bytes44To45;        // hex 44-45
  FixedText<4> bytes46To47;        // hex 46-47
  FixedText<4> valueE;             // hex 48-49
  FixedText<4> valueF;             // hex 50-51
  FixedText<1> arrayFilterDigit;   // high digit of 52
  FixedText<24> bytes54To64;       // hex 54-64; byte 53 is not read
  FixedText<3> timeBreakKind;      // "FTB" / "ITB"
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

  template <typename V>
  void visit(V&& v) const {
    static constexpr std::array<std::string_view, kAuxChannelCount> kCodeNames{
        "aux_channel_code_1",  "aux_channel_code_2",  "aux_channel_code_3",  "aux_channel_code_4",
        "aux_channel_code_5",  "aux_channel_code_6",  "aux_channel_code_7",  "aux_channel_code_8",
        "aux_channel_code_9",  "aux_channel_code_10", "aux_channel_code_11", "aux_channel_code_12",
        "aux_channel_code_13", "aux_channel_code_14"};
    static constexpr std::array<std::string_view, kAuxChannelCount> kTextNames{
        "aux_channel_text_1",  "aux_channel_text_2",  "aux_channel_text_3",  "aux_channel_text_4",
        "aux_channel_text_5",  "aux_channel_text_6",  "aux_channel_text_7",  "aux_channel_text_8",
        "aux_channel_text_9",  "aux_channel_text_10", "aux_channel_text_11", "aux_channel_text_12",
        "aux_channel_text_13", "aux_channel_text_14"};
    v("tape_number", tapeNumber);
    v("trace_count", traceCount);
    v("samples_per_trace", samplesPerTrace);
    v("time_break_digit", timeBreakDigit);
    v("data_retry_digit", dataRetryDigit);
    v("correlation_digit", correlationDigit);
    v("record_kind_digit", recordKindDigit);
    v("filter_phase_digit", filterPhaseDigit);
    v("byte_10_second_digit", byte10SecondDigit);
    v("bytes_11_to_16", bytes11To16);
    v("bytes_17_to_20", bytes17To20);
    for (std::size_t i = 0; i < kAuxChannelCount; ++i) v(kCodeNames[i], auxChannelCodes[i]);
    v("noise_edit_digits", noiseEditDigits);
    v("byte_31", byte31);
    v("byte_32", byte32);
    v("source_type_digit", sourceTypeDigit);
    v("byte_33_second_digit", byte33SecondDigit);
    v("byte_34", byte34);
    v("value_a", valueA);
    v("value_b", valueB);
    v("uphole_time", upholeTime);
    v("value_d", valueD);
    v("bytes_44_to_45", bytes44To45);
    v("bytes_46_to_47", bytes46To47);
    v("value_e", valueE);
    v("value_f", valueF);
    v("array_filter_digit", arrayFilterDigit);
    v("bytes_54_to_64", bytes54To64);
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

// The trace header extension block (32 bytes) of the VORAX layout. Byte 32 is not read.
struct VoraxTraceExt1Fields {
  FixedText<6> receiverLine;        // decimal 1-3
  FixedText<6> receiverPoint;       // decimal 4-6
  FixedText<2> receiverPointIndex;  // decimal 7
  FixedText<6> samplesPerTrace;     // decimal 8-10
  FixedText<2> byte11;              // hex 11
  FixedText<2> byte12;              // hex 12
  FixedText<10> receiverX;          // decimal 13-16, hundredths of a metre
  FixedText<10> receiverY;          // decimal 17-20, hundredths of a metre
  FixedText<2> byte21;              // hex 21
  FixedText<8> unitIdentifier;      // hex 22-25
  FixedText<1> byte26FirstDigit;    // high digit of 26
  FixedText<1> byte26SecondDigit;   // low digit of 26
  FixedText<4> bytes27To28;         // hex 27-28
  FixedText<4> bytes29To30;         // hex 29-30
  FixedText<4> byte31;              // hex 31
  FixedText<2> byte31Again;         // hex 31
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("receiver_line", receiverLine);
    v("receiver_point", receiverPoint);
    v("receiver_point_index", receiverPointIndex);
    v("samples_per_trace", samplesPerTrace);
    v("byte_11", byte11);
    v("byte_12", byte12);
    v("receiver_x", receiverX);
    v("receiver_y", receiverY);
    v("byte_21", byte21);
    v("unit_identifier", unitIdentifier);
    v("byte_26_first_digit", byte26FirstDigit);
    v("byte_26_second_digit", byte26SecondDigit);
    v("bytes_27_to_28", bytes27To28);
    v("bytes_29_to_30", bytes29To30);
    v("byte_31", byte31);
    v("byte_31_again", byte31Again);
    v("message", message);
  }
};

std::int32_t SEGDDECODEVORAXGH3(Bytes buffer, VoraxGh3Fields& out);
std::int32_t SEGDDECODEVORAXEXTENDEDHEADER(Bytes buffer, VoraxExtendedFields& out);
std::int32_t SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(Bytes buffer, VoraxTraceExt1Fields& out);

}  // namespace vorax::decode
