#include "decode/sercel/sercel_headers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "test_support.h"

namespace vorax::decode {
namespace {

using B = std::vector<std::uint8_t>;

// Stores `bytes` at 1-based `position`.
void put(B& block, std::size_t position, std::initializer_list<std::uint8_t> bytes) {
  std::size_t i = position - 1;
  for (std::uint8_t b : bytes) block[i++] = b;
}

void putU32(B& block, std::size_t position, std::uint32_t value) {
  put(block, position,
      {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
       static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

TEST(SercelBlock1, ReceiverNumbersAndSensorType) {
  B b(32, 0);
  put(b, 1, {0x00, 0x27, 0x10});  // 10000
  put(b, 4, {0x00, 0x03, 0xE9});  // 1001
  put(b, 7, {0x01});
  put(b, 8, {0x00, 0x07, 0xD1});               // 2001
  put(b, 11, {0x00, 0x00, 0x01, 0x00, 0x00});  // 65536
  put(b, 16, {0x01, 0x00, 0x00, 0x00, 0x00});  // 4294967296
  put(b, 21, {9});
  put(b, 22, {0xAB});
  Ext408Block1Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK1(b, f), 0);
  EXPECT_EQ(f.receiverLineNumber, "10000 ");
  EXPECT_EQ(f.receiverPointNumber.trimmed(), "1001");
  EXPECT_EQ(f.receiverPointIndex.trimmed(), "1");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "2001");
  EXPECT_EQ(f.extendedReceiverLineNumber.trimmed(), "65536");
  EXPECT_EQ(f.extendedReceiverPointNumber.trimmed(), "4294967296");
  EXPECT_EQ(f.sensorTypeCode.trimmed(), "9");
  EXPECT_EQ(f.bytes22To32, "AB" + std::string(20, '0'));
  EXPECT_EQ(f.sensorTypeText.trimmed(), "Accelerometer, Horizontal");
  EXPECT_EQ(f.message.trimmed(), "");

  put(b, 1, {0xFF, 0xFF, 0xFF});  // 16777215 is cut to the width of 6
  put(b, 21, {10});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK1(b, f), 1);
  EXPECT_EQ(f.receiverLineNumber, "167772");
  EXPECT_EQ(f.sensorTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "Sensor type code not recognised - should be 0 to 9");
  EXPECT_EQ(f.receiverPointNumber.trimmed(), "1001");  // decoding went on
}

TEST(SercelBlock1, ReusedRecordLosesAnEarlierMessage) {
  B bad(32, 0);
  put(bad, 21, {200});
  B good(32, 0);
  put(good, 21, {1});
  Ext408Block1Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK1(bad, f), 1);
  EXPECT_EQ(f.sensorTypeCode, "20");  // "200" cut to 2
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK1(good, f), 0);
  EXPECT_EQ(f.sensorTypeText.trimmed(), "Hydrophone");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(SercelBlocks2To5, PositionsAndTestValues) {
  B b2(32, 0);
  put(b2, 1, {0x41, 0x32, 0xD6, 0x87, 0x40, 0, 0, 0});  // 1234567.25
  put(b2, 9, {0x41, 0x5D, 0x32, 0xEC, 0x60, 0, 0, 0});  // 7654321.5
  put(b2, 17, {0x43, 0xCB, 0x7A, 0xE1});                // 406.96
  put(b2, 21, {7});
  Ext408Block2Fields f2;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK2(b2, f2), 0);
  EXPECT_EQ(f2.receiverEasting, "1234567.25");
  EXPECT_EQ(f2.receiverNorthing, "7654321.5 ");
  EXPECT_EQ(f2.receiverElevation, "406.96");
  EXPECT_EQ(f2.byte21.trimmed(), "7");
  EXPECT_EQ(f2.bytes22To32, std::string(22, '0'));

