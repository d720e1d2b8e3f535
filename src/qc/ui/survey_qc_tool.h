// The "Survey QC" tool of the main window's Tools dialog.
#pragma once

#include "app/ui/main_window.h"

namespace vorax::qc::ui {

// Registers the opener. The window stays open beside the main window, so that record after
// record can be opened from its table; closing it hands control back to the main window.
void addSurveyQcTool(app::ui::MainWindow& window);

}  // namespace vorax::qc::ui
