// Runs as the user makes them: a fleet with wiring faults ends in a fleet table that fails
// exactly the faulty vibrators; a printed run is one PDF holding every page of every
// vibrator; the set-up dialogs ask before they replace a file or the chosen folder, and
// refuse a set-up whose tapers hide the sweep.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "app/ui/graphic_area.h"
#include "decode/record_opener.h"
#include "test_support.h"
#include "vibsim/setup_fields.h"
#include "vibsim/setup_files.h"
#include "vibsim/ui/fleet_table_window.h"
#include "vibsim/ui/multi_vib_dialog.h"
#include "vibsim/ui/radio_sim_dialog.h"
#include "vibsim/ui/similarity_run.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::vibsim::ui {
namespace {

void loadFleet(app::AppState& state, const std::vector<VibratorFault>& faults,
               const std::filesystem::path& folder) {
  VibratorRecordOptions options;
  options.sampleIntervalMs = 4;
  options.groundForceFaults = faults;
  ASSERT_EQ(writeVibratorRecord(folder / "vibs.segd", options), "");
  decode::CollectingMessages messages;
  ASSERT_TRUE(decode::openRecord(folder / "vibs.segd", state.record, messages, {}).ok());
  state.recordLoaded = true;
  state.StartFolder = folder.string() + "/";
  app::ApplyDefaultSettings(state.settings);
  for (int v = 1; v <= static_cast<int>(faults.size()); ++v) {
    const auto r = static_cast<std::size_t>(v);
    state.settings.setMultiVibName(r, "V" + std::to_string(v));
    for (std::size_t c = 0; c < 4; ++c)
      state.settings.setMultiVibChannel(c, r, vibratorTrace(v, static_cast<int>(c)));
  }
  setFieldValue(state.settings, mvs::kScreen, 0);  // nothing to wait for
  setFieldValue(state.settings, mvs::kScreenPause, 0);
}

TEST(FleetRun, WiringFaultsFailTheirVibratorsInTheFleetTable) {
  test::TempDir dir;
  app::AppState state;
  loadFleet(state, {{}, {0, 0, -1}, {0, 0, 0}, {0, 0, 0.005}}, dir.path());
  MultiVibDialog dialog(state);
  dialog.go();
  QTRY_VERIFY_WITH_TIMEOUT(dialog.fleetWindow() != nullptr, 20000);
  const std::vector<FleetEntry>& fleet = dialog.fleetWindow()->entries();
  ASSERT_EQ(fleet.size(), 4u);
  const VibratorVerdict& clean = *fleet[0].verdict;
  EXPECT_TRUE(clean.pass());
  EXPECT_FALSE(fleet[1].verdict->polarityPass);
  EXPECT_TRUE(fleet[1].verdict->startTimePass && fleet[1].verdict->signalPass);
  EXPECT_FALSE(fleet[2].verdict->signalPass);
  EXPECT_FALSE(fleet[3].verdict->signalPass);
  EXPECT_FALSE(fleet[3].verdict->startTimePass);  // "No signal" in its place
  EXPECT_TRUE(fleet[3].verdict->polarityPass && fleet[3].verdict->correlationPass);
  EXPECT_FALSE(dialog.fleetWindow()->picture().isNull());

  bool replace = true;
  dialog.fleetWindow()->mayReplace = [&replace](const std::string&) { return replace; };
  EXPECT_EQ(dialog.fleetWindow()->saveCsvTo((dir / "fleet").string()), "");
  std::vector<std::uint8_t> csv = test::readFileBytes(dir / "fleet.CSV");
  EXPECT_NE(std::string(csv.begin(), csv.end()).find("4,V4,No signal,"), std::string::npos);
  test::writeFileBytes(dir / "fleet.CSV", {1});
  replace = false;  // the user says No: the file stays as it was
  EXPECT_EQ(dialog.fleetWindow()->saveCsvTo((dir / "fleet.csv").string()), "");
  EXPECT_EQ(test::readFileBytes(dir / "fleet.CSV").size(), 1u);
}

TEST(FleetRun, APrintedRunIsOnePdfOfEveryPageOfEveryVibrator) {
  test::TempDir dir;
  app::AppState state;
  loadFleet(state, {{}, {300, 0, 1}, {0, 0.3, 1}}, dir.path());
  const WirelineSetup setup = wirelineSetupOf(state.settings);
  ASSERT_EQ(setup.vibrators.size(), 3u);
  for (int quality : {2, 1}) {
    SCOPED_TRACE(quality == 2 ? "high resolution" : "low resolution");
    const auto pdf = dir / ("run" + std::to_string(quality) + ".pdf");
    base::DebugLog log;
    auto* window = new SimilarityWindow(log, "");
    SimilarityRun run(
        3,
        [&](int i) {
          const WirelineVibrator& v = setup.vibrators[static_cast<std::size_t>(i)];
          return PreparedVibrator{
              PreparedVibrator::Action::Show,
              makeWirelinePages(state.record, setup, v, {}, dir.path().string(), state.fft),
              v.row,
              v.label,
              {}};
        },
        {false, false, 0, false, quality}, window);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(pdf.string()));
    printer->setPageOrientation(QPageLayout::Landscape);
    run.setPrinter(std::move(printer));
    QSignalSpy finished(&run, &SimilarityRun::finished);
    run.start();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    std::ifstream in(pdf, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const QString text = QString::fromLatin1(QByteArray::fromStdString(bytes.str()));
    EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 9);  // 3 x 3 pages
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST(SetupDialogs, AskBeforeReplacingAFileOrTheChosenFolder) {
  test::TempDir dir;
  app::AppState state;
  app::ApplyDefaultSettings(state.settings);
  MultiVibDialog multi(state);
  std::vector<std::string> asked;
  multi.mayReplace = [&asked](const std::string& path) {
    asked.push_back(path);
    return false;
  };
  test::writeFileBytes(dir / "fleet.MVS", {1, 2, 3});
  EXPECT_EQ(multi.saveSetupTo((dir / "fleet").string()), "");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], (dir / "fleet.MVS").string());
  EXPECT_EQ(test::readFileBytes(dir / "fleet.MVS").size(), 3u);  // kept: the answer was No

