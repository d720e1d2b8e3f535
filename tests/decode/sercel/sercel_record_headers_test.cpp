#include "decode/sercel/sercel_record_headers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "decode/record_opener.h"
#include "decode/segd/header_driver.h"
#include "decode/sercel/sercel_handmade_record.h"
#include "test_support.h"

namespace vorax::decode {
namespace {

using test::SercelHandmadeRecord;

struct Opened {
  SegdRecord record;
  CollectingMessages messages;
  OpenResult result;
};

void open(const std::vector<std::uint8_t>& bytes, Opened& out, const OpenOptions& options = {}) {
  RecordFile file = RecordFile::fromMemory(bytes);
  out.result = openRecord(file, out.record, out.messages, {}, options);
}

TEST(SercelRecordHeaders, HandMadeRecordSummary) {
  Opened o;
  open(SercelHandmadeRecord().bytes(), o);
  ASSERT_TRUE(o.result.ok());
  EXPECT_TRUE(o.messages.messages.empty());
  EXPECT_EQ(o.result.firstTracePosition, SercelHandmadeRecord::kFirstTracePosition);
  EXPECT_EQ(o.result.flavour, RecordFlavour::Sercel408);
  EXPECT_TRUE(o.result.headers.sercel.present);
  const RecordSummary& s = o.record.summary;
  EXPECT_EQ(s.fileNumber.trimmed(), "42");
  EXPECT_EQ(s.recordDate.trimmed(), "2003-05-06");
  EXPECT_EQ(s.label.trimmed(), "LBL 9");
  EXPECT_EQ(s.tapeNumber.trimmed(), "9");
  EXPECT_EQ(s.sampleIntervalUs, 1000);
  EXPECT_EQ(s.samplesPerTrace, 4);
  EXPECT_EQ(s.sourceLine, 3001.25f);
  EXPECT_EQ(s.sourcePoint, 1041.5f);
  EXPECT_EQ(s.sourceX, 512345.75);
  EXPECT_EQ(s.sourceY, 6234567.25);
  EXPECT_EQ(s.sourceZ, 123.5f);
  EXPECT_EQ(s.traceCount, 4);
  EXPECT_EQ(s.auxTraceCount, 1);
  EXPECT_EQ(s.seismicTraceCount, 3);
  EXPECT_EQ(s.firstReceiverLine, 1001);
  EXPECT_EQ(s.firstReceiverPoint, 2001);
  EXPECT_EQ(s.timeBreakKind, "ITB");
  EXPECT_EQ(s.filter.trimmed(), "0.8 Lin");
  EXPECT_EQ(s.timeBreakTime, 7);
  EXPECT_EQ(s.upholeTime, 15);
  EXPECT_EQ(s.blastIdentifier, 3);
  EXPECT_EQ(s.extendedHeaderStatus.trimmed(), "");
  EXPECT_EQ(o.record.recordLengthMs, 3);
  EXPECT_EQ(o.result.headers.sercel.gh3.sourceLine.trimmed(), "3001.2500");
}

TEST(SercelRecordHeaders, BlockCountsFromGeneralHeaderBlock1AreBcd) {
  SercelHandmadeRecord r;
  r.gh1[30] = 0x32;  // 32 extended header blocks, as BCD digits
  Opened o;
  open(r.bytes(), o);
  EXPECT_EQ(o.result.firstTracePosition, SercelHandmadeRecord::kFirstTracePosition);

  // Only 16 external blocks (0x16 as BCD digits) and the rest of the 4096 bytes taken away.
  r.gh1[31] = 0x16;
  r.external.resize(16 * 32);
  open(r.bytes(), o);
  EXPECT_EQ(o.result.firstTracePosition, SercelHandmadeRecord::kFirstTracePosition - 3584);
  EXPECT_EQ(o.result.tracesRead, 4);
  EXPECT_EQ(o.record.traceInfo[4].receiverLine, 1002);
}

TEST(SercelRecordHeaders, NoExtendedHeaderAtAll) {
  SercelHandmadeRecord r;
  r.gh1[30] = 0x00;
  r.extended.clear();
  Opened o;
  open(r.bytes(), o);
  ASSERT_TRUE(o.result.ok());
  EXPECT_EQ(o.result.firstTracePosition, SercelHandmadeRecord::kFirstTracePosition - 1024);
  // An empty header reads as zeros: spread type, noise elimination, process type and filter
  // codes 0 are unknown; the filter check is the last. No trace is declared, so the four
  // traces of 20 + 7 x 32 + 4 x 4 bytes are bytes the record does not account for.
  ASSERT_EQ(o.messages.messages.size(), 2u);
  EXPECT_EQ(o.messages.messages[0], "Acquisition Filter Type Error, should be 1, 2 or 3");
  EXPECT_EQ(o.messages.messages[1],
            "The file is longer than its headers declare: the 1040 bytes after the last trace "
            "are not read.");
  EXPECT_EQ(o.record.summary.traceCount, 0);
  EXPECT_EQ(o.result.tracesRead, 0);
}

TEST(SercelRecordHeaders, ExtendedHeaderWarningIsShownAndReadingGoesOn) {
  SercelHandmadeRecord r;
  SercelHandmadeRecord::putU32(r.extended, 765, 0);
  Opened o;
  open(r.bytes(), o);
  ASSERT_TRUE(o.result.ok());
  ASSERT_EQ(o.messages.messages.size(), 1u);
  EXPECT_EQ(o.messages.messages[0], "Acquisition Filter Type Error, should be 1, 2 or 3");
  EXPECT_EQ(o.record.summary.filter.trimmed(), "Err");
  EXPECT_EQ(o.record.summary.extendedHeaderStatus.trimmed(),
            "Acquisition Filter Type Error, should be 1, 2 or 3");
  EXPECT_EQ(o.result.tracesRead, 4);
}

TEST(SercelRecordHeaders, OtherManufacturersKeepTheSixtyFourByteHeader) {
  Gh1Fields gh1;
  Gh2Fields gh2;
  gh1.extendedHeaderBlocks = "32";
  gh1.externalHeaderBlocks = "02";
  gh1.manufacturerCode = "20";
  EXPECT_EQ(headerLengths(gh1, gh2).extended, 64u);
  gh1.manufacturerCode = "31";
  EXPECT_EQ(headerLengths(gh1, gh2).extended, 64u);
  EXPECT_EQ(headerLengths(gh1, gh2).external, 64u);
  gh1.manufacturerCode = "13";
  EXPECT_EQ(headerLengths(gh1, gh2).extended, 1024u);
  EXPECT_EQ(headerLengths(gh1, gh2).external, 64u);
}

TEST(SercelRecordHeaders, FfCountsAreBinaryInBlock2) {
  Gh1Fields gh1;
  Gh2Fields gh2;
  gh1.extendedHeaderBlocks = "FF";
  gh1.externalHeaderBlocks = "FF";
  gh2.extendedHeaderBlocks = "0020";
  gh2.externalHeaderBlocks = "0080";
  EXPECT_EQ(sercelExtendedHeaderBytes(gh1, gh2), 32u * 32);
  EXPECT_EQ(sercelExternalHeaderBytes(gh1, gh2), 128u * 32);
  gh2.externalHeaderBlocks = "010A";
  EXPECT_EQ(sercelExternalHeaderBytes(gh1, gh2), 266u * 32);
}

ChannelSetFields channelSet(const char* channels, const char* extensions) {
  ChannelSetFields cs;
  cs.channelCount = channels;
  cs.traceHeaderExtensions = extensions;
  return cs;
}

TEST(SercelRecordHeaders, ExtensionBlocksFromTheUsedChannelSets) {
  const std::vector<ChannelSetFields> seven{channelSet("0002", "7"), channelSet("0084", "7"),
                                            channelSet("0000", "0")};
  EXPECT_EQ(sercelExtensionBlocks(seven), 7u);
  const std::vector<ChannelSetFields> ten{channelSet("0010", "A"), channelSet("0000", "3")};
  EXPECT_EQ(sercelExtensionBlocks(ten), 10u);
  const std::vector<ChannelSetFields> disagree{channelSet("0001", "9"), channelSet("0001", "8")};
  EXPECT_EQ(sercelExtensionBlocks(disagree), 7u);
  const std::vector<ChannelSetFields> fewer{channelSet("0001", "2")};
  EXPECT_EQ(sercelExtensionBlocks(fewer), 7u);
  EXPECT_EQ(sercelExtensionBlocks({}), 7u);
}

TEST(SercelRecordHeaders, LoaderCanBeChosen) {
  const std::vector<std::uint8_t> bytes = SercelHandmadeRecord().bytes();
  Opened o;
  OpenOptions vorax;
  vorax.loader = LoaderChoice::Vorax;
  open(bytes, o, vorax);
  EXPECT_EQ(o.result.flavour, RecordFlavour::Vorax);
  EXPECT_TRUE(o.result.ok());
  EXPECT_EQ(o.record.traceInfo[1].errorColour, 0u);  // the one-block reader has no colours
}

TEST(SercelRecordHeaders, RealSercelRecord) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_sercel.segd");
  SegdRecord record;
  CollectingMessages messages;
  const OpenResult r = openRecord(path, record, messages, {});
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(r.firstTracePosition, 5728 + 1);
  EXPECT_EQ(r.tracesRead, 86);
  EXPECT_EQ(record.summary.auxTraceCount, 2);
  EXPECT_EQ(record.summary.seismicTraceCount, 84);
  EXPECT_EQ(record.summary.samplesPerTrace, 2001);
  EXPECT_EQ(record.sampleIntervalMs, 1);
  // Auxiliary trace 2 is all NaN (0xFFFFFFFF): kept as recorded, its scale the nominal factor.
  EXPECT_TRUE(std::isnan(record.samples.at(2, 0)));
  EXPECT_TRUE(std::isnan(record.samples.at(2, 2000)));
  EXPECT_EQ(record.traceInfo[2].amplitudeScale, 0.0002697f);
  for (std::int32_t t = 1; t <= 86; ++t)
    EXPECT_TRUE(std::isfinite(record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale)) << t;
  // Aux trace 1 peaks at the maximum auxiliary amplitude of the extended header (0x46E350CF).
  EXPECT_EQ(record.traceInfo[1].amplitudeScale, std::bit_cast<float>(0x46E350CFu));
  // Every trace's own type is undefined; its channel set (1: two auxiliary, 2: 84 seismic)
  // gives the kind.
  int aux = 0;
  for (std::int32_t t = 1; t <= 86; ++t) {
    const auto& kind = record.traceInfo[static_cast<std::size_t>(t)].channelKind;
    EXPECT_TRUE(kind == (t <= 2 ? "Aux " : "Seis")) << t << " " << kind.view();
    aux += kind == "Aux ";
  }
  EXPECT_EQ(aux, 2);
}

TEST(SercelRecordHeaders, RealThreeStompRecord) {
  VORAX_REQUIRE_REAL_FILE(path, "SeisUnix_3stomp_test.segd");
  SegdRecord record;
  CollectingMessages messages;
  const OpenResult r = openRecord(path, record, messages, {});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.firstTracePosition, 2656 + 1);
  EXPECT_EQ(r.tracesRead, 6);
  EXPECT_EQ(record.samples.samplesPerTrace(), 4001);
  const TraceHeaderInfo& t1 = record.traceInfo[1];
  EXPECT_NEAR(t1.resistance, 406.96, 0.01);
  EXPECT_EQ(t1.resistanceLowLimit, 250);
  EXPECT_EQ(t1.resistanceHighLimit, 500);
  EXPECT_EQ(t1.resistanceError, 0);
  EXPECT_EQ(t1.errorColour, 0u);
  EXPECT_EQ(t1.channelKind, "Seis");
  EXPECT_EQ(t1.leakageLimit, 1000);
  EXPECT_TRUE(std::isnan(t1.capacitance));  // block 4 is all FF
}

}  // namespace
}  // namespace vorax::decode
