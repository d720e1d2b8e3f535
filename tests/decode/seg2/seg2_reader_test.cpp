#include "decode/seg2/seg2_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "decode/seg2/seg2_file_builder.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

using test::Seg2FileBuilder;

// Five traces, one per data format, with hand-picked samples and keywords.
Seg2FileBuilder fiveFormats(bool pc) {
  Seg2FileBuilder b(pc);
  b.fileString("ACQUISITION_DATE 07/JAN/2013");
  b.fileString("ACQUISITION_TIME 9:08:46");
  b.fileString("INSTRUMENT TEST UNIT 7");
  auto& t1 = b.trace(1);
  b.int16s(t1, {100, -400, 200});
  t1.strings = {"CHANNEL_NUMBER 11", "SAMPLE_INTERVAL 0.0005", "RECEIVER_LOCATION 10.5 20.25 -3"};
  auto& t2 = b.trace(2);
  b.int32s(t2, {70000, 0, -35000, 140000, 1});
  t2.strings = {"CHANNEL_NUMBER 12", "SAMPLE_INTERVAL 0.0005", "TRACE_TYPE TIME_BREAK"};
  auto& t3 = b.trace(3);
  // Exponents of samples 0-3 sit in bits 0-3, 4-7, 8-11, 12-15 of the exponent word.
  // Mantissas are one's complement: the pattern of -2001 reads -2000, that of -2 reads -1.
  b.packedGroup(t3, 0x0210, 1000, -2001, 300, 16384);  // 1000, -4000, 1200, 16384
  b.packedGroup(t3, 0xF000, 1, 2, 3, -2);              // 1, 2, 3, -32768
  t3.strings = {"CHANNEL_NUMBER 13", "SAMPLE_INTERVAL 0.0005"};
  auto& t4 = b.trace(4);
  b.singles(t4, {0.5f, -2.0f, 1.0f});
  t4.strings = {"CHANNEL_NUMBER 14", "SAMPLE_INTERVAL 0.0005", "LINE_ID 3"};
  auto& t5 = b.trace(5);
  b.doubles(t5, {3.0, -1.5});
  t5.strings = {"CHANNEL_NUMBER 15", "SAMPLE_INTERVAL 0.0005", "LINE_ID 3"};
  return b;
}

void expectSamples(const SegdRecord& r, std::int32_t t, const std::vector<float>& expected) {
  ASSERT_EQ(r.samples.samplesPerTrace(), 8);
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_FLOAT_EQ(r.samples.at(t, static_cast<std::int32_t>(i)), expected[i])
        << "trace " << t << " sample " << i;
  for (std::size_t i = expected.size(); i <= 8; ++i)
    EXPECT_EQ(r.samples.at(t, static_cast<std::int32_t>(i)), 0.0f)
        << "trace " << t << " padding " << i;
}

