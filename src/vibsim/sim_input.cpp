#include "vibsim/sim_input.h"

#include <algorithm>
#include <cmath>

#include "dsp/ipfd.h"
#include "dsp/xcorr.h"

namespace vorax::vibsim {

SimInput::SimInput(const decode::SegdRecord& record, const SimParams& params, dsp::Fft& fft,
                   const base::DebugLog* debugLog)
    : record_(record), params_(params), fft_(fft), debugLog_(debugLog) {
  const double dtUs = record.summary.sampleIntervalUs;
  n_ = record.samples.samplesPerTrace();
  if (!(dtUs > 0) || !std::isfinite(dtUs) || n_ <= 0) return;
  dtMs_ = dtUs / 1000;
  sampleRate_ = static_cast<float>(1e6 / dtUs);
  const double truncateSamples = std::floor(params.truncateTime / dtMs_ + 1e-9);
  nA_ = static_cast<std::int32_t>(std::clamp(truncateSamples, 0.0, static_cast<double>(n_)));
  tA_ = static_cast<std::int32_t>(std::min<double>(params.truncateTime, std::round(dtMs_ * nA_)));
}

std::span<const float> SimInput::trace(std::int32_t t) const {
  if (t < 1 || t > record_.samples.traceCount()) return {};
  return record_.samples.trace(t);
}

const IpfdCurves& SimInput::ipfd(std::int32_t t, std::int32_t timeMs) {
  // Calls whose time arguments give the same span give the same curves (0 and any time at or
  // beyond the trace both mean the whole trace): one key per span.
  std::int32_t lastSample = n_;
  if (timeMs > 0 && valid())
    lastSample = static_cast<std::int32_t>(
        std::min<double>(n_, std::floor(timeMs * static_cast<double>(sampleRate_) / 1000)));
  const auto key = std::make_tuple(t, lastSample);
  if (auto found = ipfd_.find(key); found != ipfd_.end()) return found->second;
  IpfdCurves curves;
  const std::span<const float> samples = trace(t);
  const std::size_t size = std::max<std::size_t>(1, samples.size());
  curves.phase.assign(size, 0.0f);
  curves.frequency.assign(size, 0.0f);
  curves.distortion.assign(size, 0.0f);
  if (valid() && !samples.empty()) {
    curves.m = dsp::GETIPFD(fft_, samples, n_, sampleRate_, timeMs, 0, curves.phase,
                            curves.frequency, curves.distortion);
    curves.pointMs = dsp::ipfdPointStep(sampleRate_) * dtMs_;
  }
  for (auto* v : {&curves.phase, &curves.frequency, &curves.distortion})
    v->resize(static_cast<std::size_t>(curves.m) + 1);
  return ipfd_.emplace(key, std::move(curves)).first->second;
}

const std::vector<float>& SimInput::correlation(std::int32_t a, std::int32_t b) {
  const auto key = std::make_tuple(a, b);
  if (auto found = correlations_.find(key); found != correlations_.end()) return found->second;
  std::vector<float> c(2 * static_cast<std::size_t>(nA_) + 1, 0.0f);
  const std::span<const float> ta = trace(a);
  const std::span<const float> tb = trace(b);
  if (valid() && !ta.empty() && !tb.empty()) dsp::XCORR(fft_, ta, tb, nA_, c, 1, 1, 1.0f, 1.0f);
  return correlations_.emplace(key, std::move(c)).first->second;
}

}  // namespace vorax::vibsim
