#include "spread/time_slice.h"

#include <algorithm>
#include <cmath>

#include "app/readouts.h"
#include "decode/sample_converters.h"
#include "spread/spread_drawing.h"
#include "spread/spread_map.h"

namespace vorax::spread {

decode::Colorref hsvToRgb(double hueDegrees, double saturation, double value) {
  double r = value;
  double g = value;
  double b = value;
  if (saturation != 0) {
    const double hue = std::fmod(std::min(hueDegrees, 360.0), 360.0);
    const double sector = std::floor(hue / 60);
    const double f = hue / 60 - sector;
    const double p = value * (1 - saturation);
    const double q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    switch (static_cast<int>(sector)) {
      case 0:
        r = value;
        g = t;
        b = p;
        break;
      case 1:
        r = q;
        g = value;
        b = p;
        break;
      case 2:
        r = p;
        g = value;
        b = t;
        break;
      case 3:
        r = p;
        g = q;
        b = value;
        break;
      case 4:
        r = t;
        g = p;
        b = value;
        break;
      default:
        r = value;
        g = p;
        b = q;
        break;
    }
  }
  auto byte = [](double unit) {
    return static_cast<int>(std::lround(std::clamp(unit, 0.0, 1.0) * 255));
  };
  return app::rgb(byte(r), byte(g), byte(b));
}

decode::Colorref timeSliceColour(float sample) {
  if (std::isnan(sample)) return kOutOfRangeGrey;
  return hsvToRgb(std::max(0.0, 100.0 * (1.0 + sample)), 1, 1);
}

namespace {

// The legend frame filled with the colours of -1 (bottom) to +1 (top), labelled at both ends.
void drawAmplitudeScale(app::Canvas& canvas, const SpreadLayout& layout) {
  constexpr int kCells = 101;
  const LegendFrame frame = legendFrameOf(layout);
  const double cell = frame.height() / kCells;
  for (int k = 0; k < kCells; ++k) {
    const double bottom = frame.bottom + k * cell;
    canvas.fillRect({frame.left, bottom + cell}, {frame.right, bottom},
                    timeSliceColour(static_cast<float>(-1.0 + 2.0 * k / (kCells - 1))));
  }
  drawLegendFrameOutline(canvas, layout);
  canvas.setFont("Arial", pointsToPixels(7), false);
  canvas.setTextColour(app::kBlack);
  canvas.text({frame.right, frame.top}, " +1", app::HAlign::Left, app::VAlign::Top);
  canvas.text({frame.right, frame.bottom}, " -1", app::HAlign::Left, app::VAlign::Bottom);
  const double above = 1.5 * canvas.measureText("Sample / trace peak").height;
  canvas.text({frame.left, frame.top + above}, "Sample / trace peak", app::HAlign::Left,
              app::VAlign::Top);
}

}  // namespace

double sampleTimeMs(const decode::SegdRecord& record, std::int32_t sample) {
  return static_cast<double>(sample) * record.summary.sampleIntervalUs / 1000.0;
}

std::vector<float> timeSlicePeaks(const decode::SegdRecord& record) {
  const std::int32_t n = heldTraceCount(record);
  std::vector<float> peaks(static_cast<std::size_t>(n) + 1, 0.0f);
  for (std::int32_t t = 1; t <= n; ++t)
    peaks[static_cast<std::size_t>(t)] = decode::largestFiniteMagnitude(record.samples.trace(t));
  return peaks;
}

std::vector<TimeSliceBox> timeSliceBoxes(const decode::SegdRecord& record,
                                         std::span<const float> peaks, std::int32_t sample) {
  std::vector<TimeSliceBox> boxes;
  if (sample < 0 || sample >= record.samples.samplesPerTrace()) return boxes;
  const std::int32_t n =
      std::min<std::int32_t>(heldTraceCount(record), static_cast<std::int32_t>(peaks.size()) - 1);
  for (std::int32_t t = 1; t <= n; ++t) {
    const decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(t)];
    if (!isLiveTrace(info)) continue;
    const float x = record.samples.at(t, sample);
    const float peak = peaks[static_cast<std::size_t>(t)];
    // A non-finite sample is damaged (the peak passed over it): it stays NaN, the grey.
    const float value = !std::isfinite(x) ? NAN : peak > 0 ? x / peak : 0.0f;
    boxes.push_back({t, info.receiverLine, info.receiverPoint, value, timeSliceColour(value)});
  }
  return boxes;
}

void drawTimeSliceFrame(app::Canvas& canvas, const decode::SegdRecord& record,
                        const SpreadLayout& layout, std::span<const float> peaks,
                        std::int32_t sample) {
  startSpreadPicture(canvas, layout);
  drawLegendFrameOutline(canvas, layout);
  drawSpreadTitle(canvas, layout, "Time Slice");
  if (sample < 0 || sample >= record.samples.samplesPerTrace()) return;
  drawAmplitudeScale(canvas, layout);
  drawLineLabels(canvas, record, layout);
  drawPointLabels(canvas, layout);
  for (const TimeSliceBox& box : timeSliceBoxes(record, peaks, sample))
    fillTraceBox(canvas, layout, box.point, box.line, box.colour);
  const LegendFrame frame = legendFrameOf(layout);
  canvas.setFont("MS Sans Serif", pointsToPixels(8), false);
  canvas.setTextColour(app::kBlack);
  canvas.text({frame.left, frame.bottom},
              "Time " + app::fixedDecimals(sampleTimeMs(record, sample), 1), app::HAlign::Left,
              app::VAlign::Top);
}

}  // namespace vorax::spread
