// The nodal recorders' own per-trace fields, on records written here byte by byte after the
// makers' public descriptions, and on the real files, against what other readers of those
// files report.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "decode/record_opener.h"
#include "decode/standard/standard_read.h"
#include "decode/standard/standard_reader.h"
#include "decode/standard/standard_segd_builder.h"
#include "decode/utc_time.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

using test::ExtensionField;
using test::readStandard;
using test::StandardRead;
using test::StandardSegdBuilder;
using test::StandardTraceSpec;

std::string startText(const SegdRecord& record, std::size_t trace) {
  const auto& start = record.traceInfo[trace].startTimeUtcUs;
  return start ? utcText(*start) : "none";
}

// A Fairfield-style record: revision bytes 01 06, ten extensions, two components of two
// consecutive slices each; the descriptors' end times one interval past the last sample.
StandardSegdBuilder fairfieldRecord() {
  StandardSegdBuilder b;
  b.manufacturer = 0x20;
  b.revisionMajor = 1;
  b.revisionMinor = 6;
  b.endsAfterLastSample = true;
  const StandardTraceSpec trace{1, 1, false, {1, -2, 3, -4}};
  b.channelSets.push_back({1, 2000, 10, {trace, trace}});
  b.channelSets.push_back({1, 2000, 10, {trace, trace}});
  const std::uint64_t start = 1502294400380000;  // 2017-08-09 16:00:00.38 UTC, in us since 1970
  const auto slice = [&](int sensor, int slice, std::uint64_t x, std::uint64_t y) {
    return std::vector<ExtensionField>{
        {7, 4, 3},  // samples in this trace
        {20, static_cast<std::uint64_t>(sensor), 1},
        {64, start + static_cast<std::uint64_t>(slice) * 30000000, 8},
        {128 + 17, x, 4},
        {128 + 21, y, 4}};
  };
  // X 469565.2 m, Y 5280709.7 m in decimetres; the second component's first trace at X
  // -123.4 m, its second trace's position blank.
  b.extensionFields = {{1, slice(3, 0, 4695652, 52807097)},
                       {2, slice(3, 1, 4695652, 52807097)},
                       {3, slice(4, 0, 4294966062, 52807097)},
                       {4, slice(4, 1, 0, 0)}};
  return b;
}

TEST(NodalFields, FairfieldComponentPositionStartTimeAndSampleCount) {
  const StandardRead r = readStandard(fairfieldRecord().build());
  ASSERT_TRUE(r.result.ok);
  EXPECT_TRUE(r.messages.messages.empty()) << r.messages.messages.front();
  const auto& info = r.record.traceInfo;
  EXPECT_EQ(info[1].sensorKind.trimmed(), "Geoph H1");
  EXPECT_EQ(info[3].sensorKind.trimmed(), "Geoph H2");
  EXPECT_DOUBLE_EQ(info[1].receiverX, 469565.2);
  EXPECT_DOUBLE_EQ(info[1].receiverY, 5280709.7);
  EXPECT_DOUBLE_EQ(info[3].receiverX, -123.4);
  EXPECT_DOUBLE_EQ(info[4].receiverX, 0);  // blank: nothing read
  EXPECT_EQ(startText(r.record, 1), "2017-08-09T16:00:00.380000Z");
  EXPECT_EQ(startText(r.record, 2), "2017-08-09T16:00:30.380000Z");
  EXPECT_FALSE(info[1].latitude.has_value());
  EXPECT_EQ(info[1].unitSerialNumber, 0);
  EXPECT_TRUE(tracesStartApart(r.record));
  // The descriptors' start and end times alone would count 5 samples; the traces hold 4.
  ASSERT_EQ(r.headers.channelSets.size(), 2u);
  EXPECT_EQ(r.headers.channelSets[0].samples, 4);
  EXPECT_EQ(r.headers.channelSets[1].samples, 4);
  EXPECT_EQ(r.record.samples.samplesPerTrace(), 4);
}

StandardSegdBuilder smartSoloRecord() {
  StandardSegdBuilder b;
  b.manufacturer = 0x61;
  const StandardTraceSpec trace{1, 1, true, {1, 2, 3, 4, 5}};
  b.channelSets.push_back({1, 1000, 7, {trace, trace}});
  b.extensionFields[1] = {
      {32, 1167264018000000, 8},  // GPS time of 2017-01-01 00:00:00 UTC (18 leap seconds)
      {64, 50000123, 4},          // easting 500001.23 m
      {68, 612345678, 4},         // northing 6123456.78 m
      {72, 4294965746, 4},        // elevation -15.5 m
      {96, 4294967263, 4},        // latitude -33 and 0x8000 / 65536: -33.5
      {100, 0x8000, 2},          {102, 151, 4},        // longitude 151 and 0x4000 / 65536: 151.25
      {106, 0x4000, 2},          {161, 453005513, 4},  // unit serial number
  };
  b.extensionFields[2] = {{32, 1167264019004000, 8}, {96, 95, 4}, {161, 453005513, 4}};
  return b;
}

