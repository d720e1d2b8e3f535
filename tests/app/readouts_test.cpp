#include "app/readouts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/configure_rules.h"
#include "app/display_fixture.h"
#include "app/picture_file_name.h"

namespace vorax::app {
namespace {

// Traces 0..20 over samples 0..1000 (the window -1.05..23.625 by -50..1050) on 1000 x 800.
RecordDisplayGeometry geometry() {
  return {{-1.05, -50, 23.625, 1050}, 0, 21, 1, 20, 0, 1000, 15, 11, true};
}
WorldMapping mapping() {
  return {geometry().world, 1000, 800};
}

PointF pixelOf(double x, double sample) {
  return mapping().toDevice({x, sample});
}

TEST(PointerPosition, NearestTraceAndSampleInsideTheTraceArea) {
  auto at = traceAndSampleAt(geometry(), mapping(), pixelOf(5.3, 400.4), 40);
  ASSERT_TRUE(at);
  EXPECT_EQ(*at, (TraceAndSample{5, 400}));
  at = traceAndSampleAt(geometry(), mapping(), pixelOf(5.6, 399.6), 40);
  EXPECT_EQ(*at, (TraceAndSample{6, 400}));
}

TEST(PointerPosition, EdgesClampToHeldTracesAndOutsideGivesNothing) {
  EXPECT_EQ(*traceAndSampleAt(geometry(), mapping(), pixelOf(0.2, 0.3), 40),
            (TraceAndSample{1, 0}));
  EXPECT_EQ(*traceAndSampleAt(geometry(), mapping(), pixelOf(20.9, 999.8), 40),
            (TraceAndSample{20, 1000}));
  EXPECT_EQ(*traceAndSampleAt(geometry(), mapping(), pixelOf(15, 10), 12),
            (TraceAndSample{12, 10}));
  EXPECT_FALSE(traceAndSampleAt(geometry(), mapping(), pixelOf(22, 500), 40));  // header panel
  EXPECT_FALSE(traceAndSampleAt(geometry(), mapping(), pixelOf(5, -20), 40));   // above the traces
  EXPECT_FALSE(traceAndSampleAt(geometry(), mapping(), pixelOf(5, 500), 0));
  RecordDisplayGeometry nothing = geometry();
  nothing.hasTraces = false;
  EXPECT_FALSE(traceAndSampleAt(nothing, mapping(), pixelOf(5, 500), 40));
}

TEST(PointerReadout, ChannelLessAuxiliaryTracesAndTimeWithOneDecimal) {
  decode::SegdRecord record = test::makeDisplayRecord(10, 1001, 250);
  record.flavour = decode::RecordFlavour::Sercel408;  // auxiliary traces first
  record.summary.auxTraceCount = 2;
  EXPECT_EQ(pointerReadoutText(record, {5, 401}),
            "Seis Channel : 3  Time : 100.3mS  Amplitude : 0");
  // The time counts from the record's start; the amplitude is stored x divisor.
  record.startTimeMs = -50;
  record.samples.at(5, 401) = -0.25f;
  record.traceDivisor.assign(11, 1.0f);
  record.traceDivisor[5] = 8;
  EXPECT_EQ(pointerReadoutText(record, {5, 401}),
            "Seis Channel : 3  Time : 50.3mS  Amplitude : -2");
  EXPECT_FALSE(recordedAmplitude(record, {5, 1001}));  // the trailing zero is no sample
  EXPECT_FALSE(recordedAmplitude(record, {11, 0}));
  EXPECT_EQ(fixedDecimals(2.25, 1), "2.3");
  EXPECT_EQ(fixedDecimals(-0.04, 1), "0.0");
  EXPECT_EQ(fixedDecimals(1000, 1), "1000.0");
}

TEST(Velocity, DistanceOverTimeAndInvalidWhenTooFastOrNoTime) {
  decode::SegdRecord record = test::makeDisplayRecord(4, 1001);  // 2 ms
  record.traceInfo[1].receiverX = 1000;
  record.traceInfo[1].receiverY = 2000;
  record.traceInfo[2].receiverX = 1300;  // 300 m east, 400 m north: 500 m apart
  record.traceInfo[2].receiverY = 2400;
  // 250 samples of 2 ms: 0.5 s, so 1000 m/s, whichever pick comes first.
  EXPECT_EQ(velocityText(record, {1, 100}, {2, 350}), "Vel:1000.0m/S ");
  EXPECT_EQ(velocityText(record, {2, 350}, {1, 100}), "Vel:1000.0m/S ");
  EXPECT_EQ(velocityText(record, {1, 100}, {2, 100}), "Invalid Selection ");
  // 500 m in 0.026 s is 19230.8 m/s; in 0.024 s it is 20833 m/s.
  EXPECT_EQ(velocityText(record, {1, 100}, {2, 113}), "Vel:19230.8m/S ");
  EXPECT_EQ(velocityText(record, {1, 100}, {2, 112}), "Invalid Selection ");
  record.traceInfo[2].receiverY = 2000 + 10000;  // 10000 m in 0.5 s: exactly 20000 m/s
  record.traceInfo[2].receiverX = 1000;
  EXPECT_EQ(velocityText(record, {1, 100}, {2, 350}), "Invalid Selection ");
  EXPECT_EQ(velocityText(record, {1, 100}, {9, 350}), "Invalid Selection ");
}

TEST(Velocity, ReceiversAtTheSameXAndYGiveNoDistanceRatherThanZeroVelocity) {
  decode::SegdRecord record = test::makeDisplayRecord(3, 1001);  // all receivers at 0, 0
  EXPECT_EQ(velocityText(record, {1, 100}, {3, 350}), kNoDistanceText);
  EXPECT_EQ(velocityText(record, {2, 100}, {2, 350}), kNoDistanceText);  // the same trace
  record.traceInfo[3].receiverY = 0.5;                                   // half a metre in 0.5 s
  EXPECT_EQ(velocityText(record, {1, 100}, {3, 350}), "Vel:1.0m/S ");
}

TEST(TraceAttributes, FieldsInTheirOrderFromTheTraceAttributes) {
  decode::SegdRecord record = test::makeDisplayRecord(3, 11);
  decode::TraceHeaderInfo& info = record.traceInfo[2];
  info.receiverLine = 1001;
  info.receiverPoint = 2003.5f;
  info.receiverX = 512345.67;
  info.sensorKind = "Geoph";
  info.resistance = 3;   // cable number
  info.capacitance = 2;  // trace edit code
  info.tilt = 24;        // recorded gain
  info.leakage = 1;
  info.channelNumber = 17;
  info.controlUnitText = "4660";
  info.controlUnitSerialNumber = 18;
  info.interpolationCount = 5;
  info.unitSerialNumber = 12345678;
  auto fields = traceAttributes(record, 2);
  std::vector<std::pair<std::string, std::string>> got;
  for (const TraceAttribute& f : fields) got.emplace_back(f.caption, f.value);
  std::vector<std::pair<std::string, std::string>> expected{
      {"Trace", "2"},       {"Line", "1001"}, {"Point", "2003.5"},    {"X", "512345.67"},
      {"Y", "0"},           {"Z", "0"},       {"Type", "Seis Geoph"}, {"Tr Edit", "2"},
      {"Gain (db)", "24"},  {"Cable #", "3"}, {"MLCU #", "1"},        {"Chan", "17"},
      {"SLCU Adr", "4660"}, {"RSU Ch", "18"}, {"RSU Adr", "5"},       {"RSU #", "12345678"}};
  EXPECT_EQ(got, expected);
  EXPECT_EQ(traceAttributes(record, 9)[0].value, "");
  EXPECT_EQ(traceAttributes(record, 0)[1].value, "");
}

// Sercel and SEG-2 records name each row for what it holds; a missing value is a dash.
TEST(TraceAttributes, OtherFlavoursCaptionWhatEachFieldHoldsAndDashWhatIsMissing) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 11);
  decode::TraceHeaderInfo& info = record.traceInfo[1];
  info.resistance = 412.5f;
  info.capacitance = std::nanf("");
  info.tilt = 1.5f;
  info.leakage = 9.25f;
  info.channelNumber = 3;
  info.controlUnitText = "FDU";
  info.controlUnitSerialNumber = 77;
  info.interpolationCount = 0;
  info.unitSerialNumber = 1234567;
  struct Case {
    decode::RecordFlavour flavour;
    std::vector<std::pair<std::string, std::string>> rows;  // rows 7 to 15
  };
  const Case cases[] = {
      {decode::RecordFlavour::Sercel408,
       {{"Capacitance", "-"},
        {"Tilt", "1.5"},
        {"Resistance", "412.5"},
        {"Leakage", "9.25"},
        {"Chan", "3"},
        {"CU Type", "FDU"},
        {"CU Serial #", "77"},
        {"Interpolations", "0"},
        {"Unit Serial #", "1234567"}}},
      {decode::RecordFlavour::Seg2,
       {{"Capacitance", "-"},
        {"Tilt", "-"},
        {"Resistance", "-"},
        {"Leakage", "-"},
        {"Chan", "3"},
        {"CU Type", "-"},
        {"CU Serial #", "-"},
        {"Interpolations", "-"},
        {"Unit Serial #", "-"}}},
  };
  for (const Case& c : cases) {
    record.flavour = c.flavour;
    const auto fields = traceAttributes(record, 1);
    std::vector<std::pair<std::string, std::string>> got;
    for (std::size_t n = 7; n < kTraceAttributeCount; ++n)
      got.emplace_back(fields[n].caption, fields[n].value);
    EXPECT_EQ(got, c.rows) << static_cast<int>(c.flavour);
    EXPECT_EQ(std::string(traceAttributes(record, 0)[9].caption), "Resistance");
    EXPECT_EQ(traceAttributes(record, 0)[9].value, "");
  }
}

