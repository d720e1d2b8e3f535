#include "interchange/ui/segy_export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <filesystem>

#include "app/ui/file_dialogs.h"
#include "app/ui/message_boxes.h"

namespace vorax::interchange::ui {

namespace {

constexpr const char* kSegyFilter = "SEG-Y Files (*.sgy *.segy)|*.sgy;*.segy|All Files|*.*";

ExportOutcome runExport(const std::vector<std::filesystem::path>& files,
                        const std::filesystem::path& output, SegySort sort) {
  decode::CollectingMessages messages;
  ExportOutcome out;
  out.result = convertToSegy(files, output, sort, messages);
  out.messages = std::move(messages.messages);
  out.records = files.size();
  return out;
}

}  // namespace

SegyExportDialog::SegyExportDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent), state_(state), boxes_(this), messages_(&boxes_) {
  setWindowTitle("Export SEG-Y");
  setMinimumWidth(720);  // room for full record paths
  files_ = new QListWidget(this);
  auto* add = new QPushButton("Add...", this);
  auto* remove = new QPushButton("Remove", this);
  auto* fileButtons = new QVBoxLayout;
  fileButtons->addWidget(add);
  fileButtons->addWidget(remove);
  fileButtons->addStretch();
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(files_);
  fileRow->addLayout(fileButtons);

  sort_ = new QComboBox(this);
  sort_->addItem("As recorded");
  sort_->addItem("By channel");
  output_ = new QLineEdit(this);
  auto* browse = new QPushButton("Browse...", this);
  auto* outputRow = new QHBoxLayout;
  outputRow->addWidget(output_);
  outputRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow("Trace order", sort_);
  form->addRow("SEG-Y file", outputRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  export_ = buttons->addButton("Export", QDialogButtonBox::AcceptRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Records, written one after another:", this));
  layout->addLayout(fileRow);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(add, &QPushButton::clicked, this, [this] { askForFiles(); });
  connect(remove, &QPushButton::clicked, this, [this] { qDeleteAll(files_->selectedItems()); });
  connect(browse, &QPushButton::clicked, this, [this] { askForOutput(); });
  connect(export_, &QPushButton::clicked, this, [this] { exportFiles(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(&run_, &QFutureWatcher<ExportOutcome>::finished, this,
          [this] { showOutcome(run_.result()); });

  if (state_.recordLoaded && !state_.record.fileName.empty()) {
    addFiles({state_.record.fileName});
    setOutput(std::filesystem::path(state_.record.fileName).replace_extension(".sgy").string());
  }
}

void SegyExportDialog::addFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) files_->addItem(QString::fromStdString(path));
}

void SegyExportDialog::setOutput(const std::string& path) {
  output_->setText(QString::fromStdString(path));
}

void SegyExportDialog::setSort(SegySort sort) {
  sort_->setCurrentIndex(sort == SegySort::Channel ? 1 : 0);
}

void SegyExportDialog::askForFiles() {
  addFiles(app::ui::GETMULTIPLEFILES(state_.LastDataFolder, this));
}

void SegyExportDialog::askForOutput() {
  const std::string chosen =
      app::ui::SHOWSAVE(this, kSegyFilter, "Export SEG-Y", output_->text().toStdString());
  if (chosen.empty()) return;
  setOutput(chosen);
  replaceAgreed_ = chosen;  // the file dialog asked already
}

void SegyExportDialog::exportFiles() {
  if (run_.isRunning()) return;
  std::vector<std::filesystem::path> files;
  for (int k = 0; k < files_->count(); ++k)
    files.emplace_back(files_->item(k)->text().toStdString());
  const std::filesystem::path output = output_->text().trimmed().toStdString();
  if (files.empty() || output.empty()) {
    messages_->show("Choose the records to export and the SEG-Y file to write.", false);
    return;
  }
  if (output.string() != replaceAgreed_ && !app::ui::askToReplace(this, output.string())) return;
  const SegySort sort = sort_->currentIndex() == 1 ? SegySort::Channel : SegySort::AsRecorded;
  setEnabled(false);
  run_.setFuture(
      QtConcurrent::run([files, output, sort] { return runExport(files, output, sort); }));
}

void SegyExportDialog::showOutcome(const ExportOutcome& outcome) {
  setEnabled(true);
  for (const std::string& message : outcome.messages) messages_->show(message, false);
  std::string report = outcome.result.ok()
                           ? "Wrote " + std::to_string(outcome.result.traces) + " traces of " +
                                 std::to_string(outcome.records) + " record(s) to " +
                                 output_->text().trimmed().toStdString()
                           : outcome.result.error;
  for (const std::string& warning : outcome.result.warnings) report += "\nWarning: " + warning;
  messages_->show(report, false);
  emit finishedExport(outcome.result.ok());
  if (outcome.result.ok()) accept();
}

void addSegyExport(app::ui::MainWindow& window, app::AppState& state) {
  window.addFileCommand("&Export SEG-Y...", [&window, &state] {
    auto* dialog = new SegyExportDialog(state, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
  });
}

}  // namespace vorax::interchange::ui
