#include "decode/synth/synth_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vorax::decode::synth {

namespace {

constexpr double kPi = std::numbers::pi;

// Adds amplitude x shape(t - centre) to the samples within `halfWidth` seconds of `centre`.
template <typename Shape>
void addEvent(std::span<float> out, double dt, double centre, double halfWidth, double amplitude,
              Shape shape) {
  if (out.empty()) return;
  const double last = static_cast<double>(out.size() - 1);
  const double first = std::max(0.0, std::ceil((centre - halfWidth) / dt));
  const double end = std::min(last, std::floor((centre + halfWidth) / dt));
  for (double i = first; i <= end; ++i) {
    const auto index = static_cast<std::size_t>(i);
    out[index] += static_cast<float>(amplitude * shape(i * dt - centre));
  }
}

void addNoise(std::span<float> out, double level, NoiseSource& noise) {
  for (float& v : out) v += static_cast<float>(level * noise.gaussian());
}

void scaleAll(std::span<float> out, double factor) {
  for (float& v : out) v = static_cast<float>(v * factor);
}

}  // namespace

double NoiseSource::uniform() {
  // 32 random bits mapped to the open interval (0, 1).
  return (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
}

double NoiseSource::gaussian() {
  // Box-Muller; one value per call keeps the sequence simple to reason about.
  const double u1 = uniform();
  const double u2 = uniform();
  return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
}

double ricker(double frequencyHz, double t) {
  const double a = kPi * kPi * frequencyHz * frequencyHz * t * t;
  return (1.0 - 2.0 * a) * std::exp(-a);
}

double firstBreakTime(const ShotModel& model, double offset) {
  return std::min(offset / model.directVelocity,
                  model.refractorIntercept + offset / model.refractorVelocity);
}

void synthesiseSeismicTrace(const ShotModel& model, double offset, double dt, std::span<float> out,
                            NoiseSource& noise) {
  std::fill(out.begin(), out.end(), 0.0f);
  addNoise(out, model.noiseLevel, noise);

  const auto rickerAt = [](double frequency) {
    return [frequency](double t) { return ricker(frequency, t); };
  };
  // A Ricker wavelet is negligible beyond 1.5 periods from its centre.
  const double fbHalf = 1.5 / model.firstBreakFrequency;
  addEvent(out, dt, firstBreakTime(model, offset) + fbHalf, fbHalf,
           model.firstBreakAmplitude / (1.0 + offset / 150.0), rickerAt(model.firstBreakFrequency));

  const double reflHalf = 1.5 / model.reflectionFrequency;
  for (const Reflector& r : model.reflectors) {
    const double t = std::sqrt(r.zeroOffsetTime * r.zeroOffsetTime +
                               (offset / r.rmsVelocity) * (offset / r.rmsVelocity));
    addEvent(out, dt, t, reflHalf, r.amplitude * r.zeroOffsetTime / t,
             rickerAt(model.reflectionFrequency));
  }

  // Ground roll: a slow, low-frequency packet of a few cycles, decaying with distance.
  const double period = 1.0 / model.groundRollFrequency;
  const double rollStart = offset / model.groundRollVelocity;
  addEvent(out, dt, rollStart + 2 * period, 2 * period,
           model.groundRollAmplitude * std::exp(-offset / 700.0), [period](double t) {
             const double envelope = std::exp(-(t * t) / (period * period));
             return envelope * std::sin(2.0 * kPi * t / period);
           });

  scaleAll(out, model.overallScale);
}

void synthesiseTimeBreakTrace(double dt, std::span<float> out, NoiseSource& noise) {
  std::fill(out.begin(), out.end(), 0.0f);
  addNoise(out, 0.002, noise);
  addEvent(out, dt, 0.005, 0.005, 1.0, [](double) { return 1.0; });
}

void synthesiseUpholeTrace(double upholeTime, double dt, std::span<float> out, NoiseSource& noise) {
  std::fill(out.begin(), out.end(), 0.0f);
  addNoise(out, 0.01, noise);
  addEvent(out, dt, upholeTime, 0.03, 0.8, [](double t) { return ricker(60, t); });
}

int receiversPerLine(const SpreadLayout& layout) {
  const int lines = std::max(1, layout.lines);
  return std::max(1, (layout.receiverCount + lines - 1) / lines);
}

Receiver receiverAt(const SpreadLayout& layout, int index) {
  const int perLine = receiversPerLine(layout);
  const int lineIndex = index / perLine;
  const int pointIndex = index % perLine;
  return {lineIndex, layout.firstLineNumber + lineIndex, layout.firstPointNumber + pointIndex,
          layout.originEast + pointIndex * layout.pointSpacing,
          layout.originNorth + lineIndex * layout.lineSpacing};
}

Position spreadCentre(const SpreadLayout& layout) {
  const int perLine = receiversPerLine(layout);
  const int linesUsed = std::max(1, (layout.receiverCount + perLine - 1) / perLine);
  return {layout.originEast + (perLine - 1) * layout.pointSpacing / 2,
          layout.originNorth + (linesUsed - 1) * layout.lineSpacing / 2};
}

}  // namespace vorax::decode::synth
