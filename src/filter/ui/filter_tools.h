// The filtering tools of the main window's Tools dialog: "Filters" and "Panels".
#pragma once

#include "app/app_state.h"
#include "app/ui/main_window.h"

namespace vorax::filter::ui {

// Registers both openers; each tool hands control back to the window when it closes.
void addFilterTools(app::ui::MainWindow& window, app::AppState& state);

}  // namespace vorax::filter::ui