TEST(Seg2Reader, EveryFormatInBothByteOrders) {
  for (bool pc : {true, false}) {
    SCOPED_TRACE(pc ? "PC order" : "UNIX order");
    auto builder = fiveFormats(pc);
    auto bytes = builder.build();
    SegdRecord r;
    Seg2Headers h;
    CollectingMessages m;
    ASSERT_TRUE(readSeg2(bytes, r, h, m));
    EXPECT_TRUE(m.messages.empty()) << m.messages.front();
    ASSERT_EQ(r.samples.traceCount(), 5);
    expectSamples(r, 1, {0.25f, -1.0f, 0.5f});
    expectSamples(r, 2, {0.5f, 0.0f, -0.25f, 1.0f, 1.0f / 140000});
    expectSamples(r, 3,
                  {1000.0f / 32768, -4000.0f / 32768, 1200.0f / 32768, 0.5f, 1.0f / 32768,
                   2.0f / 32768, 3.0f / 32768, -1.0f});
    expectSamples(r, 4, {0.25f, -1.0f, 0.5f});
    expectSamples(r, 5, {1.0f, -0.5f});
    const float scales[] = {400, 140000, 32768, 2, 3};
    const int peaks[] = {1, 3, 7, 1, 0};
    for (int t = 1; t <= 5; ++t) {
      EXPECT_FLOAT_EQ(r.traceInfo[t].amplitudeScale, scales[t - 1]) << t;
      EXPECT_EQ(r.traceInfo[t].peakSampleIndex, peaks[t - 1]) << t;
      EXPECT_EQ(r.traceInfo[t].channelNumber, 10 + t);
      EXPECT_EQ(h.traces[static_cast<std::size_t>(t - 1)].header.dataFormatCode.trimmed(),
                std::to_string(t));
    }
    EXPECT_DOUBLE_EQ(r.traceInfo[1].receiverX, 10.5);
    EXPECT_DOUBLE_EQ(r.traceInfo[1].receiverY, 20.25);
    EXPECT_FLOAT_EQ(r.traceInfo[1].receiverZ, -3.0f);
    EXPECT_EQ(r.traceInfo[2].channelKind.trimmed(), "Aux");
    EXPECT_EQ(r.traceInfo[1].channelKind.trimmed(), "Seis");
    EXPECT_FLOAT_EQ(r.traceInfo[4].receiverLine, 3.0f);
    ASSERT_EQ(r.lineRuns.size(), 3u);  // element 0 unused; lines 0 (traces 1-3), 3 (4-5)
    EXPECT_FLOAT_EQ(r.lineRuns[2].firstTrace, 4.0f);
    EXPECT_FLOAT_EQ(r.lineRuns[2].lastTrace, 5.0f);

    EXPECT_FLOAT_EQ(r.summary.sampleIntervalUs, 500.0f);
    EXPECT_FLOAT_EQ(r.sampleIntervalMs, 0.5f);
    EXPECT_FLOAT_EQ(r.recordLengthMs, 3.5f);
    EXPECT_EQ(r.summary.samplesPerTrace, 8);
    EXPECT_EQ(r.summary.traceCount, 5);
    EXPECT_EQ(r.summary.auxTraceCount, 1);
    EXPECT_EQ(r.summary.seismicTraceCount, 4);
    EXPECT_EQ(r.summary.recordDate.trimmed(), "2013-01-07");
    EXPECT_EQ(r.summary.recordTime.trimmed(), "09:08:46");
    EXPECT_EQ(h.fileDescriptor.instrument.trimmed(), "TEST UNIT 7");
    EXPECT_EQ(h.fileStrings.size(), 3u);
    EXPECT_EQ(h.traces[0].strings.at(2), "RECEIVER_LOCATION 10.5 20.25 -3");
  }
}

struct Opened {
  bool ok = false;
  SegdRecord record;
  Seg2Headers headers;
  CollectingMessages messages;
  std::string allMessages() const {
    std::string all;
    for (const std::string& m : messages.messages) all += m + "\n";
    return all;
  }
};

Opened open(const std::vector<std::uint8_t>& bytes) {
  Opened o;
  o.ok = readSeg2(bytes, o.record, o.headers, o.messages);
  return o;
}

TEST(Seg2ReaderHostile, PointersOutsideTheFileOrIntoTheHeaderLeaveTheTraceOut) {
  auto builder = fiveFormats(true);
  auto bytes = builder.build();
  builder.store(bytes, 32 + 4, 0xFFFFFFF0u, 4);  // trace 2 beyond the end
  builder.store(bytes, 32 + 8, 8, 4);            // trace 3 into the file header
  Opened o = open(bytes);
  ASSERT_TRUE(o.ok);
  EXPECT_EQ(o.record.samples.traceCount(), 3);
  EXPECT_EQ(o.record.traceInfo[2].channelNumber, 14);
  EXPECT_NE(o.allMessages().find("Trace 2: descriptor at byte 4294967280 lies outside the file"),
            std::string::npos)
      << o.allMessages();
  EXPECT_NE(o.allMessages().find("Trace 3: pointer 8 points into the file header"),
            std::string::npos);
}

