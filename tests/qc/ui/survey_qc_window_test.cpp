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
  ASSERT_EQ(window.records().size(), 2u);
  QAbstractItemModel* rows = window.table().model();
  EXPECT_EQ(rows->rowCount(), 2);
  window.setFlaggedOnly(true);
  ASSERT_EQ(rows->rowCount(), 1);
  EXPECT_EQ(rows->data(rows->index(0, 0)).toString(), "a.segd");
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
