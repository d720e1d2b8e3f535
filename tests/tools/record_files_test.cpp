// The splitter and the radio-similarity repair, byte by byte, on synthetic Sercel records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "test_support.h"
#include "tools/file_splitter.h"
#include "tools/radio_fix.h"

namespace vorax::tools {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A 428-style record: 2 auxiliary + 10 seismic traces of 101 samples. Its layout, counted by
// hand: 96 general header bytes, 2 channel sets (64), 1024-byte extended header, external
// header of 32 x the binary block count in general header block 2 bytes 8-9; each trace
// 20 + 7 x 32 + 4 x 101 = 648 bytes.
constexpr std::size_t kTraces = 12;
constexpr std::size_t kTraceBytes = 648;

decode::synth::SercelSynthOptions recordOptions(int fileNumber) {
  decode::synth::SercelSynthOptions o;
  o.seismicTraces = 10;
  o.samplesPerTrace = 101;
  o.fileNumber = fileNumber;
  o.seed = static_cast<std::uint32_t>(fileNumber);
  return o;
}

Bytes recordBytes(int fileNumber) {
  return decode::synth::sercelRecordBytes(recordOptions(fileNumber));
}

std::size_t headerBytesOf(const Bytes& record) {
  const std::size_t externalBlocks = record[32 + 7] * 256u + record[32 + 8];
  return 96 + 64 + 1024 + 32 * externalBlocks;
}

Bytes joined(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RecordLayoutByHand, SyntheticRecordHasTheSizesCountedByHand) {
  const Bytes r = recordBytes(1);
  EXPECT_EQ(r.size(), headerBytesOf(r) + kTraces * kTraceBytes);
}

struct SplitCase {
  const char* name;
  std::vector<int> fileNumbers;
  const char* inputName;
  std::vector<std::string> outputs;  // in record order
};

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, EachRecordBecomesAByteForByteCopyUnderItsName) {
  const SplitCase& c = GetParam();
  test::TempDir dir;
  std::vector<Bytes> records;
  for (int n : c.fileNumbers) records.push_back(recordBytes(n));
  const fs::path input = dir / c.inputName;
  test::writeFileBytes(input, joined(records));
  decode::CollectingMessages warnings;
  const SplitResult result = splitFile(input, {}, {{}, &warnings});

  ASSERT_EQ(result.status, SplitStatus::Complete) << result.message;
  ASSERT_EQ(result.records.size(), records.size());
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(result.records[k].output.filename(), c.outputs[k]);
    EXPECT_EQ(result.records[k].tracesCopied, kTraces);
    EXPECT_EQ(test::readFileBytes(dir / c.outputs[k]), records[k]) << c.outputs[k];
  }
  EXPECT_EQ(test::readFileBytes(input), joined(records)) << "the input is never changed";
  std::vector<std::string> expected = c.outputs;
  expected.push_back(c.inputName);
  std::sort(expected.begin(), expected.end());
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  EXPECT_EQ(namesIn(dir.path()), expected) << "no temporary file is left";
  const bool renamed = std::any_of(c.outputs.begin(), c.outputs.end(), [](const std::string& n) {
    return n.find('_') != std::string::npos;
  });
  EXPECT_EQ(warnings.messages.size(), renamed ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Splitting,
    ::testing::Values(
        SplitCase{
            "Three", {1001, 1002, 1003}, "shots.dat", {"1001.SEGD", "1002.SEGD", "1003.SEGD"}},
        SplitCase{"Single", {1001}, "one.dat", {"1001.SEGD"}},
        SplitCase{"RepeatedNumber", {1001, 1001}, "shots.dat", {"1001.SEGD", "1001_2.SEGD"}},
        SplitCase{
            "NamedAfterFirstRecord", {1001, 1002}, "1001.SEGD", {"1001_2.SEGD", "1002.SEGD"}}),
    [](const auto& info) { return info.param.name; });

TEST(Splitting, AFileFromAnEarlierRunIsReplaced) {
  test::TempDir dir;
  test::writeFileBytes(dir / "1001.SEGD", Bytes(10, 0xAB));
  test::writeFileBytes(dir / "in.dat", recordBytes(1001));
  ASSERT_EQ(splitFile(dir / "in.dat", {}).status, SplitStatus::Complete);
  EXPECT_EQ(test::readFileBytes(dir / "1001.SEGD"), recordBytes(1001));
}

struct CutCase {
  const char* name;
  bool insideHeaders;         // the input ends at byte 500 of the third record
  std::uint64_t thirdTraces;  // else: after its headers, this many whole traces ...
  std::size_t extraBytes;     // ... and this many bytes of the next
};

