// vorax-viewer: the desktop program. Runs the start-up sequence, shows the main window until
// it ends (saving the settings as it closes, after every dialog's OK, at the desktop
// session's end and on a termination signal), and opens a record named on the command line.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdlib>
#include <iostream>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/settings_keeper.h"
#include "app/ui/trace_views.h"
#include "filter/ui/filter_tools.h"
#include "interchange/ui/segy_export_dialog.h"
#include "qc/ui/survey_qc_tool.h"
#include "spread/ui/spread_view_dialog.h"
#include "tools/ui/record_tools.h"
#include "vibsim/ui/similarity_tools.h"
#include "viewer/command_line.h"

int main(int argc, char** argv) {
  const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
  if (const auto status =
          vorax::viewer::answerWithoutWindow(argc, argv, std::cout, std::cerr, environment))
    return *status;
  vorax::viewer::applyThreadsVariable(std::cerr, environment);
  QApplication application(argc, argv);
  vorax::app::AppState state;
  const vorax::app::SettingsLoad loaded = vorax::app::startUp(state);
  if (loaded.source == vorax::app::SettingsLoad::Source::Unreadable) {
    QMessageBox::warning(nullptr, "VORAX Viewer", QString::fromStdString(loaded.message));
  }
  vorax::app::ui::MainWindow window(state);
  vorax::vibsim::ui::addSimilarityTools(window, state);
  window.setToolOpener("Spread View", [&] {
    vorax::spread::ui::openSpreadView(state, &window, [&] { window.returnToMainWindow(); });
  });
  vorax::app::ui::installTraceViews(window, state);
  vorax::tools::ui::addRecordTools(window, state);
  vorax::filter::ui::addFilterTools(window, state);
  vorax::interchange::ui::addSegyExport(window, state);
  vorax::qc::ui::addSurveyQcTool(window);
  vorax::app::ui::SettingsKeeper keeper(state);
  keeper.watchDialogs();
  keeper.watchSessionEnd();
  QObject::connect(&keeper, &vorax::app::ui::SettingsKeeper::terminationRequested, &window, [&] {
    window.endUnattended();
    QCoreApplication::exit(0);
  });
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.openRecordFile(arguments.at(1).toStdString());
  return QApplication::exec();
}
