#include "filter/ui/panels_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "decode/synth/synth_writer.h"
#include "test_support.h"

namespace vorax::filter::ui {
namespace {

class PanelsDialogTest : public ::testing::Test {
 protected:
  PanelsDialogTest() { app::ApplyDefaultSettings(state.settings); }
  app::AppState state;
  test::TempDir dir;
};

TEST_F(PanelsDialogTest, SavedAndLoadedPanelFileRestoresEveryControl) {
  PanelsDialog dialog(state);
  EXPECT_EQ(dialog.windowTitle(), "Filter Panels");
  EXPECT_EQ(dialog.settingsFromControls(), PanelSettings{});
  PanelSettings changed;
  changed.traceFrom = 3;
  changed.timeToMs = 2500;
  changed.corners[2] = {5, 6.5f, 30, 45};
  changed.enabled = {true, false, false, false, false, true};
  changed.generateBmp = true;
  changed.headerLine = "Line 12";
  changed.infoLine = "Crew 4";
  changed.initialGainDb = 30;
  changed.traceClip = 1.5f;
  changed.agc = true;
  changed.agcWindowSeconds = 0.25f;
  dialog.showSettings(changed);
  ASSERT_TRUE(dialog.savePanelFileTo((dir / "setup").string()));
  EXPECT_EQ(std::filesystem::file_size(dir / "setup.PNL"), 476u);
  dialog.showSettings(PanelSettings{});
  ASSERT_TRUE(dialog.loadPanelFileFrom((dir / "setup.PNL").string()));
  EXPECT_EQ(dialog.settingsFromControls(), changed);
  EXPECT_EQ(state.settings.panelAgc(), 1);  // the settings follow the dialog
}

TEST_F(PanelsDialogTest, GoDrawsAndSavesEveryPanelOfTheListedFiles) {
  decode::synth::SynthOptions options;
  options.seismicTraces = 30;
  options.samplesPerTrace = 1201;
  ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / "shot1.sgd", options), "");
  test::writeFileBytes(dir / "old.BMP", {1});
  test::writeFileBytes(dir / "notes.log", {'o', 'k', '\n'});
  PanelsDialog dialog(state);
  dialog.show();
  PanelSettings p;
  p.traceFrom = 5;
  p.traceTo = 25;
  p.enabled = {true, false, false, false, false, false};
  p.generateBmp = true;
  dialog.showSettings(p);
  dialog.selectFolder(dir.path().string());
  EXPECT_EQ(dialog.listedFiles(), (QStringList{"notes.log", "shot1.sgd"}));
  QSignalSpy finished(&dialog, &PanelsDialog::runFinished);
  dialog.go();
  ASSERT_TRUE(finished.wait(20000));
  QCoreApplication::processEvents();
  QStringList statuses;
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (label->text().startsWith("Done")) statuses << label->text();
  EXPECT_EQ(statuses, QStringList{"Done: 1 record, 1 skipped\n"
                                  "Skipped notes.log: notes.log is a text file, not a SEG-D or "
                                  "SEG-2 file."});
  const std::string prefix = "Filter Panel --Sweep Tests ... - Contractor Crew 1 - File 1 Filter ";
  EXPECT_TRUE(std::filesystem::exists(dir / (prefix + "None.BMP")));
  EXPECT_TRUE(std::filesystem::exists(dir / (prefix + "8 - 12 - 60 - 70.BMP")));
  ASSERT_TRUE(dialog.shownPanel());
  EXPECT_EQ(dialog.shownPanel()->filterLabel, "8 - 12 - 60 - 70");
  EXPECT_EQ(dialog.shownPanel()->traceCount(), 21u);

  // "Test" now works on the last file read; "Gain +" redraws it 3 dB up.
  dialog.test(2);
  EXPECT_EQ(dialog.shownPanel()->filterLabel, "10 - 14 - 70 - 80");
  EXPECT_EQ(dialog.shownPanel()->fileName, "shot1.sgd");
  dialog.changeGain(3);
  EXPECT_EQ(dialog.settingsFromControls().initialGainDb, 27.0f);
}

}  // namespace
}  // namespace vorax::filter::ui
