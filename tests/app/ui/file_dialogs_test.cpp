#include "app/ui/file_dialogs.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

namespace vorax::app::ui {
namespace {

TEST(FileFilter, TranslatesPairsToQtForm) {
  EXPECT_EQ(qtFileFilter("SEGD Files |*.*"), "SEGD Files (*.*)");
  EXPECT_EQ(qtFileFilter("BMP Files (*.BMP)|*.BMP|PNG Files (*.PNG)|*.PNG"),
            "BMP Files (*.BMP);;PNG Files (*.PNG)");
  EXPECT_EQ(qtFileFilter("All Files (*.*)|*.*|Data files (*.DAT, *.INI)|*.DAT;*.INI|"),
            "All Files (*.*);;Data files (*.DAT *.INI)");
}

TEST(FileFilter, EmptyOrPatternlessFilterIsAllFiles) {
  EXPECT_EQ(qtFileFilter(""), "All Files (*.*)");
  EXPECT_EQ(qtFileFilter("Only a description"), "All Files (*.*)");
  EXPECT_EQ(qtFileFilter("Text| |"), "All Files (*.*)");
}

TEST(FileFilter, OutsideWindowsStarDotStarMatchesNamesWithoutADot) {
  EXPECT_EQ(platformFileFilter("SEGD Files |*.*"), "SEGD Files (*)");
  EXPECT_EQ(platformFileFilter("Data|*.DAT;*.*"), "Data (*.DAT *)");
  EXPECT_EQ(platformFileFilter("MVS Files |*.MVS"), "MVS Files (*.MVS)");
  EXPECT_EQ(platformFileFilter(""), "All Files (*)");
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QUrl opened;
 public slots:
  void open(const QUrl& url) { opened = url; }
};

TEST(ShellToNotepad, HandsTheFileToTheDesktop) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "open");
  SHELLTONOTEPAD("/tmp/some log.txt");
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(catcher.opened, QUrl::fromLocalFile("/tmp/some log.txt"));
}

}  // namespace
}  // namespace vorax::app::ui

#include "file_dialogs_test.moc"