// A nodal record's rows show each trace's component, start time, GPS position and unit.
TEST(TraceAttributes, StandardRecordsShowStartTimeGpsPositionAndUnitSerial) {
  decode::SegdRecord record = test::makeDisplayRecord(2, 11);
  record.flavour = decode::RecordFlavour::Standard;
  decode::TraceHeaderInfo& info = record.traceInfo[1];
  info.sensorKind = "Geoph H1";
  info.receiverX = 469565.2;
  info.startTimeUtcUs = 1502294430380000;  // 2017-08-09 16:00:30.38 UTC
  info.latitude = 19.42083740234375;
  info.longitude = -155.29118347167969;
  info.unitSerialNumber = 453005513;
  record.traceInfo[2].startTimeUtcUs = 1502294400000250;  // 250 us past a whole second
  const auto fields = traceAttributes(record, 1);
  std::vector<std::pair<std::string, std::string>> got;
  for (std::size_t n : {3, 6, 7, 8, 9, 10, 12, 15})
    got.emplace_back(fields[n].caption, fields[n].value);
  const std::vector<std::pair<std::string, std::string>> expected{{"X", "469565.2"},
                                                                  {"Type", "Seis Geoph H1"},
                                                                  {"Start Date", "2017-08-09"},
                                                                  {"Start UTC", "16:00:30.380"},
                                                                  {"Latitude", "19.420837"},
                                                                  {"Longitude", "-155.291183"},
                                                                  {"CU Type", "-"},
                                                                  {"Unit Serial #", "453005513"}};
  EXPECT_EQ(got, expected);
  const auto second = traceAttributes(record, 2);
  EXPECT_EQ(second[8].value, "16:00:00.000250");
  EXPECT_EQ(second[9].value, "-");
  EXPECT_EQ(second[15].value, "-");  // no unit serial number
}

