// vorax qc PATH... --out DIR [--jobs N] [--shard K/N] [--watch]: the QC verdicts of every
// record of a survey, written as records.jsonl, shots.jsonl, summary.json and report.html
// (with a thumbnail of each record's first page and the survey plots) in DIR.
// vorax qc-merge DIR... --out DIR: the shards of one survey put together into what one run
// over all of it writes.
#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/script_options.h"
#include "decode/conversions.h"
#include "qc/folder_watch.h"
#include "qc/qc_json.h"
#include "qc/record_finder.h"
#include "qc/survey_report.h"
#include "qc/survey_run.h"

namespace vorax::cli {

namespace {

namespace fs = std::filesystem;

struct QcArgs {
  std::vector<std::string> paths;
  std::string out;
  int jobs = 1;
  std::string shard;
  bool watch = false;
  double pollSeconds = 2;
};

struct MergeArgs {
  std::vector<std::string> folders;
  std::string out;
};

// Set by SIGINT and SIGTERM: the run finishes the records it holds, writes and ends.
std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
  stopRequested.store(true);
}

// SIGINT and SIGTERM ask the run to stop while this lives; the previous handlers come back.
class StopSignals {
 public:
  StopSignals() {
    stopRequested = false;
    previousInt_ = std::signal(SIGINT, requestStop);
    previousTerm_ = std::signal(SIGTERM, requestStop);
  }
  ~StopSignals() {
    std::signal(SIGINT, previousInt_);
    std::signal(SIGTERM, previousTerm_);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  void (*previousInt_)(int);
  void (*previousTerm_)(int);
};

qc::PictureWriter pictureWriter(const std::string& command) {
  return [command](const fs::path& path, int width, int height,
                   const std::function<void(app::Canvas&)>& draw) -> std::string {
    return writePictureFile(command, path.string(), {width, height}, draw) == 0
               ? ""
               : "cannot write " + path.string();
  };
}

std::string verdictLine(const qc::RecordQc& r) {
  if (!r.readable()) return r.file + ": unreadable: " + r.error;
  if (r.passed()) return r.file + ": passed";
  std::string found;
  for (const auto& [name, count] :
       {std::pair{"dead", r.deadTraces.size()}, std::pair{"reversed", r.reversedTraces.size()},
        std::pair{"noisy", r.noisyTraces.size()}, std::pair{"spike", r.spikeTraces.size()}})
    if (count > 0) found += " " + std::to_string(count) + " " + name;
  if (r.testValueErrors && r.testValueErrors->total() > 0)
    found += " " + std::to_string(r.testValueErrors->total()) + " test-value errors";
  std::string text = r.file + ": flagged" + (found.empty() ? "" : ":" + found);
  if (!r.error.empty()) text += "; " + r.error;
  return text;
}

bool makeOutputFolder(const std::string& command, const fs::path& out) {
  std::error_code error;
  fs::create_directories(out / qc::kThumbnailFolder, error);
  if (fs::is_directory(out / qc::kThumbnailFolder, error)) return true;
  std::fprintf(stderr, "vorax %s: cannot make the folder %s\n", command.c_str(),
               out.string().c_str());
  return false;
}

// The records checked so far, by name, and the files they go to.
class SurveyOutput {
 public:
  explicit SurveyOutput(fs::path out) : out_(std::move(out)) {}
  void add(const qc::RecordQc& record) { records_[record.file] = record; }
  bool holds(const std::string& file) const { return records_.contains(file); }
  int write() const {
    std::vector<qc::RecordQc> inOrder;
    for (const auto& [file, record] : records_) inOrder.push_back(record);
    const std::string error = qc::writeSurveyFiles(out_, inOrder, pictureWriter("qc"));
    if (error.empty()) return 0;
    std::fprintf(stderr, "vorax qc: %s\n", error.c_str());
    return 2;
  }
  std::size_t size() const { return records_.size(); }