class CutInput : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutInput, StopsAtTheEndWritingWhatExists) {
  const CutCase& c = GetParam();
  test::TempDir dir;
  const Bytes third = recordBytes(1003);
  const std::size_t kept =
      c.insideHeaders ? 500 : headerBytesOf(third) + c.thirdTraces * kTraceBytes + c.extraBytes;
  const Bytes cut(third.begin(), third.begin() + static_cast<std::ptrdiff_t>(kept));
  test::writeFileBytes(dir / "in.dat", joined({recordBytes(1001), recordBytes(1002), cut}));
  decode::CollectingMessages warnings;
  const SplitResult result = splitFile(dir / "in.dat", {}, {{}, &warnings});

  EXPECT_EQ(result.status, c.insideHeaders ? SplitStatus::InputProblem : SplitStatus::Complete)
      << result.message;
  EXPECT_EQ(test::readFileBytes(dir / "1002.SEGD"), recordBytes(1002));
  if (!c.insideHeaders) {
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[2].tracesCopied, c.thirdTraces);
    EXPECT_EQ(test::readFileBytes(dir / "1003.SEGD"), cut);
    ASSERT_EQ(warnings.messages.size(), 1u);
    EXPECT_NE(warnings.messages[0].find(std::to_string(c.thirdTraces) + " of 12 traces copied"),
              std::string::npos)
        << warnings.messages[0];
  } else {
    EXPECT_EQ(result.records.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "1003.SEGD"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cuts, CutInput,
                         ::testing::Values(CutCase{"InsideFifthTrace", false, 4, 100},
                                           CutCase{"AfterSeventhTrace", false, 7, 0},
                                           CutCase{"InsideHeaders", true, 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(Splitting, HostileCountsCopyWhatTheFileHolds) {
  test::TempDir dir;
  Bytes hostile = recordBytes(1001);
  const std::size_t extended = 96 + 64;  // trace count at bytes 9-12, samples at 33-36
  for (std::size_t b : {8, 9, 10, 11, 32, 33, 34, 35}) hostile[extended + b] = 0xFF;
  test::writeFileBytes(dir / "in.dat", hostile);
  decode::CollectingMessages warnings;
  const SplitResult result = splitFile(dir / "in.dat", {}, {{}, &warnings});
  ASSERT_EQ(result.status, SplitStatus::Complete) << result.message;
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.records[0].tracesCopied, 0u);
  EXPECT_EQ(test::readFileBytes(dir / "1001.SEGD"), hostile);
  EXPECT_EQ(warnings.messages.size(), 1u);
}

TEST(RecordTools, RecordsThatCannotBeSizedAreRefusedNamingTheirModel) {
  test::TempDir dir;
  Bytes sn388 = recordBytes(1);
  sn388[4] = sn388[5] = sn388[6] = sn388[7] = sn388[8] = sn388[9] =
      0;  // general constants: model 0
  test::writeFileBytes(dir / "sn388.dat", sn388);
  test::writeFileBytes(dir / "vorax.dat", decode::synth::voraxRecordBytes({}));
  for (const auto& [file, named] :
       {std::pair{"sn388.dat", "SN388"}, std::pair{"vorax.dat", "Japex"}}) {
    const SplitResult split = splitFile(dir / file, {});
    EXPECT_EQ(split.status, SplitStatus::InputProblem);
    EXPECT_NE(split.message.find(named), std::string::npos) << split.message;
    const RadioFixResult fixed = fixRadioFiles({dir / file}, {});
    EXPECT_EQ(fixed.status, RadioFixStatus::InputProblem);
    EXPECT_NE(fixed.message.find(named), std::string::npos) << fixed.message;
  }
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"sn388.dat", "vorax.dat"}));
}

// The repaired record worked out from the input: channel set 1 bytes 2-9 and channel set 2
// bytes 2-5, 8-9 (0-based, from byte 96 and 128), extended header bytes 8-27 (from byte 160),
// then the first `traces` traces unchanged.
Bytes repairedByHand(const Bytes& in, std::array<std::uint8_t, 4> set1,
                     std::array<std::uint8_t, 2> tracePair, std::size_t traces) {
  Bytes out(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(headerBytesOf(in)));
  const std::uint8_t set1Bytes[8] = {0,           0,           set1[0], set1[1],
                                     out[96 + 6], out[96 + 7], set1[2], set1[3]};
  std::copy(std::begin(set1Bytes), std::end(set1Bytes), out.begin() + 96 + 2);
  for (std::size_t b : {2, 3, 4, 5, 8, 9}) out[128 + b] = 0;
  const std::uint8_t counts[20] = {0, 0, tracePair[0], tracePair[1],
                                   0, 0, tracePair[0], tracePair[1]};
  std::copy(std::begin(counts), std::end(counts), out.begin() + 160 + 8);
  const auto first = in.begin() + static_cast<std::ptrdiff_t>(headerBytesOf(in));
  out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(traces * kTraceBytes));
  return out;
}

