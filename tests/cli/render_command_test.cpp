#include <QImage>

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::test {
namespace {

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() {
    CliResult made = runCli({"synth", "--traces", "30", "--aux", "0", "--samples", "501", "-o", record.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
  }
  TempDir dir;
  std::filesystem::path record = dir / "shot.segd";
};

TEST_F(RenderCommand, DrawsTheMainDisplayAtTheAskedSize) {
  const std::filesystem::path out = dir / "shot.png";
  CliResult r = runCli({"render", record.string(), "-o", out.string(), "--size", "600x400"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  QImage picture(QString::fromStdString(out.string()));
  ASSERT_EQ(picture.size(), QSize(600, 400));
  // The red banner sits in the bottom margin: reddish text pixels in the last 40 rows.
  int red = 0;
  for (int y = 360; y < 400; ++y)
    for (int x = 0; x < 600; ++x) {
      const QRgb p = picture.pixel(x, y);
      red += qRed(p) > 150 && qGreen(p) < 120 && qBlue(p) < 120;
    }
  EXPECT_GT(red, 20);
  // Traces 1..30 fill the trace area: plenty of black between the margins.
  int black = 0;
  for (int x = 40; x < 480; ++x) black += picture.pixel(x, 200) == qRgb(0, 0, 0);
  EXPECT_GT(black, 30);
}

TEST_F(RenderCommand, WritesBmpAndTakesTheDisplayWindowOptions) {
  const std::filesystem::path out = dir / "page.BMP";
  CliResult r = runCli({"render", record.string(), "-o", out.string(), "--first", "10", "--last", "20",
                        "--start-ms", "100", "--end-ms", "500", "--gain-db=-6", "--size", "320x200"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::uint8_t> bytes = readFileBytes(out);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(320, 200));
}

TEST_F(RenderCommand, RefusesBadArgumentsAndMissingFiles) {
  EXPECT_EQ(runCli({"render", record.string()}).exitCode, 2);
  EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "x.jpg").string()}).exitCode, 2);
  EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "x.png").string(), "--size", "10x10"}).exitCode, 2);
  EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "x.png").string(), "--first", "abc"}).exitCode, 2);
  EXPECT_EQ(runCli({"render", (dir / "none.segd").string(), "-o", (dir / "x.png").string()}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

}  // namespace
}  // namespace vorax::test
