// The record tool dialogs, offscreen: opened from the Tools dialog, run on synthetic records.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/startup.h"
#include "decode/synth/sercel_synth.h"
#include "test_support.h"
#include "tools/radio_fix.h"
#include "tools/record_sum.h"
#include "tools/ui/file_splitter_dialog.h"
#include "tools/ui/radio_fix_dialog.h"
#include "tools/ui/record_tools.h"
#include "tools/ui/sum_diff_dialog.h"

namespace vorax::tools::ui {
namespace {

class RecordToolDialogs : public ::testing::Test {
 protected:
  RecordToolDialogs() {
    app::startUp(state, dir.path().string(), false);
    decode::synth::SercelSynthOptions o;
    o.seismicTraces = 6;
    o.samplesPerTrace = 51;
    record = decode::synth::sercelRecordBytes(o);
    test::writeFileBytes(dir / "A.sgd", record);
  }
  std::vector<QString> lineTexts(QWidget& w) {
    std::vector<QString> texts;
    for (QLineEdit* e : w.findChildren<QLineEdit*>()) texts.push_back(e->text());
    return texts;
  }
  test::TempDir dir;
  app::AppState state;
  std::vector<std::uint8_t> record;
  decode::CollectingMessages messages;
};

TEST_F(RecordToolDialogs, TheToolsDialogOffersTheThreeTools) {
  app::ui::MainWindow window(state);
  addRecordTools(window, state);
  QDialog* tools = window.openTools();
  for (const char* caption : {"Split Proc File", "Fix Radio Sim File", "Record Sum/Diff"}) {
    bool enabled = false;
    for (QPushButton* b : tools->findChildren<QPushButton*>())
      if (b->text() == caption) enabled = b->isEnabled();
    EXPECT_TRUE(enabled) << caption;
  }
  tools->close();
}

TEST_F(RecordToolDialogs, SumDiffHandsOverTheDifferenceOrSaysWhatIsMissing) {
  decode::SegdRecord taken;
  SumDiffDialog dialog(state, [&](decode::SegdRecord&& r) { taken = std::move(r); });
  dialog.setMessageSink(messages);
  dialog.setFile(1, (dir / "A.sgd").string());
  dialog.go();
  EXPECT_EQ(messages.messages, std::vector<std::string>{kSelectTwoFilesMessage});
  EXPECT_EQ(lineTexts(dialog), (std::vector<QString>{"A.sgd", ""}));

  dialog.setFile(2, (dir / "A.sgd").string());
  dialog.go();  // Difference is the default
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(taken.loadedTraceCount(), 8);
  for (std::int32_t t = 1; t <= 8; ++t)
    for (float v : taken.samples.trace(t)) ASSERT_EQ(v, 0.0f);
  EXPECT_EQ(state.settings.sumDiffOption(1), 1);
}

TEST_F(RecordToolDialogs, SplitterShowsTheLastRecordAndCompletion) {
  FileSplitterDialog dialog(state);
  dialog.setMessageSink(messages);
  dialog.show();
  dialog.split(QString::fromStdString((dir / "A.sgd").string()));
  EXPECT_EQ(lineTexts(dialog), (std::vector<QString>{"0001", "8", "0"}));
  bool completeShown = false;
  for (QLabel* l : dialog.findChildren<QLabel*>())
    if (l->text() == "File Extraction Complete") completeShown = l->isVisible();
  EXPECT_TRUE(completeShown);
  EXPECT_EQ(test::readFileBytes(dir / "0001.SEGD"), record);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RecordToolDialogs, RadioFixWithoutPrefixKeepsTheOriginalAndTurnsDeletingOff) {
  state.settings.setRadioFixPrefix("");
  state.settings.setRadioFixDeleteOriginal(1);
  RadioFixDialog dialog(state);
  dialog.setMessageSink(messages);
  dialog.fix({QString::fromStdString((dir / "A.sgd").string())});
  EXPECT_EQ(dialog.status(), "Done");
  EXPECT_EQ(messages.messages, std::vector<std::string>{kNoPrefixMessage});
  EXPECT_EQ(state.settings.radioFixDeleteOriginal(), 0);
  EXPECT_FALSE(dialog.findChild<QCheckBox*>()->isChecked());
  EXPECT_TRUE(std::filesystem::exists(dir / "A.sgd"));
  EXPECT_TRUE(std::filesystem::exists(dir / kEmptyPrefixOutput));
}

}  // namespace
}  // namespace vorax::tools::ui