TEST(ConfigureRules, CountsClipAndGainKeptInRange) {
  EXPECT_EQ(clampTracesPerScreenText("500"), "300");
  EXPECT_EQ(clampTracesPerScreenText("1"), "5");
  EXPECT_EQ(clampTracesPerScreenText("300"), "300");
  EXPECT_EQ(clampTracesPerScreenText("5"), "5");
  EXPECT_EQ(clampTracesPerScreenText(" 60"), "60");
  EXPECT_EQ(clampTracesPerScreenText("abc"), "5");
  EXPECT_EQ(clampClipText("0.2"), ".5");
  EXPECT_EQ(clampClipText("0.5"), "0.5");
  EXPECT_EQ(clampClipText("4.5"), "4");
  EXPECT_EQ(clampGainText("-61"), "-60");
  EXPECT_EQ(clampGainText("161"), "160");
  EXPECT_EQ(clampGainText("18"), "18");
  EXPECT_FLOAT_EQ(clampClip(0.2f), 0.5f);
  EXPECT_FLOAT_EQ(clampClip(9), 4);
  EXPECT_FLOAT_EQ(clampGainDb(-100), -60);
  EXPECT_FLOAT_EQ(clampGainDb(200), 160);
}

TEST(ConfigureRules, TimesAgainstTheRecordLengthOnlyWithARecord) {
  EXPECT_EQ(clampStartTimeText("-5", std::nullopt), "0");
  EXPECT_EQ(clampStartTimeText("5000", std::nullopt), "5000");
  EXPECT_EQ(clampStartTimeText("5000", 3000.0f), "2900");
  EXPECT_EQ(clampStartTimeText("3000", 3000.0f), "3000");
  EXPECT_EQ(clampStartTimeText("200", 50.0f), "0");  // a record shorter than 100 ms
  EXPECT_EQ(clampEndTimeText("-1", 3000.0f), "0");
  EXPECT_EQ(clampEndTimeText("5000", 3000.0f), "3000");
  EXPECT_EQ(clampEndTimeText("5000", 249.75f), "249.75");
  EXPECT_EQ(clampEndTimeText("2000", 3000.0f), "2000");
}

