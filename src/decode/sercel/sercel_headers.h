// Decoders of the Sercel 408/428 parts of a SEG-D record: the seven 32-byte trace header
// extension blocks that follow each 20-byte trace header, and the 1024-byte extended header.
//
// Byte positions in the comments are 1-based within the block. "decimal" is the bytes as one
// big-endian unsigned integer in decimal text, "hex" two upper-case hex digits per byte,
// "single"/"double" a big-endian IEEE value as decimal text. Every field is space-padded to
// its width and a longer text is cut. A buffer shorter than its block reads as zeros.
//
// Status: 0 when every code was recognised, otherwise the number of the last failing check,
// whose message is in `message`. Every check runs; no decoder stops early.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

struct Ext408Block1Fields {
  FixedText<6> receiverLineNumber;            // decimal 1-3
  FixedText<6> receiverPointNumber;           // decimal 4-6
  FixedText<2> receiverPointIndex;            // decimal 7
  FixedText<6> samplesPerTrace;               // decimal 8-10
  FixedText<10> extendedReceiverLineNumber;   // decimal 11-15
  FixedText<10> extendedReceiverPointNumber;  // decimal 16-20
  FixedText<2> sensorTypeCode;                // decimal 21
  FixedText<22> bytes22To32;                  // hex
  FixedText<40> sensorTypeText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("receiver_line_number", receiverLineNumber);
    v("receiver_point_number", receiverPointNumber);
    v("receiver_point_index", receiverPointIndex);
    v("samples_per_trace", samplesPerTrace);
    v("extended_receiver_line_number", extendedReceiverLineNumber);
    v("extended_receiver_point_number", extendedReceiverPointNumber);
    v("sensor_type_code", sensorTypeCode);
    v("bytes_22_32", bytes22To32);
    v("sensor_type_text", sensorTypeText);
    v("message", message);
  }
};

struct Ext408Block2Fields {
  FixedText<10> receiverEasting;   // double 1-8
  FixedText<10> receiverNorthing;  // double 9-16
  FixedText<6> receiverElevation;  // single 17-20
  FixedText<2> byte21;             // decimal
  FixedText<22> bytes22To32;       // hex
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("receiver_easting", receiverEasting);
    v("receiver_northing", receiverNorthing);
    v("receiver_elevation", receiverElevation);
    v("byte_21", byte21);
    v("bytes_22_32", bytes22To32);
    v("message", message);
  }
};

struct Ext408Block3Fields {
  FixedText<6> resistanceLowLimit;   // single 1-4
  FixedText<6> resistanceHighLimit;  // single 5-8
  FixedText<6> resistanceValue;      // single 9-12
  FixedText<6> tiltLimit;            // single 13-16
  FixedText<6> tiltValue;            // single 17-20
  FixedText<2> resistanceError;      // decimal 21
  FixedText<2> tiltError;            // decimal 22
  FixedText<22> bytes23To32;         // hex
  FixedText<3> resistanceErrorText;  // "No" / "Yes"
  FixedText<3> tiltErrorText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("resistance_low_limit", resistanceLowLimit);
    v("resistance_high_limit", resistanceHighLimit);
    v("resistance_value", resistanceValue);
    v("tilt_limit", tiltLimit);
    v("tilt_value", tiltValue);
    v("resistance_error", resistanceError);
    v("tilt_error", tiltError);
    v("bytes_23_32", bytes23To32);
    v("resistance_error_text", resistanceErrorText);
    v("tilt_error_text", tiltErrorText);
    v("message", message);
  }
};

