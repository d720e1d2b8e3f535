#include "tools/ui/file_splitter_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/ui/file_dialogs.h"
#include "app/utilities.h"
#include "tools/file_splitter.h"
#include "tools/ui/tool_widgets.h"

namespace vorax::tools::ui {

FileSplitterDialog::FileSplitterDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      boxes_(this),
      messages_(&boxes_),
      fileNumber_(readOnlyBox()),
      tracesInFile_(readOnlyBox()),
      currentTrace_(readOnlyBox()),
      fileProgress_(percentBar()),
      overallProgress_(percentBar()),
      complete_(new QLabel("File Extraction Complete")),
      select_(new QPushButton("Select File")),
      run_({select_}) {
  setWindowTitle("File Splitter");
  setModal(true);
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (auto [caption, widget] : {std::pair<const char*, QWidget*>{"File", fileNumber_},
                                 {"Traces in File", tracesInFile_},
                                 {"Current Trace", currentTrace_},
                                 {"Current File Progress", fileProgress_},
                                 {"Overall Progress", overallProgress_}}) {
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(widget, row++, 1);
  }
  complete_->hide();
  grid->addWidget(complete_, row++, 0, 1, 2, Qt::AlignCenter);
  auto* close = new QPushButton("Close");
  grid->addLayout(buttonRow({select_, close}), row, 0, 1, 2);
  connect(select_, &QPushButton::clicked, this, &FileSplitterDialog::chooseAndSplit);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(420);
}

void FileSplitterDialog::reject() {
  if (!holdCloseWhileRunning(run_)) QDialog::reject();
}

void FileSplitterDialog::chooseAndSplit() {
  complete_->hide();
  const std::string name =
      app::ui::SHOWOPEN(this, "SEGD Files |*.*", "Select File To Open", state_.LastDataFolder);
  const QString chosen = QString::fromStdString(name).trimmed();
  if (chosen.isEmpty()) return;
  split(chosen);
}

void FileSplitterDialog::split(const QString& input) {
  const std::string path = input.toStdString();
  state_.LastDataFolder = app::FolderOfPath(path);
  ToolRun::Scope scope(run_);
  SplitCallbacks callbacks;
  callbacks.messages = messages_;
  callbacks.progress = [this](const SplitProgress& p) {
    fileNumber_->setText(QString::fromStdString(p.fileNumber));
    tracesInFile_->setText(QString::number(p.tracesInFile));
    currentTrace_->setText(QString::number(p.currentTrace - p.currentTrace % 100));
    fileProgress_->setValue(p.filePercent);
    overallProgress_->setValue(p.overallPercent);
    return run_.keepGoing();
  };
  callbacks.mayReplace = replaceQuestion_ ? replaceQuestion_ : askBeforeReplacing(this);
  const SplitResult result = splitFile(path, {}, callbacks);
  switch (result.status) {
    case SplitStatus::Complete:
      fileProgress_->setValue(0);
      overallProgress_->setValue(100);
      complete_->show();
      break;
    case SplitStatus::Cancelled:
    case SplitStatus::OutputExists:  // the user chose to keep the file
      break;
    default:
      messages_->show(result.message, false);
      break;
  }
  if (result.status == SplitStatus::Cancelled) QDialog::reject();  // Close was pressed
}

}  // namespace vorax::tools::ui
