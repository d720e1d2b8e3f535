#include "app/record_display.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/header_panel.h"
#include "app/no_record_frame.h"
#include "app/trace_scaling.h"
#include "app/utilities.h"
#include "decode/conversions.h"

namespace vorax::app {

namespace {

constexpr double kSmallestFontPixels = 6;
// Least distance between the middles of two time labels, in text heights: a label's glyphs
// reach beyond the measured height of a digit.
constexpr double kLabelSpacing = 2;

struct TraceWindow {
  std::int32_t x0;
  std::int32_t x1;
};

TraceWindow traceWindowOf(const decode::SegdRecord& record, const DisplayState& state) {
  std::int32_t x0 = std::max(0, state.firstTrace);
  std::int32_t x1 = std::min(state.lastTrace + 1, record.loadedTraceCount() + 1);
  return {x0, std::max(x1, x0 + 1)};
}

// The display font: about 1/70 of the picture's height, smaller when the header panel would
// not hold its rows.
double chooseDisplayFont(Canvas& canvas, const decode::RecordSummary& summary,
                         const HeaderPanelArea& panel) {
  double pixels = std::clamp(std::floor(canvas.pixelHeight() / 70.0), 8.0, 14.0);
  for (; pixels > kSmallestFontPixels; pixels -= 1) {
    canvas.setFont(kDisplayFontFamily, pixels, false);
    if (headerPanelFits(canvas, summary, panel)) return pixels;
  }
  canvas.setFont(kDisplayFontFamily, kSmallestFontPixels, false);
  return kSmallestFontPixels;
}

}  // namespace

namespace {

bool auxiliary(const decode::SegdRecord& record, std::int32_t trace) {
  return trace >= 1 && static_cast<std::size_t>(trace) < record.traceInfo.size() &&
         record.traceInfo[static_cast<std::size_t>(trace)].channelKind.trimmed() == "Aux";
}

// Sercel records often leave their channel type undefined: their auxiliary trace count (from
// the extended header) says how many traces lead. Every other flavour marks each trace.
bool auxiliaryTracesLead(const decode::SegdRecord& record) {
  return record.flavour == decode::RecordFlavour::Sercel408;
}

// The channel numbers of consecutive traces from `first` on, counting the auxiliary traces
// passed on the way instead of counting them again for every trace.
class ChannelNumbering {
 public:
  ChannelNumbering(const decode::SegdRecord& record, std::int32_t first)
      : record_(record), next_(first) {
    if (auxiliaryTracesLead(record)) return;
    const std::int32_t known =
        std::min<std::int32_t>(first, static_cast<std::int32_t>(record.traceInfo.size()));
    for (std::int32_t t = 1; t < known; ++t) auxBefore_ += auxiliary(record, t) ? 1 : 0;
  }
  // The channel number of the next trace.
  std::int32_t next() {
    const std::int32_t trace = next_++;
    if (auxiliaryTracesLead(record_)) return trace - record_.summary.auxTraceCount;
    if (auxiliary(record_, trace)) {
      ++auxBefore_;
      return 0;
    }
    return trace - auxBefore_;
  }

