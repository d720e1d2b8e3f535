#include "decode/standard/standard_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "base/worker_count.h"
#include "decode/record_opener.h"
#include "decode/standard/standard_read.h"
#include "decode/standard/standard_segd_builder.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

using test::readStandard;
using test::StandardChannelSetSpec;
using test::StandardRead;
using test::StandardSegdBuilder;

// Two auxiliary traces, then three seismic traces on line 7 (the last one in the extended
// line/point form); values that every format holds exactly.
StandardSegdBuilder twoChannelSets(int major, int minor, int format) {
  StandardSegdBuilder b;
  b.revisionMajor = major;
  b.revisionMinor = minor;
  b.formatCode = format;
  const std::vector<double> aux = {0, 1000, -2000, 0, 0};
  const std::vector<double> seis = {64, -128, 256, 65536, -512};
  b.channelSets.push_back({9, 1000, 1, {{0, 1, false, aux}, {0, 2, false, aux}}});
  b.channelSets.push_back(
      {1, 1000, 2, {{7, 101, false, seis}, {7, 102, false, seis}, {7, 103, true, seis}}});
  return b;
}

TEST(StandardReader, EveryRevisionAndSampleFormat) {
  const std::pair<int, int> revisions[] = {{1, 0}, {2, 1}, {3, 0}};
  const int formats[] = {8015, 8036, 8038, 8058, 8080};
  for (auto [major, minor] : revisions) {
    for (int format : formats) {
      if (format == 8080 && major < 3) continue;  // 8080 is a revision 3 format
      SCOPED_TRACE(std::to_string(major) + "." + std::to_string(minor) + " format " +
                   std::to_string(format));
      const auto bytes = twoChannelSets(major, minor, format).build();
      const StandardRead r = readStandard(bytes);
      ASSERT_TRUE(r.result.ok) << (r.messages.messages.empty() ? "" : r.messages.messages.front());
      EXPECT_TRUE(r.messages.messages.empty()) << r.messages.messages.front();
      EXPECT_EQ(r.result.endOfLastTrace, bytes.size());
      EXPECT_EQ(r.headers.revisionMajor, major);
      ASSERT_EQ(r.record.samples.traceCount(), 5);
      ASSERT_EQ(r.record.samples.samplesPerTrace(), 5);
      EXPECT_FLOAT_EQ(r.record.summary.sampleIntervalUs, 1000.0f);
      EXPECT_FLOAT_EQ(r.record.recordLengthMs, 4.0f);
      EXPECT_EQ(r.record.summary.auxTraceCount, 2);
      EXPECT_EQ(r.record.summary.seismicTraceCount, 3);
      EXPECT_EQ(r.record.summary.firstReceiverLine, 7);
      EXPECT_EQ(r.record.summary.firstReceiverPoint, 101);
      EXPECT_EQ(r.record.summary.fileNumber.trimmed(), "1234");
      EXPECT_EQ(r.record.summary.recordTime.trimmed(), "20:06:05");
      EXPECT_EQ(r.record.traceInfo[1].channelKind.trimmed(), "Aux");
      EXPECT_EQ(r.record.traceInfo[3].channelKind.trimmed(), "Seis");
      EXPECT_EQ(r.record.traceInfo[4].channelNumber, 4);
      EXPECT_FLOAT_EQ(r.record.traceInfo[4].receiverPoint, 102.0f);
      EXPECT_FLOAT_EQ(r.record.traceInfo[5].receiverLine, 7.25f);  // extended form
      EXPECT_FLOAT_EQ(r.record.traceInfo[5].receiverPoint, 103.0f);
      // Normalised to peak 1; stored x divisor is the recorded value.
      const float recorded[] = {64, -128, 256, 65536, -512};
      for (int s = 0; s < 5; ++s)
        EXPECT_FLOAT_EQ(r.record.samples.at(3, s) * r.record.divisorOf(3), recorded[s]) << s;
      EXPECT_FLOAT_EQ(r.record.samples.at(3, 3), 1.0f);
      EXPECT_FLOAT_EQ(r.record.samples.at(2, 2) * r.record.divisorOf(2), -2000.0f);
      EXPECT_EQ(r.record.samples.at(3, 5), 0.0f);  // the trailing zero
      ASSERT_EQ(r.record.lineRuns.size(), 4u);     // element 0 unused; lines 0 (aux), 7, 7.25
    }
  }
}

