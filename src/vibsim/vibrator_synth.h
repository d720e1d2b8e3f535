// Synthetic vibrator test signals with known faults, for tests, benchmarks and trying the
// similarity pages without a crew: a linear sweep with cosine tapers, and the same sweep as a
// vibrator would return it, late by a known time or with a known share of second harmonic.
// Written as a VORAX-flavour record of several vibrators (through the synthetic-record
// writer) or as radio similarity files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "decode/synth/synth_writer.h"

namespace vorax::vibsim {

struct SweepShape {
  double startHz = 8;
  double endHz = 80;
  double lengthS = 12;
  double taperS = 0.35;  // cosine taper at each end
};

// One signal as a vibrator gives it back.
struct VibratorFault {
  double delayUs = 0;         // late by this much against the pilot
  double secondHarmonic = 0;  // amplitude of 2f relative to the fundamental (0.3 = 30 %)
  double amplitude = 1;       // sign -1 reverses the polarity
};

// Samples 0..count-1 at `dtS` seconds of the sweep carrying `fault`; zero outside the sweep.
// The harmonic is left out where it would stand above 0.8 of the Nyquist frequency (a
// recorder's anti-alias filter takes it out there), so that it never aliases.
std::vector<float> sweepSamples(const SweepShape& sweep, const VibratorFault& fault, double dtS,
                                std::int32_t count);

// A record of one pilot trace and four traces per vibrator, in the order reference, base
// plate, mass, ground force: vibrator v (1-based) on traces 4v - 2 .. 4v + 1. The reference
// and base plate are clean copies of the pilot, the mass the base plate reversed at 0.8 of
// its amplitude, and the ground force carries the vibrator's fault.
struct VibratorRecordOptions {
  SweepShape sweep;
  double sampleIntervalMs = 1;  // 0.25, 0.5, 1, 2 or 4
  double recordLengthS = 12;
  std::vector<VibratorFault> groundForceFaults{{}, {300, 0, 1}, {0, 0.3, 1}};
};

inline constexpr std::int32_t kPilotTrace = 1;
// Trace of column 0 (reference), 1 (base plate), 2 (mass) or 3 (ground force) of vibrator v.
constexpr std::int32_t vibratorTrace(int v, int column) {
  return 4 * v - 2 + column;
}

decode::synth::SynthOptions vibratorRecordSynthOptions(const VibratorRecordOptions& options);
// Writes the record atomically; returns an error text or an empty text.
std::string writeVibratorRecord(const std::filesystem::path& path,
                                const VibratorRecordOptions& options);

// A radio similarity file: channel 1 a time-break pulse, channel 2 the reference (the
// clean sweep), channel 3 the return carrying `fault`, each scaled to 16-bit samples. The
// sweep starts at file sample 0, so it shows 120 samples late in the record.
struct RadioFileOptions {
  SweepShape sweep;
  std::int16_t intervalMultiplier = 4;  // k: 4 x 124.782935 us
  std::int32_t samplesPerChannel = 24500;
  VibratorFault returnFault;
  std::string date = "08/12/2026";
  std::string time = "06:41:17";
};

std::vector<std::uint8_t> radioFileBytes(const RadioFileOptions& options);
std::string writeRadioFile(const std::filesystem::path& path, const RadioFileOptions& options);

}  // namespace vorax::vibsim
