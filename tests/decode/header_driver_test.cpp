#include "decode/header_driver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "decode/record_opener.h"
#include "decode/sercel/sercel_handmade_record.h"
#include "decode/vorax/handmade_record.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

using test::HandmadeRecord;

struct ShownMessage {
  std::string text;
  bool systemModal;
};

class RecordingMessages : public MessageSink {
 public:
  void show(std::string_view text, bool systemModal) override {
    shown.push_back({std::string(text), systemModal});
  }
  std::vector<ShownMessage> shown;
};

struct DriverRun {
  std::int32_t result = 0;
  SegdRecord record;
  DecodedHeaders headers;
  RecordingMessages messages;
  bool fileOpenAfter = false;
};

void runDriver(const std::vector<std::uint8_t>& bytes, DriverRun& run,
               const base::DebugLog& log = base::DebugLog()) {
  RecordFile file = RecordFile::fromMemory(bytes, "hand.segd");
  run.result = readfileheaders(file, run.record, run.headers, run.messages, log);
  run.fileOpenAfter = file.isOpen();
}

TEST(HeaderDriver, FillsTheSummaryOfAHandMadeRecord) {
  DriverRun run;
  runDriver(HandmadeRecord().bytes(), run);
  ASSERT_EQ(run.result, HandmadeRecord::kFirstTracePosition);
  EXPECT_TRUE(run.messages.shown.empty());
  const RecordSummary& s = run.record.summary;
  EXPECT_EQ(s.fileNumber.view(), "1234");  // 12345 cut to four characters
  EXPECT_EQ(s.recordDate.view(), "2005-03-01");
  EXPECT_EQ(s.recordTime.view(), "13:45:30");
  EXPECT_EQ(s.tapeNumber.view(), "0042");
  EXPECT_EQ(s.sampleIntervalUs, 1000.0f);
  EXPECT_EQ(s.samplesPerTrace, 4);
  EXPECT_EQ(s.recordType.trimmed(), "Normal");
  EXPECT_EQ(s.sourceLine, 100.25f);
  EXPECT_EQ(s.sourcePoint, 300.0f);
  EXPECT_DOUBLE_EQ(s.sourceX, 1000.0);
  EXPECT_DOUBLE_EQ(s.sourceY, 123.45);
  EXPECT_EQ(s.sourceZ, 5.0f);
  EXPECT_EQ(s.traceCount, 3);
  EXPECT_EQ(s.seismicTraceCount, 3);
  EXPECT_EQ(s.timeBreakKind.view(), "ITB");
  EXPECT_EQ(s.filter.trimmed(), "Min");
  EXPECT_EQ(s.upholeTime, 125);
  EXPECT_EQ(s.label.trimmed(), "");
  EXPECT_EQ(run.record.sampleIntervalMs, 1.0f);
  EXPECT_EQ(run.record.recordLengthMs, 3.0f);  // 1 ms x (4 - 1)
  EXPECT_EQ(run.record.fileName, "hand.segd");
  EXPECT_TRUE(run.headers.gh3Decoded);
  ASSERT_EQ(run.headers.channelSets.size(), 1u);
  EXPECT_EQ(run.headers.channelSets[0].channelCount.view(), "0002");
  EXPECT_EQ(run.headers.external.text.view().substr(0, 8), "SHOT 7  ");
  EXPECT_TRUE(run.fileOpenAfter);  // the trace loader reads on from here
}

// The traces outside channel set 1 are the auxiliary ones; the count left from an earlier
// record never survives.
TEST(HeaderDriver, AuxiliaryTracesAreThoseOutsideChannelSetOne) {
  DriverRun run;
  run.record.summary.auxTraceCount = 7;
  runDriver(HandmadeRecord().bytes(), run);
  EXPECT_EQ(run.record.summary.auxTraceCount, 0);
  EXPECT_EQ(run.record.summary.seismicTraceCount, run.record.summary.traceCount);
}

