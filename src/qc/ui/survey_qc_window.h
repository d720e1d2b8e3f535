// The "Survey QC" window: a folder of records checked on worker threads with progress and
// Cancel, a table of their verdicts (sortable, filterable to flagged records) and the survey
// plots; a double-click opens the record in the main window with its flagged traces marked.
#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <atomic>
#include <functional>
#include <vector>

#include "app/display_overlay.h"
#include "qc/record_qc.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace vorax::qc::ui {

class PlotView;

// The table's columns, in order.
inline constexpr const char* kColumnTitles[] = {
    "File",  "File number", "Shot time",         "Traces", "RMS median", "Dead", "Reversed",
    "Noisy", "Spike",       "Test-value errors", "Verdict"};

// Marks of a record's verdicts for the main display: "D" dead, "R" reversed, "N" noisy,
// "S" spike, joined by "+" on a trace with several.
std::vector<app::TraceMark> verdictMarks(const RecordQc& record);

class SurveyQcWindow : public QWidget {
  Q_OBJECT

 public:
  // `openRecord` opens a file in the main window with the marks drawn over it.
  using RecordOpener =
      std::function<void(const std::string& file, std::vector<app::TraceMark> marks)>;
  SurveyQcWindow(RecordOpener openRecord, QWidget* parent = nullptr);
  ~SurveyQcWindow() override;

  void setFolder(const QString& folder);
  void run();     // "Run": checks every record of the folder
  void cancel();  // "Cancel": stops after the records being read
  bool running() const;

  const std::vector<RecordQc>& records() const { return records_; }
  QTableView& table() { return *table_; }
  void setFlaggedOnly(bool flaggedOnly);
  void openRow(int viewRow);  // as a double-click on the row does

 signals:
  void runFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void chooseFolder();
  void addRow(const RecordQc& record);
  void finishRun();
  void drawPlots();

  RecordOpener openRecord_;
  QLineEdit* folder_;
  QSpinBox* jobs_;
  QPushButton* runButton_;
  QPushButton* cancelButton_;
  QProgressBar* progress_;
  QLabel* status_;
  QCheckBox* flaggedOnly_;
  QStandardItemModel* model_;
  QSortFilterProxyModel* filter_;
  QTableView* table_;
  PlotView* flagsPlot_;
  PlotView* receiversPlot_;

  std::vector<RecordQc> records_;  // in the order they finished; the model's rows
  std::size_t total_ = 0;
  std::atomic<bool> stop_{false};
  QFutureWatcher<void> watcher_;
};

}  // namespace vorax::qc::ui
