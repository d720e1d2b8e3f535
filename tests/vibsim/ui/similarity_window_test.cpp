#include "vibsim/ui/similarity_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/app_state.h"
#include "base/byte_reader.h"
#include "test_support.h"
#include "vibsim/setup_fields.h"
#include "vibsim/setup_files.h"
#include "vibsim/ui/multi_vib_dialog.h"
#include "vibsim/ui/similarity_run.h"

namespace vorax::vibsim::ui {
namespace {

// Pages that draw a white pane and remember what was asked of them.
class FakePages : public SimilarityPages {
 public:
  FakePages(std::string label, std::vector<int> pages)
      : label_(std::move(label)), pages_(std::move(pages)) {}
  const std::string& vibratorLabel() const override { return label_; }
  std::vector<int> requestedPages() const override { return pages_; }
  int paneCount(int page) const override { return page == 3 ? 1 : 2; }
  void drawPane(app::Canvas& canvas, int page, int) override {
    canvas.clear(app::kWhite);
    lastPage = page;
  }
  std::string pictureName(int page, int pane) const override {
    return label_ + std::to_string(page) + (pane == 0 ? "A" : "B") + ".BMP";
  }
  std::string printCaption(int, bool) const override { return "caption"; }
  const std::string& pictureFolder() const override { return folder_; }
  std::optional<VibratorVerdict> verdict() override { return std::nullopt; }
  int lastPage = -1;

 private:
  std::string label_, folder_;
  std::vector<int> pages_;
};

QPushButton* button(QWidget& parent, const QString& caption) {
  for (auto* b : parent.findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  return nullptr;
}

struct RunFixture {
  base::DebugLog log;
  SimilarityWindow* window = new SimilarityWindow(log, "destroyed");
  std::vector<int> prepared;
  std::unique_ptr<SimilarityRun> run;

  RunFixture(int candidates, RunDestinations destinations, int skipIndex = -1) {
    run = std::make_unique<SimilarityRun>(
        candidates,
        [this, skipIndex](int index) {
          prepared.push_back(index);
          if (index == skipIndex)
            return PreparedVibrator{PreparedVibrator::Action::Skip, nullptr, 0, {}, {}};
          return PreparedVibrator{
              PreparedVibrator::Action::Show,
              std::make_unique<FakePages>("V" + std::to_string(index), std::vector<int>{1, 2}),
              0,
              {},
              {}};
        },
        destinations, window);
  }
};

TEST(SimilarityRun, ScreenPauseWaitsForTheButtonsAndSkipsBackOverSkippedRows) {
  RunFixture f(4, {true, true, 5, false, 0}, 1);
  QSignalSpy finished(f.run.get(), &SimilarityRun::finished);
  f.run->start();
  EXPECT_EQ(f.run->currentIndex(), 0);
  button(*f.window, "Next Vibrator")->click();
  EXPECT_EQ(f.run->currentIndex(), 2);  // row 1 skipped (its checks said so)
  button(*f.window, "Page 4")->click();
  EXPECT_EQ(f.window->currentPage(), 3);  // "Page 4" redraws page 3
  button(*f.window, "Previous Vibrator")->click();
  EXPECT_EQ(f.run->currentIndex(), 0);
  button(*f.window, "Previous Vibrator")->click();
  EXPECT_EQ(f.run->currentIndex(), 0);  // the first stays
  button(*f.window, "Cancel")->click();
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(f.run->running());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the window goes
}

TEST(SimilarityRun, SelfPacedRunCountsDownAndGoesOnByItself) {
  RunFixture f(2, {true, false, 1, false, 0});
  QSignalSpy finished(f.run.get(), &SimilarityRun::finished);
  f.run->start();
  const QLabel* status = nullptr;
  for (auto* label : f.window->findChildren<QLabel*>())
    if (label->text().endsWith("Seconds Remaining")) status = label;
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), "1 Seconds Remaining");
  EXPECT_EQ(f.window->currentPage(), 1);
  QTRY_COMPARE_WITH_TIMEOUT(f.window->currentPage(), 2, 3000);  // page 2 of the same vibrator
  EXPECT_EQ(f.run->currentIndex(), 0);
  QTRY_COMPARE_WITH_TIMEOUT(f.run->currentIndex(), 1, 3000);
  QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
}

TEST(SimilarityWindow, BmpButtonNamesPanesByPage) {
  test::TempDir dir;
  base::DebugLog log;
  SimilarityWindow window(log, "");
  FakePages pages("V1", {1, 2, 3});
  window.showPage(pages, 2);
  EXPECT_EQ(window.saveTypedPictures((dir / "shot.bmp.x").string()), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "shot Page 3.BMP"));
  EXPECT_TRUE(std::filesystem::exists(dir / "shot Page 4.BMP"));
  window.showPage(pages, 3);
  EXPECT_EQ(window.saveTypedPictures((dir / "p").string()), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "p Page 5.BMP"));
  EXPECT_FALSE(std::filesystem::exists(dir / "p Page 6.BMP"));  // one pane on that page
}

TEST(MultiVibDialog, SetupFilesDelayBoxAndControls) {
  test::TempDir dir;
  app::AppState state;
  app::ApplyDefaultSettings(state.settings);
  state.settings.setMultiVibName(1, "V1");
  state.settings.setMultiVibChannel(kSimForce, 1, 7);
  MultiVibDialog dialog(state);
  EXPECT_EQ(dialog.windowTitle(), "Vibrator Similarity Processing - Multiple Vibs in One File");
  auto* force = dialog.findChild<QLineEdit*>("channel_3_1");
  ASSERT_NE(force, nullptr);
  EXPECT_EQ(force->text(), "7");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("channel_0_1")->text(), "");  // 0 shows empty
  force->setText("8.5");                                               // ties go to even
  dialog.findChild<QLineEdit*>("Distortion QC Lim (%)")->setText("20");
  EXPECT_EQ(dialog.saveSetupTo((dir / "fleet").string()), "");
  ASSERT_TRUE(std::filesystem::exists(dir / "fleet.MVS"));
  const auto bytes = test::readFileBytes(dir / "fleet.MVS");
  EXPECT_EQ(decode::littleI32(bytes, 620 + 4), 8);
  EXPECT_EQ(decode::littleI32(bytes, 1316), 20);

  force->setText("");
  EXPECT_EQ(dialog.loadSetupFrom((dir / "fleet.MVS").string()), "");
  EXPECT_EQ(force->text(), "8");

  auto* delay = dialog.findChild<QLineEdit*>("Delay (S)");
  auto* pause = dialog.findChild<QCheckBox*>("Screen Pause");
  ASSERT_TRUE(delay && pause);
  dialog.show();
  EXPECT_TRUE(pause->isChecked());
  EXPECT_FALSE(delay->isVisible());
  pause->setChecked(false);
  EXPECT_TRUE(delay->isVisible());
}

}  // namespace
}  // namespace vorax::vibsim::ui
