// Byte layout of the SEG-D blocks every record shares: general header blocks 1, 2 and 3, the
// scan type header (channel set descriptor) and the 20-byte demultiplexed trace header.
// Positions are 1-based within the block, as the SEG-D standard numbers them; the decoders,
// the record readers, the record tools and the synthetic record writers take theirs from here.
#pragma once

#include <cstddef>

#include "decode/field_layout.h"

namespace vorax::decode::segd_layout {

using enum FieldEncoding;

// Every general header block, scan type header (before revision 3), skew block, header block
// count and trace header extension block is counted in blocks of this size.
inline constexpr std::size_t kBlockBytes = 32;
// General header blocks 1, 2 and 3, as every record but those declaring more blocks holds them.
inline constexpr std::size_t kGeneralHeaderBytes = 3 * kBlockBytes;
inline constexpr std::size_t kTraceHeaderBytes = 20;

namespace gh1 {
inline constexpr FieldRow kFileNumber{"file_number", 1, 2, Hex};
inline constexpr FieldRow kFormatCode{"format_code", 3, 4, Hex};
inline constexpr FieldRow kGeneralConstants{"general_constants", 5, 10, Hex};
inline constexpr FieldRow kYear{"year", 11, 11, Hex};
inline constexpr FieldRow kAdditionalBlocks{"additional_blocks", 12, 12, HighDigit};
inline constexpr FieldRow kJulianDay{"julian_day", 12, 13, HexFromLowDigit};
inline constexpr FieldRow kHour{"hour", 14, 14, Hex};
inline constexpr FieldRow kMinute{"minute", 15, 15, Hex};
inline constexpr FieldRow kSecond{"second", 16, 16, Hex};
inline constexpr FieldRow kManufacturerCode{"manufacturer_code", 17, 17, Hex};
inline constexpr FieldRow kManufacturerSerial{"manufacturer_serial", 18, 19, Hex};
inline constexpr FieldRow kBytesPerScan{"bytes_per_scan", 20, 22, Hex};
// Binary, in sixteenths of a millisecond (04 = 0.25 ms ... 40 = 4 ms); shown as hex digits.
inline constexpr FieldRow kBaseScanIntervalCode{"base_scan_interval_code", 23, 23, Hex};
inline constexpr FieldRow kPolarity{"polarity", 24, 24, HighDigit};
inline constexpr FieldRow kScansPerBlock{"scans_per_block", 24, 25, HexFromLowDigit};
inline constexpr FieldRow kRecordTypeCode{"record_type_code", 26, 26, HighDigit};
// In units of 0.5 x 1.024 s; FFF: the extended record length of block 2 holds it.
inline constexpr FieldRow kRecordLength{"record_length", 26, 27, HexFromLowDigit};
inline constexpr FieldRow kScanTypesPerRecord{"scan_types_per_record", 28, 28, Hex};
// Each of these four counts: FF sends the reader to block 2.
inline constexpr FieldRow kChannelSetsPerScanType{"channel_sets_per_scan_type", 29, 29, Hex};
inline constexpr FieldRow kSkewBlocks{"skew_blocks", 30, 30, Hex};
inline constexpr FieldRow kExtendedHeaderBlocks{"extended_header_blocks", 31, 31, Hex};
inline constexpr FieldRow kExternalHeaderBlocks{"external_header_blocks", 32, 32, Hex};
}  // namespace gh1

// Block 2 as revisions 1 and 2 lay it out.
namespace gh2 {
inline constexpr FieldRow kExpandedFileNumber{"expanded_file_number", 1, 3, Hex};
inline constexpr FieldRow kExtendedChannelSets{"extended_channel_sets", 4, 5, Hex};
inline constexpr FieldRow kExtendedHeaderBlocks{"extended_header_blocks", 6, 7, Hex};
inline constexpr FieldRow kExternalHeaderBlocks{"external_header_blocks", 8, 9, Hex};
inline constexpr FieldRow kByte10{"byte_10", 10, 10, Hex};
// Major revision in byte 11, minor in byte 12, each binary.
inline constexpr FieldRow kSegdRevision{"segd_revision", 11, 12, Hex};
inline constexpr FieldRow kGeneralTrailerBlocks{"general_trailer_blocks", 13, 14, Hex};
// Binary milliseconds.
inline constexpr FieldRow kExtendedRecordLength{"extended_record_length", 15, 17, Hex};
inline constexpr FieldRow kByte18{"byte_18", 18, 18, Hex};
inline constexpr FieldRow kGeneralHeaderBlockNumber{"general_header_block_number", 19, 19, Hex};
inline constexpr FieldRow kBytes20To32{"bytes_20_to_32", 20, 32, Hex};
}  // namespace gh2

// The block 2 counts revision 3 moved or widened (binary), as the standard reader takes them.
namespace gh2_rev3 {
inline constexpr FieldRow kExtendedHeaderBlocks{"extended_header_blocks", 6, 8, Decimal};
inline constexpr FieldRow kExtendedSkewBlocks{"extended_skew_blocks", 9, 10, Decimal};
inline constexpr FieldRow kGeneralHeaderBlocks{"general_header_blocks", 23, 24, Decimal};
inline constexpr FieldRow kExternalHeaderBlocks{"external_header_blocks", 28, 30, Decimal};
}  // namespace gh2_rev3

// Block 3, standard layout. Line and point numbers: a signed binary integer, then a 16-bit
// binary fraction (line: 4-6 and 7-8; point: 9-11 and 12-13).
namespace gh3 {
inline constexpr FieldRow kExpandedFileNumber{"expanded_file_number", 1, 3, Hex};
inline constexpr FieldRow kSourceLineDigits{"source_line_digits", 4, 8, Hex};
inline constexpr FieldRow kSourcePointDigits{"source_point_digits", 9, 13, Hex};
inline constexpr FieldRow kSourcePointIndexDigits{"source_point_index_digits", 14, 14, Hex};
inline constexpr FieldRow kPhaseControl{"phase_control", 15, 15, Hex};
inline constexpr FieldRow kVibratorType{"vibrator_type", 16, 16, Hex};
inline constexpr FieldRow kPhaseAngle{"phase_angle", 17, 18, Hex};
inline constexpr FieldRow kGeneralHeaderBlockNumber{"general_header_block_number", 19, 19, Hex};
inline constexpr FieldRow kSourceSetNumber{"source_set_number", 20, 20, Hex};
inline constexpr FieldRow kBytes21To32{"bytes_21_to_32", 21, 32, Hex};
inline constexpr std::size_t kLineIntegerBytes = 3;
}  // namespace gh3

// Scan type header (channel set descriptor) before revision 3.
namespace channel_set {
inline constexpr FieldRow kScanTypeNumber{"scan_type_number", 1, 1, Hex};
inline constexpr FieldRow kChannelSetNumber{"channel_set_number", 2, 2, Hex};
// Start and end time: binary, in units of 2 ms.
inline constexpr FieldRow kStartTime{"start_time", 3, 4, Hex};
inline constexpr FieldRow kEndTime{"end_time", 5, 6, Hex};
inline constexpr FieldRow kDescaleMultiplier{"descale_multiplier", 7, 8, Hex};
inline constexpr FieldRow kChannelCount{"channel_count", 9, 10, Hex};
inline constexpr FieldRow kChannelType{"channel_type", 11, 11, HighDigit};
inline constexpr FieldRow kChannelTypeSecondDigit{"channel_type_second_digit", 11, 11, LowDigit};
// Sub-scans per base scan as a power of two.
inline constexpr FieldRow kSubscans{"subscans", 12, 12, HighDigit};
inline constexpr FieldRow kChannelGainControl{"channel_gain_control", 12, 12, LowDigit};
inline constexpr FieldRow kAliasFilterFrequency{"alias_filter_frequency", 13, 14, Hex};
inline constexpr FieldRow kAliasFilterSlope{"alias_filter_slope", 15, 16, Hex};
inline constexpr FieldRow kLowCutFilter{"low_cut_filter", 17, 18, Hex};
inline constexpr FieldRow kLowCutSlope{"low_cut_slope", 19, 20, Hex};
inline constexpr FieldRow kFirstNotch{"first_notch", 21, 22, Hex};
inline constexpr FieldRow kSecondNotch{"second_notch", 23, 24, Hex};
inline constexpr FieldRow kThirdNotch{"third_notch", 25, 26, Hex};
// Binary.
inline constexpr FieldRow kExtendedChannelSetNumber{"extended_channel_set_number", 27, 28, Hex};
inline constexpr FieldRow kExtendedHeaderFlag{"extended_header_flag", 29, 29, HighDigit};
inline constexpr FieldRow kTraceHeaderExtensions{"trace_header_extensions", 29, 29, LowDigit};
inline constexpr FieldRow kVerticalStack{"vertical_stack", 30, 30, Hex};
inline constexpr FieldRow kStreamerCableNumber{"streamer_cable_number", 31, 31, Hex};
inline constexpr FieldRow kArrayForming{"array_forming", 32, 32, Hex};
}  // namespace channel_set

// The demultiplexed trace header that starts every trace.
namespace trace_header {
inline constexpr FieldRow kFileNumber{"file_number", 1, 2, Hex};
inline constexpr FieldRow kScanTypeNumber{"scan_type_number", 3, 3, Hex};
inline constexpr FieldRow kChannelSetNumber{"channel_set_number", 4, 4, Hex};
inline constexpr FieldRow kTraceNumber{"trace_number", 5, 6, Hex};
inline constexpr FieldRow kFirstTimingWord{"first_timing_word", 7, 9, Decimal};
inline constexpr FieldRow kTraceHeaderExtensions{"trace_header_extensions", 10, 10, Decimal};
inline constexpr FieldRow kSampleSkew{"sample_skew", 11, 11, Decimal};
inline constexpr FieldRow kTraceEditCode{"trace_edit_code", 12, 12, Decimal};
inline constexpr FieldRow kTimeBreakWindow{"time_break_window", 13, 15, Decimal};
inline constexpr FieldRow kExtendedChannelSetNumber{"extended_channel_set_number", 16, 17, Hex};
inline constexpr FieldRow kExtendedFileNumber{"extended_file_number", 18, 20, Decimal};
}  // namespace trace_header

// Trace header extension block 1, the fields the standard reader takes. Line and point numbers:
// three signed binary bytes; all FF sends the reader to the extended form (three integer bytes
// and a 16-bit binary fraction).
namespace extension1 {
inline constexpr FieldRow kReceiverLineNumber{"receiver_line_number", 1, 3, Decimal};
inline constexpr FieldRow kReceiverPointNumber{"receiver_point_number", 4, 6, Decimal};
inline constexpr FieldRow kReceiverPointIndex{"receiver_point_index", 7, 7, Decimal};
inline constexpr FieldRow kSamplesPerTrace{"samples_per_trace", 8, 10, Decimal};
inline constexpr FieldRow kExtendedReceiverLineNumber{"extended_receiver_line_number", 11, 15,
                                                      Decimal};
inline constexpr FieldRow kExtendedReceiverPointNumber{"extended_receiver_point_number", 16, 20,
                                                       Decimal};
// From revision 2 on.
inline constexpr FieldRow kSensorType{"sensor_type", 21, 21, Decimal};
// Read when the trace header's trace number is FFFF.
inline constexpr FieldRow kExtendedTraceNumber{"extended_trace_number", 22, 24, Decimal};
// Revision 3 holds the sample count here instead of bytes 8-10.
inline constexpr FieldRow kSamplesPerTraceRev3{"samples_per_trace_rev3", 25, 28, Decimal};
}  // namespace extension1

}  // namespace vorax::decode::segd_layout
