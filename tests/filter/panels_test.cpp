#include "filter/panels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/recording_canvas.h"
#include "decode/seg2/seg2_file_builder.h"
#include "decode/standard/standard_segd_builder.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
#include "filter/panel_picture.h"
#include "test_support.h"

namespace vorax::filter {
namespace {

std::uint32_t le32(const std::array<std::uint8_t, kPanelFileBytes>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(PanelFile, DefaultsLaidOutAsTheTableSays) {
  const auto b = encodePanelFile(PanelSettings{});
  // Traces 40-200, 1000-2000 ms; filter 1 F1 8.0f and F4 70.0f, filter 6 F4 100.0f; filters
  // 1 to 3 on; gain 24.0f, clip 0.7f, AGC window 0.5f; every flag after them 0.
  const std::pair<std::size_t, std::uint32_t> words[] = {
      {0, 40},           {4, 200},          {8, 1000},         {12, 2000}, {16, 0x41000000},
      {28, 0x428C0000},  {108, 0x42C80000}, {112, 1},          {116, 1},   {120, 1},
      {124, 0},          {128, 0},          {132, 0},          {136, 0},   {140, 0},
      {460, 0x41C00000}, {464, 0x3F333333}, {468, 0x3F000000}, {472, 0}};
  for (auto [at, value] : words) EXPECT_EQ(le32(b, at), value) << "byte " << at;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[144]), 30),
            "Sweep Tests ...               ");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[174]), 30),
            "Contractor Crew 1             ");
  for (std::size_t i = 204; i < 460; ++i) ASSERT_EQ(b[i], 0) << i;
}

TEST(PanelFile, SavedAndLoadedRestoresEverySettingButTheFolder) {
  test::TempDir dir;
  PanelSettings p;
  p.traceFrom = 7;
  p.traceTo = -3;
  p.timeFromMs = 0;
  p.timeToMs = 4000;
  p.corners[4] = {1.5f, 2.25f, 300, 400};
  p.enabled = {false, true, false, true, true, false};
  p.generateBmp = true;
  p.headerLine = "  Line 12 sweep test, a header longer than thirty";
  p.infoLine = "Crew 9";
  p.initialGainDb = -6;
  p.traceClip = 2.5f;
  p.agcWindowSeconds = 0.25f;
  p.agc = true;
  p.folder = "/data/panels";
  ASSERT_EQ(savePanelFile(panelFileName((dir / "setup").string()), p), "");
  EXPECT_EQ(std::filesystem::file_size(dir / "setup.PNL"), 476u);
  PanelSettings base;
  base.folder = "/elsewhere";
  const PanelFileLoad loaded = loadPanelFile(dir / "setup.PNL", base);
  ASSERT_TRUE(loaded.settings) << loaded.error;
  PanelSettings expected = p;
  expected.headerLine = "Line 12 sweep test, a header l";  // trimmed, then 30 characters
  expected.folder = "/elsewhere";
  EXPECT_EQ(*loaded.settings, expected);

  test::writeFileBytes(dir / "short.PNL", std::vector<std::uint8_t>(475, 1));
  EXPECT_FALSE(loadPanelFile(dir / "short.PNL", base).settings);
  EXPECT_FALSE(loadPanelFile(dir / "absent.PNL", base).error.empty());
}

TEST(PanelFile, NamesAndSettingsRows) {
  EXPECT_EQ(panelFileName("a"), "a.PNL");
  EXPECT_EQ(panelFileName("a.PNL"), "a.PNL");
  EXPECT_EQ(panelFileName("b.pnl"), "b.pnl");
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  EXPECT_EQ(panelSettingsFrom(settings), PanelSettings{});
  PanelSettings p;
  p.corners[5][3] = 120;
  p.agc = true;
  p.infoLine = "Other crew";
  storePanelSettings(p, settings);
  EXPECT_EQ(panelSettingsFrom(settings), p);
}