struct Ext408Block4Fields {
  FixedText<6> capacitanceLowLimit;   // single 1-4
  FixedText<6> capacitanceHighLimit;  // single 5-8
  FixedText<6> capacitanceValue;      // single 9-12
  FixedText<6> cutOffLowLimit;        // single 13-16
  FixedText<6> cutOffHighLimit;       // single 17-20
  FixedText<6> cutOffValue;           // single 21-24
  FixedText<2> capacitanceError;      // decimal 25
  FixedText<2> cutOffError;           // decimal 26
  FixedText<12> bytes27To32;          // hex
  FixedText<3> capacitanceErrorText;  // "No" / "Yes"
  FixedText<3> cutOffErrorText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("capacitance_low_limit", capacitanceLowLimit);
    v("capacitance_high_limit", capacitanceHighLimit);
    v("capacitance_value", capacitanceValue);
    v("cut_off_low_limit", cutOffLowLimit);
    v("cut_off_high_limit", cutOffHighLimit);
    v("cut_off_value", cutOffValue);
    v("capacitance_error", capacitanceError);
    v("cut_off_error", cutOffError);
    v("bytes_27_32", bytes27To32);
    v("capacitance_error_text", capacitanceErrorText);
    v("cut_off_error_text", cutOffErrorText);
    v("message", message);
  }
};

struct Ext408Block5Fields {
  FixedText<6> leakageLimit;      // single 1-4
  FixedText<6> leakageValue;      // single 5-8
  FixedText<32> bytes9To24;       // hex
  FixedText<2> leakageError;      // decimal 25
  FixedText<14> bytes26To32;      // hex
  FixedText<3> leakageErrorText;  // "No" / "Yes"
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("leakage_limit", leakageLimit);
    v("leakage_value", leakageValue);
    v("bytes_9_24", bytes9To24);
    v("leakage_error", leakageError);
    v("bytes_26_32", bytes26To32);
    v("leakage_error_text", leakageErrorText);
    v("message", message);
  }
};

struct Ext408Block6Fields {
  FixedText<2> unitType;              // hex 1
  FixedText<8> unitSerialNumber;      // decimal 2-4
  FixedText<2> channelNumber;         // decimal 5
  FixedText<6> bytes6To8;             // hex
  FixedText<2> assemblyType;          // hex 9
  FixedText<8> assemblySerialNumber;  // decimal 10-12
  FixedText<2> locationInAssembly;    // decimal 13
  FixedText<6> bytes14To16;           // hex
  FixedText<2> subunitType;           // hex 17
  FixedText<2> channelTypeCode;       // decimal 18: 0 geophone, otherwise hydrophone
  FixedText<4> bytes19To20;           // hex
  FixedText<6> sensorSensitivity;     // single 21-24
  FixedText<16> bytes25To32;          // hex
  FixedText<16> unitTypeText;
  // One wider than 16 so that "String of 0C FDUs" is held whole.
  FixedText<17> assemblyTypeText;
  FixedText<8> subunitTypeText;
  FixedText<12> channelTypeText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("unit_type", unitType);
    v("unit_serial_number", unitSerialNumber);
    v("channel_number", channelNumber);
    v("bytes_6_8", bytes6To8);
    v("assembly_type", assemblyType);
    v("assembly_serial_number", assemblySerialNumber);
    v("location_in_assembly", locationInAssembly);
    v("bytes_14_16", bytes14To16);
    v("subunit_type", subunitType);
    v("channel_type_code", channelTypeCode);
    v("bytes_19_20", bytes19To20);
    v("sensor_sensitivity", sensorSensitivity);
    v("bytes_25_32", bytes25To32);
    v("unit_type_text", unitTypeText);
    v("assembly_type_text", assemblyTypeText);
    v("subunit_type_text", subunitTypeText);
    v("channel_type_text", channelTypeText);
    v("message", message);
  }
};

