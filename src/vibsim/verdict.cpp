#include "vibsim/verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "vibsim/correlogram.h"
#include "vibsim/phase_analysis.h"

namespace vorax::vibsim {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

// RMS of samples 0..nA of a trace, in recorded units (the stored samples times the trace's
// divisor); 0 for a trace that is not loaded.
double recordedRms(SimInput& input, std::int32_t trace) {
  const std::span<const float> samples = input.trace(trace);
  if (!input.valid() || samples.empty()) return 0;
  const std::size_t count = std::min(samples.size(), static_cast<std::size_t>(input.nA()) + 1);
  double sum = 0;
  for (std::size_t i = 0; i < count; ++i)
    if (std::isfinite(samples[i])) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(count)) *
         std::abs(static_cast<double>(input.record().divisorOf(trace)));
}

// The points past the sweep's tapers, as [from, to] in ms.
struct SweepBody {
  std::size_t first = 0;
  std::size_t last = 0;  // one past the last point with a frequency
  double fromMs = 0;
  double toMs = 0;
};

SweepBody sweepBody(const IpfdCurves& signal, const SimParams& params) {
  SweepBody body;
  const std::size_t points = signal.frequency.size();
  while (body.first < points && !(signal.frequency[body.first] > 0)) ++body.first;
  body.last = points;
  while (body.last > body.first && !(signal.frequency[body.last - 1] > 0)) --body.last;
  // The tapers' amplitude ramps make the short-window estimates meaningless there, and the
  // taper pages show them. Taper lengths are checked when the set-up is read; here they are
  // taken as doubles so that no value can overflow.
  body.fromMs = static_cast<double>(body.first) * signal.pointMs + params.startTaper;
  body.toMs =
      static_cast<double>(body.last == 0 ? 0 : body.last - 1) * signal.pointMs - params.endTaper;
  return body;
}

// A reading that rounds to zero at its shown precision reads "0.0", never "-0.0".
double shown(double value, double precision) {
  return std::abs(value) < precision / 2 ? 0.0 : value;
}

std::string formatted(const char* format, double a, double b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

}  // namespace

float VerdictLimits::correlationPeakFloor() const {
  return correlationDb > 0 ? static_cast<float>(std::pow(10.0, -correlationDb / 20.0)) : 0.0f;
}

VerdictLimits verdictLimitsOf(const SimParams& params) {
  return {static_cast<float>(params.phaseQcLimit), static_cast<float>(params.distortionQcLimit),
          static_cast<float>(params.xcorrQcLimit)};
}

