#include "app/ui/trace_views.h"

#include "app/ui/main_window.h"
#include "app/ui/single_trace_window.h"
#include "app/ui/trace_selection_dialog.h"

namespace vorax::app::ui {

namespace {

// Trace Selection over the single trace view, which hides while it is open and comes back
// when it closes.
void openFromSingleTraceView(SingleTraceWindow* view, AppState& state,
                             const SelectionRectangle& selection) {
  auto* dialog = new TraceSelectionDialog(state, selection, true, view);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, view, [view] {
    view->show();
    view->raise();
  });
  view->hide();
  dialog->open();
}

}  // namespace

SingleTraceWindow* openSingleTraceView(MainWindow& window, AppState& state, std::int32_t trace) {
  auto* view = new SingleTraceWindow(state, trace, &window);
  QObject::connect(view, &SingleTraceWindow::closed, &window, &MainWindow::returnToMainWindow);
  QObject::connect(view, &SingleTraceWindow::spectrumRequested, view,
                   [view, &state](const SelectionRectangle& selection) {
                     openFromSingleTraceView(view, state, selection);
                   });
  window.hide();
  view->show();
  return view;
}

TraceSelectionDialog* openTraceSelection(MainWindow& window, AppState& state,
                                         const SelectionRectangle& selection) {
  auto* dialog = new TraceSelectionDialog(state, selection, false, &window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, &window, &MainWindow::returnToMainWindow);
  dialog->open();
  return dialog;
}

void installTraceViews(MainWindow& window, AppState& state) {
  window.setSingleTraceViewOpener(
      [&window, &state](std::int32_t trace) { openSingleTraceView(window, state, trace); });
  window.setTraceSelectionOpener([&window, &state](const TraceSelection& s) {
    openTraceSelection(window, state, {s.firstTrace, s.lastTrace, s.startSample, s.endSample});
  });
}

}  // namespace vorax::app::ui