TEST(Panels, LabelsPictureNamesAndTheRange) {
  EXPECT_EQ(filterLabel({8, 12, 70, 90}), "8 - 12 - 70 - 90");
  EXPECT_EQ(filterLabel({8.6f, 12.4f, 70, 99.5f}), "9 - 12 - 70 - 100");
  PanelSettings s;
  Panel panel;
  panel.fileNumber = "0042";
  panel.filterLabel = "8 - 12 - 60 - 70";
  EXPECT_EQ(
      panelPictureName(s, panel),
      "Filter Panel --Sweep Tests ... - Contractor Crew 1 - File 0042 Filter 8 - 12 - 60 - 70.BMP");
  Panel unnumbered;  // a "Test" panel of a record without a file number
  unnumbered.fileName = "line.sg2";
  EXPECT_TRUE(panelPictureName(s, unnumbered).ends_with(" - File line.sg2 Filter None.BMP"));
  // Titles never make folders or control characters; a long name keeps record and filter.
  s.headerLine = "Shot 08/12/2026";
  s.infoLine = "Crew\t3: \"A\"";
  panel.recordName = "0042_2";
  EXPECT_EQ(
      panelPictureName(s, panel),
      "Filter Panel --Shot 08_12_2026 - Crew_3_ _A_ - File 0042_2 Filter 8 - 12 - 60 - 70.BMP");
  s.headerLine = std::string(30, 'h');
  s.infoLine = std::string(30, 'i');
  panel.recordName = std::string(120, 'r');
  const std::string longName = panelPictureName(s, panel);
  EXPECT_LT(longName.size(), 200u);
  EXPECT_TRUE(longName.ends_with(" - File " + panel.recordName + " Filter 8 - 12 - 60 - 70.BMP"))
      << longName;

  decode::SegdRecord record;
  record.samples.reset(5, 4);
  record.traceInfo.assign(6, {});
  for (std::int32_t t = 1; t <= 5; ++t) {
    record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = static_cast<float>(t);
    record.samples.at(t, 0) = static_cast<float>(10 * t);
  }
  // Limited to the range and to the last trace; either order.
  for (auto [from, to] : {std::pair{3, 10}, std::pair{10, 3}}) {
    const Panel copy = copyPanel(record, from, to);
    ASSERT_EQ(copy.traceCount(), 3u);
    EXPECT_EQ(copy.firstTrace, 3);
    EXPECT_EQ(copy.scales, (std::vector<float>{3, 4, 5}));
    EXPECT_EQ(copy.trace(2)[0], 50.0f);
    EXPECT_EQ(copy.trace(2).size(), 5u);
  }
  EXPECT_EQ(copyPanel(record, 8, 9).traceCount(), 0u);
}

TEST(Panels, AgcLevelsEachWindowToTheSameRms) {
  // A window of 1: every value becomes its sign times the level.
  EXPECT_EQ(agc(std::vector<float>{3, -0.5f, 0, 2}, 1),
            (std::vector<float>{float(kAgcLevel), float(-kAgcLevel), 0, float(kAgcLevel)}));
  // A loud half and a quiet half come out alike away from the join: window 4 (two either side).
  std::vector<float> values(40);
  for (std::size_t k = 0; k < 40; ++k)
    values[k] = (k % 2 ? -1.0f : 1.0f) * (k < 20 ? 100.0f : 0.01f);
  const std::vector<float> out = agc(values, 4);
  EXPECT_NEAR(out[4], kAgcLevel, 1e-7);
  EXPECT_NEAR(out[35], -kAgcLevel, 1e-7);
  // Near the join the loud half dominates the quiet samples' window.
  EXPECT_LT(std::fabs(out[20]), 0.01 * kAgcLevel);
}

