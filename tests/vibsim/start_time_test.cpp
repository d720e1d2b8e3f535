// Start-time errors of the synthetic fleet (clean, 300 us late, 30 % second harmonic) at every
// sample interval of a wireline record and of a radio similarity file: each within 10 us of
// the delay put in.
#include <gtest/gtest.h>

#include <cmath>

#include "vibsim/radio_file.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/vibsim_fixtures.h"

namespace vorax::vibsim {
namespace {

constexpr double kToleranceUs = 10;

void expectStartTime(const decode::SegdRecord& record, std::int32_t pilot, std::int32_t signal,
                     double delayUs) {
  dsp::Fft fft;
  const VibratorVerdict v = judgeVibrator(record, pilot, pilot, signal, SimParams{}, fft);
  ASSERT_TRUE(v.startTimeErrorUs.has_value());
  EXPECT_NEAR(*v.startTimeErrorUs, delayUs, kToleranceUs);
}

TEST(StartTimeError, WithinTenMicrosecondsOnWirelineRecordsAtEveryInterval) {
  for (double dtMs : {0.25, 0.5, 1.0, 2.0, 4.0}) {
    VibratorRecordOptions options;
    options.sampleIntervalMs = dtMs;
    const decode::SegdRecord record = test::openedVibratorRecord(options);
    for (int v = 1; v <= 3; ++v) {
      SCOPED_TRACE(testing::Message() << dtMs << " ms, vibrator " << v);
      expectStartTime(record, kPilotTrace, vibratorTrace(v, 3),
                      test::kFleetFaults[v - 1].fault.delayUs);
    }
  }
}

TEST(StartTimeError, WithinTenMicrosecondsOnRadioFilesAtEveryInterval) {
  // k = 0 is the files' default 488 us; the sweep starts 120 samples into the record.
  for (std::int16_t k : {0, 1, 2, 3, 4, 8}) {
    for (int v = 0; v < 3; ++v) {
      SCOPED_TRACE(testing::Message() << "k = " << k << ", vibrator " << v + 1);
      RadioFileOptions options;
      options.intervalMultiplier = k;
      options.samplesPerChannel = static_cast<std::int32_t>(12.5e6 / radioSampleIntervalUs(k));
      options.returnFault = test::kFleetFaults[v].fault;
      decode::SegdRecord record;
      ASSERT_TRUE(loadRadioSimilarity(radioFileBytes(options), "r", record).ok);
      expectStartTime(record, 2, 3, test::kFleetFaults[v].fault.delayUs);
    }
  }
}

}  // namespace
}  // namespace vorax::vibsim