 private:
  const decode::SegdRecord& record_;
  std::int32_t next_;
  std::int32_t auxBefore_ = 0;
};

}  // namespace

std::int32_t seismicChannelNumber(const decode::SegdRecord& record, std::int32_t trace) {
  return ChannelNumbering(record, trace).next();
}

bool displayGainApplies(const decode::SegdRecord& record) {
  if (record.flavour == decode::RecordFlavour::Vorax)
    return record.traceInfo.size() > 1 && record.traceInfo[1].channelKind.trimmed() == "Seis";
  // The auxiliary traces lead (Sercel records often leave their channel type undefined), so
  // the first seismic trace is the one after them.
  return record.summary.auxTraceCount >= 0 &&
         record.summary.auxTraceCount < record.loadedTraceCount();
}

namespace {

double gainFactor(const decode::SegdRecord& record, float gainDb) {
  return displayGainApplies(record) ? std::pow(10.0, gainDb / 20.0) : 1.0;
}

// The trace's colour, turning tilt-flagged (green) traces black for good when there are
// more than 100 of them and the user asked to ignore them.
Colorref traceColour(decode::SegdRecord& record, std::int32_t trace,
                     const DisplayOptions& options) {
  if (static_cast<std::size_t>(trace) >= record.traceInfo.size()) return kBlack;
  decode::TraceHeaderInfo& info = record.traceInfo[static_cast<std::size_t>(trace)];
  if (info.errorColour == kGreen && record.tiltErrorCount > 100 && options.ignoreTiltErrors)
    info.errorColour = kBlack;
  return info.errorColour;
}

// The factor that turns trace i's stored samples into trace spacings before the gain.
// Normalised mode: divide by the trace's largest finite sample, so every trace peaks at one
// spacing (the loaders already normalise most traces, which this leaves as they are; the
// seven-block loader keeps recorded values, which this normalises too). Fixed gain: undo the
// loader's normalisation, so each trace is drawn at its true recorded amplitude.
double traceFactor(const decode::SegdRecord& record, std::int32_t trace, bool fixedGain) {
  return fixedGain ? recordedFactor(record, trace) : normalisingFactor(record, trace);
}

void drawTraces(Canvas& canvas, decode::SegdRecord& record, const DisplayState& state,
                const DisplayOptions& options, const TraceWindow& traces,
                const SampleWindow& window) {
  const double g = gainFactor(record, state.displayGainDb);
  const std::int32_t first = std::max(1, traces.x0);
  const std::int32_t last = std::min(traces.x1 - 1, record.loadedTraceCount());
  std::vector<WiggleTrace> wiggles;
  wiggles.reserve(static_cast<std::size_t>(std::max(0, last - first + 1)));
  for (std::int32_t i = first; i <= last; ++i) {
    wiggles.push_back({record.samples.trace(i), static_cast<double>(i),
                       g * traceFactor(record, i, options.fixedGain),
                       traceColour(record, i, options)});
  }
  drawWiggles(canvas, wiggles, window, options.clip);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
}

// Channel numbers (trace index less the auxiliary traces) on every k-th channel and on
// channel 1, at the time-zero line: drawn only when time zero is on screen.
void drawChannelLabels(Canvas& canvas, const decode::SegdRecord& record, const TraceWindow& traces,
                       const SampleWindow& window) {
  if (window.s0 > 0) return;
  float a = static_cast<float>(traces.x0);
  float b = static_cast<float>(traces.x1 - 1);
  const auto k = static_cast<std::int32_t>(std::lround(std::max(1.0f, CHOOSESTEP(a, b))));
  const double h = canvas.measureText("0").height;
  const std::int32_t last = std::min(traces.x1 - 1, record.loadedTraceCount());
  ChannelNumbering numbering(record, std::max(1, traces.x0));
  for (std::int32_t i = std::max(1, traces.x0); i <= last; ++i) {
    std::int32_t channel = numbering.next();
    if (channel <= 0 || (channel != 1 && channel % k != 0)) continue;
    canvas.line({static_cast<double>(i), 0}, {static_cast<double>(i), -h / 3});
    canvas.text({static_cast<double>(i), -1.5 * h}, std::to_string(channel), HAlign::Centre,
                VAlign::Top);
  }
}

std::string timeLabel(double sample, const decode::SegdRecord& record) {
  float ms = static_cast<float>(sample * record.summary.sampleIntervalUs / 1000.0);
  return decode::shortestText(ms) + " ";
}

// Dotted time lines and labels at multiples of the sample step, left of the trace area. The
// end time is labelled when the next step lies more than a quarter step past the end. A label
// closer than kLabelSpacing text heights to the one written before it is left out (its line
// stays), so that labels never overprint.
void drawTimeAxis(Canvas& canvas, const decode::SegdRecord& record, const TraceWindow& traces,
                  const SampleWindow& window) {
  float a = static_cast<float>(window.s0);
  float b = static_cast<float>(window.s1);
  const double d = CHOOSESTEP(a, b);
  const double h = canvas.measureText("0").height;
  const double x0 = traces.x0;
  const double x1 = traces.x1;
  canvas.setPen(kBlack, 1, PenStyle::Dotted, false);
  std::optional<double> lastLabelled;
  if (window.s0 == 0) {
    canvas.text({x0, 0}, timeLabel(0, record), HAlign::Right, VAlign::Centre);
    lastLabelled = 0;
  }
  auto step = static_cast<std::int64_t>(std::max(0.0, std::floor(window.s0 / d)));
  double t = static_cast<double>(step) * d;
  auto clearOfLastLabel = [&](double y) {
    return !lastLabelled || y - *lastLabelled >= kLabelSpacing * h;
  };
  for (; t <= window.s1; t = static_cast<double>(++step) * d) {
    if (t <= window.s0 || t >= window.s1) continue;
    canvas.line({x0, t}, {x1, t});
    if (!clearOfLastLabel(t)) continue;
    canvas.text({x0, t}, timeLabel(t, record), HAlign::Right, VAlign::Centre);
    lastLabelled = t;
  }
  bool farFromNextStep = std::abs(window.s1 - t) > d / 4;
  if (farFromNextStep && clearOfLastLabel(window.s1))
    canvas.text({x0, window.s1}, timeLabel(window.s1, record), HAlign::Right, VAlign::Centre);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
}

void drawBanner(Canvas& canvas, const TraceWindow& traces, const WorldWindow& world) {
  const double h = canvas.measureText(kBannerText).height;
  canvas.setTextColour(kRed);
  canvas.text({(traces.x0 + traces.x1) / 2.0, world.bottom - 1.5 * h}, kBannerText, HAlign::Centre,
              VAlign::Top);
  canvas.setTextColour(kBlack);
}

}  // namespace

SampleWindow sampleWindowOf(const decode::SegdRecord& record, double startMs, double endMs) {
  const double intervalMs = record.summary.sampleIntervalUs / 1000.0;
  if (!(intervalMs > 0) || !std::isfinite(intervalMs)) return {};
  double s1 = std::min(endMs / intervalMs, static_cast<double>(record.samples.samplesPerTrace()));
  return {startMs / intervalMs, s1};
}

RecordDisplayGeometry DrawRecordDisplay(Canvas& canvas, decode::SegdRecord& record,
                                        const DisplayState& state, const DisplayOptions& options) {
  const SampleWindow window = sampleWindowOf(record, state.displayStartMs, state.displayEndMs);
  if (!(window.s1 > window.s0)) {
    drawNoRecordFrame(canvas);
    return {canvas.worldWindow(), 0, 1, 0, 1, 0, 0, false};
  }
  const TraceWindow traces = traceWindowOf(record, state);
  const double mx = 5.0 * (traces.x1 - traces.x0) / 100;
  const double my = 5.0 * (window.s1 - window.s0) / 100;
  const WorldWindow world{traces.x0 - mx, window.s0 - my, traces.x1 + 2.5 * mx, window.s1 + my};
  const HeaderPanelArea panel{static_cast<double>(traces.x1), world.right, window.s0, window.s1};

  canvas.setWorldWindow(world);
  canvas.clear(kWhite);
  const double fontPixels = chooseDisplayFont(canvas, record.summary, panel);
  canvas.setTextColour(kBlack);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({static_cast<double>(traces.x0), window.s0},
                   {static_cast<double>(traces.x1), window.s1});

  drawTraces(canvas, record, state, options, traces, window);
  drawChannelLabels(canvas, record, traces, window);
  drawTimeAxis(canvas, record, traces, window);
  drawBanner(canvas, traces, world);
  drawHeaderPanel(canvas, record.summary, panel);
  return {world,      traces.x0, traces.x1, window.s0, window.s1, canvas.measureText("0").height,
          fontPixels, true};
}

}  // namespace vorax::app