// VORAX records <prefix>7.sgd and <prefix>8.sgd of file numbers 7 and 8, with two auxiliary
// traces before the seismic ones.
void writeVoraxRecords(const test::TempDir& dir, const std::string& prefix, int seismicTraces,
                       int samples) {
  decode::synth::SynthOptions options;
  options.seismicTraces = seismicTraces;
  options.samplesPerTrace = samples;
  for (int file : {7, 8}) {
    options.fileNumber = file;
    ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / (prefix + std::to_string(file) + ".sgd"),
                                                  options),
              "");
  }
}

TEST(Panels, RecordNamesTakeTheFileNameWithoutANumberAndANumberForTheSecondRecordOfOne) {
  PanelRecordNames names;
  EXPECT_EQ(names.next("7", "a.sgd").name, "7");
  EXPECT_EQ(names.next("", "line.sg2").name, "line.sg2");
  const PanelRecordNames::Given again = names.next("7", "b.sgd");
  EXPECT_EQ(again.name, "7_2");
  EXPECT_TRUE(again.renamed);
  EXPECT_EQ(names.next("7", "c.sgd").name, "7_3");
  EXPECT_EQ(names.next("", "LINE.SG2").name, "LINE.SG2_2");  // Windows sees one name
  EXPECT_EQ(names.next("", std::string(100, 'n')).name, std::string(64, 'n'));
  EXPECT_FALSE(names.next("8", "d.sgd").renamed);
}

TEST(Panels, GoReadsEveryListedFileWithItsOwnLoaderInOrderAndNamesWhatItSkips) {
  test::TempDir dir;
  writeVoraxRecords(dir, "a_vorax", 6, 301);
  decode::synth::SercelSynthOptions sercel;  // two records of file number 5
  sercel.seismicTraces = 6;
  sercel.samplesPerTrace = 301;
  sercel.fileNumber = 5;
  test::writeFileBytes(dir / "c_sercel.segd", decode::synth::sercelRecordBytes(sercel));
  test::writeFileBytes(dir / "d_sercel.segd", decode::synth::sercelRecordBytes(sercel));
  test::StandardSegdBuilder standard;
  standard.channelSets = {{1, 1000, 2, {{1, 1, {}, {1, -2, 3}}, {1, 2, {}, {4, 5, -6}}}}};
  test::writeFileBytes(dir / "e_standard.segd", standard.build());
  test::Seg2FileBuilder seg2(true);
  for (int t = 0; t < 4; ++t) seg2.int16s(seg2.trace(1), {1, 2, 3, 4});
  test::writeFileBytes(dir / "f_line.sg2", seg2.build());
  test::writeFileBytes(dir / "g_garbage.dat", std::vector<std::uint8_t>(300, 0xEE));
  const std::string text = "shot log\n";
  test::writeFileBytes(dir / "h_notes.log", std::vector<std::uint8_t>(text.begin(), text.end()));
  // Not listed: pictures, notes and empty files.
  test::writeFileBytes(dir / "picture.BMP", {1, 2, 3});
  test::writeFileBytes(dir / "notes.txt", {1, 2, 3});
  test::writeFileBytes(dir / "empty.sgd", {});
  EXPECT_EQ(
      panelFileList(dir.path()),
      (std::vector<std::string>{"a_vorax7.sgd", "a_vorax8.sgd", "c_sercel.segd", "d_sercel.segd",
                                "e_standard.segd", "f_line.sg2", "g_garbage.dat", "h_notes.log"}));

  PanelSettings s;
  s.folder = dir.path().string();
  s.traceFrom = 2;
  s.traceTo = 3;
  s.enabled = {false, true, false, false, true, false};
  std::vector<std::string> pictures;
  std::vector<std::string> seen;   // each record's unfiltered panel
  std::vector<std::string> first;  // the first record's panels, in order
  decode::SegdRecord last;
  dsp::Fft fft;
  const PanelRun run = runPanelFiles(
      s, panelFileList(dir.path()), fft, base::DebugLog(),
      [&](const Panel& panel) {
        pictures.push_back(panelPictureName(s, panel));
        if (panel.filterLabel == "None")
          seen.push_back(panel.fileName + " " + panel.recordName + " " +
                         std::to_string(panel.traceCount()));
        if (panel.fileName == "a_vorax7.sgd")
          first.push_back(panel.filterLabel + " " + std::to_string(panel.traceCount()));
        return true;
      },
      last);
  EXPECT_EQ(seen, (std::vector<std::string>{"a_vorax7.sgd 7 2", "a_vorax8.sgd 8 2",
                                            "c_sercel.segd 5 2", "d_sercel.segd 5_2 2",
                                            "e_standard.segd 1234 1", "f_line.sg2 f_line.sg2 2"}));
  EXPECT_EQ(first,
            (std::vector<std::string>{"None 2", "9 - 13 - 65 - 75 2", "12 - 16 - 80 - 95 2"}));
  EXPECT_EQ(last.fileName, (dir / "f_line.sg2").string());  // the last one read
  EXPECT_EQ(pictures.size(), 18u);
  std::sort(pictures.begin(), pictures.end());
  EXPECT_EQ(std::unique(pictures.begin(), pictures.end()), pictures.end());
  EXPECT_EQ(run.done, 6);
  const std::vector<std::string> lines = panelRunLines(run);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Done: 6 records, 2 skipped");
  EXPECT_EQ(lines[1],
            "d_sercel.segd: File 5 is also an earlier record's: its pictures say File 5_2");
  EXPECT_EQ(lines[2].rfind("Skipped g_garbage.dat: ", 0), 0u) << lines[2];
  EXPECT_GT(lines[2].size(), std::string("Skipped g_garbage.dat: ").size());
  EXPECT_EQ(lines[3],
            "Skipped h_notes.log: h_notes.log is a text file, not a SEG-D or SEG-2 file.");

  // A window beyond the traces (6 seismic, 2 auxiliary): nothing done, the file named.
  s.traceFrom = 50;
  s.traceTo = 60;
  const std::vector<std::string> one{"a_vorax7.sgd"};
  const PanelRun none = runPanelFiles(
      s, one, fft, base::DebugLog(), [](const Panel&) { return true; }, last);
  EXPECT_EQ(panelRunLines(none),
            (std::vector<std::string>{
                "Done: 0 records, 1 skipped",
                "Skipped a_vorax7.sgd: it holds 8 traces, none of traces 50 to 60"}));
}

