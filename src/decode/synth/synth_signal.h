// Sample generation of the synthetic shot records: a seeded noise source, the Ricker wavelet,
// a layered-earth shot model (refracted first breaks, reflection hyperbolae, ground roll) and
// the receiver spread laid out on parallel lines. Times in seconds, distances in metres.
// Shared by every synthetic-record writer.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace vorax::decode::synth {

// Gaussian noise that gives the same numbers for the same seed on every platform (the
// standard distributions do not promise that; mt19937 itself does).
class NoiseSource {
 public:
  explicit NoiseSource(std::uint32_t seed) : engine_(seed) {}
  double uniform();   // in (0, 1)
  double gaussian();  // mean 0, standard deviation 1

 private:
  std::mt19937 engine_;
};

// Ricker wavelet of peak frequency `frequencyHz` at time `t` from its centre; 1 at t = 0.
double ricker(double frequencyHz, double t);

struct Reflector {
  double zeroOffsetTime;  // two-way time at zero offset (s)
  double rmsVelocity;     // (m/s)
  double amplitude;       // at zero offset, signed
};

// The earth and source seen by every receiver of a shot.
struct ShotModel {
  double directVelocity = 650;      // weathering layer (m/s)
  double refractorVelocity = 2100;  // first-break moveout beyond the crossover (m/s)
  double refractorIntercept = 0.045;
  double firstBreakFrequency = 35;
  double firstBreakAmplitude = 1.5;
  std::vector<Reflector> reflectors{
      {0.32, 2050, 0.55}, {0.64, 2300, 0.40}, {1.05, 2600, -0.30}, {1.55, 2900, 0.22}};
  double reflectionFrequency = 28;
  double groundRollVelocity = 340;
  double groundRollFrequency = 9;
  double groundRollAmplitude = 2.5;
  double noiseLevel = 0.015;
  double overallScale = 40;  // brings the values to a recorder-like millivolt range
};

// First-break time at source-receiver distance `offset`: the direct wave, or the refraction
// once it overtakes it.
double firstBreakTime(const ShotModel& model, double offset);

// Fills `out` (one value per sample, sample i at i * dt seconds) with the trace of a receiver
// at distance `offset` from the source: noise throughout, first break, reflections with
// spherical spreading, and ground roll.
void synthesiseSeismicTrace(const ShotModel& model, double offset, double dt, std::span<float> out,
                            NoiseSource& noise);

// Auxiliary traces: the time-break pulse (10 ms step at time 0) and the uphole geophone
// (a sharp wavelet at the uphole time), each with a little noise.
void synthesiseTimeBreakTrace(double dt, std::span<float> out, NoiseSource& noise);
void synthesiseUpholeTrace(double upholeTime, double dt, std::span<float> out, NoiseSource& noise);

// Receivers laid out on `lines` parallel east-west lines, filled line by line with
// ceil(count / lines) receivers each: receiver i sits on line i / perLine at point i % perLine.
struct SpreadLayout {
  int receiverCount = 96;
  int lines = 4;
  int firstLineNumber = 1001;
  int firstPointNumber = 2001;
  double originEast = 512000.00;  // first point of the first line (m)
  double originNorth = 6234000.00;
  double pointSpacing = 25;  // along a line, eastward (m)
  double lineSpacing = 200;  // between lines, northward (m)
};

struct Receiver {
  int lineIndex;  // 0-based
  int line;       // line number
  int point;      // point number
  double east;
  double north;
};

int receiversPerLine(const SpreadLayout& layout);
Receiver receiverAt(const SpreadLayout& layout, int index);  // index 0-based
struct Position {
  double east;
  double north;
};
// The centre of the spread's bounding box: where the writers put the shot.
Position spreadCentre(const SpreadLayout& layout);

}  // namespace vorax::decode::synth
