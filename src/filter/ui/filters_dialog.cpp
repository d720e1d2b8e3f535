#include "filter/ui/filters_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "decode/conversions.h"
#include "filter/filter_settings.h"

namespace vorax::filter::ui {

namespace {

QString qtext(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

FiltersDialog::FiltersDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      message_(new QLabel),
      progress_(new QProgressBar),
      ok_(new QPushButton("OK")),
      cancel_(new QPushButton("Cancel")) {
  setWindowTitle("Filters");
  setModal(true);
  auto* grid = new QGridLayout;
  for (int j = 0; j < 4; ++j)
    grid->addWidget(new QLabel(QString("F%1").arg(j + 1)), 0, j + 1, Qt::AlignHCenter);
  const FilterSettings settings = filterSettingsFrom(state_.settings);
  for (FilterType type : kFilterOrder) {
    const auto row = static_cast<std::size_t>(type);
    enabled_[row] = new QCheckBox(qtext(std::string(filterCaption(type))));
    enabled_[row]->setChecked(settings.enabledOf(type));
    grid->addWidget(enabled_[row], static_cast<int>(row) + 1, 0);
    for (std::size_t j = 0; j < cornerCount(type); ++j) {
      auto* box = new QLineEdit(qtext(decode::shortestText(settings.cornersOf(type)[j])));
      box->setMaximumWidth(70);
      corners_[row][j] = box;
      grid->addWidget(box, static_cast<int>(row) + 1, static_cast<int>(j) + 1);
    }
  }
  message_->setWordWrap(true);
  message_->hide();
  progress_->setRange(0, 100);
  progress_->hide();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(message_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &FiltersDialog::startIfValid);
  connect(cancel_, &QPushButton::clicked, this, &FiltersDialog::reject);
  connect(&watcher_, &QFutureWatcher<std::optional<FilteredTraces>>::finished, this,
          &FiltersDialog::runFinished);
}

FiltersDialog::~FiltersDialog() {
  cancelRequested_ = true;
  watcher_.waitForFinished();
}

QString FiltersDialog::message() const {
  return message_->isVisible() ? message_->text() : QString();
}

FilterSettings FiltersDialog::settingsFromBoxes() const {
  FilterSettings f;
  for (FilterType type : kFilterOrder) {
    const auto row = static_cast<std::size_t>(type);
    f.enabledOf(type) = enabled_[row]->isChecked();
    for (std::size_t j = 0; j < cornerCount(type); ++j)
      f.cornersOf(type)[j] =
          static_cast<float>(decode::numericValue(corners_[row][j]->text().toStdString()));
  }
  return f;
}

void FiltersDialog::showMessage(const QString& text) {
  message_->setText(text);
  message_->setVisible(!text.isEmpty());
}

void FiltersDialog::startIfValid() {
  const FilterSettings filters = settingsFromBoxes();
  storeFilterSettings(filters, state_.settings);
  const std::string problem = validateFilters(filters);
  if (!problem.empty()) {
    showMessage(qtext(problem));
    return;
  }
  showMessage({});
  ok_->hide();
  progress_->setValue(0);
  progress_->show();
  for (QWidget* w : findChildren<QLineEdit*>()) w->setEnabled(false);
  for (QCheckBox* box : enabled_) box->setEnabled(false);
  cancelRequested_ = false;
  const std::vector<FilterRequest> requests = enabledFilters(filters);
  auto report = [this](FilterType type, int percent) {
    QMetaObject::invokeMethod(
        this, [this, type, percent] { showProgress(type, percent); }, Qt::QueuedConnection);
    return !cancelRequested_;
  };
  const decode::SegdRecord& record = state_.record;
  dsp::Fft& fft = state_.fft;
  watcher_.setFuture(QtConcurrent::run([&record, &fft, requests, report] {
    return filterRecordTraces(record, requests, fft, report);
  }));
}

void FiltersDialog::showProgress(FilterType type, int percent) {
  if (!running()) return;
  if (percent == 0) {
    progress_->setValue(0);
    if (const std::string phase = phaseText(type); !phase.empty()) showMessage(qtext(phase));
    return;
  }
  showMessage(qtext(progressText(type, percent)));
  progress_->setValue(percent);
}

void FiltersDialog::runFinished() {
  std::optional<FilteredTraces> filtered = watcher_.result();
  progress_->setValue(0);
  progress_->hide();
  if (!filtered || closeWhenStopped_) {
    // Cancelled: the record was never touched.
    QDialog::reject();
    return;
  }
  showMessage("Wait for Traces to be Drawn");
  applyFilteredTraces(state_.record, std::move(*filtered));
  accept();
}

void FiltersDialog::reject() {
  if (!running()) {
    QDialog::reject();
    return;
  }
  cancelRequested_ = true;
  closeWhenStopped_ = true;
  showMessage("Cancelling");
}

}  // namespace vorax::filter::ui
