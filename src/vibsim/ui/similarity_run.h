// A similarity run over the vibrators of a set-up: for each one its pages are drawn, saved
// as pictures and printed as the destinations ask, and shown in the display window. With
// "Screen Pause" the run waits for "Next Vibrator", "Previous Vibrator" or "Cancel"; without
// it the run paces itself, showing each page for "Delay (S)" seconds with a countdown. The
// waiting is done by a timer and by the window's signals: nothing loops on the event queue.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "vibsim/similarity_pages.h"
#include "vibsim/ui/similarity_output.h"
#include "vibsim/ui/similarity_window.h"
#include "vibsim/verdict_views.h"

class QPrinter;

namespace vorax::vibsim::ui {

struct RunDestinations {
  bool screen = true;
  bool screenPause = true;
  int delaySeconds = 5;
  bool bmp = false;
  int printQuality = 0;  // 0 none, 1 low resolution, 2 high resolution
};

// What the run does with candidate i (0-based): show these pages, skip it, or end the run;
// the set-up row and label it had, and why it was skipped (the fleet table lists it).
struct PreparedVibrator {
  enum class Action { Show, Skip, EndRun } action = Action::Skip;
  std::unique_ptr<SimilarityPages> pages;
  int row = 0;
  std::string label;
  std::string skipped;
};

class SimilarityRun : public QObject {
  Q_OBJECT

 public:
  using Prepare = std::function<PreparedVibrator(int index)>;
  using Hook = std::function<void(int index)>;

  SimilarityRun(int candidates, Prepare prepare, RunDestinations destinations,
                SimilarityWindow* window, QObject* parent = nullptr);
  ~SimilarityRun() override;

  // Called on leaving a vibrator (the settings are saved there), and around "Previous
  // Vibrator" (entry, then exit with the index arrived at).
  void setLeaveHook(Hook hook) { onLeave_ = std::move(hook); }
  void setPreviousHooks(Hook entry, Hook exit) {
    onPreviousEntry_ = std::move(entry);
    onPreviousExit_ = std::move(exit);
  }

  // The printer the run prints on, instead of asking for one with the print dialog.
  void setPrinter(std::unique_ptr<QPrinter> printer);

  void start();
  void cancel();
  bool running() const { return running_; }
  int currentIndex() const { return current_; }
  SimilarityPages* currentPages() const { return pages_.get(); }
  // Every vibrator met so far, judged or skipped, in set-up order.
  std::vector<FleetEntry> fleet() const;

 signals:
  // The run went past its last vibrator (not cancelled); finished() follows.
  void completed();
  void finished();

 private:
  void goForward();
  void goBack();
  bool enter(int index);
  void produceDestinations();
  void showStep(std::size_t step);
  void tick();
  void leave();
  void finish();
  void record(int index, const PreparedVibrator& prepared);
  QPrinter* printer();

  int candidates_;
  Prepare prepare_;
  RunDestinations destinations_;
  QPointer<SimilarityWindow> window_;
  Hook onLeave_, onPreviousEntry_, onPreviousExit_;
  std::unique_ptr<SimilarityPages> pages_;
  std::vector<int> shown_;  // indices shown so far, for "Previous Vibrator"
  int current_ = -1;
  bool left_ = false;       // the current vibrator's leave hook has run
  std::vector<int> steps_;  // the pages of the current vibrator
  std::size_t step_ = 0;
  QTimer countdown_;
  int secondsLeft_ = 0;
  bool running_ = false;
  std::unique_ptr<QPrinter> printer_;
  bool printerAsked_ = false;
  std::unique_ptr<SimilarityPrintJob> printJob_;  // one document for the whole run
  std::map<int, FleetEntry> fleet_;               // by candidate index
};

}  // namespace vorax::vibsim::ui