TEST(StandardReader, ChannelSetsOfDifferentLengthsArePaddedWithAWarning) {
  StandardSegdBuilder b;
  b.channelSets.push_back({1, 1000, 1, {{1, 1, false, {1, 2, 3}}}});
  b.channelSets.push_back({1, 1000, 1, {{1, 2, false, {1, 2, 3, 4, 5, 6, 7}}}});
  const StandardRead r = readStandard(b.build());
  ASSERT_TRUE(r.result.ok);
  EXPECT_EQ(r.record.samples.samplesPerTrace(), 7);
  EXPECT_EQ(r.record.samples.at(1, 3), 0.0f);
  ASSERT_EQ(r.messages.messages.size(), 1u);
  EXPECT_NE(r.messages.messages[0].find("Channel sets 1 hold fewer samples"), std::string::npos)
      << r.messages.messages[0];
}

TEST(StandardReader, DamagedFilesGiveAMessageNeverACrash) {
  const auto whole = twoChannelSets(2, 1, 8058).build();
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    const std::vector<std::uint8_t> bytes(whole.begin(),
                                          whole.begin() + static_cast<std::ptrdiff_t>(cut));
    const StandardRead r = readStandard(bytes);
    EXPECT_FALSE(r.messages.messages.empty()) << cut;
    if (r.result.ok) {
      EXPECT_LE(r.result.endOfLastTrace, cut);
    }
  }
  const StandardRead headersOnly =
      readStandard(std::vector<std::uint8_t>(whole.begin(), whole.begin() + 40));
  EXPECT_EQ(headersOnly.messages.messages.at(0),
            "The file ends inside its general header: it has 40 bytes, its headers need 64");
  auto badFormat = twoChannelSets(2, 1, 8058).build();
  badFormat[2] = 0x80;
  badFormat[3] = 0x48;
  const StandardRead unsupported = readStandard(badFormat);
  EXPECT_FALSE(unsupported.result.ok);
  EXPECT_EQ(unsupported.messages.messages.at(0),
            "Sample format 8048 is not read: formats 8015, 8036, 8038, 8058 and 8080 are");
}

TEST(StandardReader, TheOpenerChoosesItByManufacturerAndKeepsTheDecodersMessages) {
  const auto path = std::filesystem::temp_directory_path() / "vorax_standard_opener.segd";
  test::writeFileBytes(path, twoChannelSets(2, 1, 8058).build());
  SegdRecord record;
  CollectingMessages messages;
  OpenResult opened = openRecord(path, record, messages, base::DebugLog{});
  ASSERT_TRUE(opened.ok());
  EXPECT_EQ(opened.flavour, RecordFlavour::Standard);
  EXPECT_EQ(record.samples.traceCount(), 5);
  ASSERT_FALSE(opened.notes.empty());
  EXPECT_EQ(opened.notes[0], "The Manufacturer code is not recognised");
  EXPECT_TRUE(messages.messages.empty());
  std::filesystem::remove(path);
}

// 3 auxiliary traces of 5 samples, 150 seismic of 40 and 120 seismic of 25: more blocks than
// one worker takes. Sample s of trace n is (7n + s) % 50 - 20 (peaks between 20 and 29).
StandardSegdBuilder mixedLengths() {
  StandardSegdBuilder b;
  const std::pair<int, int> sets[] = {{9, 5}, {1, 40}, {1, 25}};
  int n = 1;
  for (auto [type, samples] : sets) {
    StandardChannelSetSpec cs{type, 1000, 2, {}};
    for (int i = 0; i < (samples == 5 ? 3 : samples == 40 ? 150 : 120); ++i, ++n) {
      std::vector<double> values;
      for (int s = 0; s < samples; ++s) values.push_back((7 * n + s) % 50 - 20);
      cs.traces.push_back({1, n, false, values});
    }
    b.channelSets.push_back(cs);
  }
  return b;
}