  B b3(32, 0);
  put(b3, 1, {0x43, 0x7A, 0, 0});        // 250
  put(b3, 5, {0x43, 0xFA, 0, 0});        // 500
  put(b3, 9, {0x44, 0x9A, 0x52, 0x25});  // 1234.567, cut to 6
  put(b3, 13, {0x41, 0x70, 0, 0});       // 15
  put(b3, 17, {0x40, 0x20, 0, 0});       // 2.5
  put(b3, 21, {1, 0});
  put(b3, 32, {0x5A});
  Ext408Block3Fields f3;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK3(b3, f3), 0);
  EXPECT_EQ(f3.resistanceLowLimit.trimmed(), "250");
  EXPECT_EQ(f3.resistanceHighLimit.trimmed(), "500");
  EXPECT_EQ(f3.resistanceValue, "1234.5");
  EXPECT_EQ(f3.tiltLimit.trimmed(), "15");
  EXPECT_EQ(f3.tiltValue.trimmed(), "2.5");
  EXPECT_EQ(f3.resistanceError.trimmed(), "1");
  EXPECT_EQ(f3.tiltError.trimmed(), "0");
  EXPECT_EQ(f3.bytes23To32, std::string(18, '0') + "5A  ");  // 10 bytes in a width of 22
  EXPECT_EQ(f3.resistanceErrorText.trimmed(), "Yes");
  EXPECT_EQ(f3.tiltErrorText.trimmed(), "No");

  B b4(32, 0);
  put(b4, 9, {0x42, 0xC8, 0, 0});   // 100
  put(b4, 21, {0x41, 0xCC, 0, 0});  // 25.5
  put(b4, 25, {0, 2});
  Ext408Block4Fields f4;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK4(b4, f4), 0);
  EXPECT_EQ(f4.capacitanceValue.trimmed(), "100");
  EXPECT_EQ(f4.cutOffValue.trimmed(), "25.5");
  EXPECT_EQ(f4.capacitanceErrorText.trimmed(), "No");
  EXPECT_EQ(f4.cutOffError.trimmed(), "2");
  EXPECT_EQ(f4.cutOffErrorText.trimmed(), "Yes");
  EXPECT_EQ(f4.bytes27To32, std::string(12, '0'));

  B b5(32, 0);
  put(b5, 1, {0x41, 0xA0, 0, 0});  // 20
  put(b5, 5, {0x40, 0x50, 0, 0});  // 3.25
  put(b5, 9, {0x12});
  put(b5, 25, {3});
  put(b5, 26, {0xEF});
  Ext408Block5Fields f5;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK5(b5, f5), 0);
  EXPECT_EQ(f5.leakageLimit.trimmed(), "20");
  EXPECT_EQ(f5.leakageValue.trimmed(), "3.25");
  EXPECT_EQ(f5.bytes9To24, "12" + std::string(30, '0'));
  EXPECT_EQ(f5.leakageErrorText.trimmed(), "Yes");
  EXPECT_EQ(f5.bytes26To32, "EF" + std::string(12, '0'));
}

B goodBlock6() {
  B b(32, 0);
  put(b, 1, {0x01});              // FDU
  put(b, 2, {0x00, 0x30, 0x39});  // 12345
  put(b, 5, {3});
  put(b, 9, {0x0C});
  put(b, 10, {0x01, 0x00, 0x00});  // 65536
  put(b, 13, {4});
  put(b, 17, {0x10});  // DSU1
  put(b, 18, {0});
  put(b, 21, {0x3F, 0, 0, 0});  // 0.5
  return b;
}

TEST(SercelBlock6, UnitsAndAssemblies) {
  B b = goodBlock6();
  Ext408Block6Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 0);
  EXPECT_EQ(f.unitType, "01");
  EXPECT_EQ(f.unitSerialNumber.trimmed(), "12345");
  EXPECT_EQ(f.channelNumber.trimmed(), "3");
  EXPECT_EQ(f.assemblyType, "0C");
  EXPECT_EQ(f.assemblySerialNumber.trimmed(), "65536");
  EXPECT_EQ(f.locationInAssembly.trimmed(), "4");
  EXPECT_EQ(f.subunitType, "10");
  EXPECT_EQ(f.sensorSensitivity.trimmed(), "0.5");
  EXPECT_EQ(f.unitTypeText.trimmed(), "FDU");
  EXPECT_EQ(f.assemblyTypeText.trimmed(), "String of 0C FDUs");
  EXPECT_EQ(f.subunitTypeText.trimmed(), "DSU1");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Geophone");

  put(b, 9, {0x10});
  put(b, 18, {2});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 0);
  EXPECT_EQ(f.assemblyTypeText.trimmed(), "String of 10 FDUs");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Hydrophone");

  put(b, 9, {0xE0});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 0);
  EXPECT_EQ(f.assemblyTypeText.trimmed(), "FDU2S");

  put(b, 9, {0x1C});  // a unit code, not an assembly code
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 2);
  EXPECT_EQ(f.assemblyTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "Assembly Type Not Recognised");
  EXPECT_EQ(f.subunitTypeText.trimmed(), "DSU1");
}