TEST(ConfigureRules, ADisplayWindowMustStartBeforeItEnds) {
  EXPECT_EQ(displayWindowProblem("0", "3000"), "");
  EXPECT_EQ(displayWindowProblem("2999.5", "3000"), "");
  EXPECT_EQ(displayWindowProblem("1200", "200"),
            "The Display Start Time (1200 ms) must be before the Display EndTime (200 ms).");
  EXPECT_NE(displayWindowProblem("500", "500"), "");
  EXPECT_NE(displayWindowProblem("0", "0"), "");  // an end of "0" (or no number) shows nothing
}

TEST(PictureFileName, ExtensionAppendedUnlessContainedInAnyCase) {
  EXPECT_EQ(pictureFileName("/tmp/shot", PictureFormat::Bmp), "/tmp/shot.BMP");
  EXPECT_EQ(pictureFileName("/tmp/shot.bmp", PictureFormat::Bmp), "/tmp/shot.bmp");
  EXPECT_EQ(pictureFileName("a.Bmp.old", PictureFormat::Bmp), "a.Bmp.old");
  EXPECT_EQ(pictureFileName("shot", PictureFormat::Png), "shot.PNG");
  EXPECT_EQ(pictureFileName("shot.png", PictureFormat::Png), "shot.png");
  EXPECT_EQ(pictureFileName("shot.bmp", PictureFormat::Png), "shot.bmp.PNG");
}

TEST(PictureFileName, TitlesBecomeOneSafeNameUnder200Bytes) {
  EXPECT_EQ(fileNameFromTitle("Shot 08/12/2026", ".BMP"), "Shot 08_12_2026.BMP");
  EXPECT_EQ(fileNameFromTitle("a\\b<c>d:e\"f|g?h*i", ".BMP"), "a_b_c_d_e_f_g_h_i.BMP");
  EXPECT_EQ(fileNameFromTitle(std::string("v\n\r\t\x7f") + '\0' + "1", ".BMP"), "v_____1.BMP");
  EXPECT_EQ(fileNameFromTitle("", ".BMP"), "_.BMP");
  EXPECT_EQ(fileNameFromTitle("Vib 3 é", ".BMP"), "Vib 3 é.BMP");

  const std::string longName = fileNameFromTitle(std::string(300, 'x'), ".BMP");
  EXPECT_EQ(longName, std::string(195, 'x') + ".BMP");
  // "é" is two bytes; a cut through the 98th one keeps 97 whole characters.
  std::string accents;
  for (int i = 0; i < 150; ++i) accents += "é";
  EXPECT_EQ(fileNameFromTitle(accents, ".BMP"), accents.substr(0, 194) + ".BMP");
}

}  // namespace
}  // namespace vorax::app