TEST(Seg2ReaderHostile, OverlappingTracesAreReported) {
  auto builder = fiveFormats(false);
  auto bytes = builder.build();
  builder.store(bytes, 32 + 4, builder.traceOffset(0), 4);       // trace 2 = trace 1
  builder.store(bytes, 32 + 8, builder.traceOffset(0) + 40, 4);  // trace 3 inside trace 1
  Opened o = open(bytes);
  ASSERT_TRUE(o.ok);
  EXPECT_EQ(o.record.samples.traceCount(), 3);
  EXPECT_NE(o.allMessages().find("Trace 2 at byte " + std::to_string(builder.traceOffset(0)) +
                                 " overlaps Trace 1"),
            std::string::npos)
      << o.allMessages();
  EXPECT_NE(o.allMessages().find("Trace 3 at byte"), std::string::npos);
}

TEST(Seg2ReaderHostile, DeclaredSizesBeyondTheDataAreCapped) {
  auto builder = fiveFormats(true);
  auto bytes = builder.build();
  const std::uint32_t first = builder.traceOffset(0);
  builder.store(bytes, first + 8, 0xFFFFFFFFu, 4);  // 4294967295 samples declared, 6 bytes of data
  const std::uint32_t last = builder.traceOffset(4);
  builder.store(bytes, last + 4, 0x7FFFFFF0u, 4);  // data block far past the end of the file
  builder.store(bytes, last + 8, 0x10000000u, 4);
  Opened o = open(bytes);
  ASSERT_TRUE(o.ok);
  EXPECT_EQ(o.record.samples.samplesPerTrace(), 8);
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 1), -1.0f);
  EXPECT_FLOAT_EQ(o.record.samples.at(5, 0), 1.0f);
  EXPECT_EQ(o.headers.traces[0].samplesLoaded, 3);
  EXPECT_NE(o.allMessages().find(
                "Trace 1: data block of 6 bytes is too short for the 4294967295 samples declared"),
            std::string::npos)
      << o.allMessages();
  EXPECT_NE(o.allMessages().find("Trace 5: data block of 2147483632 bytes"), std::string::npos);
}

TEST(Seg2ReaderHostile, MorePointersThanTheSubBlockHolds) {
  auto builder = fiveFormats(true);
  auto bytes = builder.build();
  builder.store(bytes, 6, 1000, 2);
  Opened o = open(bytes);
  ASSERT_TRUE(o.ok);
  EXPECT_EQ(o.record.samples.traceCount(), 5);
  EXPECT_NE(o.allMessages().find(
                "1000 trace pointers do not fit in the trace pointer sub-block of 20 bytes"),
            std::string::npos);
}

TEST(Seg2ReaderHostile, UnknownFormatAndNoUsableTrace) {
  Seg2FileBuilder b(true);
  auto& t = b.trace(7);
  t.data = {1, 2, 3, 4};
  Opened o = open(b.build());
  EXPECT_FALSE(o.ok);
  EXPECT_NE(o.allMessages().find("Unknown Data Block Numeric Format - 7"), std::string::npos);
  EXPECT_NE(o.allMessages().find("No readable trace in this SEG-2 file"), std::string::npos);
}

TEST(Seg2ReaderHostile, NotSeg2) {
  std::vector<std::uint8_t> bytes(64, 0);
  Opened o = open(bytes);
  EXPECT_FALSE(o.ok);
  ASSERT_EQ(o.messages.messages.size(), 1u);
  EXPECT_EQ(o.messages.messages[0], "Not a SEG 2 File");
}

TEST(Seg2ReaderHostile, EveryTruncationIsSafe) {
  for (bool pc : {true, false}) {
    auto builder = fiveFormats(pc);
    const auto bytes = builder.build();
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
      std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
      Opened o = open(cut);
      if (o.ok) {
        EXPECT_LE(o.record.samples.samplesPerTrace(), 8) << n;
      }
    }
  }
}

