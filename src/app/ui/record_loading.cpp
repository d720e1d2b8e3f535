#include "app/ui/record_loading.h"

#include <QMetaObject>
#include <QtConcurrent/QtConcurrentRun>

namespace vorax::app::ui {

RecordLoader::RecordLoader(QObject* parent)
    : QObject(parent), stopping_(std::make_shared<std::atomic<bool>>(false)) {
  connect(&watcher_, &QFutureWatcher<std::shared_ptr<LoadedRecord>>::finished, this, [this] {
    busy_ = false;
    if (!stopping_->load()) emit loaded(watcher_.result());
  });
}

RecordLoader::~RecordLoader() {
  stopping_->store(true);
  watcher_.waitForFinished();
}

void RecordLoader::start(const std::filesystem::path& path, const base::DebugLog& debugLog,
                         std::int32_t earlyTraces, std::int32_t recordNumber) {
  if (busy_) return;
  busy_ = true;
  std::shared_ptr<std::atomic<bool>> stopping = stopping_;
  watcher_.setFuture(QtConcurrent::run([this, path, debugLog, stopping, earlyTraces, recordNumber] {
    auto outcome = std::make_shared<LoadedRecord>();
    outcome->path = path;
    decode::CollectingMessages messages;
    decode::OpenOptions options;
    options.record = recordNumber;
    // Called on the worker; the percentage reaches the window through its event queue. A
    // window that is going away stops the loader.
    options.progress = [this, stopping](int percent) {
      if (stopping->load()) return false;
      QMetaObject::invokeMethod(
          this, [this, percent] { emit progressed(percent); }, Qt::QueuedConnection);
      return true;
    };
    // The first traces are copied out on the worker while the other loading thread goes on.
    options.earlyTraces.count = earlyTraces;
    options.earlyTraces.ready = [this, path, stopping](const decode::SegdRecord& record,
                                                       std::int32_t loaded) {
      if (stopping->load()) return;
      auto early = std::make_shared<LoadedRecord>();
      early->path = path;
      early->record = decode::leadingTraces(record, loaded);
      early->result.status = decode::OpenStatus::Ok;
      QMetaObject::invokeMethod(
          this,
          [this, early] {
            if (busy_) emit earlyTracesLoaded(early);
          },
          Qt::QueuedConnection);
    };
    outcome->result = decode::openRecord(path, outcome->record, messages, debugLog, options);
    outcome->messages = std::move(messages.messages);
    return outcome;
  }));
}

}  // namespace vorax::app::ui
