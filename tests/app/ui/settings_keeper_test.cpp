#include "app/ui/settings_keeper.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <csignal>

#include "app/startup.h"
#include "test_support.h"

namespace vorax::app::ui {
namespace {

class SettingsKeeperTest : public ::testing::Test {
 protected:
  SettingsKeeperTest() { startUp(state, dir.path().string(), false); }

  // The LastDataFolder the settings file holds (offset 256, 256 bytes), trimmed; "" without
  // a file.
  std::string savedFolder() const {
    if (!std::filesystem::exists(settingsFile)) return "";
    const std::vector<std::uint8_t> bytes = test::readFileBytes(settingsFile);
    std::string folder(bytes.begin() + 256, bytes.begin() + 512);
    return folder.substr(0, folder.find_last_not_of(' ') + 1);
  }

  test::TempDir dir;
  AppState state;
  std::filesystem::path settingsFile = dir / kSettingsFileName;
};

TEST_F(SettingsKeeperTest, EveryAcceptedDialogSavesTheSettingsARejectedOneDoesNot) {
  SettingsKeeper keeper(state);
  keeper.watchDialogs();
  state.LastDataFolder = "/records/a";
  QDialog cancelled;
  cancelled.show();
  cancelled.reject();
  EXPECT_EQ(savedFolder(), "");
  for (const char* folder : {"/records/b", "/records/c"}) {
    state.LastDataFolder = folder;
    QDialog dialog;
    dialog.show();
    dialog.accept();
    EXPECT_EQ(savedFolder(), folder);
  }
}

#ifdef Q_OS_UNIX
TEST_F(SettingsKeeperTest, ATerminationSignalSavesTheSettingsAndAsksTheProgramToEnd) {
  struct sigaction before {};
  ::sigaction(SIGTERM, nullptr, &before);
  {
    SettingsKeeper keeper(state);
    keeper.watchSessionEnd();
    QSignalSpy ending(&keeper, &SettingsKeeper::terminationRequested);
    for (int signal : {SIGTERM, SIGHUP}) {
      state.LastDataFolder = signal == SIGTERM ? "/records/term" : "/records/hup";
      ASSERT_EQ(std::raise(signal), 0);
      ASSERT_TRUE(ending.wait(5000)) << signal;
      EXPECT_EQ(savedFolder(), state.LastDataFolder);
    }
    EXPECT_EQ(ending.count(), 2);
  }
  // The keeper gone, the handler that was there before is back.
  struct sigaction after {};
  ::sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}
#endif

}  // namespace
}  // namespace vorax::app::ui
