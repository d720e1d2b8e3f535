#include "app/ui/main_window.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "app/startup.h"
#include "app/ui/graphic_area.h"
#include "test_support.h"

namespace vorax::app::ui {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { startUp(state, dir.path().string(), false); }

  test::TempDir dir;
  AppState state;
  std::filesystem::path settingsFile = dir / kSettingsFileName;
};

QPushButton* endButton(MainWindow& window) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == "End") return button;
  return nullptr;
}

TEST_F(MainWindowTest, OpensWithItsCaptionAndAnEndButton) {
  MainWindow window(state);
  window.show();
  EXPECT_EQ(window.windowTitle(), "VORAX Viewer");
  EXPECT_NE(endButton(window), nullptr);
  window.close();
}

TEST_F(MainWindowTest, GraphicAreaFollowsTheWindowAndShowsTheEmptyFrame) {
  MainWindow window(state);
  window.show();
  window.resize(1920, 1080);
  const QWidget& pane = *window.centralWidget();
  GraphicArea& area = window.graphicArea();
  EXPECT_EQ(area.width(), static_cast<int>(0.87 * pane.width()));  // the controls fit beside it
  EXPECT_EQ(area.height(), pane.height() - 12);
  const QImage& picture = area.picture();
  ASSERT_EQ(picture.size(), area.size());
  // World x 0 and 100 of the window -10..110 are at 10/120 and 110/120 of the width.
  const int upper = picture.height() / 4;
  EXPECT_EQ(QColor(picture.pixel(picture.width() * 10 / 120, upper)), QColor(Qt::black));
  EXPECT_EQ(QColor(picture.pixel(picture.width() * 110 / 120, upper)), QColor(Qt::black));
  EXPECT_EQ(QColor(picture.pixel(picture.width() / 2, upper)), QColor(Qt::white));
  EXPECT_EQ(QColor(picture.pixel(picture.width() / 30, upper)), QColor(Qt::white));
  window.close();
}

TEST_F(MainWindowTest, EndSavesTheSettingsOnceAndClosesTheWindow) {
  MainWindow window(state);
  window.show();
  state.LastDataFolder = "/records/line 7";
  endButton(window)->click();
  EXPECT_FALSE(window.isVisible());
  ViewerSettings saved;
  ASSERT_EQ(loadSettings(settingsFile, saved).source, SettingsLoad::Source::File);
  EXPECT_EQ(saved.lastDataFolder(), "/records/line 7");

  std::filesystem::remove(settingsFile);
  window.close();
  EXPECT_FALSE(std::filesystem::exists(settingsFile));
}

TEST_F(MainWindowTest, ClosingTheWindowOtherwiseSavesToo) {
  {
    MainWindow window(state);
    window.show();
    window.close();
  }
  EXPECT_EQ(test::readFileBytes(settingsFile).size(), 5441u);
}

}  // namespace
}  // namespace vorax::app::ui
