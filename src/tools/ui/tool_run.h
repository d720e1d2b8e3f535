// A long tool run inside a modal dialog: the work runs on the window's thread and keeps the
// window's events flowing at every progress report, so that the dialog repaints and its
// Cancel or Close button stops the run instead of closing a dialog still at work.
#pragma once

#include <QDialog>
#include <QList>

class QWidget;

namespace vorax::tools::ui {

class ToolRun {
 public:
  // `busy` are the controls disabled while a run is under way.
  explicit ToolRun(QList<QWidget*> busy) : busy_(std::move(busy)) {}

  bool running() const { return running_; }
  // Asks the run under way to stop at its next progress report.
  void cancel() { cancelRequested_ = true; }

  // Lets pending events through; false once a stop was asked for.
  bool keepGoing();

  // Marks a run for its lifetime: controls disabled, stop request cleared.
  class Scope {
   public:
    explicit Scope(ToolRun& run);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ToolRun& run_;
  };

 private:
  QList<QWidget*> busy_;
  bool running_ = false;
  bool cancelRequested_ = false;
};

// Closing a dialog while its run is under way stops the run; the dialog stays until the run
// has returned. Returns true when the close must wait.
bool holdCloseWhileRunning(ToolRun& run);

}  // namespace vorax::tools::ui
