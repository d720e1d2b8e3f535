// The splitter and the radio-similarity repair, byte by byte, on synthetic Sercel records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "decode/synth/synth_writer.h"
#include "test_support.h"
#include "tools/file_splitter.h"
#include "tools/radio_fix.h"
#include "tools/record_layout.h"
#include "tools/sercel_records.h"

namespace vorax::tools {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::headerBytesOf;
using test::joined;
using test::namesIn;
constexpr std::size_t kTraces = test::kSmallRecordTraces;
constexpr std::size_t kTraceBytes = test::kSmallTraceBytes;

Bytes recordBytes(int fileNumber) {
  return test::sercelRecord(fileNumber);
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
  const SplitResult result = splitFile(input, {}, {{}, &warnings, {}});

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

TEST(Splitting, AFileOfTheUsersIsReplacedOnlyWhenTheQuestionAllows) {
  test::TempDir dir;
  const Bytes users(10, 0xAB);
  test::writeFileBytes(dir / "1002.SEGD", users);
  test::writeFileBytes(dir / "in.dat", joined({recordBytes(1001), recordBytes(1002)}));
  std::vector<fs::path> asked;
  bool answer = false;
  const SplitCallbacks callbacks{{}, nullptr, [&](const fs::path& existing) {
                                   asked.push_back(existing);
                                   return answer;
                                 }};
  const SplitResult kept = splitFile(dir / "in.dat", {}, callbacks);
  EXPECT_EQ(kept.status, SplitStatus::OutputExists);
  EXPECT_NE(kept.message.find("1002.SEGD already exists and is kept"), std::string::npos)
      << kept.message;
  EXPECT_EQ(asked, std::vector<fs::path>{dir / "1002.SEGD"});
  EXPECT_EQ(test::readFileBytes(dir / "1002.SEGD"), users);
  EXPECT_EQ(test::readFileBytes(dir / "1001.SEGD"), recordBytes(1001)) << "written before";

  // 1001.SEGD is now a file of an earlier run: it is asked about too.
  answer = true;
  asked.clear();
  ASSERT_EQ(splitFile(dir / "in.dat", {}, callbacks).status, SplitStatus::Complete);
  EXPECT_EQ(asked, (std::vector<fs::path>{dir / "1001.SEGD", dir / "1002.SEGD"}));
  EXPECT_EQ(test::readFileBytes(dir / "1002.SEGD"), recordBytes(1002));
  EXPECT_EQ(splitFile(dir / "in.dat", {}).status, SplitStatus::OutputExists)
      << "without a question nothing is replaced";
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
  const SplitResult result = splitFile(dir / "in.dat", {}, {{}, &warnings, {}});

  EXPECT_EQ(result.status, c.insideHeaders ? SplitStatus::InputProblem : SplitStatus::Complete)
      << result.message;
  EXPECT_EQ(test::readFileBytes(dir / "1002.SEGD"), recordBytes(1002));
  EXPECT_FALSE(fs::exists(dir / "1003.SEGD")) << "a cut record is named so";
  if (!c.insideHeaders) {
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[2].tracesCopied, c.thirdTraces);
    EXPECT_TRUE(result.records[2].partial);
    EXPECT_FALSE(result.records[1].partial);
    EXPECT_EQ(test::readFileBytes(dir / "1003_partial.SEGD"), cut);
    ASSERT_EQ(warnings.messages.size(), 1u);
    EXPECT_NE(warnings.messages[0].find(std::to_string(c.thirdTraces) + " of 12 traces copied"),
              std::string::npos)
        << warnings.messages[0];
  } else {
    EXPECT_EQ(result.records.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "1003_partial.SEGD"));
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
  const SplitResult result = splitFile(dir / "in.dat", {}, {{}, &warnings, {}});
  ASSERT_EQ(result.status, SplitStatus::Complete) << result.message;
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.records[0].tracesCopied, 0u);
  EXPECT_TRUE(result.records[0].partial);
  EXPECT_EQ(test::readFileBytes(dir / "1001_partial.SEGD"), hostile);
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
                    {[&](const std::string& s) { status.push_back(s); }, {}, &warnings, {}});

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
        // More than the record holds: its 12 traces, counted so, nothing of what follows.
        RepairCase{"MoreThanHeld", 20, 1500, {0x05, 0xDC, 0x00, 0x12}, {0x00, 0x0C}, 12},
        RepairCase{"Limits", 12345, 70000, {0xFF, 0xFF, 0x00, 0x12}, {0x00, 0x0C}, 12}),
    [](const auto& info) { return info.param.name; });