void expectSameRecord(const StandardRead& a, const StandardRead& b) {
  EXPECT_EQ(a.result.ok, b.result.ok);
  EXPECT_EQ(a.result.endOfLastTrace, b.result.endOfLastTrace);
  EXPECT_EQ(a.messages.messages, b.messages.messages);
  ASSERT_EQ(a.record.samples.traceCount(), b.record.samples.traceCount());
  ASSERT_EQ(a.record.samples.samplesPerTrace(), b.record.samples.samplesPerTrace());
  for (std::int32_t t = 1; t <= a.record.samples.traceCount(); ++t) {
    const auto i = static_cast<std::size_t>(t);
    const std::span<const float> x = a.record.samples.trace(t);
    const std::span<const float> y = b.record.samples.trace(t);
    EXPECT_EQ(std::memcmp(x.data(), y.data(), x.size_bytes()), 0) << t;
    EXPECT_EQ(a.record.traceDivisor[i], b.record.traceDivisor[i]) << t;
    EXPECT_EQ(a.record.traceInfo[i].amplitudeScale, b.record.traceInfo[i].amplitudeScale) << t;
    EXPECT_EQ(a.record.traceInfo[i].peakSampleIndex, b.record.traceInfo[i].peakSampleIndex) << t;
    EXPECT_EQ(a.record.traceInfo[i].channelNumber, b.record.traceInfo[i].channelNumber) << t;
    EXPECT_EQ(a.record.traceInfo[i].receiverPoint, b.record.traceInfo[i].receiverPoint) << t;
  }
}

TEST(StandardReader, TracesOfMixedLengthsReadAlikeOnOneWorkerAndOnSeveral) {
  struct Workers {
    ~Workers() { base::setWorkerCount(0); }
  } restore;
  const auto whole = mixedLengths().build();
  StandardSegdBuilder longTrace = mixedLengths();  // trace 130's extension 1 declares 1000 samples
  longTrace.extensionFields[130] = {{7, 1000, 3}};
  const std::vector<std::uint8_t> records[] = {
      whole, std::vector<std::uint8_t>(whole.begin(), whole.end() - 1234), longTrace.build()};
  for (const auto& bytes : records) {
    SCOPED_TRACE(bytes.size());
    base::setWorkerCount(1);
    const StandardRead sequential = readStandard(bytes);
    for (const unsigned workers : {2u, 3u}) {
      base::setWorkerCount(workers);
      expectSameRecord(sequential, readStandard(bytes));
    }
  }
  base::setWorkerCount(2);
  const StandardRead r = readStandard(whole);
  ASSERT_EQ(r.record.samples.traceCount(), 273);
  ASSERT_EQ(r.record.samples.samplesPerTrace(), 40);
  ASSERT_EQ(r.messages.messages.size(), 1u);
  EXPECT_NE(r.messages.messages[0].find("Channel sets 1, 3 hold fewer samples"), std::string::npos)
      << r.messages.messages[0];
  for (const int n : {1, 3, 4, 100, 101, 153, 154, 200, 273}) {
    const int samples = n <= 3 ? 5 : n <= 153 ? 40 : 25;
    EXPECT_EQ(r.record.traceInfo[static_cast<std::size_t>(n)].channelNumber, n);
    for (int s = 0; s < 40; ++s) {
      const float expected = s < samples ? static_cast<float>((7 * n + s) % 50 - 20) : 0.0f;
      EXPECT_FLOAT_EQ(r.record.samples.at(n, s) * r.record.divisorOf(n), expected) << n << " " << s;
    }
  }
}

// 300 seismic traces of 40 samples, sample s of trace n being (7n + s) % 50 - 20, except that
// trace `odd` (when not 0) holds only 25 and the one after it 55: the traces still end where
// 300 of 40 would.
int samplesOfUniformTrace(int n, int odd) {
  if (odd == 0) return 40;
  return n == odd ? 25 : n == odd + 1 ? 55 : 40;
}

StandardSegdBuilder uniformTraces(int odd) {
  StandardSegdBuilder b;
  StandardChannelSetSpec cs{1, 1000, 2, {}};
  for (int n = 1; n <= 300; ++n) {
    std::vector<double> values;
    for (int s = 0; s < samplesOfUniformTrace(n, odd); ++s) values.push_back((7 * n + s) % 50 - 20);
    cs.traces.push_back({1, n, false, values});
  }
  b.channelSets.push_back(cs);
  return b;
}

