#include "app/single_trace_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/readouts.h"
#include "app/trace_scaling.h"
#include "app/utilities.h"
#include "decode/conversions.h"
#include "decode/utc_time.h"

namespace vorax::app {

namespace {

constexpr float kScaleStep = 1.5f;

bool holdsTrace(const decode::SegdRecord& record, std::int32_t trace) {
  return trace >= 1 && trace <= record.loadedTraceCount() && record.samples.samplesPerTrace() > 0 &&
         record.sampleIntervalMs > 0;
}

double sampleOrZero(std::span<const float> samples, std::int64_t j) {
  const float v = samples[static_cast<std::size_t>(j)];
  return std::isfinite(v) ? v : 0.0;
}

struct SampleSpan {
  std::int64_t first;
  std::int64_t last;  // first > last: none
};

SampleSpan samplesOf(const decode::SegdRecord& record, double startMs, double endMs) {
  const double dt = record.sampleIntervalMs;
  if (!(dt > 0)) return {0, -1};
  // Limited in floating point first, so that no hostile window overflows the conversion.
  const double held = record.samples.samplesPerTrace();
  const double t0 = record.startTimeMs;
  const double first = std::clamp(std::ceil((startMs - t0) / dt - 1e-9), 0.0, held);
  const double last = std::clamp(std::floor((endMs - t0) / dt + 1e-9), -1.0, held - 1);
  if (!(first <= last)) return {0, -1};
  return {static_cast<std::int64_t>(first), static_cast<std::int64_t>(last)};
}

std::string channelCaption(const decode::SegdRecord& record, std::int32_t trace) {
  const std::int32_t channel = trace - record.summary.auxTraceCount;
  return channel > 0 ? "Channel " + std::to_string(channel) : "Aux Trace " + std::to_string(trace);
}

// The caption line at the top left of the picture: channel, line, point, RMS and unit serial,
// then the trace's start time when the record's traces start at different times.
void drawCaptions(Canvas& canvas, const decode::SegdRecord& record, std::int32_t trace,
                  const std::string& rms) {
  const decode::TraceHeaderInfo info = static_cast<std::size_t>(trace) < record.traceInfo.size()
                                           ? record.traceInfo[static_cast<std::size_t>(trace)]
                                           : decode::TraceHeaderInfo{};
  std::vector<std::string> captions{channelCaption(record, trace),
                                    "Line " + decode::shortestText(info.receiverLine),
                                    "Point " + decode::shortestText(info.receiverPoint), rms,
                                    "FDU " + std::to_string(info.unitSerialNumber)};
  if (info.startTimeUtcUs && decode::tracesStartApart(record))
    captions.push_back("Start " + decode::utcText(*info.startTimeUtcUs, decode::UtcDigits::Short));
  const WorldWindow world = canvas.worldWindow();
  const WorldMapping m = canvas.mapping();
  double x = world.left + 8 * m.worldPerPixelX();
  const double gap = canvas.measureText("MMM").width;
  for (const std::string& caption : captions) {
    canvas.text({x, world.top - 6 * m.worldPerPixelY()}, caption, HAlign::Left, VAlign::Top);
    x += canvas.measureText(caption).width + gap;
  }
}

// Labels at round times of the record (multiples of the step from time 0, whatever the
// record's start), placed at their samples.
void drawTimeLabels(Canvas& canvas, const PlotRect& data, const decode::SegdRecord& record,
                    double startMs, double endMs) {
  const double dt = record.sampleIntervalMs;
  const double t0 = record.startTimeMs;
  const double step = CHOOSESTEP(static_cast<float>(startMs), static_cast<float>(endMs));
  const double first = std::ceil(startMs / step - 1e-6) * step;
  drawBottomTicks(
      canvas, data, (first - t0) / dt, (endMs - t0) / dt, step / dt,
      [&](double sample) { return timeLabelMs(t0 + sample * dt); }, true, -t0 / dt);
}

// Recorded amplitude at +1, 0 and -1 on the left, in the RMS unit.
void drawAmplitudeLabels(Canvas& canvas, const PlotRect& data, double unitsPerY,
                         const std::string& unit) {
  for (double y : {1.0, 0.0, -1.0})
    drawSideTick(canvas, data, Side::Left, y, fixedDecimals(y * unitsPerY, 1) + unit, y == 0.0);
}

// Each sample's value written vertically beside it, upwards for positive values, downwards
// for negative ones; a value that would run out of the frame (over the time labels or the
// captions) is written on the other side of its sample when it fits there.
void drawNumerics(Canvas& canvas, const PlotRect& data, std::span<const PointF> points,
                  std::span<const double> values, const std::string& unit, double fontPixels) {
  canvas.setFont("Small Fonts", std::max(8.0, fontPixels - 2), false);
  const WorldMapping m = canvas.mapping();
  const double tick = 3 * m.worldPerPixelY();
  const double gap = 2 * m.worldPerPixelY();
  const double yPerX = m.worldPerPixelY() / m.worldPerPixelX();
  canvas.setPen(kBlue, 1, PenStyle::Solid, false);
  for (std::size_t n = 0; n < points.size(); ++n) {
    const PointF p = points[n];
    canvas.line({p.x, p.y - tick}, {p.x, p.y + tick});
    const std::string text = fixedDecimals(values[n], 1) + unit;
    const double length = gap + canvas.measureText(text).width * yPerX;  // turned upright
    const bool fitsUp = p.y + length <= data.top;
    const bool fitsDown = p.y - length >= data.bottom;
    bool up = values[n] >= 0;
    if (up ? !fitsUp && fitsDown : !fitsDown && fitsUp) up = !up;
    canvas.text({p.x, up ? p.y + gap : p.y - gap}, text, up ? HAlign::Left : HAlign::Right,
                VAlign::Centre, 90);
  }
}

}  // namespace

RecordTimes recordTimesOf(const decode::SegdRecord& record) {
  return {record.startTimeMs, record.startTimeMs + record.recordLengthMs};
}

SingleTraceState openSingleTrace(const decode::SegdRecord& record, std::int32_t trace) {
  SingleTraceState state;
  state.viewTrace = trace;
  const RecordTimes times = recordTimesOf(record);
  state.viewStartMs = times.firstMs;
  state.viewEndMs = times.endMs;
  return state;
}

void applyViewButton(SingleTraceState& state, ViewButton button, RecordTimes record) {
  const float width = state.viewEndMs - state.viewStartMs;
  const float h = width / 2;
  const float mid = state.viewStartMs + h;
  switch (button) {
    case ViewButton::ZoomIn:
      state.viewStartMs = mid - h / 2;
      state.viewEndMs = mid + h / 2;
      break;
    case ViewButton::ZoomOut:
      state.viewStartMs = mid - 2 * h;
      state.viewEndMs = mid + 2 * h;
      break;
    case ViewButton::ScaleUp:
      state.viewScale *= kScaleStep;
      break;
    case ViewButton::ScaleDown:
      state.viewScale /= kScaleStep;
      break;
    case ViewButton::ShiftRight:
      state.viewStartMs += width / 10;
      state.viewEndMs += width / 10;
      if (state.viewEndMs > record.endMs) {
        state.viewEndMs = record.endMs;
        state.viewStartMs = record.endMs - width;
      }
      break;
    case ViewButton::ShiftLeft:
      state.viewStartMs -= width / 10;
      state.viewEndMs -= width / 10;
      if (state.viewStartMs < record.firstMs) {
        state.viewStartMs = record.firstMs;
        state.viewEndMs = record.firstMs + width;
      }
      break;
    case ViewButton::ResetScale:
      state.viewScale = 1;
      break;
    case ViewButton::StartDouble:
      state.viewStartMs = record.firstMs;
      state.viewEndMs = record.firstMs + (state.viewEndMs - record.firstMs) * 2;
      break;
    case ViewButton::StartHalve:
      state.viewStartMs = record.firstMs;
      state.viewEndMs = record.firstMs + (state.viewEndMs - record.firstMs) / 2;
      break;
    case ViewButton::WholeTrace:
      state.viewStartMs = record.firstMs;
      state.viewEndMs = record.endMs;
      break;
  }
  limitViewWindow(state, record);
}

void limitViewWindow(SingleTraceState& state, RecordTimes record) {
  if (!(state.viewStartMs >= record.firstMs)) state.viewStartMs = record.firstMs;
  if (!(state.viewEndMs <= record.endMs) || !(state.viewEndMs > state.viewStartMs))
    state.viewEndMs = record.endMs;
  if (!(state.viewStartMs < state.viewEndMs)) state.viewStartMs = record.firstMs;
  if (!(state.viewScale > 0) || !std::isfinite(state.viewScale)) state.viewScale = 1;
}

std::int64_t samplesInWindow(const decode::SegdRecord& record, double startMs, double endMs) {
  const SampleSpan span = samplesOf(record, startMs, endMs);
  return std::max<std::int64_t>(0, span.last - span.first + 1);
}

bool numericsAllowed(const decode::SegdRecord& record, const SingleTraceState& state) {
  return samplesInWindow(record, state.viewStartMs, state.viewEndMs) < kNumericsSampleLimit;
}

double traceRms(const decode::SegdRecord& record, std::int32_t trace) {
  if (!holdsTrace(record, trace)) return 0;
  const std::span<const float> samples = record.samples.trace(trace);
  const std::int64_t n = record.samples.samplesPerTrace();
  double sum = 0;
  for (std::int64_t j = 0; j < n; ++j) {
    const double v = sampleOrZero(samples, j);
    sum += v * v;
  }
  const double factor = recordedFactor(record, trace);
  return std::sqrt(sum / static_cast<double>(std::max<std::int64_t>(1, n - 1))) * std::abs(factor);
}

std::string traceRmsText(double rmsMv, float& unitFactor) {
  const auto rms = static_cast<float>(rmsMv);
  unitFactor = rms >= 1 ? 1.0f : 1000.0f;
  if (unitFactor == 1) return "Trace RMS " + decode::shortestText(rms) + "mV";
  return "Trace RMS " + decode::shortestText(rms * 1000.0f) + "uV";
}

PlotGeometry DrawSingleTrace(Canvas& canvas, const decode::SegdRecord& record,
                             SingleTraceState& state) {
  limitViewWindow(state, recordTimesOf(record));
  if (!numericsAllowed(record, state)) state.numericsOn = false;
  canvas.clear(kWhite);
  canvas.setTextColour(kBlack);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  const double fontPixels = plotFontPixels(canvas);
  canvas.setFont("Arial", fontPixels, false);
  if (!holdsTrace(record, state.viewTrace)) {
    canvas.setWorldWindow({0, 1, 1, 0});
    canvas.text({0.5, 0.5}, "No trace", HAlign::Centre, VAlign::Centre);
    return {};
  }
  const std::int32_t trace = state.viewTrace;
  const double dt = record.sampleIntervalMs;
  const std::string rms = traceRmsText(traceRms(record, trace), state.rmsUnitFactor);
  const std::string unit = state.rmsUnitFactor == 1 ? " mV" : " uV";
  const double normalising = normalisingFactor(record, trace);
  const double unitsPerStored = recordedFactor(record, trace) * state.rmsUnitFactor;

  const double labelWidth =
      canvas.measureText("-00000.0 mV  ").width / canvas.mapping().worldPerPixelX();
  const double t0 = record.startTimeMs;
  PlotRect data{(state.viewStartMs - t0) / dt, (state.viewEndMs - t0) / dt, -1, 1};
  const WorldWindow world =
      setPlotWindow(canvas, data, {labelWidth + 10, 2.5 * fontPixels + 8, 20, 2.5 * fontPixels});
  drawCaptions(canvas, record, trace, rms);
  drawAmplitudeLabels(canvas, data, unitsPerStored / normalising / state.viewScale, unit);
  drawTimeLabels(canvas, data, record, state.viewStartMs, state.viewEndMs);

  const SampleSpan span = samplesOf(record, state.viewStartMs, state.viewEndMs);
  const std::span<const float> samples = record.samples.trace(trace);
  std::vector<PointF> points;
  std::vector<double> values;
  points.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, span.last - span.first + 1)));
  for (std::int64_t j = span.first; j <= span.last; ++j) {
    const double v = sampleOrZero(samples, j);
    // Kept inside the frame, so a magnified trace never runs over the captions and labels.
    points.push_back(
        {static_cast<double>(j), std::clamp(state.viewScale * normalising * v, -1.0, 1.0)});
    if (state.numericsOn) values.push_back(v * unitsPerStored);
  }
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.polyline(points);
  if (state.numericsOn) drawNumerics(canvas, data, points, values, unit, fontPixels);
  canvas.setPen(kBlack, 1, PenStyle::Solid, false);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});
  return {world, data, true};
}