struct Ext408Block7Fields {
  FixedText<2> controlUnitType;          // hex 1
  FixedText<8> controlUnitSerialNumber;  // decimal 2-4
  FixedText<2> channelGainScale;         // decimal 5
  FixedText<2> channelFilter;            // decimal 6
  FixedText<2> channelDataError;         // decimal 7
  FixedText<2> channelEditedStatus;      // decimal 8
  // Single 9-12; a recorded 0 is replaced by the nominal factor of the gain scale.
  FixedText<20> conversionFactor;
  FixedText<2> stacksNoisy;                // decimal 13
  FixedText<2> stacksLow;                  // decimal 14
  FixedText<2> channelTypeIdentification;  // decimal 15: 1 seismic, 9 auxiliary
  FixedText<2> channelProcess;             // decimal 16
  FixedText<20> traceMaximumValue;         // single 17-20
  FixedText<8> traceMaximumTime;           // decimal 21-24
  FixedText<8> numberOfInterpolations;     // decimal 25-28
  FixedText<8> bytes29To32;                // hex
  FixedText<12> controlUnitTypeText;
  // The gain scale's meaning for three families of recording units.
  FixedText<24> gainScaleText1;
  FixedText<24> gainScaleText2;
  FixedText<24> gainScaleText3;
  FixedText<24> channelFilterText;
  FixedText<30> channelEditedStatusText;
  FixedText<4> channelTypeText;
  FixedText<30> channelProcessText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("control_unit_type", controlUnitType);
    v("control_unit_serial_number", controlUnitSerialNumber);
    v("channel_gain_scale", channelGainScale);
    v("channel_filter", channelFilter);
    v("channel_data_error", channelDataError);
    v("channel_edited_status", channelEditedStatus);
    v("conversion_factor", conversionFactor);
    v("stacks_noisy", stacksNoisy);
    v("stacks_low", stacksLow);
    v("channel_type_identification", channelTypeIdentification);
    v("channel_process", channelProcess);
    v("trace_maximum_value", traceMaximumValue);
    v("trace_maximum_time", traceMaximumTime);
    v("number_of_interpolations", numberOfInterpolations);
    v("bytes_29_32", bytes29To32);
    v("control_unit_type_text", controlUnitTypeText);
    v("gain_scale_text_1", gainScaleText1);
    v("gain_scale_text_2", gainScaleText2);
    v("gain_scale_text_3", gainScaleText3);
    v("channel_filter_text", channelFilterText);
    v("channel_edited_status_text", channelEditedStatusText);
    v("channel_type_text", channelTypeText);
    v("channel_process_text", channelProcessText);
    v("message", message);
  }
};