TEST(Repair, CountsAboveTheFieldsAreWrittenAtTheirLimits) {
  EXPECT_EQ(bcdPair(12345), (std::array<std::uint8_t, 2>{0x99, 0x99}));
  EXPECT_EQ(binaryPair(70000), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
}

// Which files an output may replace. Every case deletes originals, so a wrong replacement
// would lose a file.
// Names separated by spaces, as the cases below list them.
std::vector<std::string> words(const char* text) {
  std::vector<std::string> list;
  std::istringstream in(text);
  for (std::string w; in >> w;) list.push_back(w);
  return list;
}

struct GuardCase {
  const char* name;
  const char* inputs;
  const char* existing;  // written before the run, each a different record
  const char* prefix;
  bool answer;  // of the question before replacing
  RadioFixStatus status;
  const char* asked;
  const char* replaced;            // existing files whose bytes changed
  const char* after;               // the folder's files after the run
  bool deleteSwitchedOff = false;  // by an empty prefix, and the user told so
};

class RepairOutputs : public ::testing::TestWithParam<GuardCase> {};

TEST_P(RepairOutputs, NeverReplaceAnInputNorAUsersFileUnasked) {
  const GuardCase& c = GetParam();
  test::TempDir dir;
  const std::vector<std::string> existing = words(c.existing);
  for (std::size_t k = 0; k < existing.size(); ++k)
    test::writeFileBytes(dir / existing[k], recordBytes(static_cast<int>(k + 1)));
  std::vector<fs::path> inputs;
  for (const std::string& name : words(c.inputs)) inputs.push_back(dir / name);
  RadioFixOptions options;
  options.prefix = c.prefix;
  options.deleteOriginal = true;
  std::vector<std::string> asked;
  decode::CollectingMessages messages;
  const RadioFixResult result =
      fixRadioFiles(inputs, options, {{}, {}, &messages, [&](const fs::path& file) {
                                        asked.push_back(file.filename().string());
                                        return c.answer;
                                      }});
  EXPECT_EQ(result.status, c.status) << result.message;
  EXPECT_EQ(asked, words(c.asked));
  EXPECT_EQ(namesIn(dir.path()), words(c.after));
  std::vector<std::string> replaced;
  for (std::size_t k = 0; k < existing.size(); ++k) {
    if (fs::exists(dir / existing[k]) &&
        test::readFileBytes(dir / existing[k]) != recordBytes(static_cast<int>(k + 1)))
      replaced.push_back(existing[k]);
  }
  EXPECT_EQ(replaced, words(c.replaced));
  for (const RadioFixFile& f : result.files)
    EXPECT_EQ(f.inputDeleted, !fs::exists(f.input)) << f.input;
  EXPECT_EQ(result.deleteSwitchedOff, c.deleteSwitchedOff);
  EXPECT_EQ(messages.messages, c.deleteSwitchedOff ? std::vector<std::string>{kNoPrefixMessage}
                                                   : std::vector<std::string>{});
}

using enum RadioFixStatus;
INSTANTIATE_TEST_SUITE_P(
    Names, RepairOutputs,
    ::testing::Values(
        // The repair of A would be RSA.sgd, the next input: refused even when replacing is
        // allowed, before anything is written or deleted.
        GuardCase{"OutputIsALaterInput", "A.sgd RSA.sgd", "A.sgd RSA.sgd", "RS", true,
                  OutputIsInput, "", "", "A.sgd RSA.sgd"},
        GuardCase{"OutputIsALaterInputNotThereYet", "A.sgd RSA.sgd", "A.sgd", "RS", true,
                  OutputIsInput, "", "", "A.sgd"},
        GuardCase{"UsersFileKept", "A.sgd", "A.sgd RSA.sgd", "RS", false, OutputExists, "RSA.sgd",
                  "", "A.sgd RSA.sgd"},
        GuardCase{"UsersFileReplacedWhenAllowed", "A.sgd", "A.sgd RSA.sgd", "RS", true, Complete,
                  "RSA.sgd", "RSA.sgd", "RSA.sgd"},
        // Without a prefix (blanks count as none) every repair is "radtmp": the run's own file,
        // replaced unasked; deleting the originals is switched off.
        GuardCase{"OwnOutputWrittenAgain", "A.sgd B.sgd", "A.sgd B.sgd", "  ", false, Complete, "",
                  "", "A.sgd B.sgd radtmp", true},
        GuardCase{"OutputIsTheInputItself", "radtmp", "radtmp", "", true, OutputIsInput, "", "",
                  "radtmp"},
        GuardCase{"OriginalDeletedAfterItsRepair", "A.sgd", "A.sgd B.sgd", "RS", false, Complete,
                  "", "", "B.sgd RSA.sgd"}),
    [](const auto& info) { return info.param.name; });

TEST(Repair, AnInputThisRunWroteIsNotRepairedAgain) {
  test::TempDir dir;
  test::writeFileBytes(dir / "A.sgd", recordBytes(1));
  // A second name for A's repair, made before the repair exists.
  fs::create_symlink(dir / "RSA.sgd", dir / "link.sgd");
  const RadioFixResult result = fixRadioFiles({dir / "A.sgd", dir / "link.sgd"}, {});
  EXPECT_EQ(result.status, RadioFixStatus::OutputIsInput);
  EXPECT_NE(result.message.find("was written by this run"), std::string::npos) << result.message;
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"A.sgd", "RSA.sgd", "link.sgd"}));
}

