#include "qc/ui/survey_qc_window.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "qc/qc_records.h"
#include "test_support.h"

namespace vorax::qc::ui {
namespace {

TEST(SurveyQcWindow, RunsAFolderFiltersAndOpensARecordWithItsMarks) {
  test::TempDir dir;
  test::writeFileBytes(dir / "a.segd", plantedFaultRecord(1).bytes);
  decode::synth::SynthOptions clean = coherentSpread();
  clean.deadTrace = 0;
  clean.reversedTrace = 0;
  test::writeFileBytes(dir / "b.segd", decode::synth::voraxRecordBytes(clean));
  std::vector<std::uint8_t> cut = plantedFaultRecord(2).bytes;
  cut.resize(3000);  // the headers and part of the first trace
  test::writeFileBytes(dir / "c.segd", cut);
  cut.resize(96);  // the general headers only
  test::writeFileBytes(dir / "d.segd", cut);

  std::string opened;
  std::vector<app::TraceMark> marks;
  SurveyQcWindow window([&](const std::string& file, std::vector<app::TraceMark> m) {
    opened = file;
    marks = std::move(m);
  });
  window.setFolder(QString::fromStdString(dir.path().string()));
  QSignalSpy finished(&window, &SurveyQcWindow::runFinished);
  window.run();
  ASSERT_TRUE(finished.wait(30000));
  ASSERT_EQ(window.records().size(), 4u);
  QAbstractItemModel* rows = window.table().model();
  EXPECT_EQ(rows->rowCount(), 4);
  window.setFlaggedOnly(true);
  window.table().sortByColumn(0, Qt::AscendingOrder);
  std::vector<std::pair<QString, QString>> verdicts;  // file, verdict of the rows shown
  for (int row = 0; row < rows->rowCount(); ++row)
    verdicts.emplace_back(rows->data(rows->index(row, 0)).toString(),
                          rows->data(rows->index(row, 10)).toString());
  EXPECT_EQ(verdicts,
            (std::vector<std::pair<QString, QString>>{
                {"a.segd", "flagged"}, {"c.segd", "read in part"}, {"d.segd", "unreadable"}}));
  EXPECT_EQ(rows->data(rows->index(0, 5)).toInt(), 2);  // dead traces 32 and 50

  window.openRow(0);
  EXPECT_EQ(opened, (dir / "a.segd").string());
  std::vector<std::pair<std::int32_t, std::string>> got;
  for (const app::TraceMark& m : marks) got.emplace_back(m.trace, m.label);
  const std::vector<std::pair<std::int32_t, std::string>> expected{{10, "N"}, {20, "R"}, {32, "D"},
                                                                   {50, "D"}, {64, "R"}, {80, "S"}};
  EXPECT_EQ(got, expected);
}

TEST(SurveyQcWindow, MarksJoinTheVerdictsOfOneTrace) {
  RecordQc r;
  r.deadTraces = {3};
  r.noisyTraces = {7};
  r.spikeTraces = {7, 9};
  std::vector<std::string> labels;
  for (const app::TraceMark& m : verdictMarks(r))
    labels.push_back(std::to_string(m.trace) + m.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"3D", "7N+S", "9S"}));
}

}  // namespace
}  // namespace vorax::qc::ui
