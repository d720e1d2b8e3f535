// Sercel SN388 forms of the SEG-D extension data: trace header extension blocks 1 and 2 and
// the extended header, decoded into fixed-width display texts.
//
// The bytes of each field, and how they are held, are its row of sn388_layout.h; a field read
// straight from its bytes is that row's text (field_layout.h), space-padded to its width and
// cut when longer. A shorter buffer reads as if padded with zero bytes. Every check runs; the
// status and message are those of the last failing check.
//
// Code tables compare the full decimal value of a field, not its text cut to the field's
// width, so an unknown code that happens to begin with a known digit is still reported.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/sercel/sn388_layout.h"

namespace vorax::decode {

// Trace header extension block 1 (32 bytes). Status 0, or 1 for any unknown code.
struct Sn388Block1Fields {
  FixedText<6> receiverLineNumber;
  FixedText<6> receiverPointNumber;
  FixedText<2> receiverPointIndex;
  FixedText<6> samplesPerTrace;
  FixedText<6> bytes11To13;
  FixedText<1> channelFilterCode;
  FixedText<2> channelGain;
  FixedText<2> unitTypeValue;     // decimal, not the row's hex digit
  FixedText<2> channelTypeValue;  // decimal, not the row's hex digit
  FixedText<2> noiseEliminationCode;
  FixedText<2> processCode;
  FixedText<1> statusByte;
  FixedText<2> byte20;
  FixedText<2> byte21;
  FixedText<4> bytes22To23;
  FixedText<5> bytes24To25;
  FixedText<3> byte26;
  FixedText<15> bytes27To30;  // "1" when the value is 0
  FixedText<4> bytes31To32;
  FixedText<20> filterText;
  FixedText<6> gainText;  // gain digits + " dB"
  FixedText<12> unitTypeText;
  FixedText<24> channelTypeText;
  FixedText<20> noiseEliminationText;
  FixedText<40> processText;
  std::array<FixedText<3>, 8> statusFlags;  // "Yes"/"No" for bits 7 (0x80) down to 0 of byte 19
  FixedText<20> byte26Text;
  FixedText<80> message;

  // The fields held in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sn388_layout::block1;
    f(rows::kReceiverLineNumber, self.receiverLineNumber);
    f(rows::kReceiverPointNumber, self.receiverPointNumber);
    f(rows::kReceiverPointIndex, self.receiverPointIndex);
    f(rows::kSamplesPerTrace, self.samplesPerTrace);
    f(rows::kBytes11To13, self.bytes11To13);
    f(rows::kChannelFilterCode, self.channelFilterCode);
    f(rows::kChannelGain, self.channelGain);
    f(rows::kUnitTypeValue, self.unitTypeValue);
    f(rows::kChannelTypeValue, self.channelTypeValue);
    f(rows::kNoiseEliminationCode, self.noiseEliminationCode);
    f(rows::kProcessCode, self.processCode);
    f(rows::kStatusByte, self.statusByte);
    f(rows::kByte20, self.byte20);
    f(rows::kByte21, self.byte21);
    f(rows::kBytes22To23, self.bytes22To23);
    f(rows::kBytes24To25, self.bytes24To25);
    f(rows::kByte26, self.byte26);
    f(rows::kBytes27To30, self.bytes27To30);
    f(rows::kBytes31To32, self.bytes31To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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
  FixedText<10> receiverX;
  FixedText<10> receiverY;
  FixedText<6> receiverZ;
  FixedText<12> bytes22To32;  // the first 12 hex digits
  FixedText<80> message;

  // The fields held in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sn388_layout::block2;
    f(rows::kReceiverX, self.receiverX);
    f(rows::kReceiverY, self.receiverY);
    f(rows::kReceiverZ, self.receiverZ);
    f(rows::kBytes22To32, self.bytes22To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("message", message);
  }
};

// The SN388 extended header (1024 bytes). The numbered arrays hold the layout's word lists
// (kFirstWords, kMiddleWords, kWords645To696) as decimal text, one entry per row.
struct Sn388ExtendedFields {
  std::array<FixedText<5>, 26> firstWords;
  FixedText<64> bytes105To168;
  std::array<FixedText<5>, 34> middleWords;
  FixedText<128> bytes305To432;  // the first 128 hex digits
  FixedText<128> bytes433To560;  // the first 128 hex digits
  FixedText<5> bytes561To564;
  FixedText<80> bytes565To644;
  std::array<FixedText<5>, 13> words645To696;
  FixedText<4> bytes697To700;
  FixedText<5> bytes701To704;
  FixedText<16> bytes705To720;  // trimmed
  FixedText<5> bytes721To724;
  FixedText<5> bytes725To728;
  FixedText<5> bytes729To732;
  FixedText<5> bytes733To736;
  FixedText<5> bytes737To740;
  FixedText<16> bytes741To756;  // trimmed
  FixedText<5> bytes757To760;
  FixedText<5> bytes761To764;
  FixedText<5> bytes765To768;
  FixedText<5> bytes769To772;
  FixedText<12> bytes773To784;  // trimmed
  FixedText<14> bytes785To788;
  FixedText<5> bytes789To792;
  FixedText<9> bytes793To800;
  FixedText<9> bytes801To808;
  FixedText<5> bytes809To812;
  FixedText<211> bytes813To1023;  // the first 211 hex digits
  // The coded words' texts (rows named after their codes in sn388_layout::extended).
  FixedText<8> upholeText;
  FixedText<8> auxiliaryUnitText;
  FixedText<10> sourceTypeText;
  FixedText<24> firingOrderChannelText;
  FixedText<80> signalText;
  FixedText<22> syntheticSignalShapeText;
  FixedText<40> testText;
  FixedText<40> spreadTypeText;
  std::array<FixedText<24>, 3> blasterStatusTexts;
  FixedText<28> syntheticSignalTypeText;
  FixedText<3> sarPrestackText;
  FixedText<16> noiseEliminationText;
  FixedText<8> historicEditingText;
  FixedText<4> thresholdText;
  FixedText<24> processTypeText;
  FixedText<3> xdtText;
  FixedText<12> ttmText;
  FixedText<80> message;

