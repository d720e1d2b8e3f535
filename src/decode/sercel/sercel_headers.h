// Decoders of the Sercel 408/428 parts of a SEG-D record: the seven 32-byte trace header
// extension blocks that follow each 20-byte trace header, and the 1024-byte extended header.
//
// The bytes of each field, and how they are held, are its row of sercel_layout.h; a field
// read straight from its bytes is that row's text (field_layout.h), space-padded to its width
// and cut when longer. A buffer shorter than its block reads as zeros.
//
// Status: 0 when every code was recognised, otherwise the number of the last failing check,
// whose message is in `message`. Every check runs; no decoder stops early.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/sercel/sercel_layout.h"

namespace vorax::decode {

struct Ext408Block1Fields {
  FixedText<6> receiverLineNumber;
  FixedText<6> receiverPointNumber;
  FixedText<2> receiverPointIndex;
  FixedText<6> samplesPerTrace;
  FixedText<10> extendedReceiverLineNumber;
  FixedText<10> extendedReceiverPointNumber;
  FixedText<2> sensorTypeCode;
  FixedText<22> bytes22To32;
  FixedText<40> sensorTypeText;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block1;
    f(rows::kReceiverLineNumber, self.receiverLineNumber);
    f(rows::kReceiverPointNumber, self.receiverPointNumber);
    f(rows::kReceiverPointIndex, self.receiverPointIndex);
    f(rows::kSamplesPerTrace, self.samplesPerTrace);
    f(rows::kExtendedReceiverLineNumber, self.extendedReceiverLineNumber);
    f(rows::kExtendedReceiverPointNumber, self.extendedReceiverPointNumber);
    f(rows::kSensorTypeCode, self.sensorTypeCode);
    f(rows::kBytes22To32, self.bytes22To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("sensor_type_text", sensorTypeText);
    v("message", message);
  }
};

struct Ext408Block2Fields {
  FixedText<10> receiverEasting;
  FixedText<10> receiverNorthing;
  FixedText<6> receiverElevation;
  FixedText<2> byte21;
  FixedText<22> bytes22To32;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block2;
    f(rows::kReceiverEasting, self.receiverEasting);
    f(rows::kReceiverNorthing, self.receiverNorthing);
    f(rows::kReceiverElevation, self.receiverElevation);
    f(rows::kByte21, self.byte21);
    f(rows::kBytes22To32, self.bytes22To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("message", message);
  }
};

struct Ext408Block3Fields {
  FixedText<6> resistanceLowLimit;
  FixedText<6> resistanceHighLimit;
  FixedText<6> resistanceValue;
  FixedText<6> tiltLimit;
  FixedText<6> tiltValue;
  FixedText<2> resistanceError;
  FixedText<2> tiltError;
  FixedText<22> bytes23To32;
  FixedText<3> resistanceErrorText;  // "No" / "Yes"
  FixedText<3> tiltErrorText;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block3;
    f(rows::kResistanceLowLimit, self.resistanceLowLimit);
    f(rows::kResistanceHighLimit, self.resistanceHighLimit);
    f(rows::kResistanceValue, self.resistanceValue);
    f(rows::kTiltLimit, self.tiltLimit);
    f(rows::kTiltValue, self.tiltValue);
    f(rows::kResistanceError, self.resistanceError);
    f(rows::kTiltError, self.tiltError);
    f(rows::kBytes23To32, self.bytes23To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("resistance_error_text", resistanceErrorText);
    v("tilt_error_text", tiltErrorText);
    v("message", message);
  }
};

struct Ext408Block4Fields {
  FixedText<6> capacitanceLowLimit;
  FixedText<6> capacitanceHighLimit;
  FixedText<6> capacitanceValue;
  FixedText<6> cutOffLowLimit;
  FixedText<6> cutOffHighLimit;
  FixedText<6> cutOffValue;
  FixedText<2> capacitanceError;
  FixedText<2> cutOffError;
  FixedText<12> bytes27To32;
  FixedText<3> capacitanceErrorText;  // "No" / "Yes"
  FixedText<3> cutOffErrorText;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block4;
    f(rows::kCapacitanceLowLimit, self.capacitanceLowLimit);
    f(rows::kCapacitanceHighLimit, self.capacitanceHighLimit);
    f(rows::kCapacitanceValue, self.capacitanceValue);
    f(rows::kCutOffLowLimit, self.cutOffLowLimit);
    f(rows::kCutOffHighLimit, self.cutOffHighLimit);
    f(rows::kCutOffValue, self.cutOffValue);
    f(rows::kCapacitanceError, self.capacitanceError);
    f(rows::kCutOffError, self.cutOffError);
    f(rows::kBytes27To32, self.bytes27To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("capacitance_error_text", capacitanceErrorText);
    v("cut_off_error_text", cutOffErrorText);
    v("message", message);
  }
};

struct Ext408Block5Fields {
  FixedText<6> leakageLimit;
  FixedText<6> leakageValue;
  FixedText<32> bytes9To24;
  FixedText<2> leakageError;
  FixedText<14> bytes26To32;
  FixedText<3> leakageErrorText;  // "No" / "Yes"
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block5;
    f(rows::kLeakageLimit, self.leakageLimit);
    f(rows::kLeakageValue, self.leakageValue);
    f(rows::kBytes9To24, self.bytes9To24);
    f(rows::kLeakageError, self.leakageError);
    f(rows::kBytes26To32, self.bytes26To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("leakage_error_text", leakageErrorText);
    v("message", message);
  }
};

struct Ext408Block6Fields {
  FixedText<2> unitType;
  FixedText<8> unitSerialNumber;
  FixedText<2> channelNumber;
  FixedText<6> bytes6To8;
  FixedText<2> assemblyType;
  FixedText<8> assemblySerialNumber;
  FixedText<2> locationInAssembly;
  FixedText<6> bytes14To16;
  FixedText<2> subunitType;
  FixedText<2> channelTypeCode;  // 0 geophone, otherwise hydrophone
  FixedText<4> bytes19To20;
  FixedText<6> sensorSensitivity;
  FixedText<16> bytes25To32;
  FixedText<16> unitTypeText;
  // One wider than 16 so that "String of 0C FDUs" is held whole.
  FixedText<17> assemblyTypeText;
  FixedText<8> subunitTypeText;
  FixedText<12> channelTypeText;
  FixedText<80> message;

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block6;
    f(rows::kUnitType, self.unitType);
    f(rows::kUnitSerialNumber, self.unitSerialNumber);
    f(rows::kChannelNumber, self.channelNumber);
    f(rows::kBytes6To8, self.bytes6To8);
    f(rows::kAssemblyType, self.assemblyType);
    f(rows::kAssemblySerialNumber, self.assemblySerialNumber);
    f(rows::kLocationInAssembly, self.locationInAssembly);
    f(rows::kBytes14To16, self.bytes14To16);
    f(rows::kSubunitType, self.subunitType);
    f(rows::kChannelTypeCode, self.channelTypeCode);
    f(rows::kBytes19To20, self.bytes19To20);
    f(rows::kSensorSensitivity, self.sensorSensitivity);
    f(rows::kBytes25To32, self.bytes25To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
    v("unit_type_text", unitTypeText);
    v("assembly_type_text", assemblyTypeText);
    v("subunit_type_text", subunitTypeText);
    v("channel_type_text", channelTypeText);
    v("message", message);
  }
};

struct Ext408Block7Fields {
  FixedText<2> controlUnitType;
  FixedText<8> controlUnitSerialNumber;
  FixedText<2> channelGainScale;
  FixedText<2> channelFilter;
  FixedText<2> channelDataError;
  FixedText<2> channelEditedStatus;
  // A recorded 0 is replaced by the nominal factor of the gain scale.
  FixedText<20> conversionFactor;
  FixedText<2> stacksNoisy;
  FixedText<2> stacksLow;
  FixedText<2> channelTypeIdentification;  // 1 seismic, 9 auxiliary
  FixedText<2> channelProcess;
  FixedText<20> traceMaximumValue;
  FixedText<8> traceMaximumTime;
  FixedText<8> numberOfInterpolations;
  FixedText<8> bytes29To32;
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

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::block7;
    f(rows::kControlUnitType, self.controlUnitType);
    f(rows::kControlUnitSerialNumber, self.controlUnitSerialNumber);
    f(rows::kChannelGainScale, self.channelGainScale);
    f(rows::kChannelFilter, self.channelFilter);
    f(rows::kChannelDataError, self.channelDataError);
    f(rows::kChannelEditedStatus, self.channelEditedStatus);
    f(rows::kConversionFactor, self.conversionFactor);
    f(rows::kStacksNoisy, self.stacksNoisy);
    f(rows::kStacksLow, self.stacksLow);
    f(rows::kChannelTypeIdentification, self.channelTypeIdentification);
    f(rows::kChannelProcess, self.channelProcess);
    f(rows::kTraceMaximumValue, self.traceMaximumValue);
    f(rows::kTraceMaximumTime, self.traceMaximumTime);
    f(rows::kNumberOfInterpolations, self.numberOfInterpolations);
    f(rows::kBytes29To32, self.bytes29To32);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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

// The 1024-byte extended header. It opens with 36 four-byte fields held as decimal text of
// width 5 (the time-break window as a single); the bytes after them that the layout gives no
// meaning are named after their positions.
struct Ext408ExtendedFields {
  FixedText<5> acquisitionLength;
  FixedText<5> sampleRate;  // microseconds
  FixedText<5> totalTraces;
  FixedText<5> auxiliaryTraces;
  FixedText<5> seismicTraces;
  FixedText<5> deadSeismicTraces;
  FixedText<5> liveSeismicTraces;
  FixedText<5> sourceType;
  FixedText<5> samplesPerTrace;
  FixedText<5> shotNumber;
  FixedText<5> timeBreakWindow;
  FixedText<5> testRecordType;
  FixedText<5> spreadFirstLine;
  FixedText<5> spreadFirstNumber;
  FixedText<5> spreadNumber;
  FixedText<5> spreadType;
  FixedText<5> timeBreak;
  FixedText<5> upholeTime;
  FixedText<5> blasterIdentifier;
  FixedText<5> blasterStatus;
  FixedText<5> refractionDelay;
  FixedText<5> timeBreakToT0;
  FixedText<5> internalTimeBreak;
  FixedText<5> prestackInFieldUnits;
  FixedText<5> noiseEliminationType;
  FixedText<5> lowTracePercentage;
  FixedText<5> lowTraceValue;
  FixedText<5> numberOfWindows;
  FixedText<5> historicEditingType;
  FixedText<5> noisyTracePercentage;
  FixedText<5> historicRange;
  FixedText<5> historicTaperLength;
  FixedText<5> thresholdHoldVariable;
  FixedText<5> historicThresholdInitialValue;
  FixedText<5> historicZeroingLength;
  FixedText<5> processType;
  FixedText<256> bytes145To272;
  FixedText<256> bytes273To400;
  FixedText<5> bytes401To404;
  FixedText<80> bytes405To484;
  FixedText<5> bytes485To488;
  FixedText<5> bytes489To492;
  FixedText<5> bytes493To496;
  FixedText<5> bytes497To500;
  FixedText<5> bytes501To504;
  FixedText<5> bytes505To508;
  FixedText<5> bytes509To512;
  FixedText<12> maximumAuxiliaryAmplitude;
  FixedText<12> maximumSeismicAmplitude;
  FixedText<5> bytes521To524;
  FixedText<16> tapeLabel;  // trimmed
  FixedText<5> tapeNumber;
  FixedText<16> bytes545To560;
  FixedText<12> bytes561To572;
  FixedText<16> sourceEasting;
  FixedText<16> sourceNorthing;
  FixedText<10> sourceElevation;
  FixedText<5> slipSweep;
  FixedText<5> bytes597To600;
  FixedText<5> bytes601To604;
  FixedText<160> bytes605To764;
  FixedText<5> acquisitionFilterType;
  FixedText<5> bytes769To772;
  FixedText<5> prmTiltFlag;
  FixedText<490> bytes777To1023;  // cut to 490 digits
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