TEST(Seg2ReaderHostile, OneLongTraceAmongManyEmptyOnesDoesNotBlowUpThePadding) {
  Seg2FileBuilder b(true);
  auto& longTrace = b.trace(1);
  b.int16s(longTrace, std::vector<std::int16_t>(60000, 1));
  for (int i = 0; i < 3000; ++i) b.trace(1);
  auto bytes = b.build();
  Opened o = open(bytes);
  ASSERT_TRUE(o.ok);
  const std::uint64_t held = static_cast<std::uint64_t>(o.record.samples.traceCount() + 1) *
                             o.record.samples.valuesPerTrace();
  EXPECT_LE(held, 4 * bytes.size() + (1u << 20));
  EXPECT_LT(o.record.samples.samplesPerTrace(), 60000);
  EXPECT_NE(o.allMessages().find("samples per trace limited to"), std::string::npos);
}

// ---- The real SEG-2 files ----

Opened openReal(const std::filesystem::path& path) {
  Opened o;
  Seg2FileResult result = readSeg2File(path, o.record, o.headers, o.messages);
  o.ok = result.ok;
  return o;
}

std::int32_t littleInt32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::int32_t>(bytes[offset] | bytes[offset + 1] << 8 |
                                   bytes[offset + 2] << 16 |
                                   static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

TEST(Seg2RealFiles, SmartSeisPackedFloatingPoint) {
  VORAX_REQUIRE_REAL_FILE(path, "obspy_20180307_031245000.0.seg2");
  Opened o = openReal(path);
  ASSERT_TRUE(o.ok);
  EXPECT_TRUE(o.messages.messages.empty()) << o.allMessages();
  ASSERT_EQ(o.record.samples.traceCount(), 1);
  EXPECT_EQ(o.record.samples.samplesPerTrace(), 2048);
  EXPECT_FLOAT_EQ(o.record.summary.sampleIntervalUs, 125.0f);
  EXPECT_EQ(o.record.summary.recordDate.trimmed(), "2018-03-07");
  EXPECT_EQ(o.record.summary.recordTime.trimmed(), "03:12:45");
  const Seg2TraceDescriptorFields& d = o.headers.traces[0].descriptor;
  EXPECT_EQ(d.delay.trimmed(), "-0.010");
  EXPECT_EQ(d.stack.trimmed(), "8");
  EXPECT_EQ(d.descalingFactor.trimmed(), "0.001199");
  EXPECT_EQ(d.rawRecord.trimmed(), "1068.DAT");
  EXPECT_EQ(d.receiverLocationX.trimmed(), "1004.00");
  EXPECT_EQ(o.headers.traces[0].header.dataFormatCode.trimmed(), "3");
  EXPECT_EQ(o.headers.fileDescriptor.instrument.trimmed(), "GEOMETRICS SmartSeis 0000");
  // From the file's bytes: group 0 holds mantissa 0xFFEB (one's complement -20) with exponent
  // 0; group 46 (samples 184-187) has exponent word 0x1100, so sample 186 is 16431 x 2.
  const float scale = o.record.traceInfo[1].amplitudeScale;
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 0) * scale, -20.0f);
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 186) * scale, 32862.0f);
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 184) * scale, 26662.0f);
}

