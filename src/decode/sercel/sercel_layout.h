// Byte layout of the Sercel 408/428 parts of a SEG-D record: the seven 32-byte trace header
// extension blocks that follow each 20-byte trace header, and the 1024-byte extended header.
// Positions are 1-based within the block, as the layout numbers them. Every reader of these
// bytes (the decoders, the trace attributes, the header summary, the record tools, the quick
// readers and the synthetic record writer) takes its positions from here.
#pragma once

#include <cstddef>

#include "decode/field_layout.h"
#include "decode/segd/segd_layout.h"

namespace vorax::decode::sercel_layout {

using enum FieldEncoding;

using segd_layout::kTraceHeaderBytes;
inline constexpr std::size_t kExtensionBlockBytes = segd_layout::kBlockBytes;
inline constexpr std::size_t kExtendedHeaderBytes = 1024;

// 0-based offset of the extended header in the file header of a 408 record: three general
// header blocks and sixteen channel set descriptors come first.
inline constexpr std::size_t kExtendedHeaderOffset =
    segd_layout::kGeneralHeaderBytes + 16 * segd_layout::kBlockBytes;

// A field of extension block `block` (1..7) counted from the start of the first block, from
// the start of its trace header, and a field of the extended header counted from the start
// of the file header: for readers that take those bytes whole.
constexpr FieldRow inExtensions(std::size_t block, const FieldRow& row) {
  return row.at(kExtensionBlockBytes * (block - 1));
}
constexpr FieldRow inTraceHeader(std::size_t block, const FieldRow& row) {
  return inExtensions(block, row).at(kTraceHeaderBytes);
}
constexpr FieldRow inFileHeader(const FieldRow& extendedRow) {
  return extendedRow.at(kExtendedHeaderOffset);
}

// Bytes 1-20 are the standard's trace header extension 1.
namespace block1 {
inline constexpr FieldRow kReceiverLineNumber = segd_layout::extension1::kReceiverLineNumber;
inline constexpr FieldRow kReceiverPointNumber = segd_layout::extension1::kReceiverPointNumber;
inline constexpr FieldRow kReceiverPointIndex = segd_layout::extension1::kReceiverPointIndex;
inline constexpr FieldRow kSamplesPerTrace = segd_layout::extension1::kSamplesPerTrace;
inline constexpr FieldRow kExtendedReceiverLineNumber =
    segd_layout::extension1::kExtendedReceiverLineNumber;
inline constexpr FieldRow kExtendedReceiverPointNumber =
    segd_layout::extension1::kExtendedReceiverPointNumber;
inline constexpr FieldRow kSensorTypeCode{"sensor_type_code", 21, 21, Decimal};
inline constexpr FieldRow kBytes22To32{"bytes_22_to_32", 22, 32, Hex};
}  // namespace block1

namespace block2 {
inline constexpr FieldRow kReceiverEasting{"receiver_easting", 1, 8, Double};
inline constexpr FieldRow kReceiverNorthing{"receiver_northing", 9, 16, Double};
inline constexpr FieldRow kReceiverElevation{"receiver_elevation", 17, 20, Single};
inline constexpr FieldRow kByte21{"byte_21", 21, 21, Decimal};
inline constexpr FieldRow kBytes22To32{"bytes_22_to_32", 22, 32, Hex};
}  // namespace block2

namespace block3 {
inline constexpr FieldRow kResistanceLowLimit{"resistance_low_limit", 1, 4, Single};
inline constexpr FieldRow kResistanceHighLimit{"resistance_high_limit", 5, 8, Single};
inline constexpr FieldRow kResistanceValue{"resistance_value", 9, 12, Single};
inline constexpr FieldRow kTiltLimit{"tilt_limit", 13, 16, Single};
inline constexpr FieldRow kTiltValue{"tilt_value", 17, 20, Single};
inline constexpr FieldRow kResistanceError{"resistance_error", 21, 21, Decimal};
inline constexpr FieldRow kTiltError{"tilt_error", 22, 22, Decimal};
inline constexpr FieldRow kBytes23To32{"bytes_23_to_32", 23, 32, Hex};
}  // namespace block3

namespace block4 {
inline constexpr FieldRow kCapacitanceLowLimit{"capacitance_low_limit", 1, 4, Single};
inline constexpr FieldRow kCapacitanceHighLimit{"capacitance_high_limit", 5, 8, Single};
inline constexpr FieldRow kCapacitanceValue{"capacitance_value", 9, 12, Single};
inline constexpr FieldRow kCutOffLowLimit{"cut_off_low_limit", 13, 16, Single};
inline constexpr FieldRow kCutOffHighLimit{"cut_off_high_limit", 17, 20, Single};
inline constexpr FieldRow kCutOffValue{"cut_off_value", 21, 24, Single};
inline constexpr FieldRow kCapacitanceError{"capacitance_error", 25, 25, Decimal};
inline constexpr FieldRow kCutOffError{"cut_off_error", 26, 26, Decimal};
inline constexpr FieldRow kBytes27To32{"bytes_27_to_32", 27, 32, Hex};
}  // namespace block4

namespace block5 {
inline constexpr FieldRow kLeakageLimit{"leakage_limit", 1, 4, Single};
inline constexpr FieldRow kLeakageValue{"leakage_value", 5, 8, Single};
inline constexpr FieldRow kBytes9To24{"bytes_9_to_24", 9, 24, Hex};
inline constexpr FieldRow kLeakageError{"leakage_error", 25, 25, Decimal};
inline constexpr FieldRow kBytes26To32{"bytes_26_to_32", 26, 32, Hex};
}  // namespace block5

namespace block6 {
inline constexpr FieldRow kUnitType{"unit_type", 1, 1, Hex};
inline constexpr FieldRow kUnitSerialNumber{"unit_serial_number", 2, 4, Decimal};
inline constexpr FieldRow kChannelNumber{"channel_number", 5, 5, Decimal};
inline constexpr FieldRow kBytes6To8{"bytes_6_to_8", 6, 8, Hex};
inline constexpr FieldRow kAssemblyType{"assembly_type", 9, 9, Hex};
inline constexpr FieldRow kAssemblySerialNumber{"assembly_serial_number", 10, 12, Decimal};
inline constexpr FieldRow kLocationInAssembly{"location_in_assembly", 13, 13, Decimal};
inline constexpr FieldRow kBytes14To16{"bytes_14_to_16", 14, 16, Hex};
inline constexpr FieldRow kSubunitType{"subunit_type", 17, 17, Hex};
inline constexpr FieldRow kChannelTypeCode{"channel_type_code", 18, 18, Decimal};
inline constexpr FieldRow kBytes19To20{"bytes_19_to_20", 19, 20, Hex};
inline constexpr FieldRow kSensorSensitivity{"sensor_sensitivity", 21, 24, Single};
inline constexpr FieldRow kBytes25To32{"bytes_25_to_32", 25, 32, Hex};
}  // namespace block6

namespace block7 {
inline constexpr FieldRow kControlUnitType{"control_unit_type", 1, 1, Hex};
inline constexpr FieldRow kControlUnitSerialNumber{"control_unit_serial_number", 2, 4, Decimal};
inline constexpr FieldRow kChannelGainScale{"channel_gain_scale", 5, 5, Decimal};
inline constexpr FieldRow kChannelFilter{"channel_filter", 6, 6, Decimal};
inline constexpr FieldRow kChannelDataError{"channel_data_error", 7, 7, Decimal};
inline constexpr FieldRow kChannelEditedStatus{"channel_edited_status", 8, 8, Decimal};
inline constexpr FieldRow kConversionFactor{"conversion_factor", 9, 12, Single};
inline constexpr FieldRow kStacksNoisy{"stacks_noisy", 13, 13, Decimal};
inline constexpr FieldRow kStacksLow{"stacks_low", 14, 14, Decimal};
inline constexpr FieldRow kChannelTypeIdentification{"channel_type_identification", 15, 15,
                                                     Decimal};
inline constexpr FieldRow kChannelProcess{"channel_process", 16, 16, Decimal};
inline constexpr FieldRow kTraceMaximumValue{"trace_maximum_value", 17, 20, Single};
inline constexpr FieldRow kTraceMaximumTime{"trace_maximum_time", 21, 24, Decimal};
inline constexpr FieldRow kNumberOfInterpolations{"number_of_interpolations", 25, 28, Decimal};
inline constexpr FieldRow kBytes29To32{"bytes_29_to_32", 29, 32, Hex};
}  // namespace block7

namespace extended {
inline constexpr FieldRow kAcquisitionLength{"acquisition_length", 1, 4, Decimal};
inline constexpr FieldRow kSampleRate{"sample_rate", 5, 8, Decimal};
inline constexpr FieldRow kTotalTraces{"total_traces", 9, 12, Decimal};
inline constexpr FieldRow kAuxiliaryTraces{"auxiliary_traces", 13, 16, Decimal};
inline constexpr FieldRow kSeismicTraces{"seismic_traces", 17, 20, Decimal};
inline constexpr FieldRow kDeadSeismicTraces{"dead_seismic_traces", 21, 24, Decimal};
inline constexpr FieldRow kLiveSeismicTraces{"live_seismic_traces", 25, 28, Decimal};
inline constexpr FieldRow kSourceType{"source_type", 29, 32, Decimal};
inline constexpr FieldRow kSamplesPerTrace{"samples_per_trace", 33, 36, Decimal};
inline constexpr FieldRow kShotNumber{"shot_number", 37, 40, Decimal};
inline constexpr FieldRow kTimeBreakWindow{"time_break_window", 41, 44, Single};
inline constexpr FieldRow kTestRecordType{"test_record_type", 45, 48, Decimal};
inline constexpr FieldRow kSpreadFirstLine{"spread_first_line", 49, 52, Decimal};
inline constexpr FieldRow kSpreadFirstNumber{"spread_first_number", 53, 56, Decimal};
inline constexpr FieldRow kSpreadNumber{"spread_number", 57, 60, Decimal};
inline constexpr FieldRow kSpreadType{"spread_type", 61, 64, Decimal};
inline constexpr FieldRow kTimeBreak{"time_break", 65, 68, Decimal};
inline constexpr FieldRow kUpholeTime{"uphole_time", 69, 72, Decimal};
inline constexpr FieldRow kBlasterIdentifier{"blaster_identifier", 73, 76, Decimal};
inline constexpr FieldRow kBlasterStatus{"blaster_status", 77, 80, Decimal};
inline constexpr FieldRow kRefractionDelay{"refraction_delay", 81, 84, Decimal};
inline constexpr FieldRow kTimeBreakToT0{"time_break_to_t0", 85, 88, Decimal};
inline constexpr FieldRow kInternalTimeBreak{"internal_time_break", 89, 92, Decimal};
inline constexpr FieldRow kPrestackInFieldUnits{"prestack_in_field_units", 93, 96, Decimal};
inline constexpr FieldRow kNoiseEliminationType{"noise_elimination_type", 97, 100, Decimal};
inline constexpr FieldRow kLowTracePercentage{"low_trace_percentage", 101, 104, Decimal};
inline constexpr FieldRow kLowTraceValue{"low_trace_value", 105, 108, Decimal};
inline constexpr FieldRow kNumberOfWindows{"number_of_windows", 109, 112, Decimal};
inline constexpr FieldRow kHistoricEditingType{"historic_editing_type", 113, 116, Decimal};
inline constexpr FieldRow kNoisyTracePercentage{"noisy_trace_percentage", 117, 120, Decimal};
inline constexpr FieldRow kHistoricRange{"historic_range", 121, 124, Decimal};
inline constexpr FieldRow kHistoricTaperLength{"historic_taper_length", 125, 128, Decimal};
inline constexpr FieldRow kThresholdHoldVariable{"threshold_hold_variable", 129, 132, Decimal};
inline constexpr FieldRow kHistoricThresholdInitialValue{"historic_threshold_initial_value", 133,
                                                         136, Decimal};
inline constexpr FieldRow kHistoricZeroingLength{"historic_zeroing_length", 137, 140, Decimal};
inline constexpr FieldRow kProcessType{"process_type", 141, 144, Decimal};
inline constexpr FieldRow kBytes145To272{"bytes_145_to_272", 145, 272, Hex};
inline constexpr FieldRow kBytes273To400{"bytes_273_to_400", 273, 400, Hex};
inline constexpr FieldRow kBytes401To404{"bytes_401_to_404", 401, 404, Decimal};
inline constexpr FieldRow kBytes405To484{"bytes_405_to_484", 405, 484, Characters};
inline constexpr FieldRow kBytes485To488{"bytes_485_to_488", 485, 488, Decimal};
inline constexpr FieldRow kBytes489To492{"bytes_489_to_492", 489, 492, Decimal};
inline constexpr FieldRow kBytes493To496{"bytes_493_to_496", 493, 496, Decimal};
inline constexpr FieldRow kBytes497To500{"bytes_497_to_500", 497, 500, Decimal};
inline constexpr FieldRow kBytes501To504{"bytes_501_to_504", 501, 504, Decimal};
inline constexpr FieldRow kBytes505To508{"bytes_505_to_508", 505, 508, Decimal};
inline constexpr FieldRow kBytes509To512{"bytes_509_to_512", 509, 512, Decimal};
inline constexpr FieldRow kMaximumAuxiliaryAmplitude{"maximum_auxiliary_amplitude", 513, 516,
                                                     Single};
inline constexpr FieldRow kMaximumSeismicAmplitude{"maximum_seismic_amplitude", 517, 520, Single};
inline constexpr FieldRow kBytes521To524{"bytes_521_to_524", 521, 524, Decimal};
inline constexpr FieldRow kTapeLabel{"tape_label", 525, 540, Characters};
inline constexpr FieldRow kTapeNumber{"tape_number", 541, 544, Decimal};
inline constexpr FieldRow kBytes545To560{"bytes_545_to_560", 545, 560, Characters};
inline constexpr FieldRow kBytes561To572{"bytes_561_to_572", 561, 572, Characters};
inline constexpr FieldRow kSourceEasting{"source_easting", 573, 580, Double};
inline constexpr FieldRow kSourceNorthing{"source_northing", 581, 588, Double};
inline constexpr FieldRow kSourceElevation{"source_elevation", 589, 592, Single};
inline constexpr FieldRow kSlipSweep{"slip_sweep", 593, 596, Decimal};
inline constexpr FieldRow kBytes597To600{"bytes_597_to_600", 597, 600, Decimal};
inline constexpr FieldRow kBytes601To604{"bytes_601_to_604", 601, 604, Decimal};
inline constexpr FieldRow kBytes605To764{"bytes_605_to_764", 605, 764, Characters};
inline constexpr FieldRow kAcquisitionFilterType{"acquisition_filter_type", 765, 768, Decimal};
inline constexpr FieldRow kBytes769To772{"bytes_769_to_772", 769, 772, Decimal};
inline constexpr FieldRow kPrmTiltFlag{"prm_tilt_flag", 773, 776, Decimal};
inline constexpr FieldRow kBytes777To1023{"bytes_777_to_1023", 777, 1023, Hex};
}  // namespace extended

}  // namespace vorax::decode::sercel_layout
