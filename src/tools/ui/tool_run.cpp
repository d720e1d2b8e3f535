#include "tools/ui/tool_run.h"

#include <QCoreApplication>
#include <QWidget>

namespace vorax::tools::ui {

bool ToolRun::keepGoing() {
  QCoreApplication::processEvents();
  return !cancelRequested_;
}

ToolRun::Scope::Scope(ToolRun& run) : run_(run) {
  run_.running_ = true;
  run_.cancelRequested_ = false;
  for (QWidget* w : run_.busy_) w->setEnabled(false);
}

ToolRun::Scope::~Scope() {
  for (QWidget* w : run_.busy_) w->setEnabled(true);
  run_.running_ = false;
}

bool holdCloseWhileRunning(ToolRun& run) {
  if (!run.running()) return false;
  run.cancel();
  return true;
}

}  // namespace vorax::tools::ui