TEST(PanelPicture, TitlesAndOneWigglePerTrace) {
  Panel panel;
  panel.fileName = "shot7.sgd";
  panel.filterLabel = "8 - 12 - 60 - 70";
  panel.sampleIntervalUs = 2000;
  panel.samplesPerTrace = 800;
  panel.firstTrace = 40;
  panel.scales.assign(3, 1.0f);
  panel.values.assign(3 * 801, 0.5f);
  app::RecordingCanvas canvas;
  drawPanel(canvas, panel, PanelSettings{});
  std::vector<std::string> texts;
  for (const app::DrawnItem* item : canvas.texts()) texts.push_back(item->text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "File : shot7.sgd     Filter : 8 - 12 - 60 - 70"),
            texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Sweep Tests ..."), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "40"), texts.end());
  std::size_t wiggles = 0;
  for (const app::DrawnItem& item : canvas.items()) {
    if (item.kind != app::DrawnItem::Kind::Polyline) continue;
    ++wiggles;
    // 1000 ms to 2000 ms is samples 500..1000, the end limited to S = 800; every value is
    // 10^(24/20) x 0.5 = 7.9, clipped to 0.7 of a trace spacing.
    EXPECT_EQ(item.points.front().y, 500.0);
    EXPECT_NEAR(item.points.back().y, 800.0, 1e-9);
    EXPECT_NEAR(item.points.back().x, static_cast<double>(wiggles) + 0.7, 1e-6);
  }
  EXPECT_EQ(wiggles, 3u);
}

}  // namespace
}  // namespace vorax::filter
