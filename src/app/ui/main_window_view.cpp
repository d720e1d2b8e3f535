// The main window's ways of looking at a record: zooming (rectangle, wheel about the pointer,
// back, whole record), the display mode, balance and AGC (View menu, kept in the settings),
// and stepping to the next or previous record of the folder.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

#include "app/record_folder.h"
#include "app/ui/graphic_area.h"
#include "app/ui/main_window.h"

namespace vorax::app::ui {

namespace {

// One wheel notch scales the window by this (towards the user: its inverse).
constexpr double kWheelZoom = 0.8;

QAction* addChoice(QMenu* menu, QActionGroup* group, const QString& text, QObject* context,
                   std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setCheckable(true);
  group->addAction(action);
  QObject::connect(action, &QAction::triggered, context, std::move(run));
  return action;
}

}  // namespace

void MainWindow::zoomToView(const DisplayView& view) {
  if (!state_.recordLoaded || loading()) return;
  zoomTo(view, state_.display);
  clearInteraction();
  redrawDisplay();
}

void MainWindow::zoomOutOnce() {
  if (!state_.recordLoaded || loading() || !zoomOut(state_.display)) return;
  clearInteraction();
  redrawDisplay();
}

void MainWindow::showWholeRecord() {
  if (!state_.recordLoaded || loading()) return;
  zoomToView(wholeRecordView(state_.record));
  state_.display.zoomHistory.clear();
}

void MainWindow::zoomAboutPointer(int notches, bool traces) {
  const std::optional<TraceAndSample> at = overlay_.cursor;
  const DisplayView now = viewOf(state_.display);
  const double factor = std::pow(kWheelZoom, notches);
  if (traces) {
    const std::int32_t trace = at ? at->trace : (now.firstTrace + now.lastTrace) / 2;
    zoomToView(traceZoomedView(state_.record, now, trace, factor));
    return;
  }
  const double ms = at ? sampleTimeMs(state_.record, at->sample) : (now.startMs + now.endMs) / 2.0;
  zoomToView(timeZoomedView(state_.record, now, ms, factor));
}

void MainWindow::setDisplayMode(DisplayMode mode) {
  state_.settings.setDisplayMode(mode);
  syncViewMenu();
  if (state_.recordLoaded) redrawDisplay();
}

void MainWindow::setTraceBalance(TraceBalance balance) {
  state_.settings.setTraceBalance(balance);
  syncViewMenu();
  if (state_.recordLoaded) redrawDisplay();
}

void MainWindow::setDisplayAgc(bool on) {
  state_.settings.setDisplayAgc(on ? 1 : 0);
  if (on && !(state_.settings.displayAgcWindowMs() > 0)) state_.settings.setDisplayAgcWindowMs(500);
  syncViewMenu();
  if (state_.recordLoaded) redrawDisplay();
}

void MainWindow::stepRecord(int step) {
  if (!state_.recordLoaded || loading()) return;
  const std::optional<std::filesystem::path> next = neighbourRecord(state_.record.fileName, step);
  if (!next) return;
  keepView_ = true;
  startLoading(*next);
}

void MainWindow::openRecordOfFile(std::int32_t number) {
  if (!state_.recordLoaded || loading() || number == fileRecordNumber_) return;
  keepView_ = true;
  startLoading(state_.record.fileName, number);
}

// One entry a record of the open file, the one shown checked; disabled for a file of one.
void MainWindow::rebuildFileRecordsMenu() {
  fileRecordsMenu_->clear();
  auto* records = new QActionGroup(fileRecordsMenu_);
  for (std::int32_t number = 1; fileRecordCount_ > 1 && number <= fileRecordCount_; ++number) {
    const QString text = QString::fromStdString(fileRecordText(number, fileRecordCount_));
    QAction* action = addChoice(fileRecordsMenu_, records, text, this,
                                [this, number] { openRecordOfFile(number); });
    action->setChecked(number == fileRecordNumber_);
  }
  fileRecordsMenu_->setEnabled(fileRecordCount_ > 1);
}

void MainWindow::buildViewMenu(QMenu* view) {
  auto* modes = new QActionGroup(view);
  modeActions_ = {
      addChoice(view, modes, "&Wiggle", this, [this] { setDisplayMode(DisplayMode::Wiggle); }),
      addChoice(view, modes, "Variable &Area", this,
                [this] { setDisplayMode(DisplayMode::VariableArea); }),
      addChoice(view, modes, "Variable &Density", this,
                [this] { setDisplayMode(DisplayMode::Density); })};
  QMenu* balance = view->addMenu("Trace &Balance");
  auto* balances = new QActionGroup(balance);
  balanceActions_ = {
      addChoice(balance, balances, "&None (Fixed Gain)", this,
                [this] { setTraceBalance(TraceBalance::None); }),
      addChoice(balance, balances, "&Peak", this, [this] { setTraceBalance(TraceBalance::Peak); }),
      addChoice(balance, balances, "&RMS", this, [this] { setTraceBalance(TraceBalance::Rms); })};
  agcAction_ = view->addAction("A&GC");
  agcAction_->setCheckable(true);
  connect(agcAction_, &QAction::triggered, this, [this](bool on) { setDisplayAgc(on); });
  view->addSeparator();
  QAction* back = view->addAction("Zoom &Out");
  back->setShortcut(QKeySequence(Qt::Key_Backspace));
  connect(back, &QAction::triggered, this, &MainWindow::zoomOutOnce);
  QAction* whole = view->addAction("W&hole Record");
  whole->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  connect(whole, &QAction::triggered, this, &MainWindow::showWholeRecord);
  syncViewMenu();
}

void MainWindow::syncViewMenu() {
  if (modeActions_.empty()) return;
  modeActions_[static_cast<std::size_t>(state_.settings.displayMode())]->setChecked(true);
  balanceActions_[static_cast<std::size_t>(state_.settings.traceBalance())]->setChecked(true);
  agcAction_->setChecked(state_.settings.displayAgc() == 1);
}

}  // namespace vorax::app::ui
