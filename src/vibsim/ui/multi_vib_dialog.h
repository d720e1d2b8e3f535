// The multi-vibrator similarity set-up ("Vibrator Similarity Processing - Multiple Vibs in
// One File"): names and channels of up to 30 vibrators, the options, destinations, pages,
// parameters and curve colours, .MVS files, and "Go", which runs the wireline pages
// vibrator by vibrator over the current record.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

#include "app/app_state.h"
#include "vibsim/ui/fleet_table_window.h"
#include "vibsim/ui/setup_controls.h"
#include "vibsim/ui/similarity_run.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace vorax::vibsim::ui {

// Saves the settings beside the program unless its folder is read-only (after each vibrator).
void saveSettingsDuringRun(app::AppState& state);

class MultiVibDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MultiVibDialog(app::AppState& state, QWidget* parent = nullptr);

  // "Save Setup" / "Load Setup" without their file dialogs. Return an error text.
  std::string saveSetupTo(const std::string& typedName);
  std::string loadSetupFrom(const std::string& path);
  // "Go": starts the run (nothing when no vibrator has Ref and Force channels).
  void go();
  SimilarityRun* run() const { return run_; }
  SimilarityWindow* displayWindow() const { return window_; }
  // The fleet table the last run ended with (none while a run goes on).
  FleetTableWindow* fleetWindow() const { return fleet_; }

  // Asked before an existing set-up file is replaced (a question box; tests answer it).
  std::function<bool(const std::string& path)> mayReplace;

 private:
  void build();
  QWidget* buildRows();
  QWidget* buildSettingsColumn();
  PreparedVibrator prepare(const WirelineSetup& setup, int index);

  app::AppState& state_;
  SetupControls controls_;
  QPointer<SimilarityRun> run_;
  QPointer<SimilarityWindow> window_;
  QPointer<FleetTableWindow> fleet_;
  WirelineSetup setup_;
};

}  // namespace vorax::vibsim::ui