TEST(HeaderDriver, OneAdditionalBlockReadsButDoesNotDecodeBlockThree) {
  HandmadeRecord r;
  r.gh1[11] = 0x10;  // one additional block, day hundreds 0
  DriverRun run;
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, HandmadeRecord::kFirstTracePosition);
  EXPECT_FALSE(run.headers.gh3Decoded);
  EXPECT_EQ(run.record.summary.sourceX, 0.0);
  EXPECT_EQ(run.record.summary.sourceLine, 0.0f);
  // The descriptor still comes from offset 96, not from where block 3 was.
  ASSERT_EQ(run.headers.channelSets.size(), 1u);
  EXPECT_EQ(run.headers.channelSets[0].channelCount.view(), "0002");
}

TEST(HeaderDriver, ExternalHeaderLengthFromGeneralHeaderTwoWhenBlockOneSaysFF) {
  HandmadeRecord r;
  r.gh1[31] = 0xFF;
  r.external = HandmadeRecord::Bytes(64, 'x');  // GH2 bytes 8-9 "0002": two blocks
  DriverRun run;
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, 96 + 32 + 64 + 64 + 1);
  EXPECT_EQ(run.headers.external.text.view().substr(60, 6), "xxxx  ");
}

TEST(HeaderDriver, EmptyExternalHeader) {
  HandmadeRecord r;
  r.gh1[31] = 0x00;
  r.external.clear();
  DriverRun run;
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, 96 + 32 + 64 + 1);
  // The one byte read is the first trace header's first byte, 0x12: a control character.
  EXPECT_EQ(run.headers.external.text.trimmed(), "");
  EXPECT_EQ(run.headers.external.hexDigits.view().substr(0, 4), "1200");
}

TEST(HeaderDriver, FirstTracePositionFollowsChannelSetsAndExternalBlocks) {
  HandmadeRecord r;
  r.gh1[28] = 0x02;  // two channel sets
  r.gh1[31] = 0x03;  // three external blocks
  r.channelSet.insert(r.channelSet.end(), r.channelSet.begin(), r.channelSet.end());
  r.external = HandmadeRecord::Bytes(96, ' ');
  DriverRun run;
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, 96 + 32 * 2 + 64 + 32 * 3 + 1);
  EXPECT_EQ(run.headers.channelSets.size(), 2u);
}

TEST(HeaderDriver, VqcFormatWarnsAndGoesOn) {
  HandmadeRecord r;
  r.gh1[2] = 0x87;
  r.gh1[3] = 0x65;
  DriverRun run;
  runDriver(r.bytes(), run);
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].text, "Non Fatal Error - VQC88 file");
  EXPECT_TRUE(run.messages.shown[0].systemModal);
  EXPECT_EQ(run.result, HandmadeRecord::kFirstTracePosition);
  // Block 1 stopped before the sample interval: the summary gets 0 for it.
  EXPECT_EQ(run.record.summary.sampleIntervalUs, 0.0f);
}

TEST(HeaderDriver, UnknownManufacturerIsAWarning) {
  HandmadeRecord r;
  r.gh1[16] = 0x99;
  DriverRun run;
  runDriver(r.bytes(), run);
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].text, "The Manufacturer code is not recognised");
  EXPECT_EQ(run.result, HandmadeRecord::kFirstTracePosition);
}

TEST(HeaderDriver, FatalResultStopsClosesAndKeepsTheSummary) {
  HandmadeRecord r;
  r.gh1[22] = 0x03;  // not a sample-interval code
  DriverRun run;
  run.record.summary.traceCount = 77;
  run.record.summary.fileNumber = "9999";
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, -1);
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].text,
            "Invalid Sample Rate Code - the code to indicate sample rate is not correct");
  EXPECT_TRUE(run.messages.shown[0].systemModal);
  EXPECT_FALSE(run.fileOpenAfter);
  EXPECT_EQ(run.record.summary.traceCount, 77);
  EXPECT_EQ(run.record.summary.fileNumber.view(), "9999");
}

TEST(HeaderDriver, UnknownFormatMessage) {
  HandmadeRecord r;
  r.gh1[2] = 0x12;
  r.gh1[3] = 0x34;
  DriverRun run;
  runDriver(r.bytes(), run);
  EXPECT_EQ(run.result, -1);
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].text,
            "1234 is an invalid SEGD Format Code. This is not a SEG D File.");
}