// The 1024-byte extended header. Bytes 1-144 are 36 four-byte fields held as decimal text of
// width 5 (bytes 41-44 as a single). Names of bytes 145-1023 follow the positions where the
// layout gives them no meaning; those it does name (amplitudes, tape, source position) say so.
struct Ext408ExtendedFields {
  FixedText<5> acquisitionLength;              // 1-4
  FixedText<5> sampleRate;                     // 5-8, microseconds
  FixedText<5> totalTraces;                    // 9-12
  FixedText<5> auxiliaryTraces;                // 13-16
  FixedText<5> seismicTraces;                  // 17-20
  FixedText<5> deadSeismicTraces;              // 21-24
  FixedText<5> liveSeismicTraces;              // 25-28
  FixedText<5> sourceType;                     // 29-32
  FixedText<5> samplesPerTrace;                // 33-36
  FixedText<5> shotNumber;                     // 37-40
  FixedText<5> timeBreakWindow;                // 41-44, single
  FixedText<5> testRecordType;                 // 45-48
  FixedText<5> spreadFirstLine;                // 49-52
  FixedText<5> spreadFirstNumber;              // 53-56
  FixedText<5> spreadNumber;                   // 57-60
  FixedText<5> spreadType;                     // 61-64
  FixedText<5> timeBreak;                      // 65-68
  FixedText<5> upholeTime;                     // 69-72
  FixedText<5> blasterIdentifier;              // 73-76
  FixedText<5> blasterStatus;                  // 77-80
  FixedText<5> refractionDelay;                // 81-84
  FixedText<5> timeBreakToT0;                  // 85-88
  FixedText<5> internalTimeBreak;              // 89-92
  FixedText<5> prestackInFieldUnits;           // 93-96
  FixedText<5> noiseEliminationType;           // 97-100
  FixedText<5> lowTracePercentage;             // 101-104
  FixedText<5> lowTraceValue;                  // 105-108
  FixedText<5> numberOfWindows;                // 109-112
  FixedText<5> historicEditingType;            // 113-116
  FixedText<5> noisyTracePercentage;           // 117-120
  FixedText<5> historicRange;                  // 121-124
  FixedText<5> historicTaperLength;            // 125-128
  FixedText<5> thresholdHoldVariable;          // 129-132
  FixedText<5> historicThresholdInitialValue;  // 133-136
  FixedText<5> historicZeroingLength;          // 137-140
  FixedText<5> processType;                    // 141-144
  FixedText<256> bytes145To272;                // hex
  FixedText<256> bytes273To400;                // hex
  FixedText<5> bytes401To404;                  // decimal
  FixedText<80> bytes405To484;                 // characters
  FixedText<5> bytes485To488;                  // decimal
  FixedText<5> bytes489To492;
  FixedText<5> bytes493To496;
  FixedText<5> bytes497To500;
  FixedText<5> bytes501To504;
  FixedText<5> bytes505To508;
  FixedText<5> bytes509To512;
  FixedText<12> maximumAuxiliaryAmplitude;  // 513-516, single
  FixedText<12> maximumSeismicAmplitude;    // 517-520, single
  FixedText<5> bytes521To524;               // decimal
  FixedText<16> tapeLabel;                  // 525-540, characters, trimmed
  FixedText<5> tapeNumber;                  // 541-544, decimal
  FixedText<16> bytes545To560;              // characters
  FixedText<12> bytes561To572;              // characters
  FixedText<16> sourceEasting;              // 573-580, double
  FixedText<16> sourceNorthing;             // 581-588, double
  FixedText<10> sourceElevation;            // 589-592, single
  FixedText<5> slipSweep;                   // 593-596
  FixedText<5> bytes597To600;               // decimal
  FixedText<5> bytes601To604;               // decimal
  FixedText<160> bytes605To764;             // characters
  FixedText<5> acquisitionFilterType;       // 765-768
  FixedText<5> bytes769To772;               // decimal
  FixedText<5> prmTiltFlag;                 // 773-776
  FixedText<490> bytes777To1023;            // hex, cut to 490 digits
  FixedText<20> sourceTypeText;
  FixedText<20> testRecordTypeText;
  FixedText<8> spreadTypeText;
  // The blaster status's meaning for three families of blasters.
  FixedText<40> blasterStatusText1;
  FixedText<40> blasterStatusText2;
  FixedText<40> blasterStatusText3;
  FixedText<4> internalTimeBreakText;
  FixedText<4> prestackText;
  FixedText<20> noiseEliminationText;
  FixedText<12> historicEditingText;
  FixedText<8> thresholdText;
  FixedText<40> processTypeText;
  FixedText<4> slipSweepText;
  FixedText<12> acquisitionFilterText;
  FixedText<4> prmTiltText;
  FixedText<80> message;

