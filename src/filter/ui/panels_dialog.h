// The "Filter Panels" dialog: up to six band-pass filters tried on a window of traces of every
// record in a folder, each panel drawn in the dialog and, on request, saved as a BMP file.
// "Go" reads and filters the files on a worker while the panels are shown as they come;
// "Cancel" stops a run (and otherwise closes the dialog).
#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <atomic>
#include <optional>

#include "app/app_state.h"
#include "filter/panels.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorax::app::ui {
class GraphicArea;
}

namespace vorax::filter::ui {

class PanelsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PanelsDialog(app::AppState& state, QWidget* parent = nullptr);
  ~PanelsDialog() override;

  // The dialog's controls as settings, and back.
  PanelSettings settingsFromControls() const;
  void showSettings(const PanelSettings& settings);

  // What "Save" and "Load" do once the file is chosen; false (with a message box) on failure.
  bool savePanelFileTo(const std::string& typedName);
  bool loadPanelFileFrom(const std::string& path);

  void selectFolder(const std::string& folder);  // fills the file list
  QStringList listedFiles() const;

  void go();
  void test(std::size_t filter);
  void changeGain(float db);  // "Gain +" / "Gain -"
  bool running() const { return watcher_.isRunning(); }
  const std::optional<Panel>& shownPanel() const { return shown_; }

 signals:
  void runFinished();

 public slots:
  void reject() override;

 private:
  QWidget* buildControls();
  QGroupBox* buildRangeBox();
  QGroupBox* buildFilterBox();
  QGroupBox* buildGainBox();
  QGridLayout* buildButtons();
  void storeSettings();
  void showPanel(const Panel& panel, const PanelSettings& settings);
  void setRunning(bool running);

  app::AppState& state_;
  QPushButton* selectFolder_;
  QListWidget* files_;
  std::array<QLineEdit*, 4> window_{};  // trace from, trace to, time from, time to
  std::array<QCheckBox*, kPanelFilterCount> enabled_{};
  std::array<std::array<QLineEdit*, 4>, kPanelFilterCount> corners_{};
  QCheckBox* generateBmp_;
  QLineEdit* headerLine_;
  QLineEdit* infoLine_;
  QLineEdit* gain_;
  QLineEdit* clip_;
  QCheckBox* agc_;
  QLineEdit* agcWindow_;
  QLabel* status_;
  app::ui::GraphicArea* graphic_;
  std::string folder_;

  std::optional<Panel> shown_;
  PanelSettings shownWith_;
  decode::SegdRecord lastRead_;  // the last record "Go" read: "Test" works on it from then on
  bool haveLastRead_ = false;
  QFutureWatcher<void> watcher_;
  PanelRun lastRun_;  // written by the run's worker, read once it has finished
  std::atomic<bool> cancelRequested_{false};
};

}  // namespace vorax::filter::ui
