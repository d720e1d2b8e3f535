#include "spread/frequency_slice.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/readouts.h"
#include "app/utilities.h"
#include "spread/spread_drawing.h"

namespace vorax::spread {

namespace {

constexpr double kLowestLevelRatio = 1e-6;
constexpr int kLegendCells = 101;

std::int32_t nearestBin(std::int32_t binCount, double hz, double nyquist) {
  const double bin = std::round(binCount * (hz / 1000) / nyquist);
  return bin >= 0 && bin <= binCount ? static_cast<std::int32_t>(bin) : -1;
}

void drawLevelBar(app::Canvas& canvas, const SpreadLayout& layout) {
  const LegendFrame bar = legendFrameOf(layout);
  const double cell = bar.height() / (kLegendCells - 1);
  for (int k = 0; k < kLegendCells; ++k) {
    const double level = kLowestLevelRatio + k * (1 - kLowestLevelRatio) / (kLegendCells - 1);
    const double y = bar.bottom + k * cell;
    canvas.fillRect({bar.left, y + cell / 2}, {bar.right, y - cell / 2}, levelColour(level));
  }
  drawLegendFrameOutline(canvas, layout);
  canvas.setFont("MS Sans Serif", pointsToPixels(8), false);
  canvas.setTextColour(app::kBlack);
  const double textHeight = canvas.measureText("Level").height;
  canvas.text({bar.right, bar.top + 1.5 * textHeight}, "Level", app::HAlign::Left,
              app::VAlign::Top);
}

}  // namespace

std::optional<double> nyquistKhz(double sampleIntervalUs) {
  if (!(sampleIntervalUs > 0) || !std::isfinite(sampleIntervalUs)) return std::nullopt;
  return 500 / sampleIntervalUs;
}

SliceBand sliceBand(std::int32_t binCount, double nyquist, double fromHz, double toHz) {
  fromHz = std::max(fromHz, 0.0);
  toHz = std::max(toHz, 1.0);
  SliceBand band{nearestBin(binCount, fromHz, nyquist), nearestBin(binCount, toHz, nyquist)};
  if (band.firstBin < 1) band.firstBin = 0;
  if (band.lastBin < 1) band.lastBin = binCount;
  return band;
}

double binFrequencyHz(std::int32_t bin, std::int32_t binCount, double nyquist) {
  return binCount > 0 ? 1000 * bin * nyquist / binCount : 0;
}

std::int32_t positionSliderMaximum(double nyquist) {
  return static_cast<std::int32_t>(std::lround(100000 * nyquist));
}

std::int32_t positionOf(double hz) {
  return static_cast<std::int32_t>(std::lround(100 * hz));
}

double sliceLevel(double value, double reference) {
  const double ratio = value / reference;
  if (!(ratio >= kLowestLevelRatio)) return 0;
  return std::min(1.0, (6 + std::log10(ratio)) / 6);
}

decode::Colorref levelColour(double level) {
  const auto c = static_cast<float>(level);
  return app::HLSTORGB(240 - 240 * c, 120, 240 * c);
}

void drawFrequencySliceFrame(app::Canvas& canvas, const decode::SegdRecord& record,
                             const SpreadLayout& layout, const SliceSpectra& spectra,
                             std::int32_t bin, PeakReference reference) {
  startSpreadPicture(canvas, layout);
  drawLineLabels(canvas, record, layout);
  drawPointLabels(canvas, layout);
  drawLevelBar(canvas, layout);
  drawSpreadTitle(canvas, layout,
                  reference == PeakReference::Spread ? "Frequency Slice - Ref Peak Record"
                                                     : "Frequency Slice - Ref Peak Trace");
  if (bin < 0 || bin > spectra.binCount()) return;
  for (std::size_t i = 0; i < spectra.traces().size(); ++i) {
    const decode::TraceHeaderInfo& info =
        record.traceInfo[static_cast<std::size_t>(spectra.traces()[i])];
    const double peak =
        reference == PeakReference::Spread ? spectra.spreadPeak() : spectra.tracePeak(i);
    fillTraceBox(canvas, layout, info.receiverPoint, info.receiverLine,
                 levelColour(sliceLevel(spectra.at(i, bin), peak)));
  }
  const std::optional<double> nyquist = nyquistKhz(record.summary.sampleIntervalUs);
  const LegendFrame bar = legendFrameOf(layout);
  canvas.setFont("MS Sans Serif", pointsToPixels(8), false);
  canvas.text({bar.left, bar.bottom},
              "Frequency " + app::fixedDecimals(
                                 binFrequencyHz(bin, spectra.binCount(), nyquist.value_or(0)), 1),
              app::HAlign::Left, app::VAlign::Top);
}

}  // namespace vorax::spread
