#include "filter/ui/filters_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <cmath>

namespace vorax::filter::ui {
namespace {

class FiltersDialogTest : public ::testing::Test {
 protected:
  FiltersDialogTest() {
    app::ApplyDefaultSettings(state.settings);
    state.record.summary.sampleIntervalUs = 2000;
  }

  void makeRecord(std::int32_t traces, std::int32_t samples) {
    state.record.samples.reset(traces, samples);
    state.record.traceInfo.assign(static_cast<std::size_t>(traces) + 1, {});
    state.record.traceDivisor.assign(static_cast<std::size_t>(traces) + 1, 1.0f);
    for (std::int32_t t = 1; t <= traces; ++t) {
      state.record.traceInfo[static_cast<std::size_t>(t)].amplitudeScale = 1;
      for (std::int32_t s = 0; s < samples; ++s)
        state.record.samples.at(t, s) =
            std::sin(0.05f * static_cast<float>(s)) + std::sin(0.9f * static_cast<float>(s));
    }
  }

  QPushButton* button(FiltersDialog& dialog, const QString& caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
      if (b->text() == caption) return b;
    return nullptr;
  }
  QCheckBox* check(FiltersDialog& dialog, const QString& caption) {
    for (QCheckBox* b : dialog.findChildren<QCheckBox*>())
      if (b->text() == caption) return b;
    return nullptr;
  }

  app::AppState state;
};

TEST_F(FiltersDialogTest, AFailedValidationIsShownAndTheBoxesAreStored) {
  makeRecord(3, 100);
  const decode::SegdRecord before = state.record;
  FiltersDialog dialog(state);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Filters");
  EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 12);
  check(dialog, "Band Pass")->setChecked(true);
  // The band pass boxes are the fifth to eighth in the grid: F1..F4 of its row.
  QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
  boxes[7]->setText("60");
  button(dialog, "OK")->click();
  EXPECT_EQ(dialog.message(), "Band Pass - F3 must be less than F4");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.running());
  EXPECT_EQ(state.settings.filterCornerA(3), 60.0f);
  EXPECT_EQ(state.settings.filterEnabled(2), 1);
  EXPECT_EQ(state.record.samples.at(1, 5), before.samples.at(1, 5));
}

TEST_F(FiltersDialogTest, OkFiltersTheRecordOnAWorkerAndCloses) {
  makeRecord(250, 1000);
  const float before = state.record.samples.at(7, 300);
  FiltersDialog dialog(state);
  dialog.show();
  check(dialog, "High Cut")->setChecked(true);
  QSignalSpy finished(&dialog, &QDialog::finished);
  button(dialog, "OK")->click();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  // 0.9 rad per 2 ms sample is 71.6 Hz, inside the 70-90 Hz ramp: the trace changed.
  EXPECT_NE(state.record.samples.at(7, 300), before);
  EXPECT_GT(state.record.traceInfo[7].amplitudeScale, 0.0f);
  EXPECT_EQ(state.record.samples.at(7, 1000), 0.0f);
}

TEST_F(FiltersDialogTest, CancelStopsTheRunAndLeavesTheRecordAsItWas) {
  makeRecord(4000, 4000);
  const decode::SegdRecord before = state.record;
  FiltersDialog dialog(state);
  dialog.show();
  for (const char* caption : {"Low Cut", "High Cut", "Band Pass", "Band Reject"})
    check(dialog, caption)->setChecked(true);
  QSignalSpy finished(&dialog, &QDialog::finished);
  button(dialog, "OK")->click();
  EXPECT_TRUE(dialog.running());
  button(dialog, "Cancel")->click();
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  for (std::int32_t t = 1; t <= 4000; t += 97)
    for (std::int32_t s = 0; s <= 4000; s += 101)
      ASSERT_EQ(state.record.samples.at(t, s), before.samples.at(t, s));
  EXPECT_EQ(state.record.traceInfo[1].amplitudeScale, 1.0f);
}

}  // namespace
}  // namespace vorax::filter::ui