  template <typename V>
  void visit(V&& v) const {
    v("acquisition_length", acquisitionLength);
    v("sample_rate", sampleRate);
    v("total_traces", totalTraces);
    v("auxiliary_traces", auxiliaryTraces);
    v("seismic_traces", seismicTraces);
    v("dead_seismic_traces", deadSeismicTraces);
    v("live_seismic_traces", liveSeismicTraces);
    v("source_type", sourceType);
    v("samples_per_trace", samplesPerTrace);
    v("shot_number", shotNumber);
    v("time_break_window", timeBreakWindow);
    v("test_record_type", testRecordType);
    v("spread_first_line", spreadFirstLine);
    v("spread_first_number", spreadFirstNumber);
    v("spread_number", spreadNumber);
    v("spread_type", spreadType);
    v("time_break", timeBreak);
    v("uphole_time", upholeTime);
    v("blaster_identifier", blasterIdentifier);
    v("blaster_status", blasterStatus);
    v("refraction_delay", refractionDelay);
    v("time_break_to_t0", timeBreakToT0);
    v("internal_time_break", internalTimeBreak);
    v("prestack_in_field_units", prestackInFieldUnits);
    v("noise_elimination_type", noiseEliminationType);
    v("low_trace_percentage", lowTracePercentage);
    v("low_trace_value", lowTraceValue);
    v("number_of_windows", numberOfWindows);
    v("historic_editing_type", historicEditingType);
    v("noisy_trace_percentage", noisyTracePercentage);
    v("historic_range", historicRange);
    v("historic_taper_length", historicTaperLength);
    v("threshold_hold_variable", thresholdHoldVariable);
    v("historic_threshold_initial_value", historicThresholdInitialValue);
    v("historic_zeroing_length", historicZeroingLength);
    v("process_type", processType);
    v("bytes_145_272", bytes145To272);
    v("bytes_273_400", bytes273To400);
    v("bytes_401_404", bytes401To404);
    v("bytes_405_484", bytes405To484);
    v("bytes_485_488", bytes485To488);
    v("bytes_489_492", bytes489To492);
    v("bytes_493_496", bytes493To496);
    v("bytes_497_500", bytes497To500);
    v("bytes_501_504", bytes501To504);
    v("bytes_505_508", bytes505To508);
    v("bytes_509_512", bytes509To512);
    v("maximum_auxiliary_amplitude", maximumAuxiliaryAmplitude);
    v("maximum_seismic_amplitude", maximumSeismicAmplitude);
    v("bytes_521_524", bytes521To524);
    v("tape_label", tapeLabel);
    v("tape_number", tapeNumber);
    v("bytes_545_560", bytes545To560);
    v("bytes_561_572", bytes561To572);
    v("source_easting", sourceEasting);
    v("source_northing", sourceNorthing);
    v("source_elevation", sourceElevation);
    v("slip_sweep", slipSweep);
    v("bytes_597_600", bytes597To600);
    v("bytes_601_604", bytes601To604);
    v("bytes_605_764", bytes605To764);
    v("acquisition_filter_type", acquisitionFilterType);
    v("bytes_769_772", bytes769To772);
    v("prm_tilt_flag", prmTiltFlag);
    v("bytes_777_1023", bytes777To1023);
    v("source_type_text", sourceTypeText);
    v("test_record_type_text", testRecordTypeText);
    v("spread_type_text", spreadTypeText);
    v("blaster_status_text_1", blasterStatusText1);
    v("blaster_status_text_2", blasterStatusText2);
    v("blaster_status_text_3", blasterStatusText3);
    v("internal_time_break_text", internalTimeBreakText);
    v("prestack_text", prestackText);
    v("noise_elimination_text", noiseEliminationText);
    v("historic_editing_text", historicEditingText);
    v("threshold_text", thresholdText);
    v("process_type_text", processTypeText);
    v("slip_sweep_text", slipSweepText);
    v("acquisition_filter_text", acquisitionFilterText);
    v("prm_tilt_text", prmTiltText);
    v("message", message);
  }
};

// Each takes one 32-byte block (bytes past the buffer's end read as zero).
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK1(Bytes buffer, Ext408Block1Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK2(Bytes buffer, Ext408Block2Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK3(Bytes buffer, Ext408Block3Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK4(Bytes buffer, Ext408Block4Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK5(Bytes buffer, Ext408Block5Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK6(Bytes buffer, Ext408Block6Fields& out);
std::int32_t SEGDDECODE408TRACEHEADEREXTBLOCK7(Bytes buffer, Ext408Block7Fields& out);

// Takes the 1024-byte extended header.
std::int32_t SEGDDECODE408EXTENDEDHEADER(Bytes buffer, Ext408ExtendedFields& out);

}  // namespace vorax::decode