TEST(StandardReader, UniformTracesAndOddOnesAmongThemReadAsTheirHeadersSay) {
  struct Workers {
    ~Workers() { base::setWorkerCount(0); }
  } restore;
  for (const int odd : {0, 2, 250}) {
    const auto bytes = uniformTraces(odd).build();
    const int longest = odd == 0 ? 40 : 55;
    for (const unsigned workers : {1u, 2u, 3u}) {
      SCOPED_TRACE(testing::Message() << "odd trace " << odd << ", workers " << workers);
      base::setWorkerCount(workers);
      std::vector<int> heard;
      const StandardRead r = readStandard(bytes, [&](int percent) {
        heard.push_back(percent);
        return true;
      });
      ASSERT_TRUE(r.result.ok);
      EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
      ASSERT_FALSE(heard.empty());
      EXPECT_EQ(heard.back(), 100);
      EXPECT_EQ(r.result.endOfLastTrace, bytes.size());
      ASSERT_EQ(r.record.samples.traceCount(), 300);
      ASSERT_EQ(r.record.samples.samplesPerTrace(), longest);
      if (odd == 0) {
        EXPECT_TRUE(r.messages.messages.empty());
      } else {
        ASSERT_EQ(r.messages.messages.size(), 1u);
        EXPECT_EQ(r.messages.messages[0],
                  "Channel sets 1 hold fewer samples than the longest trace (55): their traces "
                  "are padded with zeros");
      }
      for (const int n : {1, 2, 3, 4, 100, 101, 249, 250, 251, 252, 300}) {
        const TraceHeaderInfo& info = r.record.traceInfo[static_cast<std::size_t>(n)];
        EXPECT_EQ(info.channelNumber, n);
        int firstPeak = 0;  // the first of the largest magnitudes
        for (int s = 1; s < samplesOfUniformTrace(n, odd); ++s)
          if (std::abs((7 * n + s) % 50 - 20) > std::abs((7 * n + firstPeak) % 50 - 20))
            firstPeak = s;
        EXPECT_EQ(info.peakSampleIndex, firstPeak) << n;
        for (int s = 0; s < longest; ++s) {
          const bool held = s < samplesOfUniformTrace(n, odd);
          const float expected = held ? static_cast<float>((7 * n + s) % 50 - 20) : 0.0f;
          ASSERT_FLOAT_EQ(r.record.samples.at(n, s) * r.record.divisorOf(n), expected)
              << n << " " << s;
        }
      }
    }
  }
}

struct RealNodalFile {
  const char* name;
  std::int32_t traces;
  std::int32_t samples;
  float intervalUs;
};

TEST(StandardReaderRealFiles, NodalRecordsOpenWhole) {
  const RealNodalFile files[] = {
      {"PH5_453005513.2.2021.05.08.20.06.00.000.E.segd", 359, 251, 4000},
      {"obspy_one_channel_many_traces.fcnt", 10, 500, 2000},
      {"obspy_three_chans_six_traces.fcnt", 6, 15000, 2000},
  };
  for (const RealNodalFile& f : files) {
    SCOPED_TRACE(f.name);
    VORAX_REQUIRE_REAL_FILE(path, f.name);
    const auto bytes = test::readFileBytes(path);
    const StandardRead r = readStandard(bytes);
    ASSERT_TRUE(r.result.ok);
    EXPECT_TRUE(r.messages.messages.empty()) << r.messages.messages.front();
    EXPECT_EQ(r.result.endOfLastTrace, bytes.size());
    EXPECT_EQ(r.record.samples.traceCount(), f.traces);
    EXPECT_EQ(r.record.samples.samplesPerTrace(), f.samples);
    EXPECT_FLOAT_EQ(r.record.summary.sampleIntervalUs, f.intervalUs);
    for (std::int32_t t = 1; t <= f.traces; ++t)
      EXPECT_GT(r.record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale, 0) << t;
  }
}

TEST(StandardReaderRealFiles, ReceiverNumbersAsTheRecordersWroteThem) {
  VORAX_REQUIRE_REAL_FILE(smartSolo, "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd");
  // The peer's dump of this file gives extended receiver line 1, point 1 for every trace.
  const StandardRead nodal = readStandard(test::readFileBytes(smartSolo));
  EXPECT_FLOAT_EQ(nodal.record.traceInfo[1].receiverLine, 1.0f);
  EXPECT_FLOAT_EQ(nodal.record.traceInfo[359].receiverPoint, 1.0f);
  VORAX_REQUIRE_REAL_FILE(fairfield, "obspy_one_channel_many_traces.fcnt");
  // Trace 1's extension 1 begins 00 00 04 | 00 00 01: line 4, point 1.
  const StandardRead ff = readStandard(test::readFileBytes(fairfield));
  EXPECT_FLOAT_EQ(ff.record.traceInfo[1].receiverLine, 4.0f);
  EXPECT_FLOAT_EQ(ff.record.traceInfo[1].receiverPoint, 1.0f);
}

}  // namespace
}  // namespace vorax::decode
