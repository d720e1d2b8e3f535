// The two similarity set-ups as tools of the main window ("Multi Vib Sim", "Radio Sims").
#pragma once

#include "app/app_state.h"

namespace vorax::app::ui {
class MainWindow;
}

namespace vorax::vibsim::ui {

void addSimilarityTools(app::ui::MainWindow& window, app::AppState& state);

}  // namespace vorax::vibsim::ui
