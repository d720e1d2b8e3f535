#include "filter/ui/filter_tools.h"

#include "filter/ui/filters_dialog.h"
#include "filter/ui/panels_dialog.h"

namespace vorax::filter::ui {

void addFilterTools(app::ui::MainWindow& window, app::AppState& state) {
  window.setToolOpener("Filters", [&window, &state] {
    auto* dialog = new FiltersDialog(state, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, &window,
                     [&window] { window.returnToMainWindow(); });
    dialog->open();
  });
  window.setToolOpener("Panels", [&window, &state] {
    auto* dialog = new PanelsDialog(state, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, &window,
                     [&window] { window.returnToMainWindow(); });
    dialog->open();
  });
}

}  // namespace vorax::filter::ui
