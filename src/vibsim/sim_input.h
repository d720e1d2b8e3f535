// What every similarity analysis works from: the record, the parameter set, the FFT plans, the
// debug log, and the analysis window (sample interval, analysis length). The library results
// an analysis asks for are kept, so that the analyses of one vibrator measure each trace once
// (the record must not change while a SimInput is in use).
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <tuple>
#include <vector>

#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "vibsim/sim_params.h"

namespace vorax::vibsim {

// The library's phase, frequency and distortion of one trace, points 0..m.
struct IpfdCurves {
  std::vector<float> phase;       // degrees
  std::vector<float> frequency;   // Hz, 0 where the trace is weak
  std::vector<float> distortion;  // percent
  std::int32_t m = 0;
  double pointMs = 0;  // time between two points
};

class SimInput {
 public:
  SimInput(const decode::SegdRecord& record, const SimParams& params, dsp::Fft& fft,
           const base::DebugLog* debugLog = nullptr);

  const decode::SegdRecord& record() const { return record_; }
  const SimParams& params() const { return params_; }
  dsp::Fft& fft() const { return fft_; }
  const base::DebugLog* debugLog() const { return debugLog_; }

  // The analysis window: dt in ms and the sample rate (both 0 when the record has no valid
  // interval), N the samples per trace, nA = min(N, truncateTime / dt) the analysis length in
  // samples, tA = min(truncateTime, round(dt x nA)) in ms.
  bool valid() const { return dtMs_ > 0 && n_ > 0; }
  double dtMs() const { return dtMs_; }
  float sampleRate() const { return sampleRate_; }
  std::int32_t n() const { return n_; }
  std::int32_t nA() const { return nA_; }
  std::int32_t tA() const { return tA_; }

  // Samples 0..N of trace t; empty when t is not a loaded trace.
  std::span<const float> trace(std::int32_t t) const;

  // GETIPFD on trace t with time argument timeMs (kept for the next call that analyses the
  // same span). A trace that is not loaded gives m = 0 and one zero point.
  const IpfdCurves& ipfd(std::int32_t t, std::int32_t timeMs);

  // XCORR of traces a and b over n = nA: values 0..2nA, zero lag at index nA (kept).
  const std::vector<float>& correlation(std::int32_t a, std::int32_t b);

 private:
  const decode::SegdRecord& record_;
  const SimParams& params_;
  dsp::Fft& fft_;
  const base::DebugLog* debugLog_;
  double dtMs_ = 0;
  float sampleRate_ = 0;
  std::int32_t n_ = 0;
  std::int32_t nA_ = 0;
  std::int32_t tA_ = 0;
  std::map<std::tuple<std::int32_t, std::int32_t>, IpfdCurves> ipfd_;
  std::map<std::tuple<std::int32_t, std::int32_t>, std::vector<float>> correlations_;
};

// The trace number and curve colour of one curve of a multi-trace plot.
struct TraceColour {
  std::int32_t trace = 0;
  decode::Colorref colour = 0;
};

}  // namespace vorax::vibsim