TEST(SercelBlock6, LastFailingCheckWins) {
  B b = goodBlock6();
  put(b, 1, {0x03});
  Ext408Block6Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 1);
  EXPECT_EQ(f.message.trimmed(), "Recording Unit Type Not Recognised - should be 00, 01, 02 or 1C");

  put(b, 9, {0x11});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 2);
  EXPECT_EQ(f.unitTypeText.trimmed(), "Unknown");

  put(b, 17, {0x06});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK6(b, f), 3);
  EXPECT_EQ(f.message.trimmed(), "FDU Type Not Recognised");
  EXPECT_EQ(f.assemblyTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.subunitTypeText.trimmed(), "Unknown");
}

B goodBlock7() {
  B b(32, 0);
  put(b, 1, {0x15});                     // REM
  put(b, 2, {0x00, 0x01, 0x00});         // 256
  put(b, 5, {1, 2, 0, 3});               // gain 1, filter 2, no data error, noise edit
  put(b, 9, {0x3F, 0xC0, 0, 0});         // 1.5
  put(b, 13, {4, 5, 9, 2});              // stacks, aux, aux stack
  put(b, 17, {0x43, 0xCB, 0x7A, 0xE1});  // 406.96
  putU32(b, 21, 1234);
  putU32(b, 25, 7);
  return b;
}

TEST(SercelBlock7, EveryFieldAndText) {
  B b = goodBlock7();
  Ext408Block7Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 0);
  EXPECT_EQ(f.controlUnitType, "15");
  EXPECT_EQ(f.controlUnitSerialNumber.trimmed(), "256");
  EXPECT_EQ(f.channelGainScale.trimmed(), "1");
  EXPECT_EQ(f.channelFilter.trimmed(), "2");
  EXPECT_EQ(f.channelDataError.trimmed(), "0");
  EXPECT_EQ(f.channelEditedStatus.trimmed(), "3");
  EXPECT_EQ(f.conversionFactor.trimmed(), "1.5");
  EXPECT_EQ(f.stacksNoisy.trimmed(), "4");
  EXPECT_EQ(f.stacksLow.trimmed(), "5");
  EXPECT_EQ(f.channelTypeIdentification.trimmed(), "9");
  EXPECT_EQ(f.channelProcess.trimmed(), "2");
  EXPECT_EQ(f.traceMaximumValue.trimmed(), "406.96");
  EXPECT_EQ(f.traceMaximumTime.trimmed(), "1234");
  EXPECT_EQ(f.numberOfInterpolations.trimmed(), "7");
  EXPECT_EQ(f.controlUnitTypeText.trimmed(), "REM");
  EXPECT_EQ(f.gainScaleText1.trimmed(), "0dB (1600mV Max Input)");
  EXPECT_EQ(f.gainScaleText2.trimmed(), "");
  EXPECT_EQ(f.gainScaleText3.trimmed(), "High Full Scale");
  EXPECT_EQ(f.channelFilterText.trimmed(), "0.8FN Linear phase");
  EXPECT_EQ(f.channelEditedStatusText.trimmed(), "Noise edit");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Aux");
  EXPECT_EQ(f.channelProcessText.trimmed(), "Aux stack");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(SercelBlock7, EditedStatusZeroIsUndefinedAndTheRestStillDecoded) {
  B b = goodBlock7();
  put(b, 8, {0});
  Ext408Block7Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 4);
  EXPECT_EQ(f.channelEditedStatusText.trimmed(), "Undefined");
  EXPECT_EQ(f.message.trimmed(), "Channel Edit Status Code Not Recognised - should be 1, 2 or 3");
  EXPECT_EQ(f.channelTypeText.trimmed(), "Aux");
  EXPECT_EQ(f.channelProcessText.trimmed(), "Aux stack");
  EXPECT_EQ(f.numberOfInterpolations.trimmed(), "7");
  EXPECT_EQ(f.controlUnitTypeText.trimmed(), "REM");
}

