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

void RecordLoader::start(const std::filesystem::path& path, const base::DebugLog& debugLog) {
  if (busy_) return;
  busy_ = true;
  std::shared_ptr<std::atomic<bool>> stopping = stopping_;
  watcher_.setFuture(QtConcurrent::run([this, path, debugLog, stopping] {
    auto outcome = std::make_shared<LoadedRecord>();
    outcome->path = path;
    decode::CollectingMessages messages;
    decode::OpenOptions options;
    // Called on the worker; the percentage reaches the window through its event queue. A
    // window that is going away stops the loader.
    options.progress = [this, stopping](int percent) {
      if (stopping->load()) return false;
      QMetaObject::invokeMethod(this, [this, percent] { emit progressed(percent); }, Qt::QueuedConnection);
      return true;
    };
    outcome->result = decode::openRecord(path, outcome->record, messages, debugLog, options);
    outcome->messages = std::move(messages.messages);
    return outcome;
  }));
}

}  // namespace vorax::app::ui
