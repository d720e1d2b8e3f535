// The "Filters" dialog: low cut, high cut, band pass and band reject over every trace of the
// record in memory. "OK" stores the boxes in the settings and validates them; a failure is
// shown in the dialog, which stays open. Otherwise the filters run on a worker over all
// cores while the dialog shows the progress; "Cancel" stops the run and leaves the record as
// it was. A finished run replaces the record's samples and scales and closes the dialog.
#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <atomic>
#include <optional>

#include "app/app_state.h"
#include "filter/filter_settings.h"
#include "filter/record_filter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vorax::filter::ui {

class FiltersDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FiltersDialog(app::AppState& state, QWidget* parent = nullptr);
  ~FiltersDialog() override;

  bool running() const { return watcher_.isRunning(); }
  QString message() const;

 public slots:
  void reject() override;  // "Cancel": stops a run, or closes

 private:
  void startIfValid();
  void showProgress(FilterType type, int percent);
  void runFinished();
  void showMessage(const QString& text);
  FilterSettings settingsFromBoxes() const;

  app::AppState& state_;
  std::array<QCheckBox*, 4> enabled_{};
  std::array<std::array<QLineEdit*, 4>, 4> corners_{};  // per filter type, F1..F4 (cuts: two)
  QLabel* message_;
  QProgressBar* progress_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QFutureWatcher<std::optional<FilteredTraces>> watcher_;
  std::atomic<bool> cancelRequested_{false};
  bool closeWhenStopped_ = false;
};

}  // namespace vorax::filter::ui