TEST(SercelBlock7, ZeroConversionFactorTakesTheGainScalesNominalValue) {
  B b = goodBlock7();
  put(b, 9, {0, 0, 0, 0});
  Ext408Block7Fields f;
  put(b, 5, {2});
  SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f);
  EXPECT_EQ(f.conversionFactor.trimmed(), "0.00006742");
  EXPECT_EQ(f.gainScaleText1.trimmed(), "12dB (400mV Max Input)");
  EXPECT_EQ(f.gainScaleText3.trimmed(), "Low Full Scale");
  put(b, 5, {5});
  SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f);
  EXPECT_EQ(f.conversionFactor.trimmed(), "0.0002697");
  EXPECT_EQ(f.gainScaleText2.trimmed(), "48dB (25mV Max Input)");
  put(b, 5, {1});
  SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f);
  EXPECT_EQ(f.conversionFactor.trimmed(), "0.0002697");
  put(b, 9, {0x80, 0, 0, 0});  // -0 is a zero as well
  put(b, 5, {2});
  SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f);
  EXPECT_EQ(f.conversionFactor.trimmed(), "0.00006742");
}

TEST(SercelBlock7, UnknownCodesAndLastFailureWins) {
  B b = goodBlock7();
  put(b, 1, {0x05});
  Ext408Block7Fields f;
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 1);
  EXPECT_EQ(f.controlUnitTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.message.trimmed(), "Control Unit Code Not Recognised");

  put(b, 5, {6});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 2);
  EXPECT_EQ(f.gainScaleText1.trimmed(), "Undefined");
  EXPECT_EQ(f.gainScaleText2.trimmed(), "Undefined");
  EXPECT_EQ(f.gainScaleText3.trimmed(), "Undefined");
  EXPECT_EQ(f.message.trimmed(), "Channel Gain Scale Code Not Recognised should be 1 to 5");

  put(b, 6, {4});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 3);
  EXPECT_EQ(f.channelFilterText.trimmed(), "Undefined");

  put(b, 15, {7});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 5);
  EXPECT_EQ(f.channelTypeText, "Unde");
  EXPECT_EQ(f.message.trimmed(), "Channel Type ID Code Not Recognised - should be 1 or 9");

  put(b, 16, {7});
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(b, f), 6);
  EXPECT_EQ(f.channelProcessText.trimmed(), "Undefined");
  EXPECT_EQ(f.message.trimmed(), "Channel Process Code Not Recognised - should be 1 to 6");
  EXPECT_EQ(f.channelFilterText.trimmed(), "Undefined");
}

TEST(SercelBlock7, ShortBufferReadsAsZeros) {
  B shortBlock{0x01, 0x00, 0x00, 0x2A};
  Ext408Block7Fields f;
  // Zero gain, edit status, type id and process all fail; the process check is the last.
  EXPECT_EQ(SEGDDECODE408TRACEHEADEREXTBLOCK7(shortBlock, f), 6);
  EXPECT_EQ(f.controlUnitTypeText.trimmed(), "LCI");
  EXPECT_EQ(f.controlUnitSerialNumber.trimmed(), "42");
  EXPECT_EQ(f.conversionFactor.trimmed(), "0.0002697");
  EXPECT_EQ(f.bytes29To32, "00000000");
}

// An extended header in which every table code is valid.
B goodExtendedHeader() {
  B h(1024, 0);
  putU32(h, 1, 2000);
  putU32(h, 5, 1000);
  putU32(h, 9, 86);
  putU32(h, 13, 2);
  putU32(h, 17, 84);
  putU32(h, 29, 2);  // vibrator
  putU32(h, 33, 2001);
  putU32(h, 37, 123456);           // cut to 5 digits
  put(h, 41, {0x3F, 0xC0, 0, 0});  // 1.5
  putU32(h, 45, 10);               // similarity
  putU32(h, 61, 1);
  putU32(h, 69, 25);
  putU32(h, 77, 4);
  putU32(h, 89, 1);
  putU32(h, 97, 2);
  putU32(h, 113, 2);
  putU32(h, 129, 1);
  putU32(h, 141, 7);
  put(h, 145, {0xC4});
  put(h, 405, {'a', '1', '-', 'a', '2'});
  put(h, 513, {0x42, 0xAA, 0, 0});  // 85
  put(h, 525, {' ', ' ', 'L', 'B', 'L', ' '});
  putU32(h, 541, 17);
  put(h, 561, {'2', '1', ' ', 'F', 'e', 'b'});
  put(h, 573, {0x41, 0x1F, 0x45, 0x67, 0, 0, 0, 0});  // 512345.75
  put(h, 589, {0x41, 0xA0, 0, 0});                    // 20
  putU32(h, 765, 3);
  putU32(h, 773, 1);
  put(h, 1023, {0xEE});
  put(h, 1024, {0x77});
  return h;
}

