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

TEST_F(RecordToolDialogs, SumDiffHandsOverTheDifferenceTitledAfterBothFiles) {
  app::ui::MainWindow window(state);
  SumDiffDialog dialog(state,
                       [&](decode::SegdRecord&& r) { showCombinedRecord(state, std::move(r)); });
  dialog.setMessageSink(messages);
  dialog.setFile(1, (dir / "A.sgd").string());
  dialog.go();
  EXPECT_EQ(messages.messages, std::vector<std::string>{kSelectTwoFilesMessage});
  EXPECT_EQ(lineTexts(dialog), (std::vector<QString>{"A.sgd", ""}));

  test::writeFileBytes(dir / "B.sgd", record);
  dialog.setFile(2, (dir / "B.sgd").string());
  dialog.go();  // Difference is the default
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(state.record.loadedTraceCount(), 8);
  for (std::int32_t t = 1; t <= 8; ++t)
    for (float v : state.record.samples.trace(t)) ASSERT_EQ(v, 0.0f);
  EXPECT_EQ(state.settings.sumDiffOption(1), 1);
  window.returnToMainWindow();
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("VORAX Viewer - A.sgd \u2212 B.sgd"));
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

// The user's own file under an output's name: "No" keeps it without a further message, "Yes"
// replaces it.
TEST_F(RecordToolDialogs, SplitterAndRadioFixAskBeforeReplacingAUsersFile) {
  const std::vector<std::uint8_t> users(10, 0xAB);
  test::writeFileBytes(dir / "0001.SEGD", users);
  test::writeFileBytes(dir / "RSA.sgd", users);
  const QString input = QString::fromStdString((dir / "A.sgd").string());
  for (bool yes : {false, true}) {
    std::vector<std::string> asked;
    const auto question = [&](const std::filesystem::path& existing) {
      asked.push_back(existing.filename().string());
      return yes;
    };
    FileSplitterDialog splitter(state);
    splitter.setMessageSink(messages);
    splitter.setReplaceQuestion(question);
    splitter.split(input);
    RadioFixDialog fixer(state);
    fixer.setMessageSink(messages);
    fixer.setReplaceQuestion(question);
    fixer.fix({input});

    EXPECT_EQ(asked, (std::vector<std::string>{"0001.SEGD", "RSA.sgd"}));
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front();
    EXPECT_EQ(test::readFileBytes(dir / "0001.SEGD") == users, !yes);
    EXPECT_EQ(test::readFileBytes(dir / "RSA.sgd") == users, !yes);
    EXPECT_EQ(fixer.status(), yes ? "Done" : "Stopped");
  }
}

}  // namespace
}  // namespace vorax::tools::ui
