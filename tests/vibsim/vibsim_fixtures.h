// Records and set-ups for the vibrator similarity tests: records of vibrator traces made in
// the test (sim_record.h), the synthetic fleet of known faults with what its verdicts must read,
// and the texts of a drawn pane.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/recording_canvas.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"
#include "test_support.h"
#include "vibsim/sim_record.h"
#include "vibsim/similarity_setup.h"
#include "vibsim/verdict.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::test {

// The synthetic vibrator record, written and opened as a user opens it.
inline decode::SegdRecord openedVibratorRecord(const vibsim::VibratorRecordOptions& options) {
  TempDir dir;
  decode::SegdRecord record;
  EXPECT_EQ(vibsim::writeVibratorRecord(dir / "vibs.segd", options), "");
  decode::CollectingMessages messages;
  EXPECT_TRUE(decode::openRecord(dir / "vibs.segd", record, messages, {}).ok());
  return record;
}

// The wireline set-up of a synthetic fleet record: vibrators 1..count on their traces (see
// vibratorTrace), named "V1".., judged with the distortion limit at 20 %.
inline vibsim::WirelineSetup fleetSetup(int count) {
  vibsim::WirelineSetup s;
  s.params.distortionQcLimit = 20;
  for (int v = 1; v <= count; ++v)
    s.vibrators.push_back({v,
                           "V" + std::to_string(v),
                           {vibsim::vibratorTrace(v, 0), vibsim::vibratorTrace(v, 1),
                            vibsim::vibratorTrace(v, 2), vibsim::vibratorTrace(v, 3)}});
  return s;
}

// The faults crews meet, one a vibrator: the verdicts each must pass, and for the first three
// (the synthetic writer's default fleet) what the measurements read, worked out from the fault:
// a 300 us delay is a phase lag of 360 f x 300 us, 8.41 degrees at 77.9 Hz (the sweep's
// frequency where its end taper starts); 30 % second harmonic is 30 % distortion.
struct Span {
  double low, high;
};
struct FleetFault {
  const char* name;
  vibsim::VibratorFault fault;
  bool passes[6];  // start time, phase, distortion, correlation, polarity, signal
  std::optional<Span> startUs = {}, phaseDeg = {}, distortionPercent = {};
};
inline constexpr FleetFault kFleetFaults[] = {
    {"clean", {}, {true, true, true, true, true, true}, Span{-5, 5}, Span{0, 0.5}, Span{0, 1}},
    {"300 us late",
     {300, 0, 1},
     {false, false, true, true, true, true},
     Span{290, 310},
     Span{7.9, 8.9},
     Span{0, 1}},
    {"30 % harmonic",
     {0, 0.3, 1},
     {true, true, false, true, true, true},
     Span{-30, 30},
     Span{0, 2},
     Span{28.5, 31.5}},
    {"reversed", {0, 0, -1}, {true, true, true, false, false, true}},
    {"dead", {0, 0, 0}, {false, false, false, false, false, false}},
    {"0.5 %", {0, 0, 0.005}, {false, true, true, true, true, false}},
};
inline constexpr int kFleetSize = static_cast<int>(std::size(kFleetFaults));

inline void expectVerdict(const vibsim::VibratorVerdict& got, const FleetFault& f) {
  SCOPED_TRACE(f.name);
  const bool passes[6] = {got.startTimePass,   got.phasePass,    got.distortionPass,
                          got.correlationPass, got.polarityPass, got.signalPass};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(passes[i], f.passes[i]) << "verdict " << i;
  EXPECT_EQ(got.pass(), std::all_of(std::begin(f.passes), std::end(f.passes), std::identity{}));
  if (f.startUs) {
    ASSERT_TRUE(got.startTimeErrorUs.has_value());
    EXPECT_GE(*got.startTimeErrorUs, f.startUs->low);
    EXPECT_LE(*got.startTimeErrorUs, f.startUs->high);
  }
  if (f.phaseDeg) {
    EXPECT_GE(got.maxPhaseErrorDeg, f.phaseDeg->low);
    EXPECT_LE(got.maxPhaseErrorDeg, f.phaseDeg->high);
  }
  if (f.distortionPercent) {
    EXPECT_GE(got.maxDistortionPercent, f.distortionPercent->low);
    EXPECT_LE(got.maxDistortionPercent, f.distortionPercent->high);
  }
}

// The whole fleet of kFleetFaults at 1 ms, made once for the test program.
inline const decode::SegdRecord& faultyFleetRecord() {
  static const decode::SegdRecord record = [] {
    vibsim::VibratorRecordOptions options;
    options.sampleIntervalMs = 1;
    options.groundForceFaults.clear();
    for (const FleetFault& f : kFleetFaults) options.groundForceFaults.push_back(f.fault);
    return openedVibratorRecord(options);
  }();
  return record;
}

inline std::vector<std::string> textsOf(const app::RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const app::DrawnItem* item : canvas.texts()) out.push_back(item->text);
  return out;
}

inline bool contains(const std::vector<std::string>& texts, std::string_view text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

inline const app::DrawnItem* textStartingWith(const app::RecordingCanvas& canvas,
                                              std::string_view start) {
  for (const app::DrawnItem* item : canvas.texts())
    if (item->text.starts_with(start)) return item;
  return nullptr;
}

}  // namespace vorax::test
