#include "filter/panel_picture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/record_display.h"
#include "app/utilities.h"
#include "decode/conversions.h"
#include "dsp/agc.h"

namespace vorax::filter {

namespace {

using app::HAlign;
using app::PointF;
using app::VAlign;

constexpr double kTitleShare = 0.16;   // of the picture's height, above the traces
constexpr double kMarginShare = 0.04;  // below the traces
constexpr double kAxisShare = 0.07;    // of the width, left of the traces, for the time labels

// The sample window of the panel's time window, the end limited to the samples per trace.
app::SampleWindow panelWindow(const Panel& panel, const PanelSettings& settings) {
  const double intervalMs = panel.sampleIntervalUs / 1000.0;
  if (!(intervalMs > 0) || !std::isfinite(intervalMs)) return {};
  const double s0 = std::max(0.0, settings.timeFromMs / intervalMs);
  const double s1 =
      std::min(settings.timeToMs / intervalMs, static_cast<double>(panel.samplesPerTrace));
  return {s0, s1};
}

void drawTitles(app::Canvas& canvas, const Panel& panel, const PanelSettings& settings,
                const app::WorldWindow& world, double top) {
  const double height = canvas.pixelHeight();
  const double middle = (world.left + world.right) / 2;
  const double line = (top - world.top) / 4;
  canvas.setTextColour(app::kBlack);
  canvas.setFont("Arial", std::max(10.0, height / 40), true);
  canvas.text({middle, world.top + 0.3 * line}, settings.headerLine, HAlign::Centre, VAlign::Top);
  canvas.setFont("MS Sans Serif", std::max(9.0, height / 55), false);
  canvas.text({middle, world.top + 1.4 * line},
              "File : " + panel.fileName + "     Filter : " + panel.filterLabel, HAlign::Centre,
              VAlign::Top);
  canvas.setFont("Small Fonts", std::max(8.0, height / 70), false);
  canvas.text({middle, world.top + 2.4 * line}, settings.infoLine, HAlign::Centre, VAlign::Top);
}

// Record trace numbers above the traces, every CHOOSESTEP-th one.
void drawTraceNumbers(app::Canvas& canvas, const Panel& panel, double top) {
  const auto count = static_cast<std::int32_t>(panel.traceCount());
  const float step = std::max(1.0f, app::CHOOSESTEP(1.0f, static_cast<float>(count)));
  const auto every = static_cast<std::int32_t>(std::lround(step));
  for (std::int32_t p = 0; p < count; ++p) {
    const std::int32_t trace = panel.firstTrace + p;
    if (trace % every != 0 && p != 0) continue;
    canvas.text({p + 1.0, top}, std::to_string(trace), HAlign::Centre, VAlign::Bottom);
  }
}

// Dotted time lines with their times in ms at CHOOSESTEP steps of the samples (at least 1).
void drawTimeAxis(app::Canvas& canvas, const Panel& panel, const app::SampleWindow& window,
                  double left, double right) {
  const double step =
      std::max(1.0f, app::CHOOSESTEP(static_cast<float>(window.s0), static_cast<float>(window.s1)));
  canvas.setPen(app::kBlack, 1, app::PenStyle::Dotted);
  for (double s = std::ceil(window.s0 / step) * step; s <= window.s1; s += step) {
    canvas.line({left, s}, {right, s});
    const auto ms = static_cast<float>(s * panel.sampleIntervalUs / 1000.0);
    canvas.text({left, s}, decode::shortestText(ms) + " ", HAlign::Right, VAlign::Centre);
  }
  canvas.setPen(app::kBlack, 1);
}

}  // namespace

std::vector<float> agc(std::span<const float> values, std::size_t windowSamples) {
  std::vector<float> out = dsp::slidingRmsAgc(values, windowSamples);
  for (float& v : out) v = static_cast<float>(v * kAgcLevel);
  return out;
}

void drawPanel(app::Canvas& canvas, const Panel& panel, const PanelSettings& settings) {
  const app::SampleWindow samples = panelWindow(panel, settings);
  const double traces = std::max<double>(1, static_cast<double>(panel.traceCount()));
  const double span = samples.s1 > samples.s0 ? samples.s1 - samples.s0 : 1;
  const double width = traces + 1;
  const app::WorldWindow world{-kAxisShare * width / (1 - kAxisShare),
                               samples.s0 - kTitleShare * span / (1 - kTitleShare - kMarginShare),
                               width,
                               samples.s1 + kMarginShare * span / (1 - kTitleShare - kMarginShare)};
  canvas.setWorldWindow(world);
  canvas.clear(app::kWhite);
  drawTitles(canvas, panel, settings, world, samples.s0);
  canvas.setFont("Arial", std::max(8.0, canvas.pixelHeight() / 80.0), false);
  if (panel.traceCount() == 0 || !(samples.s1 > samples.s0)) {
    canvas.text({width / 2, samples.s0 + span / 2}, "No traces in the panel's range",
                HAlign::Centre, VAlign::Centre);
    return;
  }
  canvas.setPen(app::kBlack, 1);
  canvas.rectangle({0.5, samples.s0}, {traces + 0.5, samples.s1});
  drawTraceNumbers(canvas, panel, samples.s0);
  drawTimeAxis(canvas, panel, samples, 0.5, traces + 0.5);

  const double gain = std::pow(10.0, settings.initialGainDb / 20.0);
  const double clip = settings.traceClip >= 0 && std::isfinite(settings.traceClip)
                          ? settings.traceClip
                          : PanelSettings{}.traceClip;
  // The AGC window in samples, at most the whole trace (a loaded panel file may hold anything).
  const double dt = panel.sampleIntervalUs / 1e6;
  const double agcWindow = dt > 0 ? settings.agcWindowSeconds / dt : 1.0;
  const auto agcSamples =
      static_cast<std::size_t>(std::clamp(std::isnan(agcWindow) ? 1.0 : agcWindow, 1.0,
                                          static_cast<double>(panel.samplesPerTrace) + 1));
  for (std::size_t p = 0; p < panel.traceCount(); ++p) {
    const std::span<const float> values = panel.trace(p);
    const double position = static_cast<double>(p) + 1;
    if (settings.agc) {
      const std::vector<float> levelled = agc(values, agcSamples);
      app::drawWiggle(canvas, levelled, position, samples, gain, clip, app::kBlack);
    } else {
      app::drawWiggle(canvas, values, position, samples, gain * panel.scales[p], clip, app::kBlack);
    }
  }
}

}  // namespace vorax::filter
