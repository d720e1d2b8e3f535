#include "cli/vibrator_numbers.h"

#include <vector>

#include "dsp/fft.h"

namespace vorax::cli {

namespace {

Json pointsJson(const std::vector<float>& values, std::size_t count, double pointMs,
                const char* key) {
  Json out = Json::array();
  for (std::size_t k = 0; k < count && k < values.size(); ++k)
    out.push_back(
        Json{{"time_ms", static_cast<double>(k) * pointMs}, {key, singleJson(values[k])}});
  return out;
}

}  // namespace

std::string vibratorTracesProblem(const decode::SegdRecord& record, const VibratorTraces& traces) {
  const std::int32_t count = record.loadedTraceCount();
  struct Choice {
    const char* option;
    std::int32_t trace;
  };
  for (Choice c : {Choice{"--pilot", traces.pilot}, Choice{"--signal", traces.signal},
                   Choice{"--signal2", traces.signal2}}) {
    const bool optional = std::string(c.option) == "--signal2" && c.trace == 0;
    if (optional || (c.trace >= 1 && c.trace <= count)) continue;
    return std::string(c.option) + " " + std::to_string(c.trace) +
           " is not a trace of the record (it has " + std::to_string(count) + ")";
  }
  if (!(record.summary.sampleIntervalUs > 0)) return "the record has no sample interval";
  return {};
}

VibratorNumbers analyseVibrator(const decode::SegdRecord& record, const VibratorTraces& traces) {
  vibsim::SimParams params;
  params.truncateTime = traces.truncateMs;
  dsp::Fft fft;
  vibsim::SimInput input(record, params, fft);
  const std::int32_t analysed = traces.signal2 != 0 ? traces.signal2 : traces.signal;
  VibratorNumbers n;
  n.phase = vibsim::computePhaseError(input, traces.pilot, traces.signal, traces.signal2);
  n.curves = input.ipfd(analysed, input.tA());
  n.xcorr = vibsim::computeCorrelogram(input, traces.pilot, analysed);
  n.spectrum = vibsim::computeSpectrum(input, analysed, 0);
  return n;
}

Json vibratorNumbersJson(const VibratorNumbers& n) {
  Json out = Json::object();
  out["start_time_error_us"] =
      n.phase.startTimeErrorUs ? singleJson(*n.phase.startTimeErrorUs) : Json(nullptr);
  out["phase_error"] = pointsJson(n.phase.error, n.phase.error.size(), n.phase.pointMs, "degrees");
  const auto points = static_cast<std::size_t>(n.curves.m) + 1;
  out["frequency"] = pointsJson(n.curves.frequency, points, n.curves.pointMs, "hz");
  out["distortion"] = pointsJson(n.curves.distortion, points, n.curves.pointMs, "percent");
  out["xcorr"] =
      Json{{"peak_lag_ms", n.xcorr.peakLagMs}, {"peak_value", singleJson(n.xcorr.peakValue)}};
  out["spectrum_peak_hz"] = n.spectrum.peakHz;
  return out;
}

}  // namespace vorax::cli