TEST(NodalFields, SmartSoloSerialGpsPositionAndGpsTime) {
  const StandardRead r = readStandard(smartSoloRecord().build());
  ASSERT_TRUE(r.result.ok);
  const auto& info = r.record.traceInfo;
  EXPECT_EQ(info[1].unitSerialNumber, 453005513);
  EXPECT_EQ(info[2].unitSerialNumber, 453005513);
  EXPECT_EQ(startText(r.record, 1), "2017-01-01T00:00:00.000000Z");
  EXPECT_EQ(startText(r.record, 2), "2017-01-01T00:00:01.004000Z");
  EXPECT_DOUBLE_EQ(info[1].receiverX, 500001.23);
  EXPECT_DOUBLE_EQ(info[1].receiverY, 6123456.78);
  EXPECT_FLOAT_EQ(info[1].receiverZ, -15.5f);
  EXPECT_EQ(info[1].latitude, -33.5);
  EXPECT_EQ(info[1].longitude, 151.25);
  EXPECT_FALSE(info[2].latitude.has_value());  // 95 degrees north is no latitude
  EXPECT_EQ(r.record.summary.gpsLatitude, -33.5);
  EXPECT_EQ(r.record.summary.gpsLongitude, 151.25);
  EXPECT_EQ(info[1].sensorKind.trimmed(), "Geoph Z");  // the builder's vertical geophone
}

TEST(NodalFields, OtherMakersAndCutExtensionsGiveNoNodalField) {
  StandardSegdBuilder other = smartSoloRecord();
  other.manufacturer = 0x34;
  const StandardRead r = readStandard(other.build());
  ASSERT_TRUE(r.result.ok);
  EXPECT_FALSE(r.record.traceInfo[1].startTimeUtcUs.has_value());
  EXPECT_EQ(r.record.traceInfo[1].unitSerialNumber, 0);
  EXPECT_FALSE(r.record.summary.gpsLatitude.has_value());
  EXPECT_FALSE(tracesStartApart(r.record));

  // Cut anywhere, the records still give a message and no field from a block not all there.
  for (const auto& whole : {fairfieldRecord().build(), smartSoloRecord().build()}) {
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      const StandardRead c = readStandard(std::vector<std::uint8_t>(
          whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
      EXPECT_FALSE(c.messages.messages.empty()) << cut;
      if (!c.result.ok) continue;
      const TraceHeaderInfo& last = c.record.traceInfo.back();
      if (last.startTimeUtcUs) {
        EXPECT_FALSE(utcText(*last.startTimeUtcUs).empty());
      }
    }
  }
  // The first trace of the SmartSolo record cut inside its extension 6: no serial number.
  const auto smartSolo = smartSoloRecord().build();
  const std::size_t firstTrace = 96 + 32 + 3 * 32;  // general headers, descriptor, ext./ext.
  const StandardRead cutSerial = readStandard(std::vector<std::uint8_t>(
      smartSolo.begin(), smartSolo.begin() + static_cast<std::ptrdiff_t>(firstTrace + 20 + 170)));
  ASSERT_TRUE(cutSerial.result.ok);
  EXPECT_EQ(cutSerial.record.traceInfo[1].unitSerialNumber, 0);
  EXPECT_EQ(cutSerial.record.traceInfo[1].latitude, -33.5);
}

// The PH5 dump of the SmartSolo file: each trace's fields by name, in trace order.
std::vector<std::map<std::string, std::string>> ph5TraceFields(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::map<std::string, std::string>> traces;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("*** Trace Header ***", 0) == 0) {
      traces.emplace_back();
      continue;
    }
    const std::size_t space = line.find(' ');
    if (traces.empty() || space == std::string::npos) continue;
    traces.back().emplace(line.substr(0, space), line.substr(space + 1));
  }
  return traces;
}

