#include "tools/ui/sum_diff_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/ui/file_dialogs.h"
#include "app/utilities.h"
#include "tools/record_sum.h"
#include "tools/ui/tool_widgets.h"

namespace vorax::tools::ui {

namespace {

// Settings elements of the three options.
constexpr std::size_t kSum = 0;
constexpr std::size_t kDifference = 1;
constexpr std::size_t kNormalise = 2;

}  // namespace

SumDiffDialog::SumDiffDialog(app::AppState& state,
                             std::function<void(decode::SegdRecord&&)> takeResult, QWidget* parent)
    : QDialog(parent),
      state_(state),
      takeResult_(std::move(takeResult)),
      boxes_(this),
      messages_(&boxes_),
      names_{readOnlyBox(), readOnlyBox()},
      sum_(new QRadioButton("Sum")),
      difference_(new QRadioButton("Difference")),
      normalise_(new QCheckBox("Normalise to Trace Peak")),
      bars_{percentBar(), percentBar(), percentBar()},
      go_(new QPushButton("Go")),
      run_({go_, sum_, difference_, normalise_}) {
  setWindowTitle("Sum/Difference of Records");
  setModal(true);
  auto* grid = new QGridLayout(this);
  for (int n = 1; n <= 2; ++n) {
    auto* select = new QPushButton(QString("Select File %1").arg(n));
    grid->addWidget(select, n - 1, 0);
    grid->addWidget(names_[n - 1], n - 1, 1);
    connect(select, &QPushButton::clicked, this, [this, n] { chooseFile(n); });
  }
  auto* operation = new QGroupBox("Operation");
  auto* operationLayout = new QVBoxLayout(operation);
  operationLayout->addWidget(sum_);
  operationLayout->addWidget(difference_);
  grid->addWidget(operation, 2, 0);
  grid->addWidget(normalise_, 2, 1);
  int row = 3;
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(i == 0   ? "Read File 1"
                               : i == 1 ? "Read File 2"
                                        : "Operation"),
                    row, 0);
    grid->addWidget(bars_[i], row++, 1);
  }
  auto* cancel = new QPushButton("Cancel");
  grid->addLayout(buttonRow({go_, cancel}), row, 0, 1, 2);
  connect(go_, &QPushButton::clicked, this, &SumDiffDialog::go);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  const app::ViewerSettings& s = state_.settings;
  sum_->setChecked(s.sumDiffOption(kSum) != 0);
  difference_->setChecked(s.sumDiffOption(kDifference) != 0);
  normalise_->setChecked(s.sumDiffOption(kNormalise) != 0);
  setMinimumWidth(460);
}

void SumDiffDialog::reject() {
  if (holdCloseWhileRunning(run_)) return;
  storeRadioButtons();
  QDialog::reject();
}

void SumDiffDialog::chooseFile(int n) {
  const std::string name =
      app::ui::SHOWOPEN(this, "SEGD Files |*.*", "Select File To Open", state_.LastDataFolder);
  if (QString::fromStdString(name).trimmed().isEmpty()) return;
  setFile(n, name);
}

void SumDiffDialog::setFile(int n, const std::string& path) {
  state_.LastDataFolder = app::FolderOfPath(path);
  files_[n - 1] = path;
  names_[n - 1]->setText(QString::fromStdString(std::filesystem::path(path).filename().string()));
  resetBars();
}

void SumDiffDialog::resetBars() {
  for (QProgressBar* bar : bars_) bar->setValue(0);
}

void SumDiffDialog::storeRadioButtons() {
  state_.settings.setSumDiffOption(kSum, sum_->isChecked() ? 1 : 0);
  state_.settings.setSumDiffOption(kDifference, difference_->isChecked() ? 1 : 0);
}

void SumDiffDialog::storeOperation() {
  storeRadioButtons();
  state_.settings.setSumDiffOption(kNormalise, normalise_->isChecked() ? 1 : 0);
}

void SumDiffDialog::tell(const std::string& text, bool untitled) {
  if (untitled) {
    showUntitled(this, QString::fromStdString(text));
  } else {
    messages_->show(text, false);
  }
}

void SumDiffDialog::go() {
  resetBars();
  storeOperation();
  SumDiffOptions options;
  options.operation = sum_->isChecked()          ? SumDiffOperation::Sum
                      : difference_->isChecked() ? SumDiffOperation::Difference
                                                 : SumDiffOperation::None;
  options.normalise = normalise_->isChecked();
  auto barUpdater = [this](QProgressBar* bar) {
    return [this, bar](int percent) {
      bar->setValue(percent);
      return run_.keepGoing();
    };
  };
  SumDiffProgress progress{barUpdater(bars_[0]), barUpdater(bars_[1]), barUpdater(bars_[2])};

  decode::SegdRecord result;
  SumDiffOutcome outcome;
  {
    ToolRun::Scope scope(run_);
    outcome =
        sumDifference(files_[0], files_[1], options, result, *messages_, state_.debugLog, progress);
  }
  if (outcome.cancelled) {
    reject();  // Cancel was pressed while reading
    return;
  }
  if (!outcome.ok) {
    if (!outcome.message.empty()) tell(outcome.message, outcome.untitled);
    return;
  }
  if (takeResult_) takeResult_(std::move(result));
  accept();
}

}  // namespace vorax::tools::ui
