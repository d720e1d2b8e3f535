// The verdicts a QC sheet is signed on, for one vibrator: pilot (or radio reference) against
// ground force (or radio return). One judgement serves the pages, the fleet table, the
// command line's summary and its exit status.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vibsim/sim_input.h"

namespace vorax::vibsim {

// The limits a vibrator is judged against: the set-up's, and the fixed ones below.
inline constexpr float kStartTimeLimitUs = 100;   // |start-time error| at most this
inline constexpr double kCorrelationLagMs = 1;    // the correlation peak within this of 0 lag
inline constexpr double kWeakSignalShare = 0.01;  // signal RMS at least this share of the ref's
inline constexpr double kReversedPhaseDeg = 90;   // mean unfolded phase error beyond this

struct VerdictLimits {
  float phaseDeg = 5;        // "Phase QC Limits (+/-) Deg"
  float distortionPct = 40;  // "Distortion QC Lim (%)"
  // "Xcorr QC Lim (db)": the peak at least -limit dB against a perfect correlation (1.0);
  // no bound on the value when the limit is 0 or below.
  float correlationDb = 40;
  // The smallest correlation peak the dB limit allows (0 when there is none).
  float correlationPeakFloor() const;
};
VerdictLimits verdictLimitsOf(const SimParams& params);

// Phase and distortion count only where the sweep is present (instantaneous frequency above
// 0) and past its tapers: "Start Taper Length (mS)" from the first such point, "End Taper
// Length (mS)" before the last. A verdict drawn on no such point fails.
struct VibratorVerdict {
  std::optional<float> startTimeErrorUs;  // absent when no point of the sweep could measure it
  float maxPhaseErrorDeg = 0;             // largest magnitude, after the fold
  float maxDistortionPercent = 0;
  std::size_t judgedPoints = 0;  // points the phase and distortion verdicts read
  // Pilot x signal over every lag: the largest value and its lag (signal late: positive; 0
  // and 0 when nothing correlates), and the value at zero lag.
  float correlationPeak = 0;
  double correlationLagMs = 0;
  float zeroLagCorrelation = 0;
  // Mean of the phase error before the fold (whole turns taken off), degrees: near +-180 for
  // a signal of reversed polarity; absent without judged points.
  std::optional<float> meanUnfoldedPhaseDeg;
  // RMS over the analysis length, in recorded units, of the signal over that of the
  // vibrator's reference; 0 when either is silent.
  double signalShare = 0;

  bool startTimePass = false;    // measured on a signal (signalPass), and |error| <= 100 us
  bool phasePass = false;        // judged points, none beyond the phase QC limit
  bool distortionPass = false;   // judged points, none beyond the distortion QC limit
  bool correlationPass = false;  // peak at least the floor, within 1 ms of zero lag
  bool polarityPass = false;     // zero-lag correlation and the unfolded phase both normal
  bool signalPass = false;       // signal RMS at least 1 % of the reference's, neither silent
  bool pass() const {
    return startTimePass && phasePass && distortionPass && correlationPass && polarityPass &&
           signalPass;
  }
};

// `pilot` against `signal`; `reference` is the trace whose RMS the signal's is measured
// against (the vibrator's reference; for radio files the radio reference, the pilot itself).
VibratorVerdict judgeVibrator(SimInput& input, std::int32_t pilot, std::int32_t reference,
                              std::int32_t signal);
VibratorVerdict judgeVibrator(const decode::SegdRecord& record, std::int32_t pilot,
                              std::int32_t reference, std::int32_t signal, const SimParams& params,
                              dsp::Fft& fft);

// One verdict as the page and the fleet table show it: what is judged, the reading, passed.
struct VerdictItem {
  std::string name;     // "Start Time", "Phase", "Distortion", "Xcorr", "Polarity", "Signal"
  std::string reading;  // "-0.6 uS", "0.56 Deg", "30.1 %", "0.998 at 0.0 mS", "Normal", "OK"
  bool pass = false;
};
// In that order. A failed signal reads "No signal" in place of the start-time number.
std::vector<VerdictItem> verdictItems(const VibratorVerdict& verdict);

}  // namespace vorax::vibsim
