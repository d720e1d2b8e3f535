// Byte layout of the VORAX-flavour SEG-D headers: the source position of general header
// block 3, the 64-byte extended header and the one 32-byte trace header extension block.
// Positions are 1-based within the block, as the layout numbers them; the decoders, the
// loader and the synthetic record writer take theirs from here.
#pragma once

#include <array>
#include <cstddef>

#include "decode/field_layout.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode::vorax_layout {

using enum FieldEncoding;

inline constexpr std::size_t kExtendedHeaderBytes = 64;
inline constexpr std::size_t kExtensionBlockBytes = segd_layout::kBlockBytes;

// General header block 3: the source position in whole hundredths of a metre (its first 20
// bytes are the standard block 3's).
namespace gh3 {
inline constexpr FieldRow kSourceX{"source_x", 21, 24, Decimal};
inline constexpr FieldRow kSourceY{"source_y", 25, 28, Decimal};
inline constexpr FieldRow kSourceZ{"source_z", 29, 32, Decimal};
}  // namespace gh3

namespace extended {
inline constexpr FieldRow kTapeNumber{"tape_number", 1, 2, Hex};
inline constexpr FieldRow kTraceCount{"trace_count", 3, 4, Hex};
inline constexpr FieldRow kSamplesPerTrace{"samples_per_trace", 5, 7, Hex};
inline constexpr FieldRow kTimeBreakDigit{"time_break_digit", 8, 8, HighDigit};
inline constexpr FieldRow kDataRetryDigit{"data_retry_digit", 8, 8, LowDigit};
inline constexpr FieldRow kCorrelationDigit{"correlation_digit", 9, 9, HighDigit};
inline constexpr FieldRow kRecordKindDigit{"record_kind_digit", 9, 9, LowDigit};
inline constexpr FieldRow kFilterPhaseDigit{"filter_phase_digit", 10, 10, HighDigit};
inline constexpr FieldRow kByte10SecondDigit{"byte_10_second_digit", 10, 10, LowDigit};
inline constexpr FieldRow kBytes11To16{"bytes_11_to_16", 11, 16, Hex};
inline constexpr FieldRow kBytes17To20{"bytes_17_to_20", 17, 20, Hex};
// Fourteen auxiliary channel codes, one hex digit each, high digit first.
inline constexpr std::array<FieldRow, 14> kAuxChannelCodes = {{
    {"aux_channel_code_1", 21, 21, HighDigit},
    {"aux_channel_code_2", 21, 21, LowDigit},
    {"aux_channel_code_3", 22, 22, HighDigit},
    {"aux_channel_code_4", 22, 22, LowDigit},
    {"aux_channel_code_5", 23, 23, HighDigit},
    {"aux_channel_code_6", 23, 23, LowDigit},
    {"aux_channel_code_7", 24, 24, HighDigit},
    {"aux_channel_code_8", 24, 24, LowDigit},
    {"aux_channel_code_9", 25, 25, HighDigit},
    {"aux_channel_code_10", 25, 25, LowDigit},
    {"aux_channel_code_11", 26, 26, HighDigit},
    {"aux_channel_code_12", 26, 26, LowDigit},
    {"aux_channel_code_13", 27, 27, HighDigit},
    {"aux_channel_code_14", 27, 27, LowDigit},
}};
inline constexpr FieldRow kNoiseEditDigits{"noise_edit_digits", 28, 30, Hex};
inline constexpr FieldRow kByte31{"byte_31", 31, 31, Hex};
inline constexpr FieldRow kByte32{"byte_32", 32, 32, Hex};
inline constexpr FieldRow kSourceTypeDigit{"source_type_digit", 33, 33, HighDigit};
inline constexpr FieldRow kByte33SecondDigit{"byte_33_second_digit", 33, 33, LowDigit};
inline constexpr FieldRow kByte34{"byte_34", 34, 34, Hex};
inline constexpr FieldRow kValueA{"value_a", 35, 36, Hex};
inline constexpr FieldRow kValueB{"value_b", 37, 38, Hex};
inline constexpr FieldRow kUpholeTime{"uphole_time", 39, 40, Hex};
inline constexpr FieldRow kValueD{"value_d", 41, 43, Hex};
inline constexpr FieldRow kBytes44To45{"bytes_44_to_45", 44, 45, Hex};
inline constexpr FieldRow kBytes46To47{"bytes_46_to_47", 46, 47, Hex};
inline constexpr FieldRow kValueE{"value_e", 48, 49, Hex};
inline constexpr FieldRow kValueF{"value_f", 50, 51, Hex};
inline constexpr FieldRow kArrayFilterDigit{"array_filter_digit", 52, 52, HighDigit};
inline constexpr FieldRow kBytes54To64{"bytes_54_to_64", 54, 64, Hex};
}  // namespace extended

// Byte 32 is not read.
namespace extension {
inline constexpr FieldRow kReceiverLine{"receiver_line", 1, 3, Decimal};
inline constexpr FieldRow kReceiverPoint{"receiver_point", 4, 6, Decimal};
inline constexpr FieldRow kReceiverPointIndex{"receiver_point_index", 7, 7, Decimal};
inline constexpr FieldRow kSamplesPerTrace{"samples_per_trace", 8, 10, Decimal};
inline constexpr FieldRow kByte11{"byte_11", 11, 11, Hex};
inline constexpr FieldRow kByte12{"byte_12", 12, 12, Hex};
inline constexpr FieldRow kReceiverX{"receiver_x", 13, 16, Decimal};
inline constexpr FieldRow kReceiverY{"receiver_y", 17, 20, Decimal};
inline constexpr FieldRow kByte21{"byte_21", 21, 21, Hex};
inline constexpr FieldRow kUnitIdentifier{"unit_identifier", 22, 25, Hex};
inline constexpr FieldRow kByte26FirstDigit{"byte_26_first_digit", 26, 26, HighDigit};
inline constexpr FieldRow kByte26SecondDigit{"byte_26_second_digit", 26, 26, LowDigit};
inline constexpr FieldRow kBytes27To28{"bytes_27_to_28", 27, 28, Hex};
inline constexpr FieldRow kBytes29To30{"bytes_29_to_30", 29, 30, Hex};
inline constexpr FieldRow kByte31{"byte_31", 31, 31, Hex};
inline constexpr FieldRow kByte31Again{"byte_31_again", 31, 31, Hex};
}  // namespace extension

}  // namespace vorax::decode::vorax_layout
