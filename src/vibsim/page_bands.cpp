#include "vibsim/page_bands.h"

#include <algorithm>
#include <cmath>

#include "vibsim/plot_primitives.h"
#include "vibsim/time_frequency.h"

namespace vorax::vibsim {

namespace {

// Samples 0..nA of a trace (the analysis window), or nothing for trace 0 or out of range.
std::span<const float> analysisSamples(const decode::SegdRecord& record, const SimParams& params, std::int32_t trace) {
  if (trace <= 0 || trace > record.loadedTraceCount() || record.sampleIntervalMs <= 0) return {};
  const auto all = record.samples.trace(trace);
  const double limit = params.truncateTime / static_cast<double>(record.sampleIntervalMs);
  const auto n = static_cast<std::size_t>(std::clamp(limit, 0.0, static_cast<double>(all.size() - 1)));
  return all.first(n + 1);
}

void placeholder(app::Canvas& c, const PlotBand& band, const std::string& caption) {
  drawBandFrame(c, band);
  drawBandCaption(c, band, caption);
}

}  // namespace

void PageBands::timeTrace(app::Canvas& c, double top, std::int32_t trace, app::Colorref colour,
                          const std::string& caption) {
  drawTimeTrace(c, plotBand(BandKind::TimeTrace, top), analysisSamples(record_, params_, trace), colour, caption,
                params_);
}

void PageBands::phaseError(app::Canvas& c, double top, std::int32_t, std::int32_t, app::Colorref) {
  placeholder(c, plotBand(BandKind::TimeTrace, top), "Phase Error (Degrees)");
}

void PageBands::frequencyVsTime(app::Canvas& c, double top, const std::vector<std::pair<std::int32_t, app::Colorref>>&) {
  placeholder(c, plotBand(BandKind::TimeTrace, top), "Frequency vs Time");
}

void PageBands::correlogram(app::Canvas& c, double top, std::int32_t, std::int32_t, const std::string& side,
                            app::Colorref, const std::string& caption) {
  placeholder(c, plotBand(side[0] == 'L' ? BandKind::CorrelogramLeft : BandKind::CorrelogramRight, top), caption);
}

void PageBands::dbCorrelogram(app::Canvas& c, double top, std::int32_t, std::int32_t, const std::string& side, int,
                              int, app::Colorref, const std::string& caption) {
  placeholder(c, plotBand(side[0] == 'L' ? BandKind::DbCorrelogramLeft : BandKind::DbCorrelogramRight, top), caption);
}

void PageBands::startTimeLabel(app::Canvas&) {}

void PageBands::distortion(app::Canvas& c, double top, std::int32_t, app::Colorref, const std::string& caption) {
  placeholder(c, plotBand(BandKind::Spectrum, top), caption);
}

void PageBands::spectrum(app::Canvas& c, double top, std::int32_t, app::Colorref, const std::string& caption, int) {
  placeholder(c, plotBand(BandKind::Spectrum, top), caption);
}

void PageBands::timeFrequency(app::Canvas& c, double top, std::int32_t trace, const std::string& caption) {
  const auto samples = analysisSamples(record_, params_, trace);
  const TimeFrequencyGrid grid = computeTimeFrequency(fft_, samples, record_.sampleIntervalMs, params_.maxFrequency);
  drawTimeFrequencyPicture(c, plotBand(BandKind::TransferFunction, top), grid, params_.maxFrequency, caption);
}

void PageBands::taperView(app::Canvas& c, double top, std::int32_t, char, app::Colorref, const std::string& caption) {
  placeholder(c, plotBand(BandKind::TimeTrace, top), caption);
}

void PageBands::transferFunction(app::Canvas& c, double top, std::int32_t, std::int32_t, app::Colorref) {
  placeholder(c, plotBand(BandKind::TransferFunction, top), "Transfer Function (BP Acc/Mass Acc)");
}

void PageBands::deltaPhase(app::Canvas& c, double top, std::int32_t, std::int32_t, app::Colorref) {
  placeholder(c, plotBand(BandKind::TransferFunction, top), "Delta Phase (BP-Mass Deg)");
}

void PageBands::pulseView(app::Canvas& c, double top, std::int32_t, app::Colorref, const std::string& caption) {
  placeholder(c, plotBand(BandKind::Pulse, top), caption);
}

}  // namespace vorax::vibsim
