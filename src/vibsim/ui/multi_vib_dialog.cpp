#include "vibsim/ui/multi_vib_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <filesystem>

#include "app/startup.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/message_boxes.h"
#include "base/folder_access.h"
#include "vibsim/setup_checks.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/ui/aspect_row.h"

namespace vorax::vibsim::ui {

namespace {

constexpr const char* kTitle = "MV Sim";

}  // namespace

void saveSettingsDuringRun(app::AppState& state) {
  if (base::folderIsReadOnly(state.StartFolder)) return;
  app::saveSettings(state.settings, state.startFolderFile(app::kSettingsFileName));
}

MultiVibDialog::MultiVibDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle(QString("Vibrator Similarity Processing - Multiple Vibs in ") + "One File");
  mayReplace = [this](const std::string& path) { return app::ui::askToReplace(this, path); };
  build();
  controls_.load(state_.settings);
}

void MultiVibDialog::build() {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildRows(), 1);
  layout->addWidget(buildSettingsColumn());
}

QWidget* MultiVibDialog::buildRows() {
  auto* table = new QWidget;
  auto* grid = new QGridLayout(table);
  grid->setVerticalSpacing(1);
  grid->setHorizontalSpacing(3);
  grid->addWidget(new QLabel("Name"), 1, 1);
  grid->addWidget(new QLabel("Sim Channel Definitions"), 0, 2, 1, 4, Qt::AlignCenter);
  grid->addWidget(new QLabel("Pulse Channel Definitions"), 0, 6, 1, 4, Qt::AlignCenter);
  for (std::size_t c = 0; c < 8; ++c)
    grid->addWidget(new QLabel(QString::fromUtf8(kChannelCaptions[c % 4].data())), 1,
                    2 + static_cast<int>(c), Qt::AlignCenter);
  for (int row = 1; row <= kSetupRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    grid->addWidget(new QLabel(QString("Vib %1").arg(row)), row + 1, 0);
    QLineEdit* name = controls_.text(app::rows::kMultiVibNames, r);
    name->setFixedWidth(80);
    grid->addWidget(name, row + 1, 1);
    for (std::size_t c = 0; c < 8; ++c) {
      QLineEdit* channel = controls_.channel(app::rows::kMultiVibChannels, c * 31 + r);
      channel->setObjectName(QString("channel_%1_%2").arg(c).arg(row));
      grid->addWidget(channel, row + 1, 2 + static_cast<int>(c));
    }
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(table);
  scroll->setWidgetResizable(true);
  scroll->setMinimumWidth(table->sizeHint().width() + 24);
  return scroll;
}

QWidget* MultiVibDialog::buildSettingsColumn() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);

  auto* pilot = new QHBoxLayout;
  pilot->addWidget(new QLabel("Pilot Channel"));
  pilot->addWidget(controls_.number(mvs::kPilotChannel));
  pilot->addStretch(1);
  layout->addLayout(pilot);

  auto* groups = new QHBoxLayout;
  auto* test = controls_.tickGroup("", {mvs::kSimilarity, mvs::kPulse}, true);
  auto* options = controls_.optionsGroup(mvs::kScreenPause, mvs::kDelay, mvs::kShowZeroLines, {});
  auto* maker = controls_.tickGroup("", {mvs::kSercel, mvs::kPelton}, true);
  groups->addWidget(test);
  groups->addWidget(options);
  groups->addWidget(maker);
  layout->addLayout(groups);

  auto* outputs = new QHBoxLayout;
  outputs->addWidget(controls_.tickGroup(
      "Destination", {mvs::kScreen, mvs::kBmp, mvs::kLowResPrint, mvs::kHighResPrint}));
  outputs->addWidget(
      controls_.tickGroup("Output (Sim Only)", {mvs::kPage1, mvs::kPage2, mvs::kPage3}));
  outputs->addWidget(controls_.tickGroup("", {mvs::kCalculatedForce, mvs::kTransferFunction}));
  layout->addLayout(outputs);

  layout->addWidget(controls_.parameterGroup(
      "Parameters", std::vector<SetupField>(mvs::kParameters.begin(), mvs::kParameters.end()),
      {mvs::kMassOfMass, mvs::kMassOfBasePlate}));

  auto* colours = new QGroupBox("Colours");
  auto* colourGrid = new QGridLayout(colours);
  for (std::size_t i = 0; i < mvs::kColourCaptions.size(); ++i) {
    colourGrid->addWidget(new QLabel(QString::fromUtf8(mvs::kColourCaptions[i].data())), 0,
                          static_cast<int>(i));
    colourGrid->addWidget(controls_.colour(app::rows::kSimilarityColours, i), 1,
                          static_cast<int>(i));
  }
  layout->addWidget(colours);

  layout->addLayout(controls_.setupButtons(
      this, {"Multi Vib Sim Files (*.MVS)|*.MVS", "MVS Files |*.MVS",
             [this] { return state_.LastDataFolder; },
             [this](const std::string& name) { return saveSetupTo(name); },
             [this](const std::string& name) { return loadSetupFrom(name); }, [this] { go(); }}));
  layout->addStretch(1);
  return column;
}