  // The fields held in the header's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sn388_layout::extended;
    eachWord(rows::kFirstWords, self.firstWords, f);
    f(rows::kBytes105To168, self.bytes105To168);
    eachWord(rows::kMiddleWords, self.middleWords, f);
    f(rows::kBytes305To432, self.bytes305To432);
    f(rows::kBytes433To560, self.bytes433To560);
    f(rows::kBytes561To564, self.bytes561To564);
    f(rows::kBytes565To644, self.bytes565To644);
    eachWord(rows::kWords645To696, self.words645To696, f);
    f(rows::kBytes697To700, self.bytes697To700);
    f(rows::kBytes701To704, self.bytes701To704);
    f(rows::kBytes705To720, self.bytes705To720);
    f(rows::kBytes721To724, self.bytes721To724);
    f(rows::kBytes725To728, self.bytes725To728);
    f(rows::kBytes729To732, self.bytes729To732);
    f(rows::kTtmFlag, self.bytes733To736);
    f(rows::kBytes737To740, self.bytes737To740);
    f(rows::kBytes741To756, self.bytes741To756);
    f(rows::kBytes757To760, self.bytes757To760);
    f(rows::kBytes761To764, self.bytes761To764);
    f(rows::kBytes765To768, self.bytes765To768);
    f(rows::kBytes769To772, self.bytes769To772);
    f(rows::kBytes773To784, self.bytes773To784);
    f(rows::kBytes785To788, self.bytes785To788);
    f(rows::kBytes789To792, self.bytes789To792);
    f(rows::kBytes793To800, self.bytes793To800);
    f(rows::kBytes801To808, self.bytes801To808);
    f(rows::kBytes809To812, self.bytes809To812);
    f(rows::kBytes813To1023, self.bytes813To1023);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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
  template <typename Words, typename F, std::size_t N>
  static void eachWord(const std::array<FieldRow, N>& rows, Words& words, F& f) {
    for (std::size_t k = 0; k < N; ++k) f(rows[k], words[k]);
  }
};

std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK1(Bytes buffer, Sn388Block1Fields& out);
std::int32_t SEGDDECODE388TRACEHEADEREXTBLOCK2(Bytes buffer, Sn388Block2Fields& out);
std::int32_t SEGDDECODE388EXTENDEDHEADER(Bytes buffer, Sn388ExtendedFields& out);

}  // namespace vorax::decode