 private:
  fs::path out_;
  std::map<std::string, qc::RecordQc> records_;
};

// Checks the files, draws each record's thumbnail as it is read, and writes the folder's files.
int checkFiles(const std::vector<std::string>& files, int jobs, const fs::path& out,
               SurveyOutput& survey) {
  qc::SurveyRunOptions options;
  options.jobs = jobs;
  options.stop = [] { return stopRequested.load(); };
  options.withRecord = [&out](decode::SegdRecord& record, const qc::RecordQc& verdicts) {
    writeRecordPictureFile("qc", (out / qc::thumbnailName(verdicts.file)).string(),
                           {qc::kThumbnailWidth, qc::kThumbnailHeight}, record, {}, {},
                           app::PngEffort::Quick);
  };
  options.finished = [](std::size_t, const qc::RecordQc& record) {
    if (!record.error.empty()) noteWarnings(1);  // not read whole: a warning for --strict
    std::printf("%s\n", verdictLine(record).c_str());
    std::fflush(stdout);
  };
  for (const std::optional<qc::RecordQc>& record : qc::runSurvey(files, options))
    if (record) survey.add(*record);
  return survey.write();
}

void sleepUnlessStopped(double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!stopRequested && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

int runQc(const QcArgs& args) {
  std::optional<qc::Shard> shard;
  if (!args.shard.empty()) shard = qc::parseShard(args.shard);
  if (!args.shard.empty() && !shard) {
    std::fprintf(stderr, "vorax qc: --shard needs K/N with 1 <= K <= N\n");
    return 2;
  }
  if (shard && args.watch) {
    std::fprintf(stderr,
                 "vorax qc: --watch takes every record that arrives; it cannot be a "
                 "shard\n");
    return 2;
  }
  const qc::FoundRecords found = qc::findRecords(args.paths);
  for (const std::string& problem : found.problems)
    std::fprintf(stderr, "vorax qc: %s is neither a file nor a folder\n", problem.c_str());
  if (!found.problems.empty()) return 2;
  const fs::path out = args.out;
  if (!makeOutputFolder("qc", out)) return 2;

  const StopSignals signals;
  ensureGuiApplication();
  const std::vector<std::string> files = shard ? qc::shardOf(found.files, *shard) : found.files;
  SurveyOutput survey(out);
  int status = checkFiles(files, args.jobs, out, survey);
  if (status != 0) return status;

  if (args.watch) {
    std::vector<std::string> folders;
    std::error_code error;
    for (const std::string& path : args.paths)
      if (fs::is_directory(path, error)) folders.push_back(path);
    qc::FolderWatch watch(folders, {found.files.begin(), found.files.end()});
    watch.look();
    while (!stopRequested) {
      sleepUnlessStopped(args.pollSeconds);
      const std::vector<std::string> arrived = watch.look();
      if (!arrived.empty() && !stopRequested) status = checkFiles(arrived, args.jobs, out, survey);
      if (status != 0) return status;
    }
    std::fprintf(stderr, "vorax qc: stopped; %zu records written to %s\n", survey.size(),
                 out.string().c_str());
    return 0;
  }
  if (stopRequested) {
    std::fprintf(stderr, "vorax qc: stopped after %zu of %zu records; the files hold those\n",
                 survey.size(), files.size());
    return 2;
  }
  return 0;
}

// The lines of a JSON Lines file, parsed; nothing with `error` set when it cannot be read.
std::optional<std::vector<qc::Json>> readJsonLines(const fs::path& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  std::vector<qc::Json> lines;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    if (line.empty()) continue;
    try {
      lines.push_back(qc::Json::parse(line));
    } catch (const qc::Json::exception& e) {
      error = path.string() + " line " + std::to_string(n) + ": " + e.what();
      return std::nullopt;
    }
  }
  return lines;
}

// The records of one shard's folder, each with its shot line; nothing with `error` set.
std::optional<std::vector<qc::RecordQc>> readShard(const fs::path& folder, std::string& error) {
  const auto records = readJsonLines(folder / qc::kRecordsFile, error);
  if (!records) return std::nullopt;
  const auto shots = readJsonLines(folder / qc::kShotsFile, error);
  if (!shots) return std::nullopt;
  if (shots->size() != records->size()) {
    error = folder.string() + ": " + qc::kRecordsFile + " and " + qc::kShotsFile +
            " do not hold the same records";
    return std::nullopt;
  }
  std::vector<qc::RecordQc> out;
  for (std::size_t i = 0; i < records->size(); ++i) {
    std::optional<qc::RecordQc> r = qc::recordFromJson((*records)[i], &(*shots)[i], error);
    if (!r || (*shots)[i].value("file", "") != r->file) {
      if (r) error = "the lines do not name the same files";
      error = folder.string() + ": record " + std::to_string(i + 1) + ": " + error;
      return std::nullopt;
    }
    out.push_back(std::move(*r));
  }
  return out;
}

int runMerge(const MergeArgs& args) {
  std::map<std::string, std::pair<qc::RecordQc, fs::path>> merged;
  for (const std::string& folder : args.folders) {
    std::string error;
    const auto shard = readShard(folder, error);
    if (!shard) {
      std::fprintf(stderr, "vorax qc-merge: %s\n", error.c_str());
      return 2;
    }
    for (const qc::RecordQc& r : *shard) {
      const auto [at, added] = merged.try_emplace(r.file, r, folder);
      if (!added) {
        std::fprintf(stderr, "vorax qc-merge: %s is in both %s and %s\n", r.file.c_str(),
                     at->second.second.string().c_str(), folder.c_str());
        return 2;
      }
    }
  }
  const fs::path out = args.out;
  if (!makeOutputFolder("qc-merge", out)) return 2;
  std::vector<qc::RecordQc> records;
  for (const auto& [file, entry] : merged) {
    const std::string thumbnail = qc::thumbnailName(file);
    std::error_code error;
    const fs::path from = entry.second / thumbnail;
    if (fs::exists(from, error) && !fs::equivalent(from, out / thumbnail, error))
      fs::copy_file(from, out / thumbnail, fs::copy_options::overwrite_existing, error);
    if (error) {
      std::fprintf(stderr, "vorax qc-merge: cannot copy %s: %s\n", from.string().c_str(),
                   error.message().c_str());
      return 2;
    }
    records.push_back(entry.first);
  }
  ensureGuiApplication();
  const std::string error = qc::writeSurveyFiles(out, records, pictureWriter("qc-merge"));
  if (!error.empty()) {
    std::fprintf(stderr, "vorax qc-merge: %s\n", error.c_str());
    return 2;
  }
  std::printf("%zu records from %zu folders written to %s\n", records.size(), args.folders.size(),
              out.string().c_str());
  return 0;
}

std::string limitsText() {
  using decode::shortestText;
  return "Verdicts, on recorded amplitudes of the seismic traces (M is the record's median "
         "trace RMS):\n"
         "  dead      every sample zero, or RMS below " +
         shortestText(qc::kDeadRmsFraction) +
         " x M (a trace of nothing but NaN too)\n"
         "  noisy     RMS above " +
         shortestText(qc::kNoisyRmsFactor) +
         " x M\n"
         "  reversed  best normalised cross-correlation (lags within +-" +
         std::to_string(qc::kCorrelationLags) + " samples) with the median of the " +
         std::to_string(qc::kPolarityNeighbours) + " nearest live, not-noisy traces below " +
         shortestText(qc::kReversedBelow) +
         ", where that median correlates with each of those traces above " +
         shortestText(qc::kCoherentAbove) +
         "\n"
         "  spike     one sample above " +
         shortestText(qc::kSpikeFactor) +
         " x the RMS of the trace's other samples, both its neighbours below half of it "
         "(or a sample that is not a number)\n"
         "  test-value errors: the receiver test flags of a Sercel record, per kind\n"
         "A record passes when it was read and has none of these.";
}

}  // namespace

void addQcCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<QcArgs>();
  CLI::App* command = app.add_subcommand(
      "qc",
      "Checks every record of a survey: records.jsonl (one line per record), shots.jsonl, "
      "summary.json and report.html with thumbnails and survey plots in the --out folder. "
      "Records are found in folders by content and checked in name order; one that cannot be "
      "read is a line with its message. SIGINT or SIGTERM stops the run with the files "
      "complete for the records checked.");
  command->footer(limitsText());
  command->add_option("PATH", args->paths, "record files, or folders of records")->required();
  command->add_option("--out", args->out, "folder the results are written to")->required();
  command
      ->add_option("--jobs", args->jobs,
                   "records checked at once, on as many threads; they share the --threads workers")
      ->check(CLI::Range(1, 256));
  command
      ->add_option("--shard", args->shard,
                   "K/N: every N-th record from the K-th (1-based) of the sorted list, for "
                   "splitting a survey across machines; merge with qc-merge")
      ->default_str("all records");
  command->add_flag("--watch", args->watch,
                    "after the records found, keep checking records that arrive in the folders "
                    "(once their size is stable or they were moved in whole) until SIGINT or "
                    "SIGTERM");
  command->add_option("--poll-seconds", args->pollSeconds, "with --watch, seconds between looks")
      ->check(CLI::Range(0.05, 3600.0));
  command->callback([args, &status] { status = runQc(*args); });

  auto merge = std::make_shared<MergeArgs>();
  CLI::App* mergeCommand = app.add_subcommand(
      "qc-merge",
      "Merges the --out folders of `vorax qc --shard` runs into exactly what one run over the "
      "whole survey writes (records in name order, thumbnails copied, summary, plots and "
      "report made again).");
  mergeCommand->add_option("DIR", merge->folders, "the shards' output folders")->required();
  mergeCommand->add_option("--out", merge->out, "folder the merged results are written to")
      ->required();
  mergeCommand->callback([merge, &status] { status = runMerge(*merge); });
}

}  // namespace vorax::cli