TEST(HeaderDriver, FileCutInsideItsHeadersSaysSoBeforeAnyCodeCheck) {
  // Hand-made VORAX headers: 96 + 32 + 64 + 32 = 224 bytes; Sercel: 96 + 3 x 32 + 1024 + 4096
  // = 5312. Until general header blocks 1 and 2 are whole, only a least is known: 96 bytes
  // before block 1 is whole; with block 1 alone, the VORAX count is complete (224) but the
  // Sercel lengths are in block 2 (FF), so 96 + 3 x 32 = 192.
  const std::vector<std::uint8_t> vorax = HandmadeRecord().bytes();
  const std::vector<std::uint8_t> sercel = test::SercelHandmadeRecord().bytes();
  const struct {
    const std::vector<std::uint8_t>& record;
    std::size_t cut;
    const char* needs;
    HeaderStage reached;
  } kCuts[] = {
      {vorax, 0, "at least 96", HeaderStage::None},
      {vorax, 1, "at least 96", HeaderStage::None},
      {vorax, 25, "at least 96", HeaderStage::None},
      {vorax, 26, "at least 96", HeaderStage::None},
      {vorax, 31, "at least 96", HeaderStage::None},
      {vorax, 32, "at least 224", HeaderStage::Gh1},
      {vorax, 63, "at least 224", HeaderStage::Gh1},
      {vorax, 64, "224", HeaderStage::Gh2},
      {vorax, 100, "224", HeaderStage::Gh2},
      {vorax, 161, "224", HeaderStage::Gh2},
      {vorax, 223, "224", HeaderStage::Gh2},
      {sercel, 20, "at least 96", HeaderStage::None},
      {sercel, 40, "at least 192", HeaderStage::Gh1},
      {sercel, 200, "5312", HeaderStage::Gh2},
      {sercel, 5311, "5312", HeaderStage::Gh2},
  };
  for (const auto& c : kCuts) {
    DriverRun run;
    runDriver({c.record.begin(), c.record.begin() + static_cast<std::ptrdiff_t>(c.cut)}, run);
    EXPECT_EQ(run.result, -1) << c.cut;
    ASSERT_EQ(run.messages.shown.size(), 1u) << c.cut;
    EXPECT_EQ(run.messages.shown[0].text, "File ends inside its headers - the file has " +
                                              std::to_string(c.cut) + " bytes, its headers need " +
                                              c.needs)
        << c.cut;
    EXPECT_EQ(run.headers.reached, c.reached) << c.cut;
    EXPECT_EQ(run.record.summary.traceCount, 0) << c.cut;
  }
  // Headers whole, no traces: the driver's part is done.
  DriverRun whole;
  runDriver({vorax.begin(), vorax.begin() + 224}, whole);
  EXPECT_EQ(whole.result, HandmadeRecord::kFirstTracePosition);
  EXPECT_TRUE(whole.messages.shown.empty());
  EXPECT_EQ(whole.headers.reached, HeaderStage::External);
}

TEST(HeaderDriver, WritesTheDebugLogLines) {
  test::TempDir dir;
  DriverRun run;
  runDriver(HandmadeRecord().bytes(), run, base::DebugLog(dir.path(), true));
  std::ifstream in(dir / base::kDebugLogFileName, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "Readfileheaders Reading Headers - Dims OK, File: hand.segd\r\n"
            "readfileheaders Ready to decode Header 1\r\n"
            "readfileheaders Ready to decode extended header OK\r\n"
            "readfileheaders Finished Reading Headers OK\r\n");
}

TEST(QuickVoraxCheck, AcceptsManufacturer31Only) {
  test::TempDir dir;
  HandmadeRecord r;
  test::writeFileBytes(dir / "vorax.segd", r.bytes());
  EXPECT_EQ(quickvoraxcheck(dir / "vorax.segd"), 0);

  r.gh1[16] = 0x13;
  test::writeFileBytes(dir / "sercel.segd", r.bytes());
  EXPECT_EQ(quickvoraxcheck(dir / "sercel.segd"), -1);

  r.gh1[16] = 0x31;
  r.gh1[22] = 0x03;  // fatal sample-interval code
  test::writeFileBytes(dir / "bad.segd", r.bytes());
  EXPECT_EQ(quickvoraxcheck(dir / "bad.segd"), -1);

  EXPECT_EQ(quickvoraxcheck(dir / "missing.segd"), -1);
}

}  // namespace
}  // namespace vorax::decode
