// Sercel SN388 forms of the SEG-D extension data: trace header extension blocks 1 and 2 and
// the extended header, decoded into fixed-width display texts.
//
// Byte positions in the comments are 1-based within the block; "decimal" is the bytes read as
// one big-endian unsigned integer, "hex" two upper-case hex digits per byte, "single" and
// "double" big-endian IEEE values as decimal text. A shorter buffer reads as if padded with
// zero bytes. Every check runs; the status and message are those of the last failing check.
//
// Code tables compare the full decimal value of a field, not its text cut to the field's
// width, so an unknown code that happens to begin with a known digit is still reported.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

// Trace header extension block 1 (32 bytes). Status 0, or 1 for any unknown code.
struct Sn388Block1Fields {
  FixedText<6> receiverLineNumber;    // decimal 1-3
  FixedText<6> receiverPointNumber;   // decimal 4-6
  FixedText<2> receiverPointIndex;    // decimal 7
  FixedText<6> samplesPerTrace;       // decimal 8-10
  FixedText<6> bytes11To13;           // decimal
  FixedText<1> channelFilterCode;     // decimal 14
  FixedText<2> channelGain;           // decimal 15
  FixedText<2> unitTypeValue;         // byte 16 AND 0xF0, decimal
  FixedText<2> channelTypeValue;      // byte 16 AND 0x0F, decimal
  FixedText<2> noiseEliminationCode;  // decimal 17
  FixedText<2> processCode;           // decimal 18
  FixedText<1> statusByte;            // decimal 19
  FixedText<2> byte20;
  FixedText<2> byte21;
  FixedText<4> bytes22To23;
  FixedText<5> bytes24To25;
  FixedText<3> byte26;
  FixedText<15> bytes27To30;  // single; "1" when the value is 0
  FixedText<4> bytes31To32;   // hex
  FixedText<20> filterText;
  FixedText<6> gainText;  // gain digits + " dB"
  FixedText<12> unitTypeText;
  FixedText<24> channelTypeText;
  FixedText<20> noiseEliminationText;
  FixedText<40> processText;
  std::array<FixedText<3>, 8> statusFlags;  // "Yes"/"No" for bits 7 (0x80) down to 0 of byte 19
  FixedText<20> byte26Text;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("receiver_line_number", receiverLineNumber);
    v("receiver_point_number", receiverPointNumber);
    v("receiver_point_index", receiverPointIndex);
    v("samples_per_trace", samplesPerTrace);
    v("bytes_11_to_13", bytes11To13);
    v("channel_filter_code", channelFilterCode);
    v("channel_gain", channelGain);
    v("unit_type_value", unitTypeValue);
    v("channel_type_value", channelTypeValue);
    v("noise_elimination_code", noiseEliminationCode);
    v("process_code", processCode);
    v("status_byte", statusByte);
    v("byte_20", byte20);
    v("byte_21", byte21);
    v("bytes_22_to_23", bytes22To23);
    v("bytes_24_to_25", bytes24To25);
    v("byte_26", byte26);
    v("bytes_27_to_30", bytes27To30);
    v("bytes_31_to_32", bytes31To32);
    v("filter_text", filterText);
    v("gain_text", gainText);
    v("unit_type_text", unitTypeText);
    v("channel_type_text", channelTypeText);
    v("noise_elimination_text", noiseEliminationText);
    v("process_text", processText);
    for (std::size_t i = 0; i < statusFlags.size(); ++i)
      v("status_bit_" + std::to_string(7 - i), statusFlags[i]);
    v("byte_26_text", byte26Text);
    v("message", message);
  }
};

// Trace header extension block 2 (32 bytes). Always status 0.
struct Sn388Block2Fields {
  FixedText<10> receiverX;    // double 1-8
  FixedText<10> receiverY;    // double 9-16
  FixedText<6> receiverZ;     // single 17-20
  FixedText<12> bytes22To32;  // hex, first 12 digits
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("receiver_x", receiverX);
    v("receiver_y", receiverY);
    v("receiver_z", receiverZ);
    v("bytes_22_to_32", bytes22To32);
    v("message", message);
  }
};