  // The fields held straight in the block's bytes, each with its layout row.
  template <typename Self, typename F>
  static void eachByteField(Self& self, F&& f) {
    namespace rows = sercel_layout::extended;
    f(rows::kAcquisitionLength, self.acquisitionLength);
    f(rows::kSampleRate, self.sampleRate);
    f(rows::kTotalTraces, self.totalTraces);
    f(rows::kAuxiliaryTraces, self.auxiliaryTraces);
    f(rows::kSeismicTraces, self.seismicTraces);
    f(rows::kDeadSeismicTraces, self.deadSeismicTraces);
    f(rows::kLiveSeismicTraces, self.liveSeismicTraces);
    f(rows::kSourceType, self.sourceType);
    f(rows::kSamplesPerTrace, self.samplesPerTrace);
    f(rows::kShotNumber, self.shotNumber);
    f(rows::kTimeBreakWindow, self.timeBreakWindow);
    f(rows::kTestRecordType, self.testRecordType);
    f(rows::kSpreadFirstLine, self.spreadFirstLine);
    f(rows::kSpreadFirstNumber, self.spreadFirstNumber);
    f(rows::kSpreadNumber, self.spreadNumber);
    f(rows::kSpreadType, self.spreadType);
    f(rows::kTimeBreak, self.timeBreak);
    f(rows::kUpholeTime, self.upholeTime);
    f(rows::kBlasterIdentifier, self.blasterIdentifier);
    f(rows::kBlasterStatus, self.blasterStatus);
    f(rows::kRefractionDelay, self.refractionDelay);
    f(rows::kTimeBreakToT0, self.timeBreakToT0);
    f(rows::kInternalTimeBreak, self.internalTimeBreak);
    f(rows::kPrestackInFieldUnits, self.prestackInFieldUnits);
    f(rows::kNoiseEliminationType, self.noiseEliminationType);
    f(rows::kLowTracePercentage, self.lowTracePercentage);
    f(rows::kLowTraceValue, self.lowTraceValue);
    f(rows::kNumberOfWindows, self.numberOfWindows);
    f(rows::kHistoricEditingType, self.historicEditingType);
    f(rows::kNoisyTracePercentage, self.noisyTracePercentage);
    f(rows::kHistoricRange, self.historicRange);
    f(rows::kHistoricTaperLength, self.historicTaperLength);
    f(rows::kThresholdHoldVariable, self.thresholdHoldVariable);
    f(rows::kHistoricThresholdInitialValue, self.historicThresholdInitialValue);
    f(rows::kHistoricZeroingLength, self.historicZeroingLength);
    f(rows::kProcessType, self.processType);
    f(rows::kBytes145To272, self.bytes145To272);
    f(rows::kBytes273To400, self.bytes273To400);
    f(rows::kBytes401To404, self.bytes401To404);
    f(rows::kBytes405To484, self.bytes405To484);
    f(rows::kBytes485To488, self.bytes485To488);
    f(rows::kBytes489To492, self.bytes489To492);
    f(rows::kBytes493To496, self.bytes493To496);
    f(rows::kBytes497To500, self.bytes497To500);
    f(rows::kBytes501To504, self.bytes501To504);
    f(rows::kBytes505To508, self.bytes505To508);
    f(rows::kBytes509To512, self.bytes509To512);
    f(rows::kMaximumAuxiliaryAmplitude, self.maximumAuxiliaryAmplitude);
    f(rows::kMaximumSeismicAmplitude, self.maximumSeismicAmplitude);
    f(rows::kBytes521To524, self.bytes521To524);
    f(rows::kTapeLabel, self.tapeLabel);
    f(rows::kTapeNumber, self.tapeNumber);
    f(rows::kBytes545To560, self.bytes545To560);
    f(rows::kBytes561To572, self.bytes561To572);
    f(rows::kSourceEasting, self.sourceEasting);
    f(rows::kSourceNorthing, self.sourceNorthing);
    f(rows::kSourceElevation, self.sourceElevation);
    f(rows::kSlipSweep, self.slipSweep);
    f(rows::kBytes597To600, self.bytes597To600);
    f(rows::kBytes601To604, self.bytes601To604);
    f(rows::kBytes605To764, self.bytes605To764);
    f(rows::kAcquisitionFilterType, self.acquisitionFilterType);
    f(rows::kBytes769To772, self.bytes769To772);
    f(rows::kPrmTiltFlag, self.prmTiltFlag);
    f(rows::kBytes777To1023, self.bytes777To1023);
  }

  template <typename V>
  void visit(V&& v) const {
    eachByteField(*this, [&v](const FieldRow& row, const auto& text) { v(row.name, text); });
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
