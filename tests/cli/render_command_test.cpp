#include <gtest/gtest.h>

#include <QImage>

#include "test_support.h"

namespace vorax::test {
namespace {

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() {
    CliResult made = runCli(
        {"synth", "--traces", "30", "--aux", "0", "--samples", "501", "-o", record.string()});
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
  CliResult r =
      runCli({"render", record.string(), "-o", out.string(), "--first", "10", "--last", "20",
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
  EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "x.png").string(), "--size", "10x10"})
                .exitCode,
            2);
  EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "x.png").string(), "--first", "abc"})
                .exitCode,
            2);
  EXPECT_EQ(
      runCli({"render", (dir / "none.segd").string(), "-o", (dir / "x.png").string()}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

// A Sercel record puts its auxiliary traces first: the gain still applies to its traces.
TEST_F(RenderCommand, SercelRecordsAreDrawnWithTheAskedGain) {
  const std::filesystem::path sercel = dir / "sercel.segd";
  CliResult made =
      runCli({"synth", "--sercel", "--traces", "20", "--samples", "201", "-o", sercel.string()});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  std::vector<QImage> pictures;
  for (const char* gain : {"--gain-db=0", "--gain-db=-12"}) {
    const std::filesystem::path out = dir / (std::string(gain + 10) + ".png");
    CliResult r =
        runCli({"render", sercel.string(), "-o", out.string(), gain, "--size", "800x500"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    pictures.emplace_back(QString::fromStdString(out.string()));
  }
  // Black pixels off the traces' axes (columns black in nearly every row): the excursions.
  auto black = [](const QImage& picture) {
    int count = 0;
    for (int x = 0; x < picture.width() * 3 / 4; ++x) {
      int column = 0;
      for (int y = 0; y < picture.height(); ++y) column += picture.pixel(x, y) == qRgb(0, 0, 0);
      count += column < picture.height() * 3 / 4 ? column : 0;
    }
    return count;
  };
  EXPECT_LT(black(pictures[1]), black(pictures[0]) * 3 / 4);  // a quarter of the amplitude
}

// 60 ms of 2 ms samples over some 900 rows: about 30 rows a sample. A positive lobe is filled
// solid: in the pixel column just right of a trace's axis, black pixels come in runs, not as
// single rows with white above and below (the stripes of a fill drawn at the samples only).
TEST_F(RenderCommand, ZoomedWindowsAreFilledWithoutStripes) {
  const std::filesystem::path out = dir / "zoom.png";
  CliResult r =
      runCli({"render", record.string(), "-o", out.string(), "--first", "1", "--last", "4",
              "--start-ms", "200", "--end-ms", "260", "--size", "1000x1000", "--balance", "none"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage picture(QString::fromStdString(out.string()));
  // Traces 1..4: x0 = 0 (a spacing left of trace 1), x1 = 5, mx = 0.25, world x -0.25..5.625
  // over 1000 columns.
  int isolated = 0;
  int filled = 0;
  for (int trace = 1; trace <= 4; ++trace) {
    const int column = static_cast<int>((trace + 0.25) / 5.875 * 1000) + 2;
    for (int y = 100; y < 900; ++y) {
      const bool here = picture.pixel(column, y) == qRgb(0, 0, 0);
      filled += here;
      isolated += here && picture.pixel(column, y - 1) != qRgb(0, 0, 0) &&
                  picture.pixel(column, y + 1) != qRgb(0, 0, 0);
    }
  }
  EXPECT_GT(filled, 300);
  EXPECT_LT(isolated, 8);  // where the wiggle line crosses the column
}

// Each mode as the window draws it, in the trace area (columns 40..480 of 600): wiggles are
// black lines and fills, variable area the fills alone (fewer black pixels, no colour),
// variable density a colour in nearly every pixel. Balance and AGC change the picture; a
// mode, balance or window that is not one is refused.
TEST_F(RenderCommand, DrawsEachModeBalanceAndAgc) {
  auto render = [&](std::vector<std::string> options) {
    const std::filesystem::path out = dir / "mode.png";
    std::vector<std::string> command{"render",     record.string(), "-o",
                                     out.string(), "--size",        "600x400"};
    command.insert(command.end(), options.begin(), options.end());
    CliResult r = runCli(command);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return QImage(QString::fromStdString(out.string()));
  };
  struct Count {
    int black = 0;
    int coloured = 0;
  };
  auto count = [](const QImage& picture) {
    Count c;
    for (int y = 60; y < 340; ++y)
      for (int x = 40; x < 480; ++x) {
        const QRgb p = picture.pixel(x, y);
        c.black += p == qRgb(0, 0, 0);
        c.coloured += qRed(p) != qBlue(p) || qGreen(p) != qBlue(p);
      }
    return c;
  };
  const int area = 440 * 280;
  const Count wiggle = count(render({"--mode", "wiggle"}));
  const Count va = count(render({"--mode", "va"}));
  const Count density = count(render({"--mode", "density"}));
  EXPECT_GT(wiggle.black, area / 20);
  EXPECT_EQ(wiggle.coloured, 0);
  EXPECT_GT(va.black, area / 40);
  EXPECT_LT(va.black, wiggle.black);
  EXPECT_EQ(va.coloured, 0);
  EXPECT_GT(density.coloured, area / 2);
  EXPECT_LT(density.black, area / 50);  // the dotted time lines alone

  const QImage rms = render({"--mode", "density", "--balance", "rms"});
  EXPECT_NE(render({"--mode", "density", "--balance", "none"}), rms);
  EXPECT_NE(render({"--mode", "density", "--agc-ms", "100"}), rms);
  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--mode", "colour"}, {"--balance", "mean"}, {"--agc-ms", "-5"}})
    EXPECT_EQ(runCli({"render", record.string(), "-o", (dir / "bad.png").string(), bad[0], bad[1]})
                  .exitCode,
              2)
        << bad[0];
}

}  // namespace
}  // namespace vorax::test