// The SN388 extended header (1024 bytes; bytes 1-1023 are read). The numbered arrays hold
// consecutive four-byte fields as decimal text: firstWords[k] is bytes 4k+1..4k+4,
// middleWords[k] bytes 169+4k..172+4k, words645To696[k] bytes 645+4k..648+4k.
struct Sn388ExtendedFields {
  std::array<FixedText<5>, 26> firstWords;   // bytes 1-104
  FixedText<64> bytes105To168;               // characters
  std::array<FixedText<5>, 34> middleWords;  // bytes 169-304
  FixedText<128> bytes305To432;              // first 128 hex digits
  FixedText<128> bytes433To560;              // first 128 hex digits
  FixedText<5> bytes561To564;
  FixedText<80> bytes565To644;  // characters
  std::array<FixedText<5>, 13> words645To696;
  FixedText<4> bytes697To700;
  FixedText<5> bytes701To704;
  FixedText<16> bytes705To720;  // characters, trimmed
  FixedText<5> bytes721To724;
  FixedText<5> bytes725To728;  // single
  FixedText<5> bytes729To732;  // single
  FixedText<5> bytes733To736;
  FixedText<5> bytes737To740;
  FixedText<16> bytes741To756;  // characters, trimmed
  FixedText<5> bytes757To760;
  FixedText<5> bytes761To764;
  FixedText<5> bytes765To768;
  FixedText<5> bytes769To772;
  FixedText<12> bytes773To784;  // characters, trimmed
  FixedText<14> bytes785To788;
  FixedText<5> bytes789To792;
  FixedText<9> bytes793To800;                       // double
  FixedText<9> bytes801To808;                       // double
  FixedText<5> bytes809To812;                       // single
  FixedText<211> bytes813To1023;                    // first 211 hex digits
  FixedText<8> upholeText;                          // 13-16
  FixedText<8> auxiliaryUnitText;                   // 33-36
  FixedText<10> sourceTypeText;                     // 41-44
  FixedText<24> firingOrderChannelText;             // 45-48
  FixedText<80> signalText;                         // 57-60
  FixedText<22> syntheticSignalShapeText;           // 61-64
  FixedText<40> testText;                           // 81-84
  FixedText<40> spreadTypeText;                     // 97-100
  std::array<FixedText<24>, 3> blasterStatusTexts;  // 181-184
  FixedText<28> syntheticSignalTypeText;            // 185-188
  FixedText<3> sarPrestackText;                     // 193-196
  FixedText<16> noiseEliminationText;               // 257-260
  FixedText<8> historicEditingText;                 // 273-276
  FixedText<4> thresholdText;                       // 289-292
  FixedText<24> processTypeText;                    // 301-304
  FixedText<3> xdtText;                             // 681-684
  FixedText<12> ttmText;                            // 733-736
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    visitWords(v, firstWords, 1);
    v("bytes_105_to_168", bytes105To168);
    visitWords(v, middleWords, 169);
    v("bytes_305_to_432", bytes305To432);
    v("bytes_433_to_560", bytes433To560);
    v("bytes_561_to_564", bytes561To564);
    v("bytes_565_to_644", bytes565To644);
    visitWords(v, words645To696, 645);
    v("bytes_697_to_700", bytes697To700);
    v("bytes_701_to_704", bytes701To704);
    v("bytes_705_to_720", bytes705To720);
    v("bytes_721_to_724", bytes721To724);
    v("bytes_725_to_728", bytes725To728);
    v("bytes_729_to_732", bytes729To732);
    v("bytes_733_to_736", bytes733To736);
    v("bytes_737_to_740", bytes737To740);
    v("bytes_741_to_756", bytes741To756);
    v("bytes_757_to_760", bytes757To760);
    v("bytes_761_to_764", bytes761To764);
    v("bytes_765_to_768", bytes765To768);
    v("bytes_769_to_772", bytes769To772);
    v("bytes_773_to_784", bytes773To784);
    v("bytes_785_to_788", bytes785To788);
    v("bytes_789_to_792", bytes789To792);
    v("bytes_793_to_800", bytes793To800);
    v("bytes_801_to_808", bytes801To808);
    v("bytes_809_to_812", bytes809To812);
    v("bytes_813_to_1023", bytes813To1023);
    v("uphole_text", upholeText);
    v("auxiliary_unit_text", auxiliaryUnitText);
    v("source_type_text", sourceTypeText);
    v("firing_order_channel_text", firingOrderChannelText);
    v("signal_text", signalText);
    v("synthetic_signal_shape_text", syntheticSignalShapeText);
    v("test_text", testText);
    v("spread_type_text", spreadTypeText);
    for (std::size_t i = 0; i < blasterStatusTexts.size(); ++i)
      v("blaster_status_text_" + std::to_string(i + 1), blasterStatusTexts[i]);
    v("synthetic_signal_type_text", syntheticSignalTypeText);
    v("sar_prestack_text", sarPrestackText);
    v("noise_elimination_text", noiseEliminationText);
    v("historic_editing_text", historicEditingText);
    v("threshold_text", thresholdText);
    v("process_type_text", processTypeText);
    v("xdt_text", xdtText);
    v("ttm_text", ttmText);
    v("message", message);
  }

 private:
  // Names each four-byte word after its byte range: "bytes_1_to_4", "bytes_5_to_8", ...
  template <typename V, std::size_t N>
  static void visitWords(V& v, const std::array<FixedText<5>, N>& words, std::size_t first) {
    for (std::size_t k = 0; k < N; ++k) {
      std::size_t from = first + 4 * k;
      v("bytes_" + std::to_string(from) + "_to_" + std::to_string(from + 3), words[k]);
    }
  }
};

std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK1(Bytes buffer, Sn388Block1Fields& out);
std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK2(Bytes buffer, Sn388Block2Fields& out);
std::int32_t SEGDDECODE388EXTENDEDHEADER(Bytes buffer, Sn388ExtendedFields& out);

}  // namespace vorax::decode
