// The radio similarity set-up ("408 Radio Similarities"): up to 30 vibrators with their
// similarity and pulse file names, the folder of radio similarity files, the two signal
// definitions, options, parameters, .RSF files, and "Go", which reads each listed file and
// runs its radio pages.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "decode/segd_record.h"
#include "vibsim/ui/fleet_table_window.h"
#include "vibsim/ui/setup_controls.h"
#include "vibsim/ui/similarity_run.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace vorax::vibsim::ui {

class RadioSimDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RadioSimDialog(app::AppState& state, QWidget* parent = nullptr);

  // The folder the run reads; shown beside "Choose Folder".
  void setFolder(const std::string& folder);
  const std::string& folder() const { return folder_; }
  void loadAllFiles();
  std::string saveSetupTo(const std::string& typedName);
  std::string loadSetupFrom(const std::string& path);
  void go();
  SimilarityRun* run() const { return run_; }
  SimilarityWindow* displayWindow() const { return window_; }
  FleetTableWindow* fleetWindow() const { return fleet_; }

  // Asked before an existing set-up file is replaced, and before the folder of a loaded set-up
  // replaces the chosen one (question boxes; tests answer them).
  std::function<bool(const std::string& path)> mayReplace;
  std::function<bool(const std::string& question)> confirm;

 private:
  QWidget* buildRows();
  QWidget* buildSettingsColumn();
  PreparedVibrator prepare(int index);

  app::AppState& state_;
  SetupControls controls_;
  std::string folder_;
  QLabel* folderText_ = nullptr;
  QPointer<SimilarityRun> run_;
  QPointer<SimilarityWindow> window_;
  QPointer<FleetTableWindow> fleet_;
  RadioSetup setup_;
  decode::SegdRecord record_;  // the radio file being shown
};

}  // namespace vorax::vibsim::ui