struct RepairCase {
  const char* name;
  std::int32_t traces;
  std::int32_t halfEndTime;
  std::array<std::uint8_t, 4> set1;       // end time pair, channel count BCD pair
  std::array<std::uint8_t, 2> tracePair;  // extended header bytes 10-11 and 14-15
  std::size_t copied;
};

class Repair : public ::testing::TestWithParam<RepairCase> {};

TEST_P(Repair, WritesTheHeadersChangedAndTheFirstTraces) {
  const RepairCase& c = GetParam();
  test::TempDir dir;
  const Bytes in = recordBytes(7);
  test::writeFileBytes(dir / "A.sgd", in);
  RadioFixOptions options;
  options.tracesRequired = c.traces;
  options.halfEndTime = c.halfEndTime;
  std::vector<std::string> status;
  decode::CollectingMessages warnings;
  const RadioFixResult result =
      fixRadioFiles({dir / "A.sgd"}, options,
                    {[&](const std::string& s) { status.push_back(s); }, {}, &warnings});

  ASSERT_EQ(result.status, RadioFixStatus::Complete) << result.message;
  EXPECT_EQ(test::readFileBytes(dir / "RSA.sgd"),
            repairedByHand(in, c.set1, c.tracePair, c.copied));
  EXPECT_EQ(test::readFileBytes(dir / "A.sgd"), in);
  EXPECT_EQ(status, (std::vector<std::string>{"Read A.sgd", "Write A.sgd", "Done"}));
  EXPECT_EQ(warnings.messages.size(), c.copied < static_cast<std::size_t>(c.traces) ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Repair,
    ::testing::Values(
        RepairCase{"Defaults", 3, 6000, {0x17, 0x70, 0x00, 0x03}, {0x00, 0x03}, 3},
        RepairCase{"TwelveTraces", 12, 6000, {0x17, 0x70, 0x00, 0x12}, {0x00, 0x0C}, 12},
        // More than the record holds: its 12 traces, nothing of what follows.
        RepairCase{"MoreThanHeld", 20, 1500, {0x05, 0xDC, 0x00, 0x20}, {0x00, 0x14}, 12},
        RepairCase{"Limits", 12345, 70000, {0xFF, 0xFF, 0x99, 0x99}, {0x30, 0x39}, 12}),
    [](const auto& info) { return info.param.name; });

TEST(Repair, DeletesTheOriginalOnlyWithAPrefix) {
  test::TempDir dir;
  for (const char* name : {"A.sgd", "B.sgd"}) test::writeFileBytes(dir / name, recordBytes(1));
  RadioFixOptions options;
  options.deleteOriginal = true;
  const RadioFixResult prefixed = fixRadioFiles({dir / "A.sgd"}, options);
  ASSERT_EQ(prefixed.status, RadioFixStatus::Complete);
  EXPECT_TRUE(prefixed.files[0].inputDeleted);
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"B.sgd", "RSA.sgd"}));

  options.prefix = "  ";
  decode::CollectingMessages messages;
  const RadioFixResult unprefixed = fixRadioFiles({dir / "B.sgd"}, options, {{}, {}, &messages});
  EXPECT_TRUE(unprefixed.deleteSwitchedOff);
  EXPECT_EQ(messages.messages, std::vector<std::string>{kNoPrefixMessage});
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"B.sgd", "RSA.sgd", "radtmp"}));
}

TEST(Repair, NeverReplacesItsInput) {
  test::TempDir dir;
  test::writeFileBytes(dir / "radtmp", recordBytes(1));
  RadioFixOptions options;
  options.prefix = "";
  options.deleteOriginal = true;
  const RadioFixResult result = fixRadioFiles({dir / "radtmp"}, options);
  EXPECT_EQ(result.status, RadioFixStatus::InputProblem);
  EXPECT_EQ(test::readFileBytes(dir / "radtmp"), recordBytes(1));
}

}  // namespace
}  // namespace vorax::tools
