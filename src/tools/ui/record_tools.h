// The record tools' entries in the main window's Tools dialog: "Split Proc File", "Fix Radio
// Sim File" and "Record Sum/Diff". Each opens its dialog with the main window hidden and
// returns to it when the dialog closes; the sum or difference becomes the displayed record.
#pragma once

#include "app/app_state.h"
#include "app/ui/main_window.h"

namespace vorax::tools::ui {

void addRecordTools(app::ui::MainWindow& window, app::AppState& state);

// Makes `record` the displayed record, from its first page with the settings' gain, as
// opening a file does.
void showCombinedRecord(app::AppState& state, decode::SegdRecord&& record);

}  // namespace vorax::tools::ui
