// The Spread View dialog driven as a user drives it, on a synthetic Sercel record.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/ui/graphic_area.h"
#include "decode/record_opener.h"
#include "decode/synth/sercel_synth.h"
#include "spread/ui/slice_runner.h"
#include "spread/ui/spread_view_dialog.h"
#include "test_support.h"

namespace vorax::spread::ui {
namespace {

class NoMessages : public decode::MessageSink {
 public:
  void show(std::string_view text, bool) override { ADD_FAILURE() << text; }
};

class SpreadView : public ::testing::Test {
 protected:
  SpreadView() {
    app::startUp(state, dir.path().string(), false);
    test::writeFileBytes(file, decode::synth::sercelRecordBytes(options));
    NoMessages messages;
    EXPECT_TRUE(decode::openRecord(file, state.record, messages, state.debugLog).ok());
    state.recordLoaded = true;
    dialog = std::make_unique<SpreadViewDialog>(state);
    dialog->resize(1200, 800);
    dialog->show();
  }

  // Lets the dialog run until `done` or 20 s pass.
  template <typename Done>
  bool waitFor(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 20000)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }

  decode::synth::SercelSynthOptions options;  // 120 seismic traces on 3 lines, 1001 samples at 2 ms
  test::TempDir dir;
  std::filesystem::path file = dir / "sercel.segd";
  app::AppState state;
  std::unique_ptr<SpreadViewDialog> dialog;
};

TEST_F(SpreadView, OpensOnTheErrorsMapAndEachButtonDrawsItsMap) {
  EXPECT_EQ(dialog->map().kind, MapKind::Errors);
  EXPECT_EQ(dialog->map().entries.size(), 120u);
  dialog->button("Leakage")->click();
  EXPECT_EQ(dialog->map().kind, MapKind::Leakage);
  EXPECT_EQ(dialog->map().thresholds.lowerLimit, 10.0f);  // the recorded limit 1 raised to 10
  EXPECT_FALSE(dialog->graphicArea().picture().isNull());
}

TEST_F(SpreadView, PointerOverABoxReadsOutThatReceiver) {
  dialog->button("Resistance")->click();
  const MapEntry& entry = dialog->map().entries[0];
  const app::WorldMapping mapping{dialog->layout().world(),
                                  static_cast<double>(dialog->graphicArea().width()),
                                  static_cast<double>(dialog->graphicArea().height())};
  const app::PointF pixel = mapping.toDevice({entry.point, entry.line});
  emit dialog->graphicArea().mouseMoved(QPointF(pixel.x, pixel.y), Qt::NoButton, Qt::NoModifier);
  EXPECT_TRUE(
      dialog->readoutLabel().text().startsWith("Trace 3  Line 1001  Point 2001  Resistance "))
      << dialog->readoutLabel().text().toStdString();
  EXPECT_TRUE(dialog->readoutLabel().text().endsWith("Limits 250 - 500"));
}

TEST_F(SpreadView, FrequencySliceRunsThroughItsBandWithoutBlockingTheWindow) {
  dialog->button("FSlice")->click();
  EXPECT_TRUE(dialog->slices().running());  // the click returned while the slice goes on
  ASSERT_TRUE(waitFor([&] { return !dialog->slices().running(); }));
  ASSERT_TRUE(dialog->slices().spectra().has_value());
  EXPECT_EQ(dialog->slices().spectra()->binCount(), 512);
  EXPECT_EQ(dialog->positionSlider().maximum(), 25000);
  EXPECT_EQ(dialog->positionLabel().text(), "80.1");  // last bin 164 of 512 at 250 Hz Nyquist
  EXPECT_EQ(dialog->statusLabel().text(), "Plotting");
  EXPECT_EQ(state.settings.sliceFrequency(0), 10.0f);
  EXPECT_EQ(state.settings.sliceFrequency(1), 80.0f);

  // Position let go at 50 Hz: one frame at bin 102 (49.8 Hz); From and To stay.
  dialog->positionSlider().setValue(5000);
  dialog->showPositionFrequency();
  ASSERT_TRUE(waitFor([&] { return !dialog->slices().running(); }));
  EXPECT_EQ(dialog->positionLabel().text(), "49.8");
  EXPECT_EQ(state.settings.sliceFrequency(1), 80.0f);
}

TEST_F(SpreadView, PauseHoldsAndAbandonStopsLeavingTheLastFrame) {
  dialog->delaySlider().setValue(100);  // a second a frame
  EXPECT_EQ(state.settings.sliceOption(2), 100);
  dialog->button("FSlice")->click();
  ASSERT_TRUE(waitFor([&] {
    return dialog->slices().spectra().has_value() && !dialog->positionLabel().text().isEmpty();
  }));
  dialog->button("Pause")->click();
  EXPECT_TRUE(dialog->slices().paused());
  EXPECT_NE(dialog->button("Continue"), nullptr);
  const QString held = dialog->positionLabel().text();
  const QImage frame = dialog->graphicArea().picture();
  QTest::qWait(300);
  EXPECT_EQ(dialog->positionLabel().text(), held);
  dialog->button("Abandon")->click();
  ASSERT_TRUE(waitFor([&] { return !dialog->slices().running(); }));
  EXPECT_FALSE(dialog->slices().paused());
  EXPECT_NE(dialog->button("Pause"), nullptr);
  EXPECT_EQ(dialog->graphicArea().picture(), frame);
}

TEST_F(SpreadView, TimeSliceStepsThroughEverySample) {
  dialog->button("TSlice")->click();
  ASSERT_TRUE(waitFor([&] { return !dialog->slices().running(); }));
  const auto* progress = dialog->findChild<QProgressBar*>();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->maximum(), 1001);
  EXPECT_EQ(progress->value(), 1001);
}

}  // namespace
}  // namespace vorax::spread::ui
