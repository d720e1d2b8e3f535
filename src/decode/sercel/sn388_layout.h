// Byte layout of the Sercel SN388 parts of a SEG-D record: trace header extension blocks 1
// and 2 (32 bytes each) and the 1024-byte extended header. Positions are 1-based within the
// block, as the layout numbers them; the decoders take theirs from here, and the JSON names
// are the rows' names.
//
// Most of the extended header is four-byte words the layout gives no meaning, named after
// their bytes; the coded words among them have names of their own and stand in the word
// lists at their places.
#pragma once

#include <algorithm>
#include <array>

#include "decode/field_layout.h"

namespace vorax::decode::sn388_layout {

using enum FieldEncoding;

namespace block1 {
inline constexpr FieldRow kReceiverLineNumber{"receiver_line_number", 1, 3, Decimal};
inline constexpr FieldRow kReceiverPointNumber{"receiver_point_number", 4, 6, Decimal};
inline constexpr FieldRow kReceiverPointIndex{"receiver_point_index", 7, 7, Decimal};
inline constexpr FieldRow kSamplesPerTrace{"samples_per_trace", 8, 10, Decimal};
inline constexpr FieldRow kBytes11To13{"bytes_11_to_13", 11, 13, Decimal};
inline constexpr FieldRow kChannelFilterCode{"channel_filter_code", 14, 14, Decimal};
inline constexpr FieldRow kChannelGain{"channel_gain", 15, 15, Decimal};
// Byte 16 holds two codes, both shown in decimal: the unit type as the byte's high nibble
// in place (0x10 shows as 16), the channel type as the low nibble (0-15).
inline constexpr FieldRow kUnitTypeValue{"unit_type_value", 16, 16, HighDigit};
inline constexpr FieldRow kChannelTypeValue{"channel_type_value", 16, 16, LowDigit};
inline constexpr FieldRow kNoiseEliminationCode{"noise_elimination_code", 17, 17, Decimal};
inline constexpr FieldRow kProcessCode{"process_code", 18, 18, Decimal};
inline constexpr FieldRow kStatusByte{"status_byte", 19, 19, Decimal};
inline constexpr FieldRow kByte20{"byte_20", 20, 20, Decimal};
inline constexpr FieldRow kByte21{"byte_21", 21, 21, Decimal};
inline constexpr FieldRow kBytes22To23{"bytes_22_to_23", 22, 23, Decimal};
inline constexpr FieldRow kBytes24To25{"bytes_24_to_25", 24, 25, Decimal};
inline constexpr FieldRow kByte26{"byte_26", 26, 26, Decimal};
inline constexpr FieldRow kBytes27To30{"bytes_27_to_30", 27, 30, Single};
inline constexpr FieldRow kBytes31To32{"bytes_31_to_32", 31, 32, Hex};
}  // namespace block1

// Byte 21 of block 2 is read by no field.
namespace block2 {
inline constexpr FieldRow kReceiverX{"receiver_x", 1, 8, Double};
inline constexpr FieldRow kReceiverY{"receiver_y", 9, 16, Double};
inline constexpr FieldRow kReceiverZ{"receiver_z", 17, 20, Single};
inline constexpr FieldRow kBytes22To32{"bytes_22_to_32", 22, 32, Hex};
}  // namespace block2

// Byte 1024 of the extended header is read by no field.
namespace extended {
// The uphole type (uphole_text).
inline constexpr FieldRow kUpholeType{"bytes_13_to_16", 13, 16, Decimal};
// The auxiliary unit type (auxiliary_unit_text).
inline constexpr FieldRow kAuxiliaryUnitType{"bytes_33_to_36", 33, 36, Decimal};
// The source type (source_type_text).
inline constexpr FieldRow kSourceType{"bytes_41_to_44", 41, 44, Decimal};
// The firing order channel (firing_order_channel_text).
inline constexpr FieldRow kFiringOrderChannel{"bytes_45_to_48", 45, 48, Decimal};
// The signal (signal_text).
inline constexpr FieldRow kSignalType{"bytes_57_to_60", 57, 60, Decimal};
// The synthetic signal shape (synthetic_signal_shape_text).
inline constexpr FieldRow kSyntheticSignalShape{"bytes_61_to_64", 61, 64, Decimal};
// The test (test_text).
inline constexpr FieldRow kTestType{"bytes_81_to_84", 81, 84, Decimal};
// The spread type (spread_type_text).
inline constexpr FieldRow kSpreadType{"bytes_97_to_100", 97, 100, Decimal};
inline constexpr std::array<FieldRow, 26> kFirstWords{{
    {"bytes_1_to_4", 1, 4, Decimal},
    {"bytes_5_to_8", 5, 8, Decimal},
    {"bytes_9_to_12", 9, 12, Decimal},
    kUpholeType,
    {"bytes_17_to_20", 17, 20, Decimal},
    {"bytes_21_to_24", 21, 24, Decimal},
    {"bytes_25_to_28", 25, 28, Decimal},
    {"bytes_29_to_32", 29, 32, Decimal},
    kAuxiliaryUnitType,
    {"bytes_37_to_40", 37, 40, Decimal},
    kSourceType,
    kFiringOrderChannel,
    {"bytes_49_to_52", 49, 52, Decimal},
    {"bytes_53_to_56", 53, 56, Decimal},
    kSignalType,
    kSyntheticSignalShape,
    {"bytes_65_to_68", 65, 68, Decimal},
    {"bytes_69_to_72", 69, 72, Decimal},
    {"bytes_73_to_76", 73, 76, Decimal},
    {"bytes_77_to_80", 77, 80, Decimal},
    kTestType,
    {"bytes_85_to_88", 85, 88, Decimal},
    {"bytes_89_to_92", 89, 92, Decimal},
    {"bytes_93_to_96", 93, 96, Decimal},
    kSpreadType,
    {"bytes_101_to_104", 101, 104, Decimal},
}};

inline constexpr FieldRow kBytes105To168{"bytes_105_to_168", 105, 168, Characters};
// The blaster status (blaster_status_text_1..3).
inline constexpr FieldRow kBlasterStatus{"bytes_181_to_184", 181, 184, Decimal};
// The synthetic signal type (synthetic_signal_type_text).
inline constexpr FieldRow kSyntheticSignalType{"bytes_185_to_188", 185, 188, Decimal};
// The SAR prestack flag (sar_prestack_text).
inline constexpr FieldRow kSarPrestack{"bytes_193_to_196", 193, 196, Decimal};
// The noise elimination (noise_elimination_text).
inline constexpr FieldRow kNoiseElimination{"bytes_257_to_260", 257, 260, Decimal};
// The historic editing (historic_editing_text).
inline constexpr FieldRow kHistoricEditing{"bytes_273_to_276", 273, 276, Decimal};
// The threshold hold/var (threshold_text).
inline constexpr FieldRow kThreshold{"bytes_289_to_292", 289, 292, Decimal};
// The process type (process_type_text).
inline constexpr FieldRow kProcessType{"bytes_301_to_304", 301, 304, Decimal};
inline constexpr std::array<FieldRow, 34> kMiddleWords{{
    {"bytes_169_to_172", 169, 172, Decimal},
    {"bytes_173_to_176", 173, 176, Decimal},
    {"bytes_177_to_180", 177, 180, Decimal},
    kBlasterStatus,
    kSyntheticSignalType,
    {"bytes_189_to_192", 189, 192, Decimal},
    kSarPrestack,
    {"bytes_197_to_200", 197, 200, Decimal},
    {"bytes_201_to_204", 201, 204, Decimal},
    {"bytes_205_to_208", 205, 208, Decimal},
    {"bytes_209_to_212", 209, 212, Decimal},
    {"bytes_213_to_216", 213, 216, Decimal},
    {"bytes_217_to_220", 217, 220, Decimal},
    {"bytes_221_to_224", 221, 224, Decimal},
    {"bytes_225_to_228", 225, 228, Decimal},
    {"bytes_229_to_232", 229, 232, Decimal},
    {"bytes_233_to_236", 233, 236, Decimal},
    {"bytes_237_to_240", 237, 240, Decimal},
    {"bytes_241_to_244", 241, 244, Decimal},
    {"bytes_245_to_248", 245, 248, Decimal},
    {"bytes_249_to_252", 249, 252, Decimal},
    {"bytes_253_to_256", 253, 256, Decimal},
    kNoiseElimination,
    {"bytes_261_to_264", 261, 264, Decimal},
    {"bytes_265_to_268", 265, 268, Decimal},
    {"bytes_269_to_272", 269, 272, Decimal},
    kHistoricEditing,
    {"bytes_277_to_280", 277, 280, Decimal},
    {"bytes_281_to_284", 281, 284, Decimal},
    {"bytes_285_to_288", 285, 288, Decimal},
    kThreshold,
    {"bytes_293_to_296", 293, 296, Decimal},
    {"bytes_297_to_300", 297, 300, Decimal},
    kProcessType,
}};

inline constexpr FieldRow kBytes305To432{"bytes_305_to_432", 305, 432, Hex};
inline constexpr FieldRow kBytes433To560{"bytes_433_to_560", 433, 560, Hex};
inline constexpr FieldRow kBytes561To564{"bytes_561_to_564", 561, 564, Decimal};
inline constexpr FieldRow kBytes565To644{"bytes_565_to_644", 565, 644, Characters};
// The XDT flag (xdt_text).
inline constexpr FieldRow kXdtFlag{"bytes_681_to_684", 681, 684, Decimal};
inline constexpr std::array<FieldRow, 13> kWords645To696{{
    {"bytes_645_to_648", 645, 648, Decimal},
    {"bytes_649_to_652", 649, 652, Decimal},
    {"bytes_653_to_656", 653, 656, Decimal},
    {"bytes_657_to_660", 657, 660, Decimal},
    {"bytes_661_to_664", 661, 664, Decimal},
    {"bytes_665_to_668", 665, 668, Decimal},
    {"bytes_669_to_672", 669, 672, Decimal},
    {"bytes_673_to_676", 673, 676, Decimal},
    {"bytes_677_to_680", 677, 680, Decimal},
    kXdtFlag,
    {"bytes_685_to_688", 685, 688, Decimal},
    {"bytes_689_to_692", 689, 692, Decimal},
    {"bytes_693_to_696", 693, 696, Decimal},
}};

inline constexpr FieldRow kBytes697To700{"bytes_697_to_700", 697, 700, Decimal};
inline constexpr FieldRow kBytes701To704{"bytes_701_to_704", 701, 704, Decimal};
inline constexpr FieldRow kBytes705To720{"bytes_705_to_720", 705, 720, Characters};
inline constexpr FieldRow kBytes721To724{"bytes_721_to_724", 721, 724, Decimal};
inline constexpr FieldRow kBytes725To728{"bytes_725_to_728", 725, 728, Single};
inline constexpr FieldRow kBytes729To732{"bytes_729_to_732", 729, 732, Single};
// The TTM flag (ttm_text).
inline constexpr FieldRow kTtmFlag{"bytes_733_to_736", 733, 736, Decimal};
inline constexpr FieldRow kBytes737To740{"bytes_737_to_740", 737, 740, Decimal};
inline constexpr FieldRow kBytes741To756{"bytes_741_to_756", 741, 756, Characters};
inline constexpr FieldRow kBytes757To760{"bytes_757_to_760", 757, 760, Decimal};
inline constexpr FieldRow kBytes761To764{"bytes_761_to_764", 761, 764, Decimal};
inline constexpr FieldRow kBytes765To768{"bytes_765_to_768", 765, 768, Decimal};
inline constexpr FieldRow kBytes769To772{"bytes_769_to_772", 769, 772, Decimal};
inline constexpr FieldRow kBytes773To784{"bytes_773_to_784", 773, 784, Characters};
inline constexpr FieldRow kBytes785To788{"bytes_785_to_788", 785, 788, Decimal};
inline constexpr FieldRow kBytes789To792{"bytes_789_to_792", 789, 792, Decimal};
inline constexpr FieldRow kBytes793To800{"bytes_793_to_800", 793, 800, Double};
inline constexpr FieldRow kBytes801To808{"bytes_801_to_808", 801, 808, Double};
inline constexpr FieldRow kBytes809To812{"bytes_809_to_812", 809, 812, Single};
inline constexpr FieldRow kBytes813To1023{"bytes_813_to_1023", 813, 1023, Hex};

// Every word is named after the bytes it holds.
static_assert(std::ranges::all_of(kFirstWords, fieldNameMatches) &&
              std::ranges::all_of(kMiddleWords, fieldNameMatches) &&
              std::ranges::all_of(kWords645To696, fieldNameMatches));
}  // namespace extended

}  // namespace vorax::decode::sn388_layout
