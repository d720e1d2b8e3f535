#include "qc/ui/survey_qc_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrent>
#include <map>

#include "app/ui/qt_canvas.h"
#include "decode/conversions.h"
#include "qc/record_finder.h"
#include "qc/survey_plots.h"
#include "qc/survey_report.h"
#include "qc/survey_run.h"
#include "qc/survey_summary.h"

namespace vorax::qc::ui {

namespace {

constexpr int kVerdictColumn = 10;
constexpr int kRecordIndexRole = Qt::UserRole + 1;

QString traceListText(const std::vector<std::int32_t>& traces) {
  QStringList numbers;
  for (const std::int32_t t : traces) numbers << QString::number(t);
  return numbers.join(", ");
}

// A count shown, sorted by number, with the trace numbers as its tip.
QStandardItem* countItem(const std::vector<std::int32_t>& traces) {
  auto* item = new QStandardItem;
  item->setData(static_cast<int>(traces.size()), Qt::DisplayRole);
  if (!traces.empty()) item->setToolTip("Traces " + traceListText(traces));
  return item;
}

QString verdictText(const RecordQc& r) {
  if (!r.readable()) return "unreadable";
  if (!r.error.empty()) return "read in part";
  return r.passed() ? "passed" : "flagged";
}

QString testValueText(const RecordQc& r) {
  if (!r.testValueErrors) return "";
  const TestValueErrors& e = *r.testValueErrors;
  return QString("R %1  C %2  T %3  L %4")
      .arg(e.resistance)
      .arg(e.capacitance)
      .arg(e.tilt)
      .arg(e.leakage);
}

}  // namespace

// A survey plot drawn at the widget's own size, so its text keeps its size however large the
// window is (a picture scaled down would shrink the text past reading).
class PlotView : public QWidget {
 public:
  explicit PlotView(QWidget* parent) : QWidget(parent) {}
  void setDraw(std::function<void(app::Canvas&)> draw) {
    draw_ = std::move(draw);
    update();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    app::ui::QtCanvas canvas(*this);
    canvas.clear(app::kWhite);
    if (draw_) draw_(canvas);
  }

 private:
  std::function<void(app::Canvas&)> draw_;
};

std::vector<app::TraceMark> verdictMarks(const RecordQc& record) {
  std::map<std::int32_t, std::string> labels;
  for (const auto& [list, letter] :
       {std::pair{&record.deadTraces, "D"}, std::pair{&record.reversedTraces, "R"},
        std::pair{&record.noisyTraces, "N"}, std::pair{&record.spikeTraces, "S"}}) {
    for (const std::int32_t t : *list) {
      std::string& label = labels[t];
      label += (label.empty() ? "" : "+") + std::string(letter);
    }
  }
  std::vector<app::TraceMark> marks;
  for (const auto& [trace, label] : labels) marks.push_back({trace, label});
  return marks;
}

SurveyQcWindow::SurveyQcWindow(RecordOpener openRecord, QWidget* parent)
    : QWidget(parent, Qt::Window), openRecord_(std::move(openRecord)) {
  setWindowTitle("Survey QC");
  auto* layout = new QVBoxLayout(this);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel("Folder:", this));
  folder_ = new QLineEdit(this);
  controls->addWidget(folder_, 1);
  auto* browse = new QPushButton("Browse...", this);
  controls->addWidget(browse);
  controls->addWidget(new QLabel("Jobs:", this));
  jobs_ = new QSpinBox(this);
  jobs_->setRange(1, 64);
  jobs_->setValue(std::max(1, QThread::idealThreadCount()));
  controls->addWidget(jobs_);
  runButton_ = new QPushButton("Run", this);
  cancelButton_ = new QPushButton("Cancel", this);
  cancelButton_->setEnabled(false);
  controls->addWidget(runButton_);
  controls->addWidget(cancelButton_);
  layout->addLayout(controls);

  auto* progressRow = new QHBoxLayout;
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  status_ = new QLabel("Choose a folder of records and press Run.", this);
  flaggedOnly_ = new QCheckBox("Flagged records only", this);
  progressRow->addWidget(progress_, 1);
  progressRow->addWidget(status_, 1);
  progressRow->addWidget(flaggedOnly_);
  layout->addLayout(progressRow);

  model_ = new QStandardItemModel(0, static_cast<int>(std::size(kColumnTitles)), this);
  QStringList titles;
  for (const char* title : kColumnTitles) titles << title;
  model_->setHorizontalHeaderLabels(titles);
  filter_ = new QSortFilterProxyModel(this);
  filter_->setSourceModel(model_);
  filter_->setFilterKeyColumn(kVerdictColumn);
  filter_->setSortRole(Qt::DisplayRole);
  table_ = new QTableView(this);
  table_->setModel(filter_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(0, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);

  auto* plots = new QWidget(this);
  auto* plotRow = new QHBoxLayout(plots);
  plotRow->setContentsMargins(0, 0, 0, 0);
  flagsPlot_ = new PlotView(plots);
  receiversPlot_ = new PlotView(plots);
  for (PlotView* plot : {flagsPlot_, receiversPlot_}) {
    plot->setMinimumSize(kPlotWidth / 4, kPlotHeight / 2);
    plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    plotRow->addWidget(plot);
  }
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(table_);
  splitter->addWidget(plots);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 1);
  plots->setMinimumHeight(kPlotHeight / 2);
  layout->addWidget(splitter, 1);