std::vector<FrequencyPoint> traceFrequencyVsTime(const decode::SegdRecord& record,
                                                 const SingleTraceState& state, dsp::Fft& fft,
                                                 const base::DebugLog* log) {
  if (!holdsTrace(record, state.viewTrace)) return {};
  const double t0 = record.startTimeMs;
  if (!(state.viewEndMs >= t0)) return {};
  // The view's window never ends past the record; an unlimited state is held to it as well.
  const auto n = static_cast<std::int64_t>(
      std::min(std::floor((state.viewEndMs - t0) / record.sampleIntervalMs + 1e-9),
               static_cast<double>(record.samples.samplesPerTrace())));
  const std::span<const float> trace = record.samples.trace(state.viewTrace);
  std::vector<float> samples(static_cast<std::size_t>(n) + 1, 0.0f);
  const auto held = std::min<std::int64_t>(n + 1, record.samples.samplesPerTrace());
  std::copy_n(trace.begin(), held, samples.begin());
  std::vector<FrequencyPoint> points =
      AnalyseFrequencyVsTime(samples, record.sampleIntervalMs, fft, log);
  for (FrequencyPoint& p : points) p.timeMs += t0;
  return points;
}

TimeFrequencyImage traceTimeFrequency(const decode::SegdRecord& record, std::int32_t trace,
                                      dsp::Fft& fft) {
  if (!holdsTrace(record, trace)) return {};
  const std::span<const float> samples = record.samples.trace(trace);
  TimeFrequencyImage image = analyseTimeFrequency(
      samples.first(static_cast<std::size_t>(record.samples.samplesPerTrace())),
      record.sampleIntervalMs, fft);
  image.startMs = record.startTimeMs;
  image.endMs += record.startTimeMs;
  return image;
}