TEST(Seg2RealFiles, VipaThreeComponentsWithNonStandardKeywords) {
  VORAX_REQUIRE_REAL_FILE(path, "obspy_20130107_103041000.CET.3c.cont.0.seg2");
  Opened o = openReal(path);
  ASSERT_TRUE(o.ok);
  EXPECT_TRUE(o.messages.messages.empty()) << o.allMessages();
  ASSERT_EQ(o.record.samples.traceCount(), 3);
  EXPECT_EQ(o.record.samples.samplesPerTrace(), 2000);
  EXPECT_FLOAT_EQ(o.record.summary.sampleIntervalUs, 1000.0f);
  EXPECT_FLOAT_EQ(o.record.recordLengthMs, 1999.0f);
  const Seg2FileDescriptorFields& f = o.headers.fileDescriptor;
  EXPECT_EQ(f.acquisitionDate.trimmed(), "07/JAN/2013");
  EXPECT_EQ(f.acquisitionTime.trimmed(), "10:30:41");
  EXPECT_EQ(f.instrument.trimmed(), "DMT_VIPA_01-0000143912a3");
  EXPECT_EQ(f.company.trimmed(), "COMPANY");
  EXPECT_EQ(f.note.trimmed(), "Comment");
  EXPECT_EQ(o.headers.fileStrings.size(), 30u);
  const auto bytes = test::readFileBytes(path);
  const std::size_t dataOffsets[] = {2080 + 1056, 11136 + 1056, 20192 + 1056};
  for (int t = 1; t <= 3; ++t) {
    const Seg2TraceDescriptorFields& d =
        o.headers.traces[static_cast<std::size_t>(t - 1)].descriptor;
    EXPECT_EQ(d.channelNumber.trimmed(), std::to_string(t));
    EXPECT_EQ(d.traceType.trimmed(), "SEISMIC_DATA");
    EXPECT_EQ(d.lowCutFilter.trimmed(), "10.000000 12.000000");
    EXPECT_EQ(o.record.traceInfo[static_cast<std::size_t>(t)].channelNumber, t);
    const float scale = o.record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale;
    for (int s : {0, 1, 999, 1999}) {
      EXPECT_FLOAT_EQ(o.record.samples.at(t, s) * scale,
                      static_cast<float>(littleInt32At(
                          bytes, dataOffsets[t - 1] + 4 * static_cast<std::size_t>(s))))
          << t << " " << s;
    }
  }
  EXPECT_EQ(o.headers.traces[0].descriptor.descalingFactor.trimmed(), "2.17378e-05");
}

TEST(Seg2RealFiles, SeismodulesIeeeSingles) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_329.dat");
  Opened o = openReal(path);
  ASSERT_TRUE(o.ok);
  EXPECT_TRUE(o.messages.messages.empty()) << o.allMessages();
  ASSERT_EQ(o.record.samples.traceCount(), 3);
  EXPECT_EQ(o.record.samples.samplesPerTrace(), 4096);
  EXPECT_FLOAT_EQ(o.record.summary.sampleIntervalUs, 62.5f);
  EXPECT_EQ(o.record.summary.fileNumber.trimmed(), "329");
  EXPECT_EQ(o.record.summary.recordDate.trimmed(), "2007-05-08");
  for (int t = 1; t <= 3; ++t) {
    const Seg2TraceDescriptorFields& d =
        o.headers.traces[static_cast<std::size_t>(t - 1)].descriptor;
    EXPECT_EQ(d.shotSequenceNumber.trimmed(), "329");
    EXPECT_EQ(d.stack.trimmed(), "2");
    EXPECT_EQ(d.fixedGain.trimmed(), "24 DB");
    EXPECT_EQ(d.rawRecord.trimmed(), "D:\\coppito_CH\\329.dat");
    EXPECT_EQ(d.aliasFilter.trimmed(), "6666.66 0");
    EXPECT_DOUBLE_EQ(o.record.traceInfo[static_cast<std::size_t>(t)].receiverX, t - 1);
  }
  // Trace 1's samples 0 and 1 are 5183.6001 and -161628.4375 (bytes CD FC A1 45, 1C D7 1D C8).
  EXPECT_FLOAT_EQ(o.record.traceInfo[1].amplitudeScale, 161628.4375f);
  EXPECT_EQ(o.record.traceInfo[1].peakSampleIndex, 1);
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 1), -1.0f);
  EXPECT_FLOAT_EQ(o.record.samples.at(1, 0), 5183.60009765625f / 161628.4375f);
}