TEST(SercelExtendedHeader, FieldsAndTables) {
  Ext408ExtendedFields f;
  EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(goodExtendedHeader(), f), 0);
  EXPECT_EQ(f.acquisitionLength, "2000 ");
  EXPECT_EQ(f.sampleRate.trimmed(), "1000");
  EXPECT_EQ(f.totalTraces.trimmed(), "86");
  EXPECT_EQ(f.auxiliaryTraces.trimmed(), "2");
  EXPECT_EQ(f.seismicTraces.trimmed(), "84");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "2001");
  EXPECT_EQ(f.shotNumber, "12345");
  EXPECT_EQ(f.timeBreakWindow.trimmed(), "1.5");
  EXPECT_EQ(f.upholeTime.trimmed(), "25");
  EXPECT_EQ(f.processType.trimmed(), "7");
  EXPECT_EQ(f.bytes145To272.view().substr(0, 4), "C400");
  EXPECT_EQ(f.bytes405To484.rtrimmed(), "a1-a2");
  EXPECT_EQ(f.maximumAuxiliaryAmplitude.trimmed(), "85");
  EXPECT_EQ(f.tapeLabel.rtrimmed(), "LBL");
  EXPECT_EQ(f.tapeNumber.trimmed(), "17");
  EXPECT_EQ(f.bytes561To572.rtrimmed(), "21 Feb");
  EXPECT_EQ(f.sourceEasting.trimmed(), "512345.75");
  EXPECT_EQ(f.sourceElevation.trimmed(), "20");
  // Bytes 777-1023 are 494 hex digits, cut to 490: byte 1023 (EE) falls off, 1024 is never read.
  EXPECT_EQ(f.bytes777To1023, std::string(490, '0'));

  EXPECT_EQ(f.sourceTypeText.trimmed(), "Vibrator");
  EXPECT_EQ(f.testRecordTypeText.trimmed(), "Similarity");
  EXPECT_EQ(f.spreadTypeText.trimmed(), "Generic");
  EXPECT_EQ(f.blasterStatusText1.trimmed(), "Fired OK");
  EXPECT_EQ(f.blasterStatusText2.trimmed(), "UH Error");
  EXPECT_EQ(f.blasterStatusText3.trimmed(), "Low Battery");
  EXPECT_EQ(f.internalTimeBreakText.trimmed(), "Yes");
  EXPECT_EQ(f.prestackText.trimmed(), "No");
  EXPECT_EQ(f.noiseEliminationText.trimmed(), "Diversity Stack");
  EXPECT_EQ(f.historicEditingText.trimmed(), "Clipping");
  EXPECT_EQ(f.thresholdText.trimmed(), "Hold");
  EXPECT_EQ(f.processTypeText.trimmed(), "Raw data, Correlation Before Stack");
  EXPECT_EQ(f.slipSweepText.trimmed(), "No");
  EXPECT_EQ(f.acquisitionFilterText.trimmed(), "SU6R Like");
  EXPECT_EQ(f.prmTiltText.trimmed(), "Yes");
  EXPECT_EQ(f.message.trimmed(), "");
}

TEST(SercelExtendedHeader, SourceType3AndProcessType9ReportTheProcessType) {
  B h = goodExtendedHeader();
  putU32(h, 29, 3);
  putU32(h, 141, 9);
  Ext408ExtendedFields f;
  EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(h, f), 10);
  EXPECT_EQ(f.message.trimmed(), "Process type Error, should be 1 to 7");
  EXPECT_EQ(f.sourceTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.processTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.acquisitionFilterText.trimmed(), "SU6R Like");  // checks after it still ran
}