std::string timeFrequencyCaption(const decode::SegdRecord& record, const SingleTraceState& state) {
  const std::string from = decode::shortestText(record.startTimeMs) + " - ";
  if (state.viewMode == SingleTraceMode::TimeFrequency)
    return channelCaption(record, state.viewTrace) + "    FT An.    " + from +
           timeLabelMs(recordTimesOf(record).endMs);
  return channelCaption(record, state.viewTrace) + "    F vs T    " + from +
         timeLabelMs(state.viewEndMs);
}

PlotGeometry drawSingleTraceView(Canvas& canvas, const decode::SegdRecord& record,
                                 SingleTraceState& state, dsp::Fft& fft, const base::DebugLog* log,
                                 const TimeFrequencyImage* image) {
  if (state.viewMode == SingleTraceMode::Trace || !holdsTrace(record, state.viewTrace))
    return DrawSingleTrace(canvas, record, state);
  limitViewWindow(state, recordTimesOf(record));
  const std::string caption = timeFrequencyCaption(record, state);
  PlotGeometry plot;
  if (state.viewMode == SingleTraceMode::FrequencyVsTime) {
    const std::vector<FrequencyPoint> points = traceFrequencyVsTime(record, state, fft, log);
    plot = drawFrequencyVsTime(canvas, points, record.startTimeMs, state.viewEndMs, caption);
  } else if (image != nullptr) {
    plot = drawTimeFrequencyImage(canvas, *image, caption);
  } else {
    plot =
        drawTimeFrequencyImage(canvas, traceTimeFrequency(record, state.viewTrace, fft), caption);
  }
  return plot;
}

}  // namespace vorax::app
