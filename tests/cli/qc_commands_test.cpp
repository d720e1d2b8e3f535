// vorax qc and qc-merge on folders of records with planted faults.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "decode/synth/synth_writer.h"
#include "qc/qc_records.h"
#include "test_support.h"

namespace vorax::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using test::runCli;
using test::TempDir;

std::string text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<Json> lines(const fs::path& file) {
  std::vector<Json> out;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) out.push_back(Json::parse(line));
  return out;
}

// A survey folder: records 1 to `count` with planted faults (file numbers 1..count, named
// "shot_NNN.segd"), one truncated to its headers, and a text file that is no record.
void makeSurvey(const fs::path& folder, int count) {
  fs::create_directories(folder);
  for (int n = 1; n <= count; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "shot_%03d.segd", n);
    test::writeFileBytes(folder / name, qc::plantedFaultRecord(n).bytes);
  }
  std::vector<std::uint8_t> bytes = qc::plantedFaultRecord(99).bytes;
  bytes.resize(96);  // general header blocks 1-3 only
  test::writeFileBytes(folder / "shot_cut.segd", bytes);
  std::ofstream(folder / "notes.txt") << "line 1001 shot 1-3, wind 12 kn\n";
}

TEST(QcCommand, WritesTheVerdictsOfEveryRecordFoundByContent) {
  TempDir dir;
  makeSurvey(dir / "night", 2);
  const auto run =
      runCli({"qc", (dir / "night").string(), "--out", (dir / "qc").string(), "--jobs", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<Json> records = lines(dir / "qc" / "records.jsonl");
  ASSERT_EQ(records.size(), 3u);  // notes.txt is no record
  const std::vector<std::string> keys{
      "file",         "file_number",  "trace_count",       "dead_traces", "reversed_traces",
      "noisy_traces", "spike_traces", "test_value_errors", "rms_median",  "passed"};
  for (int n = 0; n < 2; ++n) {
    const Json& r = records[static_cast<std::size_t>(n)];
    std::vector<std::string> names;
    for (const auto& item : r.items()) names.push_back(item.key());
    EXPECT_EQ(names, keys);
    EXPECT_EQ(r["file"],
              ((dir / "night") / ("shot_00" + std::to_string(n + 1) + ".segd")).string());
    EXPECT_EQ(r["file_number"], n + 1);
    EXPECT_EQ(r["trace_count"], 98);
    EXPECT_EQ(r["dead_traces"], Json({32, 50}));
    EXPECT_EQ(r["reversed_traces"], Json({20, 64}));
    EXPECT_EQ(r["noisy_traces"], Json({10}));
    EXPECT_EQ(r["spike_traces"], Json({80}));
    EXPECT_EQ(r["test_value_errors"], Json::object());
    EXPECT_FALSE(r["passed"].get<bool>());
    EXPECT_TRUE(fs::exists(dir / "qc" / "thumbnails") && !fs::is_empty(dir / "qc" / "thumbnails"));
  }
  // The record cut short is a line with its message, and the run went on.
  const Json& cut = records[2];
  EXPECT_EQ(cut["file"], (dir / "night" / "shot_cut.segd").string());
  EXPECT_FALSE(cut["passed"].get<bool>());
  EXPECT_TRUE(cut["rms_median"].is_null());
  EXPECT_FALSE(cut["error"].get<std::string>().empty());

  const Json summary = Json::parse(text(dir / "qc" / "summary.json"));
  EXPECT_EQ(summary, Json::parse(R"({"records": 3, "records_flagged": 3, "traces": 196,
      "dead_traces": 4, "reversed_traces": 4, "noisy_traces": 2, "spike_traces": 2})"));
  const std::string report = text(dir / "qc" / "report.html");
  EXPECT_NE(report.find("shot_cut.segd"), std::string::npos);
  EXPECT_NE(report.find("thumbnails/shot_001.segd-"), std::string::npos);
  EXPECT_EQ(report.find("http"), std::string::npos);  // nothing from the network

  // Under --strict the record not read whole fails the run (4); whole records alone do not.
  const std::string night = (dir / "night").string();
  EXPECT_EQ(runCli({"qc", night, "--out", (dir / "strict").string(), "--strict", "--threads", "1"})
                .exitCode,
            4);
  EXPECT_EQ(runCli({"qc", night + "/shot_001.segd", "--out", (dir / "whole").string(), "--strict"})
                .exitCode,
            0);
}

TEST(QcCommand, ShardsMergedEqualOneRun) {
  TempDir dir;
  makeSurvey(dir / "night", 4);
  const std::string night = (dir / "night").string();
  ASSERT_EQ(runCli({"qc", night, "--out", (dir / "all").string()}).exitCode, 0);
  for (const char* k : {"1", "2", "3"})
    ASSERT_EQ(runCli({"qc", night, "--out", (dir / k).string(), "--shard", std::string(k) + "/3",
                      "--jobs", "2"})
                  .exitCode,
              0);
  EXPECT_EQ(lines(dir / "2" / "records.jsonl").size(), 2u);  // records 2 and 5 of the 5 found
  const auto merged = runCli({"qc-merge", (dir / "3").string(), (dir / "1").string(),
                              (dir / "2").string(), "--out", (dir / "merged").string()});
  ASSERT_EQ(merged.exitCode, 0) << merged.err;
  std::vector<std::string> written;
  for (const auto& e : fs::recursive_directory_iterator(dir / "all"))
    written.push_back(fs::relative(e.path(), dir / "all").string());
  EXPECT_EQ(written.size(), 11u);  // 6 files, thumbnails/ and 4 (none of the cut record)
  for (const std::string& name : written) {
    if (fs::is_directory(dir / "all" / name)) continue;
    EXPECT_EQ(text(dir / "merged" / name), text(dir / "all" / name)) << name;
  }
  // A record in two shards is refused.
  EXPECT_EQ(runCli({"qc-merge", (dir / "1").string(), (dir / "all").string(), "--out",
                    (dir / "twice").string()})
                .exitCode,
            2);
}

TEST(QcCommand, WatchTakesANewRecordAndStopsOnSigint) {
  TempDir dir;
  makeSurvey(dir / "night", 1);
  const fs::path out = dir / "qc";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execl(VORAX_CLI_PATH, VORAX_CLI_PATH, "qc", (dir / "night").c_str(), "--out", out.c_str(),
          "--watch", "--poll-seconds", "0.1", static_cast<char*>(nullptr));
    _exit(127);
  }
  auto waitForLines = [&](std::size_t count) {
    for (int i = 0; i < 600; ++i) {
      if (fs::exists(out / "report.html") && lines(out / "records.jsonl").size() >= count)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  };
  EXPECT_TRUE(waitForLines(2));
  // Written beside the folder, then renamed into place whole.
  test::writeFileBytes(dir / "incoming.segd", qc::plantedFaultRecord(5).bytes);
  fs::rename(dir / "incoming.segd", dir / "night" / "shot_005.segd");
  EXPECT_TRUE(waitForLines(3));
  kill(child, SIGINT);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::vector<Json> records = lines(out / "records.jsonl");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1]["file_number"], 5);  // name order: shot_001, shot_005, shot_cut
  EXPECT_EQ(Json::parse(text(out / "summary.json"))["records"], 3);
}

TEST(QcCommand, RefusesBadArguments) {
  TempDir dir;
  makeSurvey(dir / "night", 1);
  const std::string night = (dir / "night").string(), out = (dir / "qc").string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"qc", night, "--out", out, "--shard", "3/2"},
        {"qc", night, "--out", out, "--shard", "0/2"},
        {"qc", night, "--out", out, "--shard", "1/2", "--watch"},
        {"qc", (dir / "absent").string(), "--out", out},
        {"qc-merge", (dir / "absent").string(), "--out", out}})
    EXPECT_EQ(runCli(args).exitCode, 2) << args[4];
  const auto help = runCli({"qc", "--help"});
  EXPECT_NE(help.out.find("below 0.000001 x M"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("above 8 x the RMS"), std::string::npos);
}

}  // namespace
}  // namespace vorax::cli
