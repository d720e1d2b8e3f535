#include "app/display_state.h"

#include <gtest/gtest.h>

#include "app/display_fixture.h"

namespace vorax::app {
namespace {

TraceRange page(PagingMode mode, DisplaySelection selection, TraceRange current, std::int32_t n,
                const decode::SegdRecord& record) {
  return pageTraces(mode, selection, current, n, pagingRecordOf(record));
}

TEST(PagingByNumber, PagesOverlapByOneTraceAndTheLastPageEndsOnTheLastTrace) {
  decode::SegdRecord record = test::makeDisplayRecord(200, 3);
  const auto by = DisplaySelection::ByNumber;
  EXPECT_EQ(page(PagingMode::First, by, {140, 200}, 60, record), (TraceRange{0, 60}));
  EXPECT_EQ(page(PagingMode::Next, by, {0, 60}, 60, record), (TraceRange{60, 120}));
  EXPECT_EQ(page(PagingMode::Next, by, {60, 120}, 60, record), (TraceRange{120, 180}));
  // Only 20 traces would follow 180: the page is pulled back to 200 - 60.
  EXPECT_EQ(page(PagingMode::Next, by, {120, 180}, 60, record), (TraceRange{140, 200}));
  EXPECT_EQ(page(PagingMode::Next, by, {140, 200}, 60, record), (TraceRange{140, 200}));
  EXPECT_EQ(page(PagingMode::Last, by, {0, 60}, 60, record), (TraceRange{140, 200}));
  EXPECT_EQ(page(PagingMode::Prev, by, {140, 200}, 60, record), (TraceRange{80, 140}));
  // Prev never ends a page before N, nor starts one before 0.
  EXPECT_EQ(page(PagingMode::Prev, by, {30, 90}, 60, record), (TraceRange{0, 60}));
}

TEST(PagingByNumber, FewerTracesThanAScreenNeverStartBelowZero) {
  decode::SegdRecord record = test::makeDisplayRecord(30, 3);
  const auto by = DisplaySelection::ByNumber;
  EXPECT_EQ(page(PagingMode::First, by, {0, 0}, 60, record), (TraceRange{0, 60}));
  EXPECT_EQ(page(PagingMode::Next, by, {0, 60}, 60, record), (TraceRange{0, 30}));
  EXPECT_EQ(page(PagingMode::Last, by, {0, 60}, 60, record), (TraceRange{0, 30}));
  EXPECT_EQ(page(PagingMode::Prev, by, {0, 30}, 60, record), (TraceRange{0, 60}));
}

TEST(PagingAll, EveryButtonShowsTheWholeRecord) {
  decode::SegdRecord record = test::makeDisplayRecord(75, 3);
  for (PagingMode mode : {PagingMode::First, PagingMode::Last, PagingMode::Next, PagingMode::Prev})
    EXPECT_EQ(page(mode, DisplaySelection::All, {10, 20}, 60, record), (TraceRange{0, 75}));
}

// Traces 1-2 auxiliary on line 0, 3-10 line 101, 11-20 line 102, 21-25 line 103: runs
// (0: 0..2), (101: 3..10), (102: 11..20), (103: 21..25).
decode::SegdRecord fourRunRecord() {
  decode::SegdRecord record = test::makeDisplayRecord(25, 3);
  test::setLine(record, 1, 2, 0);
  test::setLine(record, 3, 10, 101);
  test::setLine(record, 11, 20, 102);
  test::setLine(record, 21, 25, 103);
  return record;
}

TEST(PagingByLine, AuxiliaryLineZeroFirstMakesTheFirstPageRunToTheEndOfTheSecondLine) {
  decode::SegdRecord record = fourRunRecord();
  const auto by = DisplaySelection::ByLine;
  EXPECT_EQ(page(PagingMode::First, by, {21, 25}, 60, record), (TraceRange{0, 10}));
  EXPECT_EQ(page(PagingMode::Last, by, {0, 10}, 60, record), (TraceRange{21, 25}));

  test::setLine(record, 1, 2, 101);  // no auxiliary line: the first page is the first line
  EXPECT_EQ(page(PagingMode::First, by, {21, 25}, 60, record), (TraceRange{0, 10}));
  test::setLine(record, 1, 10, 100);
  EXPECT_EQ(page(PagingMode::First, by, {21, 25}, 60, record), (TraceRange{0, 10}));
  test::setLine(record, 1, 2, 99);
  EXPECT_EQ(page(PagingMode::First, by, {21, 25}, 60, record), (TraceRange{0, 2}));
}

TEST(PagingByLine, NextAndPrevStepOneLineAndStopAtTheEnds) {
  decode::SegdRecord record = fourRunRecord();
  const auto by = DisplaySelection::ByLine;
  EXPECT_EQ(page(PagingMode::Next, by, {0, 10}, 60, record), (TraceRange{11, 20}));
  EXPECT_EQ(page(PagingMode::Next, by, {11, 20}, 60, record), (TraceRange{21, 25}));
  EXPECT_EQ(page(PagingMode::Next, by, {21, 25}, 60, record), (TraceRange{21, 25}));
  EXPECT_EQ(page(PagingMode::Prev, by, {11, 20}, 60, record), (TraceRange{3, 10}));
  EXPECT_EQ(page(PagingMode::Prev, by, {0, 2}, 60, record), (TraceRange{0, 2}));
}

TEST(PagingByLine, LastTraceOnNoKnownLineGivesPageZero) {
  decode::SegdRecord record = fourRunRecord();
  // A by-number page can end past the record; its line matches no run.
  EXPECT_EQ(page(PagingMode::Next, DisplaySelection::ByLine, {0, 60}, 60, record),
            (TraceRange{0, 0}));
  EXPECT_EQ(page(PagingMode::Prev, DisplaySelection::ByLine, {0, -1}, 60, record),
            (TraceRange{0, 0}));
}

TEST(PagingByLine, ALineRecordedTwiceIsFoundAtItsFirstRun) {
  decode::SegdRecord record = test::makeDisplayRecord(30, 3);
  test::setLine(record, 1, 10, 7);
  test::setLine(record, 11, 20, 8);
  test::setLine(record, 21, 30, 7);  // runs (7: 0..10), (8: 11..20), (7: 21..30)
  EXPECT_EQ(page(PagingMode::Next, DisplaySelection::ByLine, {21, 30}, 60, record),
            (TraceRange{11, 20}));
}

TEST(Picks, AtMostSixAndAPickedTraceIsRemovedByPickingItAgain) {
  DisplayState state;
  for (std::int32_t t = 1; t <= 6; ++t) EXPECT_TRUE(state.togglePick(t * 10));
  EXPECT_FALSE(state.togglePick(70));
  EXPECT_EQ(state.pickedTraces.size(), 6u);
  EXPECT_FALSE(state.togglePick(30));
  EXPECT_EQ(state.pickedTraces, (std::vector<std::int32_t>{10, 20, 40, 50, 60}));
  EXPECT_TRUE(state.togglePick(70));
  state.perTraceScale[2] = 3;
  state.clearPicks();
  EXPECT_TRUE(state.pickedTraces.empty());
  EXPECT_EQ(state.perTraceScale[2], 1.0f);
}

}  // namespace
}  // namespace vorax::app
