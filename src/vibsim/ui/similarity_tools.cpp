#include "vibsim/ui/similarity_tools.h"

#include "app/ui/main_window.h"
#include "vibsim/ui/multi_vib_dialog.h"
#include "vibsim/ui/radio_sim_dialog.h"

namespace vorax::vibsim::ui {

namespace {

// Opens a set-up dialog; closing it brings the main window back.
template <typename Dialog>
void openTool(app::ui::MainWindow& window, app::AppState& state) {
  auto* dialog = new Dialog(state, &window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, &window, &app::ui::MainWindow::returnToMainWindow);
  dialog->show();
}

}  // namespace

void addSimilarityTools(app::ui::MainWindow& window, app::AppState& state) {
  window.setToolOpener("Multi Vib Sim",
                       [&window, &state] { openTool<MultiVibDialog>(window, state); });
  window.setToolOpener("Radio Sims",
                       [&window, &state] { openTool<RadioSimDialog>(window, state); });
}

}  // namespace vorax::vibsim::ui