TEST(Seg2RealFiles, StrataViewSixtyTracesWithTrailingPadding) {
  VORAX_REQUIRE_REAL_FILE(path, "PH5_15001.dat");
  Opened o = openReal(path);
  ASSERT_TRUE(o.ok);
  EXPECT_TRUE(o.messages.messages.empty()) << o.allMessages();
  ASSERT_EQ(o.record.samples.traceCount(), 60);
  EXPECT_EQ(o.record.samples.samplesPerTrace(), 4000);
  EXPECT_FLOAT_EQ(o.record.summary.sampleIntervalUs, 500.0f);
  EXPECT_FLOAT_EQ(o.record.sampleIntervalMs, 0.5f);
  EXPECT_EQ(o.record.summary.recordTime.trimmed(), "09:08:46");
  EXPECT_EQ(o.headers.fileDescriptor.jobId.trimmed(), "CALIFORNIA, 1998");
  EXPECT_EQ(o.headers.fileDescriptor.observer.trimmed(), "JOHN");
  EXPECT_EQ(o.headers.traces.back().offset, 964476u);
  for (int t = 1; t <= 60; ++t) {
    const Seg2TraceDescriptorFields& d =
        o.headers.traces[static_cast<std::size_t>(t - 1)].descriptor;
    EXPECT_EQ(d.channelNumber.trimmed(), std::to_string(t));
    EXPECT_EQ(d.delay.trimmed(), "-0.050");
    EXPECT_EQ(d.sampleInterval.trimmed(), "0.0005");
    EXPECT_EQ(o.record.traceInfo[static_cast<std::size_t>(t)].channelNumber, t);
  }
}

// The recorders' own exports of two real files: one line per sample, one column per trace,
// each value the stored sample x DESCALING_FACTOR x `unitFactor`.
struct ExportOracle {
  const char* seg2;
  const char* exportGz;
  double unitFactor;
};

std::vector<std::vector<double>> readExportColumns(const std::filesystem::path& gz) {
  std::vector<std::vector<double>> columns;
  const std::string command = "gzip -dc '" + gz.string() + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return columns;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream fields(line);
    double value = 0;
    for (std::size_t c = 0; fields >> value; ++c) {
      if (columns.size() <= c) columns.resize(c + 1);
      columns[c].push_back(value);
    }
  }
  pclose(pipe);
  return columns;
}

TEST(Seg2RealFiles, SamplesEqualTheRecordersExports) {
  const ExportOracle oracles[] = {
      {"obspy_20180307_031245000.0.seg2", "obspy_20180307_031245000.0.DAT.gz", 1.0},
      {"obspy_20130107_103041000.CET.3c.cont.0.seg2",
       "obspy_20130107_103041000.CET.3c.cont.0.DAT.gz", 1e3},
  };
  for (const ExportOracle& oracle : oracles) {
    SCOPED_TRACE(oracle.seg2);
    VORAX_REQUIRE_REAL_FILE(path, oracle.seg2);
    VORAX_REQUIRE_REAL_FILE(exportPath, oracle.exportGz);
    const Opened o = openReal(path);
    ASSERT_TRUE(o.ok);
    const auto columns = readExportColumns(exportPath);
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(o.record.samples.traceCount()));
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const auto t = static_cast<std::int32_t>(c + 1);
      const std::vector<double>& expected = columns[c];
      ASSERT_EQ(expected.size(), static_cast<std::size_t>(o.record.samples.samplesPerTrace()));
      double peak = 0;
      for (double v : expected) peak = std::max(peak, std::abs(v));
      ASSERT_GT(peak, 0);
      int normalisedMisses = 0;
      int recordedMisses = 0;
      for (std::size_t s = 0; s < expected.size(); ++s) {
        const float stored = o.record.samples.at(t, static_cast<std::int32_t>(s));
        if (std::abs(stored - expected[s] / peak) > 1e-6) ++normalisedMisses;
        // The exports print eight decimals: allow half a unit of the last one beside 1e-6 relative.
        const double recorded =
            static_cast<double>(stored) * o.record.divisorOf(t) * oracle.unitFactor;
        if (std::abs(recorded - expected[s]) > 1e-6 * std::abs(expected[s]) + 5e-9)
          ++recordedMisses;
      }
      EXPECT_EQ(normalisedMisses, 0) << "trace " << t;
      EXPECT_EQ(recordedMisses, 0) << "trace " << t;
    }
  }
}

TEST(Seg2RealFiles, MissingFileIsAnError) {
  SegdRecord r;
  Seg2Headers h;
  CollectingMessages m;
  Seg2FileResult result = readSeg2File("/nonexistent/file.seg2", r, h, m);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error.rfind("Cannot open /nonexistent/file.seg2: ", 0), 0u);
}

}  // namespace
}  // namespace vorax::decode