TEST(SercelExtendedHeader, EachCheckHasItsStatusAndMessage) {
  struct Case {
    std::size_t position;
    std::uint32_t value;
    std::int32_t status;
    const char* message;
  };
  const Case cases[] = {
      {29, 3, 1, "Source Type Not Correct- should be 0, 1 or 2"},
      {45, 13, 2, "Test Type Not Correct- should be 0 to 12"},
      {61, 3, 3, "Spread Type Not Correct- should be 1 or 2"},
      {77, 9, 4, "Blaster status code not recognised"},
      {89, 2, 5, "Internal Time break flag Error, should be 0 or 1"},
      {93, 2, 6, "Field Prestack flag Error, should be 0 or 1"},
      {97, 5, 7, "Noise elemination flag Error, should be 1,2,3 or 4"},
      {113, 3, 8, "Historic Editing flag Error, should be 1 or 2"},
      {129, 3, 9, "Threshold flag Error, should be 1 or 2"},
      {141, 0, 10, "Process type Error, should be 1 to 7"},
      {593, 2, 11, "Slip Sweep flag Error, should be 0 or 1"},
      {765, 4, 12, "Acquisition Filter Type Error, should be 1, 2 or 3"},
      {773, 0x00010000, 13, "PRM Tilt flag Error, should be 0 or 1"},
  };
  for (const Case& c : cases) {
    B h = goodExtendedHeader();
    putU32(h, c.position, c.value);
    Ext408ExtendedFields f;
    EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(h, f), c.status) << c.message;
    EXPECT_EQ(f.message.trimmed(), c.message);
  }
  B h = goodExtendedHeader();
  putU32(h, 77, 9);
  Ext408ExtendedFields f;
  SEGDDECODE408EXTENDEDHEADER(h, f);
  EXPECT_EQ(f.blasterStatusText1.trimmed(), "Unknown");
  EXPECT_EQ(f.blasterStatusText3.trimmed(), "Unknown");
  EXPECT_EQ(f.blasterIdentifier.trimmed(), "0");
  putU32(h, 77, 0);
  SEGDDECODE408EXTENDEDHEADER(h, f);
  EXPECT_EQ(f.blasterStatusText1.trimmed(), "");
  EXPECT_EQ(f.blasterStatusText3.trimmed(), "Did Not Fire");
}

TEST(SercelExtendedHeader, AllZeroHeaderFailsSpreadNoiseProcessAndFilterLastFilterWins) {
  Ext408ExtendedFields f;
  EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(B{}, f), 12);
  EXPECT_EQ(f.message.trimmed(), "Acquisition Filter Type Error, should be 1, 2 or 3");
  EXPECT_EQ(f.spreadTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.noiseEliminationText.trimmed(), "Unknown");
  EXPECT_EQ(f.processTypeText.trimmed(), "Unknown");
  EXPECT_EQ(f.acquisitionFilterText.trimmed(), "Err");
  EXPECT_EQ(f.sourceTypeText.trimmed(), "No Source");
  EXPECT_EQ(f.historicEditingText.trimmed(), "Unused");
  EXPECT_EQ(f.thresholdText.trimmed(), "Unused");
  EXPECT_EQ(f.prmTiltText.trimmed(), "No");
  EXPECT_EQ(f.acquisitionLength.trimmed(), "0");
}

TEST(SercelExtendedHeader, RealSercelRecord) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_sercel.segd");
  B file = test::readFileBytes(path);
  ASSERT_GE(file.size(), 1632u);
  Ext408ExtendedFields f;
  EXPECT_EQ(SEGDDECODE408EXTENDEDHEADER(Bytes(file).subspan(608, 1024), f), 0);
  EXPECT_EQ(f.acquisitionLength.trimmed(), "2000");
  EXPECT_EQ(f.sampleRate.trimmed(), "1000");
  EXPECT_EQ(f.totalTraces.trimmed(), "86");
  EXPECT_EQ(f.auxiliaryTraces.trimmed(), "2");
  EXPECT_EQ(f.seismicTraces.trimmed(), "84");
  EXPECT_EQ(f.samplesPerTrace.trimmed(), "2001");
  EXPECT_EQ(f.sourceTypeText.trimmed(), "Impulsive");
  EXPECT_EQ(f.spreadTypeText.trimmed(), "Absolute");
  EXPECT_EQ(f.acquisitionFilterText.trimmed(), "0.8 Min");
  EXPECT_EQ(f.bytes561To572.rtrimmed().substr(0, 11), "21 Feb 2007");
}

}  // namespace
}  // namespace vorax::decode