VibratorVerdict judgeVibrator(SimInput& input, std::int32_t pilot, std::int32_t reference,
                              std::int32_t signal) {
  const SimParams& params = input.params();
  const VerdictLimits limits = verdictLimitsOf(params);
  const PhaseErrorResult phase = computePhaseError(input, pilot, signal, 0);
  const IpfdCurves& curves = input.ipfd(signal, input.tA());
  VibratorVerdict verdict;
  verdict.startTimeErrorUs = phase.startTimeErrorUs;

  const SweepBody body = sweepBody(curves, params);
  double cosines = 0;
  double sines = 0;
  for (std::size_t k = body.first; k < body.last; ++k) {
    const double t = static_cast<double>(k) * curves.pointMs;
    if (!(curves.frequency[k] > 0) || t < body.fromMs || t > body.toMs) continue;
    if (k >= phase.error.size() || k >= curves.distortion.size()) break;
    ++verdict.judgedPoints;
    verdict.maxPhaseErrorDeg = std::max(verdict.maxPhaseErrorDeg, std::abs(phase.error[k]));
    verdict.maxDistortionPercent = std::max(verdict.maxDistortionPercent, curves.distortion[k]);
    cosines += std::cos(phase.unfolded[k] / kDegreesPerRadian);
    sines += std::sin(phase.unfolded[k] / kDegreesPerRadian);
  }
  if (verdict.judgedPoints > 0)
    verdict.meanUnfoldedPhaseDeg =
        static_cast<float>(std::atan2(sines, cosines) * kDegreesPerRadian);

  const Correlogram correlogram = computeCorrelogram(input, pilot, signal);
  verdict.correlationPeak = std::max(0.0f, correlogram.peakValue);
  // Nothing correlates (a silent signal): there is no peak, so no lag to give.
  verdict.correlationLagMs = verdict.correlationPeak > 0 ? correlogram.peakLagMs : 0;
  if (input.valid()) verdict.zeroLagCorrelation = input.correlation(pilot, signal)[input.nA()];

  const double referenceRms = recordedRms(input, reference);
  if (referenceRms > 0) verdict.signalShare = recordedRms(input, signal) / referenceRms;

  verdict.phasePass = verdict.judgedPoints > 0 && verdict.maxPhaseErrorDeg <= limits.phaseDeg;
  verdict.distortionPass =
      verdict.judgedPoints > 0 && verdict.maxDistortionPercent <= limits.distortionPct;
  verdict.correlationPass = verdict.correlationPeak > 0 &&
                            verdict.correlationPeak >= limits.correlationPeakFloor() &&
                            std::abs(verdict.correlationLagMs) <= kCorrelationLagMs + 1e-9;
  verdict.polarityPass = verdict.meanUnfoldedPhaseDeg && verdict.zeroLagCorrelation > 0 &&
                         std::abs(*verdict.meanUnfoldedPhaseDeg) <= kReversedPhaseDeg;
  verdict.signalPass = verdict.signalShare >= kWeakSignalShare;
  // A start time read off a channel with no signal is no measurement of the vibrator.
  verdict.startTimePass = verdict.signalPass && phase.startTimeErrorUs &&
                          std::abs(*phase.startTimeErrorUs) <= kStartTimeLimitUs;
  return verdict;
}

VibratorVerdict judgeVibrator(const decode::SegdRecord& record, std::int32_t pilot,
                              std::int32_t reference, std::int32_t signal, const SimParams& params,
                              dsp::Fft& fft) {
  SimInput input(record, params, fft);
  return judgeVibrator(input, pilot, reference, signal);
}

std::vector<VerdictItem> verdictItems(const VibratorVerdict& v) {
  std::string start = "not measured";
  if (!v.signalPass)
    start = "No signal";
  else if (v.startTimeErrorUs)
    start = formatted("%.1f uS", shown(*v.startTimeErrorUs, 0.1));
  const bool judged = v.judgedPoints > 0;
  std::string polarity = "unknown";
  if (v.polarityPass)
    polarity = "Normal";
  else if (v.zeroLagCorrelation < 0 ||
           (v.meanUnfoldedPhaseDeg && std::abs(*v.meanUnfoldedPhaseDeg) > kReversedPhaseDeg))
    polarity = "Reversed";
  std::string signal = "OK";
  if (v.signalShare <= 0)
    signal = "No signal";
  else if (!v.signalPass)
    signal = formatted("No signal (%.2f %% of Ref)", 100 * v.signalShare);
  return {
      {"Start Time", start, v.startTimePass},
      {"Phase",
       judged ? formatted("%.2f Deg", static_cast<double>(v.maxPhaseErrorDeg)) : "no points",
       v.phasePass},
      {"Distortion",
       judged ? formatted("%.1f %%", static_cast<double>(v.maxDistortionPercent)) : "no points",
       v.distortionPass},
      {"Xcorr",
       v.correlationPeak > 0 ? formatted("%.3f at %.1f mS", static_cast<double>(v.correlationPeak),
                                         shown(v.correlationLagMs, 0.1))
                             : "none",
       v.correlationPass},
      {"Polarity", polarity, v.polarityPass},
      {"Signal", signal, v.signalPass},
  };
}

}  // namespace vorax::vibsim
