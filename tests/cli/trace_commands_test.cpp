// vorax trace and vorax selection on a synthetic record.
#include <gtest/gtest.h>

#include <QImage>
#include <nlohmann/json.hpp>

#include "test_support.h"

namespace vorax::test {
namespace {

class TraceCommands : public ::testing::Test {
 protected:
  TraceCommands() {
    CliResult made = runCli({"synth", "--traces", "12", "--aux", "0", "--samples", "1001",
                             "--interval", "1", "-o", record.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
  }
  nlohmann::json json(const std::vector<std::string>& args) {
    CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return nlohmann::json::parse(r.out, nullptr, false);
  }
  TempDir dir;
  std::filesystem::path record = dir / "shot.segd";
};

TEST_F(TraceCommands, TraceJsonHasTheRmsAndOnePointEvery50msOfTheWindow) {
  const nlohmann::json out =
      json({"trace", record.string(), "--trace", "6", "--end-ms", "500", "--json"});
  EXPECT_EQ(out["trace"], 6);
  const double rms = out["rms_mv"];
  EXPECT_GT(rms, 0);
  const std::string text = out["rms_text"];
  EXPECT_EQ(text.rfind("Trace RMS ", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 2), rms >= 1 ? "mV" : "uV");
  const nlohmann::json& points = out["f_vs_t"];
  ASSERT_EQ(points.size(), 10u);  // 500 samples / hop 50
  for (std::size_t b = 0; b < points.size(); ++b) {
    EXPECT_EQ(points[b]["time_ms"], 50.0 * static_cast<double>(b));
    const double hz = points[b]["frequency_hz"];
    EXPECT_NEAR(std::fmod(hz, 1000.0 / 1024), 0, 1e-9);  // a whole frame bin
    EXPECT_GE(points[b]["distortion_percent"].get<double>(), 0);
  }
}

TEST_F(TraceCommands, TracePicturesOfEachViewAtTheAskedSize) {
  for (const char* view : {"trace", "fvst", "ft"}) {
    const std::filesystem::path out = dir / (std::string(view) + ".png");
    CliResult r = runCli({"trace", record.string(), "--trace", "6", "-o", out.string(), "--view",
                          view, "--size", "640x400"});
    ASSERT_EQ(r.exitCode, 0) << view << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(640, 400)) << view;
  }
  // The spectrogram's largest level is pure red.
  const QImage image(QString::fromStdString((dir / "ft.png").string()));
  bool red = false;
  for (int y = 0; y < image.height() && !red; ++y)
    for (int x = 0; x < image.width() && !red; ++x) red = image.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(red);
}

TEST_F(TraceCommands, BadTraceOrEmptyWindowExitsTwoWithAReason) {
  const CliResult outside = runCli({"trace", record.string(), "--trace", "13", "--json"});
  EXPECT_EQ(outside.exitCode, 2);
  EXPECT_NE(outside.err.find("trace 13 is not in the record"), std::string::npos) << outside.err;
  const CliResult empty = runCli(
      {"trace", record.string(), "--trace", "1", "--start-ms", "400", "--end-ms", "300", "--json"});
  EXPECT_EQ(empty.exitCode, 2);
  EXPECT_NE(empty.err.find("is empty"), std::string::npos) << empty.err;
  EXPECT_EQ(runCli({"trace", record.string(), "--trace", "1"}).exitCode,
            2);  // neither --json nor -o
  EXPECT_EQ(runCli({"selection", record.string(), "--traces", "0-3", "--samples", "0-10", "--json"})
                .exitCode,
            2);
  EXPECT_EQ(
      runCli({"selection", record.string(), "--traces", "1-3", "--samples", "0-1001", "--json"})
          .exitCode,
      2);
}

TEST_F(TraceCommands, SelectionJsonIsTheSameForAReversedRange) {
  const nlohmann::json forward =
      json({"selection", record.string(), "--traces", "3-7", "--samples", "100-355", "--json"});
  const nlohmann::json reversed =
      json({"selection", record.string(), "--traces", "7-3", "--samples", "355-100", "--json"});
  EXPECT_EQ(forward, reversed);
  EXPECT_EQ(forward["first_trace"], 3);
  EXPECT_EQ(forward["last_trace"], 7);
  EXPECT_EQ(forward["start_ms"], 100);
  EXPECT_EQ(forward["end_ms"], 355);
  EXPECT_GE(std::abs(forward["peak_uv"].get<double>()), forward["rms_uv"].get<double>());
  const nlohmann::json& spectrum = forward["spectrum"];
  ASSERT_EQ(spectrum["frequency_hz"].size(), 129u);  // 256 samples -> 256 points
  EXPECT_EQ(spectrum["frequency_hz"].back(), 500);   // Nyquist at 1 ms
  double largest = 0;
  for (const auto& v : spectrum["level"]) largest = std::max(largest, v.get<double>());
  EXPECT_EQ(largest, 1);

  const std::filesystem::path out = dir / "selection.bmp";
  CliResult picture =
      runCli({"selection", record.string(), "--traces", "3-7", "--samples", "100-355", "-o",
              out.string(), "--title", "--values", "--size", "500x300"});
  ASSERT_EQ(picture.exitCode, 0) << picture.err;
  EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(500, 300));
}

}  // namespace
}  // namespace vorax::test