TEST(NodalFieldsRealFiles, SmartSoloAgainstPh5sDump) {
  VORAX_REQUIRE_REAL_FILE(path, "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd");
  VORAX_REQUIRE_REAL_FILE(dump, "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd.header");
  const StandardRead r = readStandard(test::readFileBytes(path));
  ASSERT_TRUE(r.result.ok);
  const auto peer = ph5TraceFields(dump);
  ASSERT_EQ(peer.size(), 359u);
  ASSERT_EQ(r.record.samples.traceCount(), 359);
  // The file name gives the first sample's UTC time; PH5's GPS times give each trace's offset.
  EXPECT_EQ(startText(r.record, 1), "2021-05-08T20:06:00.000000Z");
  const double firstGps = std::stod(peer[0].at("TB_GPS_time_microsec"));
  for (std::size_t t = 1; t <= peer.size(); ++t) {
    SCOPED_TRACE(t);
    const auto& p = peer[t - 1];
    const TraceHeaderInfo& info = r.record.traceInfo[t];
    EXPECT_EQ(std::to_string(info.unitSerialNumber), p.at("unit_serial_number"));
    ASSERT_TRUE(info.latitude && info.longitude && info.startTimeUtcUs);
    EXPECT_NEAR(*info.latitude,
                std::stod(p.at("IGU_GPS_lat_integer")) + std::stod(p.at("IGU_GPS_lat_fraction")),
                1e-11);
    EXPECT_NEAR(*info.longitude,
                std::stod(p.at("IGU_GPS_lon_integer")) - std::stod(p.at("IGU_GPS_lon_fraction")),
                1e-11);
    EXPECT_EQ(static_cast<double>(*info.startTimeUtcUs - *r.record.traceInfo[1].startTimeUtcUs),
              std::stod(p.at("TB_GPS_time_microsec")) - firstGps);
  }
  EXPECT_EQ(startText(r.record, 2), "2021-05-08T20:06:01.004000Z");  // 251 samples of 4 ms on
  EXPECT_EQ(r.headers.channelSets.at(0).samples, 251);
}

TEST(NodalFieldsRealFiles, FairfieldAsObspyReadsThem) {
  VORAX_REQUIRE_REAL_FILE(three, "obspy_three_chans_six_traces.fcnt");
  const StandardRead r = readStandard(test::readFileBytes(three));
  ASSERT_TRUE(r.result.ok);
  // ObsPy's tests: trace 1 is sensor code 3 at 469565.2 E, 5280709.7 N, starting
  // 2017-08-09T16:00:00.38; its second slice starts 30 s later; codes 3, 4, 2 by channel set.
  const char* kinds[] = {"Geoph H1", "Geoph H1", "Geoph H2", "Geoph H2", "Geoph Z", "Geoph Z"};
  for (std::size_t t = 1; t <= 6; ++t) {
    SCOPED_TRACE(t);
    const TraceHeaderInfo& info = r.record.traceInfo[t];
    EXPECT_EQ(info.sensorKind.trimmed(), kinds[t - 1]);
    EXPECT_DOUBLE_EQ(info.receiverX, 469565.2);
    EXPECT_DOUBLE_EQ(info.receiverY, 5280709.7);
    EXPECT_EQ(startText(r.record, t),
              t % 2 == 1 ? "2017-08-09T16:00:00.380000Z" : "2017-08-09T16:00:30.380000Z");
  }
  for (const StandardChannelSet& cs : r.headers.channelSets) EXPECT_EQ(cs.samples, 15000);

  VORAX_REQUIRE_REAL_FILE(one, "obspy_one_channel_many_traces.fcnt");
  const StandardRead single = readStandard(test::readFileBytes(one));
  ASSERT_TRUE(single.result.ok);
  EXPECT_DOUBLE_EQ(single.record.traceInfo[1].receiverX, 402380.7);
  EXPECT_DOUBLE_EQ(single.record.traceInfo[10].receiverY, 4482537.8);
  EXPECT_EQ(single.headers.channelSets.at(0).samples, 500);
}

TEST(NodalFieldsRealFiles, RecordTypeZeroIsANoteNotAMessage) {
  VORAX_REQUIRE_REAL_FILE(path, "obspy_three_chans_six_traces.fcnt");
  SegdRecord record;
  CollectingMessages messages;
  const OpenResult opened = openRecord(path, record, messages, base::DebugLog{});
  ASSERT_TRUE(opened.ok());
  EXPECT_TRUE(messages.messages.empty());
  ASSERT_EQ(opened.notes.size(), 1u);
  EXPECT_EQ(opened.notes[0],
            "Invalid Record Type Code - The code indicating record type should be 2 or 8");
}

}  // namespace
}  // namespace vorax::decode