struct CutRepairCase {
  const char* name;
  std::size_t wholeTraces;  // the input keeps its headers, this many traces ...
  std::size_t extraBytes;   // ... and this many bytes of the next
  RadioFixStatus status;
  const char* output;  // nothing when empty
  std::uint64_t copied;
  bool originalKept;
};

class CutRepair : public ::testing::TestWithParam<CutRepairCase> {};

TEST_P(CutRepair, WritesWholeTracesCountedOrNothing) {
  const CutRepairCase& c = GetParam();
  test::TempDir dir;
  const Bytes whole = recordBytes(3);
  const Bytes in(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(
                                                    headerBytesOf(whole) +
                                                    c.wholeTraces * kTraceBytes + c.extraBytes));
  test::writeFileBytes(dir / "A.sgd", in);
  RadioFixOptions options;
  options.deleteOriginal = true;
  decode::CollectingMessages warnings;
  const RadioFixResult result = fixRadioFiles({dir / "A.sgd"}, options, {{}, {}, &warnings, {}});

  EXPECT_EQ(result.status, c.status) << result.message;
  std::vector<std::string> after;
  if (c.originalKept) after.push_back("A.sgd");
  if (*c.output != 0) after.push_back(c.output);
  EXPECT_EQ(namesIn(dir.path()), after);
  if (*c.output == 0) return;
  const auto count = static_cast<std::uint8_t>(c.copied);  // BCD and binary alike below 10
  EXPECT_EQ(test::readFileBytes(dir / c.output),
            repairedByHand(in, {0x17, 0x70, 0x00, count}, {0x00, count}, c.copied));
  ASSERT_EQ(result.files.size(), 1u);
  EXPECT_EQ(result.files[0].tracesCopied, c.copied);
  EXPECT_EQ(result.files[0].partial, c.originalKept);
  EXPECT_EQ(warnings.messages.size(), c.originalKept ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, CutRepair,
    ::testing::Values(CutRepairCase{"InsideFirstTrace", 0, 100, RadioFixStatus::InputProblem, "", 0,
                                    true},
                      CutRepairCase{"InsideThirdTrace", 2, 100, RadioFixStatus::Complete,
                                    "RSA_partial.sgd", 2, true},
                      // The file ends after the three traces wanted: a whole repair.
                      CutRepairCase{"AfterTheTracesWanted", 5, 10, RadioFixStatus::Complete,
                                    "RSA.sgd", 3, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vorax::tools