std::string MultiVibDialog::saveSetupTo(const std::string& typedName) {
  const std::string path = setupFileName(kMvsFile, typedName);
  controls_.store(state_.settings);
  // A set-up that could not be loaded again is not written.
  if (const std::string problem = checkSetupValues(kMvsFile, state_.settings); !problem.empty())
    return "The set-up cannot be saved: " + problem + ".";
  if (mayReplace && !mayReplace(path)) return {};
  return writeSetupFile(kMvsFile, path, state_.settings);
}

std::string MultiVibDialog::loadSetupFrom(const std::string& path) {
  const std::string error = readSetupFile(kMvsFile, path, state_.settings);
  if (error.empty()) controls_.load(state_.settings);
  return error;
}

PreparedVibrator MultiVibDialog::prepare(const WirelineSetup& setup, int index) {
  const WirelineVibrator& vibrator = setup.vibrators[static_cast<std::size_t>(index)];
  const std::int32_t traces = state_.recordLoaded ? state_.record.loadedTraceCount() : 0;
  if (const auto problem = checkWirelineChannels(setup, vibrator, traces)) {
    const QString text = QString::fromStdString(problem->message);
    if (problem->endsRun) {
      QMessageBox::warning(window_, kTitle, text, QMessageBox::Ok);
      return {PreparedVibrator::Action::EndRun, nullptr, vibrator.row, vibrator.label,
              problem->reason};
    }
    const auto answer =
        QMessageBox::warning(window_, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel);
    return {answer == QMessageBox::Ok ? PreparedVibrator::Action::Skip
                                      : PreparedVibrator::Action::EndRun,
            nullptr, vibrator.row, vibrator.label, problem->reason};
  }
  return {PreparedVibrator::Action::Show,
          makeWirelinePages(state_.record, setup, vibrator,
                            bannerTextsOf(state_.settings, state_.record), state_.LastDataFolder,
                            state_.fft, &state_.debugLog),
          vibrator.row,
          vibrator.label,
          {}};
}

void MultiVibDialog::go() {
  if (run_ && run_->running()) return;
  controls_.store(state_.settings);
  if (const std::string problem = checkSetupValues(kMvsFile, state_.settings); !problem.empty()) {
    QMessageBox::warning(this, kTitle,
                         QString::fromStdString("The set-up cannot be run: " + problem + "."));
    return;
  }
  setup_ = wirelineSetupOf(state_.settings);
  if (setup_.vibrators.empty()) {
    QMessageBox::information(this, kTitle, "No vibrator has both a Ref and a Force channel.");
    return;
  }
  if (fleet_) fleet_->close();
  window_ = new SimilarityWindow(state_.debugLog, "HDLG14/Vib sim display destroyed", this);
  window_->setAttribute(Qt::WA_DeleteOnClose);
  const RunDestinations destinations{setup_.params.screen == 1, setup_.params.screenPause == 1,
                                     setup_.delaySeconds, setup_.params.bmp == 1,
                                     printQuality(setup_.params, setup_.highResPrint)};
  run_ = new SimilarityRun(
      static_cast<int>(setup_.vibrators.size()),
      [this](int index) { return prepare(setup_, index); }, destinations, window_, this);
  run_->setLeaveHook([this](int) { saveSettingsDuringRun(state_); });
  const auto rowOf = [this](int index) {
    return index >= 0 ? setup_.vibrators[static_cast<std::size_t>(index)].row : 0;
  };
  run_->setPreviousHooks(
      [this, rowOf](int index) {
        if (state_.debugLog.enabled())
          state_.debugLog.line("Multi Vib Previous entry point vn=" + std::to_string(rowOf(index)));
      },
      [this, rowOf](int index) {
        if (state_.debugLog.enabled())
          state_.debugLog.line("Multi Vib Previous exit point vn=" + std::to_string(rowOf(index)));
      });
  connect(run_, &SimilarityRun::completed, this, [this] {
    const std::string file = std::filesystem::path(state_.record.fileName).filename().string();
    fleet_ = openFleetTable(this, run_->fleet(), setup_.params, "Wireline Similarity Fleet",
                            fleetSubtitle(bannerTextsOf(state_.settings, state_.record), file),
                            state_.LastDataFolder);
  });
  connect(run_, &SimilarityRun::finished, run_, &QObject::deleteLater);
  window_->show();
  run_->start();
}

}  // namespace vorax::vibsim::ui
