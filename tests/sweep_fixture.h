// Vibrator sweeps made from their formula, for tests of the similarity measurements: a linear
// sweep with cosine (sine-squared) tapers at both ends, optionally delayed, reversed in
// polarity or carrying a second harmonic, sampled into a trace of values 0..n.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

namespace vorax::test {

struct Sweep {
  double startHz = 8;
  double endHz = 80;
  double lengthS = 12;
  double taperS = 0.35;        // each end
  double startPhaseDeg = -90;  // of a cosine: -90 is a sine
  double delayS = 0;
  double polarity = 1;
  double secondHarmonic = 0;  // amplitude relative to the fundamental

  double frequencyAt(double t) const { return startHz + (endHz - startHz) * t / lengthS; }
  // Phase of the undelayed fundamental, radians.
  double phaseAt(double t) const {
    return 2 * std::numbers::pi * (startHz * t + (endHz - startHz) * t * t / (2 * lengthS)) +
           startPhaseDeg * std::numbers::pi / 180;
  }
  double taperAt(double t) const {
    if (t < 0 || t > lengthS) return 0;
    const double edge = std::min(t, lengthS - t);
    if (edge >= taperS) return 1;
    const double s = std::sin(std::numbers::pi / 2 * edge / taperS);
    return s * s;
  }
  double valueAt(double time) const {
    const double t = time - delayS;
    const double p = phaseAt(t);
    return polarity * taperAt(t) * (std::cos(p) + secondHarmonic * std::cos(2 * p));
  }
  // Values 0..count-1 at dt seconds; the trace's last value (index count - 1) is left 0, as
  // the record keeps it.
  std::vector<float> samples(double dtS, std::size_t count) const {
    std::vector<float> v(count, 0.0f);
    for (std::size_t i = 0; i + 1 < count; ++i)
      v[i] = static_cast<float>(valueAt(static_cast<double>(i) * dtS));
    return v;
  }
};

}  // namespace vorax::test
