#include "vibsim/ui/radio_sim_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <filesystem>

#include "app/ui/file_dialogs.h"
#include "app/ui/message_boxes.h"
#include "vibsim/radio_file.h"
#include "vibsim/setup_checks.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/ui/aspect_row.h"
#include "vibsim/ui/multi_vib_dialog.h"

namespace vorax::vibsim::ui {

RadioSimDialog::RadioSimDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle("408 Radio Similarities");
  mayReplace = [this](const std::string& path) { return app::ui::askToReplace(this, path); };
  confirm = [this](const std::string& question) {
    return QMessageBox::question(this, "VORAX Viewer", QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
  };
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildRows(), 1);
  layout->addWidget(buildSettingsColumn());
  controls_.load(state_.settings);
  setFolder(std::string(state_.settings.radioFolder()));
}

QWidget* RadioSimDialog::buildRows() {
  auto* group = new QGroupBox("Radio Similarity Files");
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(1);
  grid->addWidget(new QLabel("Name"), 0, 1);
  grid->addWidget(new QLabel("Sim File"), 0, 2);
  grid->addWidget(new QLabel("Pulse File"), 0, 3);
  for (int row = 1; row <= kSetupRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    grid->addWidget(new QLabel(QString("Vib %1").arg(row)), row, 0);
    QLineEdit* name = controls_.text(app::rows::kRadioNames, r);
    name->setFixedWidth(80);
    grid->addWidget(name, row, 1);
    QLineEdit* sim = controls_.text(app::rows::kRadioSimFiles, r);
    sim->setObjectName(QString("sim_%1").arg(row));
    grid->addWidget(sim, row, 2);
    grid->addWidget(controls_.text(app::rows::kRadioPulseFiles, r), row, 3);
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(group);
  scroll->setWidgetResizable(true);
  scroll->setMinimumWidth(group->sizeHint().width() + 24);
  return scroll;
}

QWidget* RadioSimDialog::buildSettingsColumn() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);

  auto* folderRow = new QHBoxLayout;
  auto* choose = new QPushButton("Choose Folder");
  folderText_ = new QLabel;
  folderText_->setMinimumWidth(180);
  auto* loadAll = new QPushButton("Load All Files");
  folderRow->addWidget(choose);
  folderRow->addWidget(folderText_, 1);
  folderRow->addWidget(loadAll);
  folderRow->addWidget(controls_.tick(rsf::kAutoVibName));
  layout->addLayout(folderRow);

  auto* signalGroup = new QGroupBox("Signal Definitions");
  auto* grid = new QGridLayout(signalGroup);
  grid->addWidget(new QLabel("Title"), 0, 1);
  grid->addWidget(new QLabel("Channel"), 0, 2);
  grid->addWidget(new QLabel("Colour"), 0, 3);
  grid->addWidget(new QLabel("Radio Ref Channel"), 1, 0);
  grid->addWidget(controls_.text(app::rows::kRadioReferenceTitle, 0), 1, 1);
  grid->addWidget(controls_.number(rsf::kReferenceChannel), 1, 2);
  grid->addWidget(controls_.colour(app::rows::kRadioColours, rsf::kReferenceColour), 1, 3);
  grid->addWidget(new QLabel("Radio Return Channel"), 2, 0);
  grid->addWidget(controls_.text(app::rows::kRadioReturnTitle, 0), 2, 1);
  grid->addWidget(controls_.number(rsf::kReturnChannel), 2, 2);
  grid->addWidget(controls_.colour(app::rows::kRadioColours, rsf::kReturnColour), 2, 3);
  layout->addWidget(signalGroup);

  auto* groups = new QHBoxLayout;
  groups->addWidget(controls_.tickGroup("", {rsf::kSimilarity, rsf::kPulse}, true));
  auto* options = controls_.optionsGroup(rsf::kScreenPause, rsf::kDelay, rsf::kShowZeroLines,
                                         {rsf::kSercel, rsf::kPelton});
  groups->addWidget(options);
  groups->addWidget(controls_.tickGroup(
      "Destination", {rsf::kScreen, rsf::kBmp, rsf::kLowResPrint, rsf::kHighResPrint}));
  groups->addWidget(controls_.tickGroup("Output (Sim)", {rsf::kPage1, rsf::kPage2, rsf::kPage3}));
  layout->addLayout(groups);
  layout->addWidget(controls_.parameterGroup(
      "Parameters", std::vector<SetupField>(rsf::kParameters.begin(), rsf::kParameters.end()), {}));

  layout->addLayout(controls_.setupButtons(
      this,
      {"Radio Sim Definition Files (*.RSF)|*.RSF", "RSF Files |*.RSF", [this] { return folder_; },
       [this](const std::string& name) { return saveSetupTo(name); },
       [this](const std::string& name) { return loadSetupFrom(name); }, [this] { go(); }}));
  layout->addStretch(1);

  connect(choose, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, "Select Radio Similarity Folder",
        QString::fromStdString(folder_.empty() ? std::string("/") : folder_));
    if (!chosen.isEmpty()) setFolder(chosen.toStdString());
  });
  connect(loadAll, &QPushButton::clicked, this, &RadioSimDialog::loadAllFiles);
  return column;
}

