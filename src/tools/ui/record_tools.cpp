#include "tools/ui/record_tools.h"

#include "app/display_settings.h"
#include "tools/ui/file_splitter_dialog.h"
#include "tools/ui/radio_fix_dialog.h"
#include "tools/ui/sum_diff_dialog.h"

namespace vorax::tools::ui {

namespace {

// Shows `dialog` window-modal and returns to the main window when it closes.
void openTool(app::ui::MainWindow& window, QDialog* dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, &window, [&window] { window.returnToMainWindow(); });
  dialog->open();
}

}  // namespace

void showCombinedRecord(app::AppState& state, decode::SegdRecord&& record) {
  state.record = std::move(record);
  state.recordLoaded = true;
  app::startRecordDisplay(state.settings, state.record, state.display);
}

void addRecordTools(app::ui::MainWindow& window, app::AppState& state) {
  window.setToolOpener("Split Proc File", [&window, &state] {
    openTool(window, new FileSplitterDialog(state, &window));
  });
  window.setToolOpener("Fix Radio Sim File",
                       [&window, &state] { openTool(window, new RadioFixDialog(state, &window)); });
  window.setToolOpener("Record Sum/Diff", [&window, &state] {
    auto* dialog = new SumDiffDialog(
        state,
        [&state](decode::SegdRecord&& result) { showCombinedRecord(state, std::move(result)); },
        &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, &window, [&window, &state](int result) {
      if (result == QDialog::Accepted) state.debugLog.line("Ready to draw traces - File operation");
      window.returnToMainWindow();
      if (result == QDialog::Accepted) state.debugLog.line("Traces Drawn OK - File operation");
    });
    dialog->open();
  });
}

}  // namespace vorax::tools::ui
