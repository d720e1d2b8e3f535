#include "qc/survey_run.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "base/debug_log.h"
#include "base/messages.h"
#include "base/worker_count.h"
#include "decode/record_opener.h"

namespace vorax::qc {

namespace {

std::string joined(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& m : messages) text += (text.empty() ? "" : "; ") + m;
  return text;
}

std::optional<RecordQc> openAndCheck(
    const std::string& file, const StopRequest& stop,
    const std::function<void(decode::SegdRecord&, const RecordQc&)>& withRecord,
    decode::SegdRecord& record) {
  decode::CollectingMessages messages;
  decode::OpenOptions options;
  bool stopped = false;
  if (stop) {
    options.progress = [&](int) {
      stopped = stopped || stop();
      return !stopped;
    };
  }
  const decode::OpenResult opened =
      decode::openRecord(file, record, messages, base::DebugLog(), options);
  if (stopped) return std::nullopt;
  switch (opened.status) {
    case decode::OpenStatus::FileError:
      return unreadableRecord(file, opened.error);
    case decode::OpenStatus::DecoderFatal:
      return unreadableRecord(file, joined(messages.messages));
    case decode::OpenStatus::Ok:
      break;
  }
  if (record.loadedTraceCount() == 0 || record.samples.samplesPerTrace() <= 0) {
    std::string why = "the file holds no traces";
    if (!messages.messages.empty()) why += ": " + joined(messages.messages);
    return unreadableRecord(file, why);
  }
  record.fileName = file;
  RecordQc qc = checkRecord(record);
  if (!qc.error.empty() && !messages.messages.empty()) qc.error += ": " + joined(messages.messages);
  if (withRecord) withRecord(record, qc);
  return qc;
}

}  // namespace

std::optional<RecordQc> checkRecordFile(
    const std::string& file, const StopRequest& stop,
    const std::function<void(decode::SegdRecord&, const RecordQc&)>& withRecord,
    decode::TraceSamples* samplesMemory) {
  decode::SegdRecord record;
  if (samplesMemory != nullptr) {
    record.samples = std::move(*samplesMemory);
    record.samples.clear();
  }
  std::optional<RecordQc> qc = openAndCheck(file, stop, withRecord, record);
  if (samplesMemory != nullptr) *samplesMemory = std::move(record.samples);
  return qc;
}

std::vector<std::optional<RecordQc>> runSurvey(std::span<const std::string> files,
                                               const SurveyRunOptions& options) {
  std::vector<std::optional<RecordQc>> results(files.size());
  std::atomic<std::size_t> next{0};
  std::mutex finishing;
  auto stopping = [&] { return options.stop && options.stop(); };
  const auto threads = static_cast<std::size_t>(std::max(1, options.jobs));
  // The jobs share the workers: each record loads and draws on its part of them.
  const unsigned share = std::max<unsigned>(1, base::workerCount() / threads);
  auto work = [&] {
    const base::ThreadWorkerShare workers(share);
    decode::TraceSamples samplesMemory;
    for (std::size_t i = next++; i < files.size() && !stopping(); i = next++) {
      std::optional<RecordQc> qc;
      try {
        qc = checkRecordFile(files[i], options.stop, options.withRecord, &samplesMemory);
      } catch (const std::exception& e) {  // memory for a record that claims to be vast
        qc = unreadableRecord(files[i], e.what());
      }
      if (!qc) break;
      const std::lock_guard<std::mutex> lock(finishing);
      results[i] = std::move(qc);
      if (options.finished) options.finished(i, *results[i]);
    }
  };
  std::vector<std::thread> pool;
  for (std::size_t n = 1; n < std::min(threads, files.size()); ++n) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return results;
}

}  // namespace vorax::qc