  connect(browse, &QPushButton::clicked, this, &SurveyQcWindow::chooseFolder);
  connect(runButton_, &QPushButton::clicked, this, &SurveyQcWindow::run);
  connect(cancelButton_, &QPushButton::clicked, this, &SurveyQcWindow::cancel);
  connect(flaggedOnly_, &QCheckBox::toggled, this, &SurveyQcWindow::setFlaggedOnly);
  connect(table_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { openRow(index.row()); });
  connect(&watcher_, &QFutureWatcher<void>::finished, this, &SurveyQcWindow::finishRun);
  drawPlots();
  resize(1200, 800);
}

SurveyQcWindow::~SurveyQcWindow() {
  stop_ = true;
  watcher_.waitForFinished();
}

void SurveyQcWindow::setFolder(const QString& folder) {
  folder_->setText(folder);
}

bool SurveyQcWindow::running() const {
  return watcher_.isRunning();
}

void SurveyQcWindow::chooseFolder() {
  const QString chosen =
      QFileDialog::getExistingDirectory(this, "Folder of records", folder_->text());
  if (!chosen.isEmpty()) setFolder(chosen);
}

void SurveyQcWindow::run() {
  if (running()) return;
  const std::vector<std::string> paths{folder_->text().toStdString()};
  const FoundRecords found = findRecords(paths);
  if (!found.problems.empty()) {
    status_->setText(folder_->text() + " is not a folder.");
    return;
  }
  records_.clear();
  model_->removeRows(0, model_->rowCount());
  total_ = found.files.size();
  progress_->setRange(0, std::max<int>(1, static_cast<int>(total_)));
  progress_->setValue(0);
  status_->setText(QString("0 of %1 records").arg(total_));
  stop_ = false;
  runButton_->setEnabled(false);
  cancelButton_->setEnabled(true);
  SurveyRunOptions options;
  options.jobs = jobs_->value();
  options.stop = [this] { return stop_.load(); };
  options.finished = [this](std::size_t, const RecordQc& record) {
    QMetaObject::invokeMethod(
        this, [this, record] { addRow(record); }, Qt::QueuedConnection);
  };
  watcher_.setFuture(
      QtConcurrent::run([files = found.files, options] { runSurvey(files, options); }));
}

void SurveyQcWindow::cancel() {
  stop_ = true;
  status_->setText("Cancelling...");
}

void SurveyQcWindow::addRow(const RecordQc& r) {
  const int index = static_cast<int>(records_.size());
  records_.push_back(r);
  QList<QStandardItem*> row;
  auto* file =
      new QStandardItem(QString::fromStdString(std::filesystem::path(r.file).filename().string()));
  file->setData(index, kRecordIndexRole);
  file->setToolTip(QString::fromStdString(r.error.empty() ? r.file : r.file + "\n" + r.error));
  row << file;
  auto* number = new QStandardItem;
  if (r.fileNumber) number->setData(static_cast<qlonglong>(*r.fileNumber), Qt::DisplayRole);
  row << number << new QStandardItem(QString::fromStdString(r.date + " " + r.time));
  auto* traces = new QStandardItem;
  traces->setData(r.traceCount, Qt::DisplayRole);
  auto* rms = new QStandardItem;
  if (r.readable()) rms->setData(r.rmsMedian, Qt::DisplayRole);
  row << traces << rms << countItem(r.deadTraces) << countItem(r.reversedTraces)
      << countItem(r.noisyTraces) << countItem(r.spikeTraces)
      << new QStandardItem(testValueText(r));
  auto* verdict = new QStandardItem(verdictText(r));
  verdict->setForeground(r.passed() ? QColor(0, 120, 0) : QColor(190, 0, 0));
  if (!r.error.empty()) verdict->setToolTip(QString::fromStdString(r.error));
  row << verdict;
  model_->appendRow(row);
  progress_->setValue(static_cast<int>(records_.size()));
  status_->setText(QString("%1 of %2 records").arg(records_.size()).arg(total_));
}

void SurveyQcWindow::finishRun() {
  runButton_->setEnabled(true);
  cancelButton_->setEnabled(false);
  // Rows still queued by the workers arrive before this slot runs: they were posted first.
  const SurveySummary s = summarise(records_);
  status_->setText(QString("%1%2 records, %3 flagged")
                       .arg(stop_ ? "Cancelled: " : "")
                       .arg(s.records)
                       .arg(s.recordsFlagged));
  table_->resizeColumnsToContents();
  drawPlots();
  emit runFinished();
}

void SurveyQcWindow::drawPlots() {
  std::vector<RecordQc> byName = records_;
  std::sort(byName.begin(), byName.end(),
            [](const RecordQc& a, const RecordQc& b) { return a.file < b.file; });
  const std::vector<ReceiverFlags> receivers = receiversFlaggedMostOften(byName, kReceiversShown);
  flagsPlot_->setDraw([byName](app::Canvas& c) { drawFlagsPerRecord(c, byName); });
  receiversPlot_->setDraw([receivers](app::Canvas& c) { drawReceiversFlagged(c, receivers); });
}

void SurveyQcWindow::setFlaggedOnly(bool flaggedOnly) {
  if (flaggedOnly_->isChecked() != flaggedOnly) flaggedOnly_->setChecked(flaggedOnly);
  filter_->setFilterRegularExpression(flaggedOnly ? QRegularExpression("^(?!passed$)")
                                                  : QRegularExpression());
}

void SurveyQcWindow::openRow(int viewRow) {
  const QModelIndex source = filter_->mapToSource(filter_->index(viewRow, 0));
  if (!source.isValid()) return;
  const int index = model_->data(source, kRecordIndexRole).toInt();
  const RecordQc& record = records_.at(static_cast<std::size_t>(index));
  if (record.readable()) openRecord_(record.file, verdictMarks(record));
}

void SurveyQcWindow::closeEvent(QCloseEvent* event) {
  stop_ = true;
  watcher_.waitForFinished();
  QWidget::closeEvent(event);
}

}  // namespace vorax::qc::ui