void RadioSimDialog::setFolder(const std::string& folder) {
  folder_ = folder;
  folderText_->setText(QString::fromStdString(shortFolderText(folder)));
}

void RadioSimDialog::loadAllFiles() {
  controls_.store(state_.settings);
  loadAllRadioFiles(radioFolderFiles(folder_), state_.settings);
  controls_.load(state_.settings);
}

// Saving stores the folder the run reads. Loading offers the stored folder when it exists
// and differs from the chosen one: the user's choice is never replaced without asking.
std::string RadioSimDialog::saveSetupTo(const std::string& typedName) {
  const std::string path = setupFileName(kRsfFile, typedName);
  controls_.store(state_.settings);
  // A set-up that could not be loaded again is not written.
  if (const std::string problem = checkSetupValues(kRsfFile, state_.settings); !problem.empty())
    return "The set-up cannot be saved: " + problem + ".";
  if (mayReplace && !mayReplace(path)) return {};
  state_.settings.setRadioFolder(folder_);
  return writeSetupFile(kRsfFile, path, state_.settings);
}

std::string RadioSimDialog::loadSetupFrom(const std::string& path) {
  const std::string error = readSetupFile(kRsfFile, path, state_.settings);
  if (!error.empty()) return error;
  controls_.load(state_.settings);
  const std::string stored(state_.settings.radioFolder());
  std::error_code ec;
  if (stored.empty() || stored == folder_ || !std::filesystem::is_directory(stored, ec)) return {};
  if (folder_.empty() ||
      (confirm && confirm("The set-up was saved with the radio similarity folder " + stored +
                          ".\nUse it instead of " + folder_ + "?")))
    setFolder(stored);
  return {};
}

PreparedVibrator RadioSimDialog::prepare(int index) {
  const RadioVibrator& vibrator = setup_.vibrators[static_cast<std::size_t>(index)];
  if (state_.debugLog.enabled()) state_.debugLog.line("Vib name entry " + vibrator.label);
  const RadioLoad load = loadRadioSimilarityFile(setup_.folder / vibrator.file, record_);
  if (!load.ok) {
    QMessageBox::warning(window_, "VORAX Viewer", QString::fromStdString(load.message));
    return {PreparedVibrator::Action::Skip, nullptr, vibrator.row, vibrator.label, load.message};
  }
  if (const auto problem = checkRadioChannels(setup_, record_.loadedTraceCount())) {
    QMessageBox::warning(window_, "VORAX Viewer", QString::fromStdString(*problem));
    return {PreparedVibrator::Action::EndRun, nullptr, vibrator.row, vibrator.label, *problem};
  }
  return {PreparedVibrator::Action::Show,
          makeRadioPages(record_, setup_, vibrator, bannerTextsOf(state_.settings, record_),
                         state_.fft, &state_.debugLog),
          vibrator.row,
          vibrator.label,
          {}};
}

void RadioSimDialog::go() {
  if (run_ && run_->running()) return;
  controls_.store(state_.settings);
  if (const std::string problem = checkSetupValues(kRsfFile, state_.settings); !problem.empty()) {
    QMessageBox::warning(this, "VORAX Viewer",
                         QString::fromStdString("The set-up cannot be run: " + problem + "."));
    return;
  }
  state_.settings.setRadioFolder(folder_);
  setup_ = radioSetupOf(state_.settings, folder_);
  if (setup_.vibrators.empty()) {
    QMessageBox::information(this, "VORAX Viewer",
                             QString::fromStdString(noListedFileMessage(folder_)));
    return;
  }
  window_ = new SimilarityWindow(state_.debugLog, "HDLG15/Radio Sim Display Destroyed", this);
  window_->setAttribute(Qt::WA_DeleteOnClose);
  const RunDestinations destinations{setup_.params.screen == 1, setup_.params.screenPause == 1,
                                     setup_.delaySeconds, setup_.params.bmp == 1,
                                     printQuality(setup_.params, setup_.highResPrint)};
  run_ = new SimilarityRun(
      static_cast<int>(setup_.vibrators.size()), [this](int index) { return prepare(index); },
      destinations, window_, this);
  run_->setLeaveHook([this](int) { saveSettingsDuringRun(state_); });
  connect(window_, &SimilarityWindow::cancelled, this, [this] {
    if (state_.debugLog.enabled()) state_.debugLog.line("HDLG15/Radio Sim Request to be Destroyed");
  });
  if (fleet_) fleet_->close();
  connect(run_, &SimilarityRun::completed, this, [this] {
    fleet_ =
        openFleetTable(this, run_->fleet(), setup_.params, "Radio Similarity Fleet",
                       fleetSubtitle(bannerTextsOf(state_.settings, record_), folder_), folder_);
  });
  connect(run_, &SimilarityRun::finished, run_, &QObject::deleteLater);
  window_->show();
  run_->start();
}

}  // namespace vorax::vibsim::ui
