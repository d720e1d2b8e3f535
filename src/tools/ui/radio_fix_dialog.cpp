#include "tools/ui/radio_fix_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "app/ui/file_dialogs.h"
#include "decode/conversions.h"
#include "tools/radio_fix.h"
#include "tools/ui/tool_widgets.h"

namespace vorax::tools::ui {

namespace {

std::int32_t valueOf(const QLineEdit* box) {
  return decode::numericInt(box->text().toStdString());
}

}  // namespace

void RadioFixDialog::Messages::show(std::string_view text, bool systemModal) {
  if (text == kNoPrefixMessage) {
    showUntitled(owner_, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  } else {
    boxes_.show(text, systemModal);
  }
}

RadioFixDialog::RadioFixDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      boxes_(this),
      messages_(&boxes_),
      traces_(new QLineEdit),
      endTime_(new QLineEdit),
      prefix_(new QLineEdit),
      deleteOriginal_(new QCheckBox("Delete Original After Fix")),
      status_(readOnlyBox()),
      select_(new QPushButton("Select File(s)")),
      run_({select_, traces_, endTime_, prefix_, deleteOriginal_}) {
  setWindowTitle("Fix Radio Sim File");
  setModal(true);
  const app::ViewerSettings& s = state_.settings;
  traces_->setText(QString::number(s.radioFixTracesRequired()));
  endTime_->setText(QString::number(2 * s.radioFixHalfEndTime()));
  prefix_->setText(QString::fromUtf8(s.radioFixPrefix().data(),
                                     static_cast<qsizetype>(s.radioFixPrefix().size())));
  prefix_->setMaxLength(10);
  deleteOriginal_->setChecked(s.radioFixDeleteOriginal() != 0);

  auto* grid = new QGridLayout(this);
  int row = 0;
  for (auto [caption, box] : {std::pair<const char*, QLineEdit*>{"Traces Required", traces_},
                              {"End Time (mS)", endTime_},
                              {"Output File Prefix", prefix_}}) {
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(box, row++, 1);
  }
  grid->addWidget(deleteOriginal_, row++, 0, 1, 2);
  grid->addWidget(status_, row++, 0, 1, 2);
  auto* close = new QPushButton("Close");
  grid->addLayout(buttonRow({select_, close}), row, 0, 1, 2);
  connect(select_, &QPushButton::clicked, this, &RadioFixDialog::chooseAndFix);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(380);
}

QString RadioFixDialog::status() const {
  return status_->text();
}

void RadioFixDialog::reject() {
  if (holdCloseWhileRunning(run_)) return;
  storeClosingSettings();
  QDialog::reject();
}

void RadioFixDialog::storeClosingSettings() {
  app::ViewerSettings& s = state_.settings;
  s.setRadioFixHalfEndTime(valueOf(endTime_) / 2);
  s.setRadioFixPrefix(prefix_->text().toStdString());
  s.setRadioFixDeleteOriginal(deleteOriginal_->isChecked() ? 1 : 0);
}

void RadioFixDialog::storeAllSettings() {
  state_.settings.setRadioFixTracesRequired(valueOf(traces_));
  storeClosingSettings();
}

void RadioFixDialog::chooseAndFix() {
  storeAllSettings();
  const std::vector<std::string> chosen =
      app::ui::GETMULTIPLEFILES(state_.settings.radioFixFolder(), this);
  if (chosen.empty()) {
    showUntitled(this, "No file(s) selected");
    return;
  }
  QStringList files;
  for (const std::string& f : chosen) files << QString::fromStdString(f);
  fix(files);
}

void RadioFixDialog::fix(const QStringList& files) {
  storeAllSettings();
  if (files.isEmpty()) return;
  const std::filesystem::path first = files.first().toStdString();
  state_.settings.setRadioFixFolder(first.parent_path().string());

  const app::ViewerSettings& s = state_.settings;
  RadioFixOptions options;
  options.tracesRequired = s.radioFixTracesRequired();
  options.halfEndTime = s.radioFixHalfEndTime();
  options.prefix = std::string(s.radioFixPrefix());
  options.deleteOriginal = s.radioFixDeleteOriginal() != 0;
  std::vector<std::filesystem::path> inputs;
  for (const QString& f : files) inputs.emplace_back(f.toStdString());

  ToolRun::Scope scope(run_);
  RadioFixCallbacks callbacks;
  callbacks.messages = messages_;
  callbacks.status = [this](const std::string& text) {
    status_->setText(QString::fromStdString(text));
    run_.keepGoing();
  };
  callbacks.progress = [this](int) { return run_.keepGoing(); };
  callbacks.mayReplace = replaceQuestion_ ? replaceQuestion_ : askBeforeReplacing(this);
  const RadioFixResult result = fixRadioFiles(inputs, options, callbacks);
  if (result.deleteSwitchedOff) {
    state_.settings.setRadioFixDeleteOriginal(0);
    deleteOriginal_->setChecked(false);
  }
  if (result.status == RadioFixStatus::Cancelled) {  // Close was pressed
    storeClosingSettings();
    QDialog::reject();
    return;
  }
  if (result.status == RadioFixStatus::Complete) return;
  status_->setText("Stopped");
  // A file kept because the user said so needs no message.
  if (result.status != RadioFixStatus::OutputExists) messages_->show(result.message, false);
}

}  // namespace vorax::tools::ui
