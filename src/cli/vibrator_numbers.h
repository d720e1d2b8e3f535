// The similarity numbers of one vibrator's traces, as the similarity pages compute them (every
// other similarity parameter at its default), and their JSON form: what `vorax vibsim-analyse`
// and the Python module's analyse_vibrator give.
#pragma once

#include <cstdint>
#include <string>

#include "cli/json_text.h"
#include "decode/segd_record.h"
#include "vibsim/correlogram.h"
#include "vibsim/phase_analysis.h"
#include "vibsim/spectrum_analysis.h"

namespace vorax::cli {

struct VibratorTraces {
  std::int32_t pilot = 0;
  std::int32_t signal = 0;
  std::int32_t signal2 = 0;  // 0: none; otherwise the analysed signal, `signal` the second curve
  std::int32_t truncateMs = vibsim::SimParams{}.truncateTime;
};

// Every number the analyses compute for the pilot against the analysed signal.
struct VibratorNumbers {
  vibsim::PhaseErrorResult phase;
  vibsim::IpfdCurves curves;  // of the analysed signal over the analysis length
  vibsim::Correlogram xcorr;
  vibsim::SpectrumCurve spectrum;
};

// Why the traces cannot be analysed in `record` ("--pilot 9 is not a trace of the record (it
// has 8)", "the record has no sample interval"); empty when they can.
std::string vibratorTracesProblem(const decode::SegdRecord& record, const VibratorTraces& traces);

// The numbers; the traces must have passed vibratorTracesProblem.
VibratorNumbers analyseVibrator(const decode::SegdRecord& record, const VibratorTraces& traces);

// {"start_time_error_us", "phase_error": [{"time_ms", "degrees"}, ...], "frequency": [{"time_ms",
// "hz"}, ...], "distortion": [{"time_ms", "percent"}, ...], "xcorr": {"peak_lag_ms",
// "peak_value"}, "spectrum_peak_hz"}
Json vibratorNumbersJson(const VibratorNumbers& numbers);

}  // namespace vorax::cli
