#include "app/record_display.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/density_drawing.h"
#include "app/header_panel.h"
#include "app/no_record_frame.h"
#include "app/trace_scaling.h"
#include "app/utilities.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_trace_info.h"
#include "dsp/agc.h"

namespace vorax::app {

namespace {

constexpr double kSmallestFontPixels = 6;
// Pages with fewer samples than this are balanced on one thread: starting a second costs more.
constexpr double kSamplesForTwoThreads = 100000;
// Least distance between the middles of two time labels, in text heights: a label's glyphs
// reach beyond the measured height of a digit.
constexpr double kLabelSpacing = 2;

// The trace area runs from one trace spacing left of the first trace drawn to one right of
// the last, so that no trace reaches over the time labels left of the area.
struct TraceWindow {
  std::int32_t x0;
  std::int32_t x1;
  std::int32_t first;  // first and last trace drawn; last < first when none is
  std::int32_t last;
};

TraceWindow traceWindowOf(const decode::SegdRecord& record, const DisplayState& state) {
  const std::int32_t first = std::max(1, state.firstTrace);
  const std::int32_t x0 = first - 1;
  std::int32_t x1 = std::min(state.lastTrace + 1, record.loadedTraceCount() + 1);
  x1 = std::max(x1, x0 + 1);
  return {x0, x1, first, std::min(x1 - 1, record.loadedTraceCount())};
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

// The samples drawn for a page and the factor that turns each into trace spacings, gain
// included. The balance scales each trace's stored samples (normalised mode: divide by the
// trace's largest finite sample; the loaders already normalise most traces, the seven-block
// loader keeps recorded values; fixed gain: undo the loader's normalisation, drawing the
// true recorded amplitude). With AGC the page's traces are levelled copies instead.
class PageTraces {
 public:
  // `balanceLater`: the balance is left to whoever draws the samples (variable density, which
  // reads each trace while it has it at hand); balance() tells which.
  PageTraces(const decode::SegdRecord& record, const DisplayState& state,
             const DisplayOptions& options, const TraceWindow& traces, bool balanceLater) {
    const double g = gainFactor(record, state.displayGainDb);
    const double intervalMs = record.sampleIntervalMs;
    const bool agc = options.agcWindowMs > 0 && intervalMs > 0;
    const auto agcSamples =
        agc ? static_cast<std::size_t>(std::clamp(options.agcWindowMs / intervalMs, 1.0,
                                                  record.samples.samplesPerTrace() + 1.0))
            : 0;
    for (std::int32_t i = traces.first; i <= traces.last; ++i) {
      const std::span<const float> stored = record.samples.trace(i);
      if (agc) {
        // The trace's samples alone are levelled; the value past its end stays 0.
        const auto n = static_cast<std::size_t>(record.samples.samplesPerTrace());
        levelled_.push_back(dsp::slidingRmsAgc(stored.first(n), agcSamples));
        levelled_.back().push_back(0.0f);
        samples_.push_back(levelled_.back());
        factors_.push_back(g * kBalancedRmsLevel);
      } else if (balanceLater && balanceOfSamples(options.balance)) {
        samples_.push_back(storedSamples(record, i));
        factors_.push_back(g);
      } else {
        samples_.push_back(stored);
        factors_.push_back(g);
      }
    }
    if (!agc && balanceLater) balance_ = balanceOfSamples(options.balance);
    if (!agc && !balance_) balanceEach(record, options.balance, traces.first);
  }
  BalanceOfSamples balance() const { return balance_; }
  std::size_t size() const { return samples_.size(); }
  std::span<const float> samples(std::size_t k) const { return samples_[k]; }
  double factor(std::size_t k) const { return factors_[k]; }

 private:
  // Multiplies each factor by its trace's balance; a page of many traces is shared between
  // two threads (each balance reads the whole trace).
  void balanceEach(const decode::SegdRecord& record, TraceBalance balance, std::int32_t first) {
    auto range = [&](std::size_t from, std::size_t to) {
      for (std::size_t k = from; k < to; ++k)
        factors_[k] *= balanceFactor(record, first + static_cast<std::int32_t>(k), balance);
    };
    const std::size_t n = factors_.size();
    const double samples = static_cast<double>(n) * record.samples.samplesPerTrace();
    if (samples < kSamplesForTwoThreads) {
      range(0, n);
      return;
    }
    std::jthread upper([&] { range(n / 2, n); });
    range(0, n / 2);
  }

  BalanceOfSamples balance_ = nullptr;
  std::vector<std::vector<float>> levelled_;
  std::vector<std::span<const float>> samples_;
  std::vector<double> factors_;
};

void drawTraces(Canvas& canvas, decode::SegdRecord& record, const PageTraces& page,
                const DisplayOptions& options, const TraceWindow& traces,
                const SampleWindow& window) {
  if (options.mode == DisplayMode::Density) {
    std::vector<DensityTrace> cells;
    cells.reserve(page.size());
    for (std::size_t k = 0; k < page.size(); ++k)
      cells.push_back(
          {page.samples(k), static_cast<double>(traces.first) + k, page.factor(k), page.balance()});
    drawDensity(canvas, cells, window, options.clip);
    return;
  }
  std::vector<WiggleTrace> wiggles;
  wiggles.reserve(page.size());
  for (std::size_t k = 0; k < page.size(); ++k) {
    const auto i = traces.first + static_cast<std::int32_t>(k);
    wiggles.push_back({page.samples(k), static_cast<double>(i), page.factor(k),
                       shownTraceColour(traceColour(record, i, options))});
  }
  const WiggleStyle style =
      options.mode == DisplayMode::VariableArea ? WiggleStyle::FillOnly : WiggleStyle::LineAndFill;
  drawWiggles(canvas, wiggles, window, options.clip, style);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
}

// In variable density the traces show no error colour: a trace with one gets a mark of it
// just above the trace area.
void drawErrorMarks(Canvas& canvas, decode::SegdRecord& record, const DisplayOptions& options,
                    const TraceWindow& traces, const SampleWindow& window) {
  const double h = canvas.measureText("0").height;
  for (std::int32_t i = traces.first; i <= traces.last; ++i) {
    const Colorref colour = traceColour(record, i, options);
    if (colour == kBlack) continue;
    canvas.fillRect({i - 0.5, window.s0 - 0.6 * h}, {i + 0.5, window.s0 - 0.1 * h},
                    shownTraceColour(colour));
  }
}

// Channel numbers (trace index less the auxiliary traces) on every k-th channel and on
// channel 1, at the time-zero line: drawn only when time zero is on screen, except in a
// window the user zoomed into, which has them along its top edge (a zoom shows a part of
// the page that would otherwise carry no trace number at all).
void drawChannelLabels(Canvas& canvas, const decode::SegdRecord& record, const TraceWindow& traces,
                       const SampleWindow& window, bool zoomed) {
  if (window.s0 > 0 && !zoomed) return;
  const double top = std::max(window.s0, 0.0);
  float a = static_cast<float>(traces.first);
  float b = static_cast<float>(traces.last);
  const auto k = static_cast<std::int32_t>(std::lround(std::max(1.0f, CHOOSESTEP(a, b))));
  const double h = canvas.measureText("0").height;
  ChannelNumbering numbering(record, traces.first);
  for (std::int32_t i = traces.first; i <= traces.last; ++i) {
    std::int32_t channel = numbering.next();
    if (channel <= 0 || (channel != 1 && channel % k != 0)) continue;
    canvas.line({static_cast<double>(i), top}, {static_cast<double>(i), top - h / 3});
    canvas.text({static_cast<double>(i), top - 1.5 * h}, std::to_string(channel), HAlign::Centre,
                VAlign::Top);
  }
}

std::string timeLabel(double sample, const decode::SegdRecord& record) {
  return decode::shortestText(static_cast<float>(sampleTimeMs(record, sample))) + " ";
}

// Dotted time lines and labels at multiples of the step CHOOSESTEP gives for the samples, in
// ms (for a record starting at 0 ms, the sample multiples themselves), left of the trace
// area. The first sample of the record is labelled when the window starts there; the end
// time when the next step lies more than a quarter step past the end. A label closer than
// kLabelSpacing text heights to the one written before it is left out (its line stays), so
// that labels never overprint.
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
  // Steps counted in time: step k lies at k x d samples after time 0.
  const double zero = -record.startTimeMs / static_cast<double>(record.sampleIntervalMs);
  auto sampleOfStep = [&](std::int64_t k) { return zero + static_cast<double>(k) * d; };
  auto step = static_cast<std::int64_t>(std::floor((window.s0 - zero) / d));
  double t = sampleOfStep(step);
  auto clearOfLastLabel = [&](double y) {
    return !lastLabelled || y - *lastLabelled >= kLabelSpacing * h;
  };
  for (; t <= window.s1; t = sampleOfStep(++step)) {
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

// A number to two significant digits, for the colour bar.
std::string twoDigits(double value) {
  if (!(value > 0) || !std::isfinite(value)) return decode::shortestText(static_cast<float>(value));
  const double scale = std::pow(10.0, std::floor(std::log10(value)) - 1);
  return decode::shortestText(static_cast<float>(std::round(value / scale) * scale));
}

// What a full colour of the colour bar stands for: a number and the caption that gives its
// unit, by the scaling.
struct ColourBarScale {
  std::string caption;
  std::string end;
};

ColourBarScale colourBarScale(const decode::SegdRecord& record, const DisplayState& state,
                              const DisplayOptions& options) {
  const double full = options.clip / gainFactor(record, state.displayGainDb);  // before the gain
  if (options.agcWindowMs > 0)
    return {"Amplitude (x AGC RMS)", twoDigits(full / kBalancedRmsLevel)};
  switch (options.balance) {
    case TraceBalance::Rms:
      return {"Amplitude (x trace RMS)", twoDigits(full / kBalancedRmsLevel)};
    case TraceBalance::Peak:
      return {"Amplitude (x trace peak)", twoDigits(full)};
    case TraceBalance::None:
      break;
  }
  return {"Amplitude (recorded)", twoDigits(full)};
}

// The right margin above the header panel: the colour bar in variable density, and the
// legend of the trace error colours when the page has a trace with one.
void drawMarginKeys(Canvas& canvas, decode::SegdRecord& record, const DisplayState& state,
                    const DisplayOptions& options, const TraceWindow& traces,
                    const HeaderPanelArea& panel, double fontPixels) {
  const double h = canvas.measureText("0").height;
  const double w = panel.xRight - panel.x1;
  const double left = panel.x1 + 0.05 * w;
  const double right = panel.xRight - 0.05 * w;
  double y = panel.s0 + 0.5 * h;
  if (options.mode == DisplayMode::Density) {
    const ColourBarScale scale = colourBarScale(record, state, options);
    canvas.text({left, y}, scale.caption, HAlign::Left, VAlign::Top);
    y += 1.5 * h;
    drawDensityColourBar(canvas, {left, y}, {right, y + 1.5 * h}, "-" + scale.end, "+" + scale.end);
    y += 4 * h;
  }
  bool anyColoured = false;
  for (std::int32_t i = traces.first; i <= traces.last && !anyColoured; ++i)
    anyColoured = traceColour(record, i, options) != kBlack;
  if (!anyColoured) return;
  // A narrow margin (a small window) takes the legend in a smaller font rather than cutting
  // its texts at the picture's edge.
  double widest = 0;
  for (const TraceColourKey& key : kTraceColourKeys)
    widest =
        std::max(widest, 3 * canvas.measureText("0").width + canvas.measureText(key.meaning).width);
  if (widest > right - left)
    canvas.setFont(kDisplayFontFamily,
                   std::max(kSmallestFontPixels, std::floor(fontPixels * (right - left) / widest)),
                   false);
  const double line = 1.4 * h;
  for (const TraceColourKey& key : kTraceColourKeys) {
    canvas.fillRect({left, y + 0.15 * h}, {left + 2 * canvas.measureText("0").width, y + 0.85 * h},
                    shownTraceColour(key.colour));
    canvas.text({left + 3 * canvas.measureText("0").width, y}, key.meaning, HAlign::Left,
                VAlign::Top);
    y += line;
  }
  canvas.setFont(kDisplayFontFamily, fontPixels, false);
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
  const double lastSample = std::max(0, record.samples.samplesPerTrace() - 1);
  const double s1 = std::min((endMs - record.startTimeMs) / intervalMs, lastSample);
  return {(startMs - record.startTimeMs) / intervalMs, s1};
}

double sampleTimeMs(const decode::SegdRecord& record, double sample) {
  return record.startTimeMs + sample * record.summary.sampleIntervalUs / 1000.0;
}

const std::array<TraceColourKey, 6> kTraceColourKeys{{
    {decode::kResistanceErrorColour, "Resistance error"},
    {decode::kCapacitanceErrorColour, "Capacitance error"},
    {decode::kTiltErrorColour, "Tilt error"},
    {decode::kLeakageErrorColour, "Leakage error"},
    {decode::kSeveralErrorsColour, "Several errors"},
    {decode::kAuxiliaryTraceColour, "Auxiliary trace"},
}};

Colorref shownTraceColour(Colorref errorColour) {
  return errorColour == kYellow ? kDarkYellow : errorColour;
}

RecordDisplayGeometry DrawRecordDisplay(Canvas& canvas, decode::SegdRecord& record,
                                        const DisplayState& state, const DisplayOptions& options) {
  const SampleWindow window = sampleWindowOf(record, state.displayStartMs, state.displayEndMs);
  if (!(window.s1 > window.s0)) {
    drawNoRecordFrame(canvas);
    RecordDisplayGeometry none;
    none.world = canvas.worldWindow();
    return none;
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

  const bool density = options.mode == DisplayMode::Density;
  drawTraces(canvas, record, PageTraces(record, state, options, traces, density), options, traces,
             window);
  if (options.mode == DisplayMode::Density) drawErrorMarks(canvas, record, options, traces, window);
  drawChannelLabels(canvas, record, traces, window, !state.zoomHistory.empty());
  drawTimeAxis(canvas, record, traces, window);
  drawBanner(canvas, traces, world);
  drawMarginKeys(canvas, record, state, options, traces, panel, fontPixels);
  drawHeaderPanel(canvas, record.summary, panel);
  RecordDisplayGeometry geometry;
  geometry.world = world;
  geometry.x0 = traces.x0;
  geometry.x1 = traces.x1;
  geometry.firstTrace = traces.first;
  geometry.lastTrace = traces.last;
  geometry.s0 = window.s0;
  geometry.s1 = window.s1;
  geometry.textHeight = canvas.measureText("0").height;
  geometry.fontPixels = fontPixels;
  geometry.hasTraces = true;
  return geometry;
}

}  // namespace vorax::app