  const auto chosen = dir / "chosen";
  const auto stored = dir / "stored";
  std::filesystem::create_directory(chosen);
  std::filesystem::create_directory(stored);
  state.settings.setRadioFolder(stored.string());
  ASSERT_EQ(writeSetupFile(kRsfFile, dir / "radio.RSF", state.settings), "");
  for (bool yes : {false, true}) {
    RadioSimDialog radio(state);
    radio.setFolder(chosen.string());
    std::string question;
    radio.confirm = [&](const std::string& q) {
      question = q;
      return yes;
    };
    EXPECT_EQ(radio.loadSetupFrom((dir / "radio.RSF").string()), "");
    EXPECT_NE(question.find(stored.string()), std::string::npos) << question;
    EXPECT_NE(question.find(chosen.string()), std::string::npos) << question;
    EXPECT_EQ(radio.folder(), yes ? stored.string() : chosen.string());
  }
}

TEST(SetupDialogs, GoAndSaveRefuseTapersThatCoverTheSweep) {
  test::TempDir dir;
  app::AppState state;
  loadFleet(state, {{}}, dir.path());
  MultiVibDialog dialog(state);
  dialog.findChild<QLineEdit*>("Start Taper Length (mS)")->setText("6000");
  dialog.findChild<QLineEdit*>("End Taper Length (mS)")->setText("6000");
  QString seen;
  QTimer::singleShot(0, [&seen] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen = box->text();
      box->button(QMessageBox::Ok)->click();
    }
  });
  dialog.go();
  EXPECT_EQ(dialog.run(), nullptr);
  EXPECT_TRUE(seen.contains("cover the whole \"Truncate Time (mS)\"")) << seen.toStdString();
  EXPECT_NE(dialog.saveSetupTo((dir / "tapers").string()).find("cannot be saved"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "tapers.MVS"));
}

TEST(SimilarityWindow, PanesGrowWithTheWindowKeepingTheirProportions) {
  base::DebugLog log;
  SimilarityWindow window(log, "");
  window.resize(800, 600);
  window.show();
  QCoreApplication::processEvents();
  const auto panes = window.findChildren<app::ui::GraphicArea*>();
  ASSERT_EQ(panes.size(), 2);
  const int small = panes[0]->width();
  window.resize(1600, 1200);
  QCoreApplication::processEvents();
  EXPECT_GT(panes[0]->width(), small * 3 / 2);
  EXPECT_NEAR(static_cast<double>(panes[0]->width()) / panes[0]->height(), 1050.0 / 1485.0, 0.01);
  EXPECT_EQ(panes[0]->size(), panes[1]->size());
}

}  // namespace
}  // namespace vorax::vibsim::ui
