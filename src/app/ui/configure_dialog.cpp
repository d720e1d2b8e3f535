#include "app/ui/configure_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/configure_rules.h"
#include "decode/conversions.h"

namespace vorax::app::ui {

namespace {

QString qtext(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
std::string plain(const QLineEdit* edit) {
  return edit->text().trimmed().toStdString();
}

QGroupBox* radioGroup(const QString& title, std::initializer_list<QRadioButton*> buttons) {
  auto* group = new QGroupBox(title);
  auto* layout = new QVBoxLayout(group);
  for (QRadioButton* b : buttons) layout->addWidget(b);
  return group;
}

}  // namespace

ConfigureDialog::ConfigureDialog(ViewerSettings& settings, std::optional<float> recordLengthMs,
                                 QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      recordLengthMs_(recordLengthMs),
      traces_(new QLineEdit),
      start_(new QLineEdit),
      end_(new QLineEdit),
      byLine_(new QRadioButton("Display By Line")),
      byNumber_(new QRadioButton("Display by Specified Number of Traces")),
      all_(new QRadioButton("Display All")),
      ignoreTilt_(new QCheckBox("Ignore Tilt Errors if more than 100")),
      oilCompany_(new QLineEdit),
      contractor_(new QLineEdit),
      crew_(new QLineEdit),
      fixedGain_(new QRadioButton("Fixed Gain Display")),
      normalised_(new QRadioButton("Display Normalised to Peak (by Trace)")),
      rmsBalanced_(new QRadioButton("Display Balanced by RMS (by Trace)")),
      wiggle_(new QRadioButton("Wiggle")),
      variableArea_(new QRadioButton("Variable Area")),
      density_(new QRadioButton("Variable Density")),
      agc_(new QCheckBox("AGC, window (ms)")),
      agcWindow_(new QLineEdit),
      clip_(new QLineEdit),
      gain_(new QLineEdit),
      problem_(new QLabel) {
  setWindowTitle("VORAX Viewer Configure");
  oilCompany_->setMaxLength(20);
  contractor_->setMaxLength(20);
  crew_->setMaxLength(10);

  auto* times = new QFormLayout;
  times->addRow("Number of Traces to Display", traces_);
  times->addRow("Display Start Time", start_);
  times->addRow("Display EndTime", end_);

  auto* headers = new QGroupBox("Headers");
  auto* headerForm = new QFormLayout(headers);
  headerForm->addRow("Oil Company", oilCompany_);
  headerForm->addRow("Contractor", contractor_);
  headerForm->addRow("Crew", crew_);

  auto* scaling = new QFormLayout;
  scaling->addRow("Trace Clip (0.5 - 4)", clip_);
  scaling->addRow("Initial Gain (db)", gain_);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ConfigureDialog::storeAndClose);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(times);
  layout->addWidget(radioGroup("Options", {byLine_, byNumber_, all_}));
  layout->addWidget(ignoreTilt_);
  layout->addWidget(headers);
  auto* modes = new QHBoxLayout;
  modes->addWidget(radioGroup("Display Mode", {fixedGain_, normalised_, rmsBalanced_}));
  modes->addWidget(radioGroup("Traces", {wiggle_, variableArea_, density_}));
  layout->addLayout(modes);
  scaling->addRow(agc_, agcWindow_);
  layout->addLayout(scaling);
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #c00000");
  problem_->hide();
  layout->addWidget(problem_);
  layout->addWidget(buttons);

  settings_.setTraceClip(clampClip(settings_.traceClip()));
  settings_.setInitialGainDb(clampGainDb(settings_.initialGainDb()));
  fillFromSettings();
}

QString ConfigureDialog::problem() const {
  return problem_->isHidden() ? QString() : problem_->text();
}

void ConfigureDialog::fillFromSettings() {
  traces_->setText(qtext(clampTracesPerScreenText(settings_.tracesToDisplay())));
  start_->setText(qtext(settings_.displayStartTime()));
  end_->setText(qtext(settings_.displayEndTime()));
  byLine_->setChecked(settings_.displayByLine() == 1);
  all_->setChecked(settings_.displayAll() == 1);
  byNumber_->setChecked(settings_.displayByNumber() == 1 ||
                        (!byLine_->isChecked() && !all_->isChecked()));
  ignoreTilt_->setChecked(settings_.ignoreTiltErrors() == 1);
  oilCompany_->setText(qtext(settings_.oilCompany()).trimmed());
  contractor_->setText(qtext(settings_.contractor()).trimmed());
  crew_->setText(qtext(settings_.crew()).trimmed());
  const TraceBalance balance = settings_.traceBalance();
  fixedGain_->setChecked(balance == TraceBalance::None);
  normalised_->setChecked(balance == TraceBalance::Peak);
  rmsBalanced_->setChecked(balance == TraceBalance::Rms);
  const DisplayMode mode = settings_.displayMode();
  wiggle_->setChecked(mode == DisplayMode::Wiggle);
  variableArea_->setChecked(mode == DisplayMode::VariableArea);
  density_->setChecked(mode == DisplayMode::Density);
  agc_->setChecked(settings_.displayAgc() == 1);
  agcWindow_->setText(qtext(decode::shortestText(settings_.displayAgcWindowMs())));
  clip_->setText(qtext(decode::shortestText(settings_.traceClip())));
  gain_->setText(qtext(decode::shortestText(settings_.initialGainDb())));
}

void ConfigureDialog::storeAndClose() {
  const std::string start = clampStartTimeText(plain(start_), recordLengthMs_);
  const std::string end = clampEndTimeText(plain(end_), recordLengthMs_);
  // An impossible time window is refused: the dialog stays open and says why.
  if (const std::string problem = displayWindowProblem(start, end); !problem.empty()) {
    problem_->setText(QString::fromStdString(problem));
    problem_->show();
    start_->setFocus();
    return;
  }
  problem_->hide();
  traces_->setText(qtext(clampTracesPerScreenText(plain(traces_))));
  start_->setText(qtext(start));
  end_->setText(qtext(end));
  clip_->setText(qtext(clampClipText(plain(clip_))));
  gain_->setText(qtext(clampGainText(plain(gain_))));

  settings_.setTracesToDisplay(plain(traces_));
  settings_.setDisplayStartTime(plain(start_));
  settings_.setDisplayEndTime(plain(end_));
  settings_.setDisplayByLine(byLine_->isChecked() ? 1 : 0);
  settings_.setDisplayByNumber(byNumber_->isChecked() ? 1 : 0);
  settings_.setDisplayAll(all_->isChecked() ? 1 : 0);
  settings_.setIgnoreTiltErrors(ignoreTilt_->isChecked() ? 1 : 0);
  settings_.setOilCompany(plain(oilCompany_));
  settings_.setContractor(plain(contractor_));
  settings_.setCrew(plain(crew_));
  settings_.setTraceBalance(fixedGain_->isChecked()    ? TraceBalance::None
                            : normalised_->isChecked() ? TraceBalance::Peak
                                                       : TraceBalance::Rms);
  settings_.setDisplayMode(density_->isChecked()        ? DisplayMode::Density
                           : variableArea_->isChecked() ? DisplayMode::VariableArea
                                                        : DisplayMode::Wiggle);
  const double agcWindow = decode::numericValue(plain(agcWindow_));
  settings_.setDisplayAgc(agc_->isChecked() && agcWindow > 0 ? 1 : 0);
  if (agcWindow > 0) settings_.setDisplayAgcWindowMs(static_cast<float>(agcWindow));
  settings_.setTraceClip(static_cast<float>(decode::numericValue(plain(clip_))));
  settings_.setInitialGainDb(static_cast<float>(decode::numericValue(plain(gain_))));
  accept();
}

}  // namespace vorax::app::ui
