// Finding a survey's records, sharding, the JSON lines read back, the receiver counts and the
// folder watch.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <mutex>

#include "app/recording_canvas.h"
#include "base/worker_count.h"
#include "qc/folder_watch.h"
#include "qc/qc_json.h"
#include "qc/qc_records.h"
#include "qc/record_finder.h"
#include "qc/survey_plots.h"
#include "qc/survey_report.h"
#include "qc/survey_run.h"
#include "qc/survey_summary.h"
#include "test_support.h"

namespace vorax::qc {
namespace {

namespace fs = std::filesystem;

TEST(RecordFinder, RecognisesRecordsByTheirFirstBytes) {
  const struct {
    const char* name;
    bool record;
  } kRealFiles[] = {{"SeisUnix_sercel.segd", true},
                    {"PH5_453005513.2.2021.05.08.20.06.00.000.E.segd", true},
                    {"obspy_one_channel_many_traces.fcnt", true},
                    {"obspy_20180307_031245000.0.seg2", true},
                    {"PH5_15001.dat", true},
                    {"PH5_453005513.2.2021.05.08.20.06.00.000.E.segd.header", false},
                    {"obspy_20180307_031245000.0.DAT.gz", false}};
  for (const auto& f : kRealFiles) {
    const fs::path path = test::realDataFile(f.name);
    if (path.empty()) GTEST_SKIP() << "real data files absent";
    EXPECT_EQ(looksLikeRecord(path), f.record) << f.name;
  }
}

TEST(RecordFinder, FindsFolderRecordsSortedAndTakesNamedFilesWhatever) {
  test::TempDir dir;
  fs::create_directories(dir / "night" / "sub");
  test::writeFileBytes(dir / "night" / "b.segd", plantedFaultRecord(2).bytes);
  test::writeFileBytes(dir / "night" / "A.segd", plantedFaultRecord(1).bytes);
  test::writeFileBytes(dir / "night" / "sub" / "c.segd", plantedFaultRecord(3).bytes);
  std::ofstream(dir / "night" / "report.html") << "<!DOCTYPE html>";
  std::ofstream(dir / "note.txt") << "not a record";
  const std::string night = (dir / "night").string();
  const std::vector<std::string> paths{night, (dir / "note.txt").string(), night,
                                       (dir / "absent").string()};
  const FoundRecords found = findRecords(paths);
  EXPECT_EQ(found.files, (std::vector<std::string>{(dir / "night" / "A.segd").string(),
                                                   (dir / "night" / "b.segd").string(),
                                                   (dir / "note.txt").string()}));
  EXPECT_EQ(found.problems, std::vector<std::string>{(dir / "absent").string()});
}

TEST(RecordFinder, Shards) {
  const struct {
    const char* text;
    bool valid;
  } kTexts[] = {{"1/1", true}, {"2/3", true},  {"3/3", true},   {"0/3", false}, {"4/3", false},
                {"1/", false}, {"a/2", false}, {"1/2x", false}, {"12", false}};
  for (const auto& t : kTexts) EXPECT_EQ(parseShard(t.text).has_value(), t.valid) << t.text;
  const std::vector<std::string> files{"a", "b", "c", "d", "e"};
  EXPECT_EQ(shardOf(files, *parseShard("2/3")), (std::vector<std::string>{"b", "e"}));
  EXPECT_EQ(shardOf(files, *parseShard("1/1")), files);
}

TEST(QcJson, RecordLinesReadBackAsWritten) {
  RecordQc r;
  r.file = "night/shot 1.segd";
  r.fileNumber = 1042;
  r.date = "2024-05-09";
  r.time = "10:42:17";
  r.sourceLine = 3001;
  r.sourcePoint = 1041.5f;
  r.traceCount = 98;
  r.deadTraces = {3};
  r.spikeTraces = {7, 9};
  r.testValueErrors = TestValueErrors{1, 2, 3, 4};
  r.rmsMedian = 0.5;
  r.flaggedReceivers = {{3, 1001, 2003}, {7, 0, 0}};
  std::string error;
  const Json line = recordJson(r);
  EXPECT_EQ(line.dump(),
            R"({"file":"night/shot 1.segd","file_number":1042,"trace_count":98,)"
            R"("dead_traces":[3],"reversed_traces":[],"noisy_traces":[],"spike_traces":[7,9],)"
            R"("test_value_errors":{"resistance":1,"capacitance":2,"tilt":3,"leakage":4},)"
            R"("rms_median":0.5,"passed":false})");
  const Json shot = shotJson(r);
  EXPECT_EQ(recordFromJson(line, &shot, error), r) << error;

  const RecordQc bad = unreadableRecord("x.segd", "Cannot open x.segd: No such file");
  const Json badLine = recordJson(bad);
  EXPECT_TRUE(badLine["rms_median"].is_null());
  EXPECT_EQ(badLine["error"], "Cannot open x.segd: No such file");
  EXPECT_EQ(recordFromJson(badLine, nullptr, error), bad);

  Json missing = line;
  missing.erase("trace_count");
  EXPECT_FALSE(recordFromJson(missing, nullptr, error).has_value());
  EXPECT_NE(error.find("trace_count"), std::string::npos);
}

TEST(SurveyReport, ThumbnailLinksSurviveAnyFileName) {
  RecordQc r;
  r.file = "night/shot #3 & 50%.segd";
  r.traceCount = 1;
  const std::vector<RecordQc> records{r};
  const std::string page = reportHtml(records, [](const RecordQc&) { return true; });
  // thumbnailName keeps the file name; in the page's URLs "#", "&", "%" and spaces are escaped.
  const std::string name = thumbnailName(r.file);
  ASSERT_EQ(name.rfind("thumbnails/shot #3 & 50%.segd-", 0), 0u) << name;
  const std::string url = "thumbnails/shot%20%233%20%26%2050%25.segd-" + name.substr(30);
  EXPECT_NE(page.find("<img src=\"" + url + "\""), std::string::npos) << page;
  EXPECT_NE(page.find("shot #3 &amp; 50%.segd"), std::string::npos);
}

TEST(SurveySummary, CountsRecordsTracesAndReceivers) {
  RecordQc a, b, c;
  a.traceCount = 10;
  a.deadTraces = {1, 2};
  a.flaggedReceivers = {{1, 1001, 2001}, {2, 1001, 2002}};
  b.traceCount = 10;
  b.noisyTraces = {1};
  b.spikeTraces = {1};  // the same receiver twice in one record counts once
  b.flaggedReceivers = {{1, 1001, 2001}, {1, 1001, 2001}};
  c = unreadableRecord("c", "bad");
  const std::vector<RecordQc> records{a, b, c, RecordQc{}};
  const SurveySummary s = summarise(records);
  EXPECT_EQ(s.records, 4);
  EXPECT_EQ(s.recordsFlagged, 3);
  EXPECT_EQ(s.traces, 20);
  EXPECT_EQ(s.deadTraces, 2);
  EXPECT_EQ(s.noisyTraces, 1);
  EXPECT_EQ(s.spikeTraces, 1);
  const std::vector<ReceiverFlags> most = receiversFlaggedMostOften(records, 5);
  ASSERT_EQ(most.size(), 2u);
  EXPECT_EQ(most[0].receiver, "1001/2001");
  EXPECT_EQ(most[0].records, 2);
  EXPECT_EQ(most[1].receiver, "1001/2002");
  EXPECT_EQ(receiverName({7, 0, 0}), "trace 7");
}

TEST(SurveyPlots, FlagsPerRecordStacksTheVerdictsOnWholeCounts) {
  // One record with 2 dead and 1 noisy trace, one unreadable: the highest bar is 3 traces.
  RecordQc a;
  a.traceCount = 10;
  a.deadTraces = {1, 2};
  a.noisyTraces = {5};
  const std::vector<RecordQc> records{a, unreadableRecord("b", "bad")};
  app::RecordingCanvas canvas(1000, 360);
  drawFlagsPerRecord(canvas, records);
  // Each filled bar as x0, x1, bottom, top in hundredths of a record or trace.
  std::vector<std::array<long, 4>> bars;
  for (const app::DrawnItem& item : canvas.items()) {
    const auto [a, b] = std::pair{item.points.front(), item.points.back()};
    if (item.kind == app::DrawnItem::Kind::FillRect && a.x >= 0 && a.y != b.y &&
        std::abs(b.x - a.x - 0.7) < 1e-9)
      bars.push_back({std::lround(a.x * 100), std::lround(b.x * 100), std::lround(a.y * 100),
                      std::lround(b.y * 100)});
  }
  EXPECT_EQ(bars, (std::vector<std::array<long, 4>>{
                      {15, 85, 0, 200}, {15, 85, 200, 300}, {115, 185, 0, 300}}));
  for (const char* label : {"0", "1", "2", "3"})
    EXPECT_NE(canvas.findText(label), nullptr) << label;
  EXPECT_EQ(canvas.findText("0.5"), nullptr);

  // A survey whose worst record has one flagged trace still labels the top of its scale.
  a.deadTraces = {1};
  a.noisyTraces = {};
  app::RecordingCanvas one(1000, 360);
  drawFlagsPerRecord(one, std::vector<RecordQc>{a});
  EXPECT_NE(one.findText("1"), nullptr);
}

TEST(SurveyPlots, ReceiversFlaggedDrawsTheNamesThatFitTheHeight) {
  std::vector<ReceiverFlags> receivers;
  for (int n = 1; n <= 20; ++n) receivers.push_back({"1001/" + std::to_string(2000 + n), 21 - n});
  // 9-pixel text, 58.5 pixels of margins, 10.8 pixels a row: 360 pixels hold 27 rows and
  // 120 pixels 5.
  for (const auto& [height, shown] : {std::pair{360, 20}, std::pair{120, 5}}) {
    app::RecordingCanvas canvas(1000, height);
    drawReceiversFlagged(canvas, receivers);
    int names = 0;
    for (const app::DrawnItem* t : canvas.texts()) names += t->text.starts_with("1001/");
    EXPECT_EQ(names, shown) << height;
    EXPECT_NE(canvas.findText("1001/2001"), nullptr);
  }
}

// Records checked at once share the worker count: two jobs of four workers load on two each,
// and the count in force is the process's again afterwards.
TEST(SurveyRun, JobsShareTheWorkerCount) {
  test::TempDir dir;
  std::vector<std::string> files;
  for (int n = 1; n <= 4; ++n) {
    files.push_back((dir / ("r" + std::to_string(n) + ".segd")).string());
    ASSERT_EQ(decode::synth::writeSyntheticRecord(files.back(), coherentSpread(8)), "");
  }
  base::setWorkerCount(4);
  for (const auto& [jobs, share] : {std::pair{1, 4u}, {2, 2u}, {8, 1u}}) {
    std::mutex seen;
    std::vector<unsigned> counts;
    SurveyRunOptions options;
    options.jobs = jobs;
    options.withRecord = [&](decode::SegdRecord&, const RecordQc&) {
      const std::lock_guard<std::mutex> lock(seen);
      counts.push_back(base::workerCount());
    };
    const auto results = runSurvey(files, options);
    EXPECT_EQ(std::count(results.begin(), results.end(), std::nullopt), 0);
    EXPECT_EQ(counts, std::vector<unsigned>(4, share)) << jobs << " jobs";
  }
  EXPECT_EQ(base::workerCount(), 4u);
  base::setWorkerCount(0);
}

// A job loads each record into the memory of the record before: a record cut short (its last
// traces missing, one trace cut in its middle) or of shorter traces, after a whole record,
// must load and judge exactly as when loaded alone.
TEST(SurveyRun, RecordsLoadIntoAnEarlierRecordsMemoryAsAlone) {
  test::TempDir dir;
  decode::synth::SynthOptions whole = coherentSpread(800);  // some 3 MB of samples
  const std::string first = (dir / "whole.segd").string();
  ASSERT_EQ(decode::synth::writeSyntheticRecord(first, whole), "");
  const std::string cut = (dir / "cut.segd").string();
  fs::copy_file(first, cut);
  fs::resize_file(cut, fs::file_size(first) * 9 / 10 + 1234);
  decode::synth::SynthOptions shorter = whole;
  shorter.samplesPerTrace = 701;
  shorter.seed = 2;
  const std::string third = (dir / "shorter.segd").string();
  ASSERT_EQ(decode::synth::writeSyntheticRecord(third, shorter), "");

  auto samplesOf = [](const std::string& file, decode::TraceSamples* memory) {
    std::vector<float> values;
    const std::optional<RecordQc> qc = checkRecordFile(
        file, {},
        [&](decode::SegdRecord& record, const RecordQc&) {
          const decode::TraceSamples& s = record.samples;
          values.assign(s.trace(0).data(),
                        s.trace(0).data() + (s.traceCount() + 1) * s.valuesPerTrace());
        },
        memory);
    return std::pair{qc, values};
  };
  for (const std::string& later : {cut, third}) {
    decode::TraceSamples memory;
    ASSERT_NE(samplesOf(first, &memory).second, std::vector<float>{});
    const auto reused = samplesOf(later, &memory);
    const auto alone = samplesOf(later, nullptr);
    ASSERT_TRUE(alone.first.has_value());
    EXPECT_EQ(reused.first, alone.first) << later;
    EXPECT_TRUE(reused.second == alone.second) << later;
  }
}

TEST(FolderWatch, TakesAFileOnceItIsCompleteOrMovedInWhole) {
  test::TempDir dir;
  const std::vector<std::uint8_t> record = plantedFaultRecord(1).bytes;
  test::writeFileBytes(dir / "old.segd", record);
  FolderWatch watch({dir.path().string()}, {(dir / "old.segd").string()});
  EXPECT_TRUE(watch.look().empty());

  // Being written: new, then growing, then the same at two looks.
  std::vector<std::uint8_t> half(record.begin(), record.begin() + 4000);
  test::writeFileBytes(dir / "new.segd", half);
  test::writeFileBytes(dir / "new.segd.tmp", record);
  EXPECT_TRUE(watch.look().empty());
  test::writeFileBytes(dir / "new.segd", record);
  EXPECT_TRUE(watch.look().empty());
  EXPECT_EQ(watch.look(), std::vector<std::string>{(dir / "new.segd").string()});
  EXPECT_TRUE(watch.look().empty());  // once

  // Moved in whole: last written before the previous look.
  test::TempDir elsewhere;
  test::writeFileBytes(elsewhere / "moved.segd", record);
  fs::last_write_time(elsewhere / "moved.segd",
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  fs::rename(elsewhere / "moved.segd", dir / "moved.segd");
  EXPECT_EQ(watch.look(), std::vector<std::string>{(dir / "moved.segd").string()});
}

}  // namespace
}  // namespace vorax::qc
