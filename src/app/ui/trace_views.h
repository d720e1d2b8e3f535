// Opens the trace views from the main display: the single trace view on a right click (it
// replaces the main window until "Close") and Trace Selection on an Alt-drag; the single
// trace view's "FFT" opens Trace Selection for its trace and returns to the view.
#pragma once

#include "app/app_state.h"
#include "app/trace_selection.h"

namespace vorax::app::ui {

class MainWindow;
class SingleTraceWindow;
class TraceSelectionDialog;

void installTraceViews(MainWindow& window, AppState& state);

// The two openers, for the hooks and for tests.
SingleTraceWindow* openSingleTraceView(MainWindow& window, AppState& state, std::int32_t trace);
TraceSelectionDialog* openTraceSelection(MainWindow& window, AppState& state,
                                         const SelectionRectangle& selection);

}  // namespace vorax::app::ui
