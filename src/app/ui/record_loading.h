// Opening a record without freezing the window: the header driver and trace loader run on a
// worker thread into a record of their own, which the window takes over when they finish.
// The program's record is never touched while the worker runs. Decoder messages are kept in
// order and handed over with the record, to be shown on the window's thread.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::app::ui {

struct LoadedRecord {
  std::filesystem::path path;
  decode::SegdRecord record;
  decode::OpenResult result;
  std::vector<std::string> messages;  // decoder and loader messages, in order
};

class RecordLoader : public QObject {
  Q_OBJECT

 public:
  explicit RecordLoader(QObject* parent = nullptr);
  // Stops a load still running (its result is dropped) and waits for the worker.
  ~RecordLoader() override;

  // Starts loading `path`; ignored while a load runs. With `earlyTraces` > 0 a record with
  // more traces than that is first handed over with only its first traces, as soon as those
  // are in (earlyTracesLoaded), and whole when it has loaded (loaded). `recordNumber` picks
  // a record of a file holding several (decode::OpenOptions::record).
  void start(const std::filesystem::path& path, const base::DebugLog& debugLog,
             std::int32_t earlyTraces = 0, std::int32_t recordNumber = 0);
  bool busy() const { return busy_; }

 signals:
  void progressed(int percent);
  void earlyTracesLoaded(std::shared_ptr<LoadedRecord> outcome);
  void loaded(std::shared_ptr<LoadedRecord> outcome);

 private:
  QFutureWatcher<std::shared_ptr<LoadedRecord>> watcher_;
  std::shared_ptr<std::atomic<bool>> stopping_;
  bool busy_ = false;
};

}  // namespace vorax::app::ui
