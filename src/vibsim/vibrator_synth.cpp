#include "vibsim/vibrator_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/atomic_file.h"
#include "vibsim/radio_file.h"

namespace vorax::vibsim {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kFullScale16 = 30000;   // a little below the 16-bit limit
constexpr double kMassShare = -0.8;      // mass acceleration against the base plate's
constexpr double kAntiAliasShare = 0.8;  // of the Nyquist frequency: a recorder's filter corner

double taperEnvelope(const SweepShape& s, double t) {
  if (t < 0 || t > s.lengthS) return 0;
  const double edge = std::min(t, s.lengthS - t);
  if (s.taperS <= 0 || edge >= s.taperS) return 1;
  return 0.5 * (1 - std::cos(std::numbers::pi * edge / s.taperS));
}

double sweepFrequency(const SweepShape& s, double t) {
  return s.startHz + (s.endHz - s.startHz) * t / s.lengthS;
}

double sweepPhase(const SweepShape& s, double t) {
  return kTwoPi * (s.startHz * t + (s.endHz - s.startHz) * t * t / (2 * s.lengthS));
}

void putLittle(std::vector<std::uint8_t>& out, std::size_t at, std::uint64_t value,
               std::size_t count) {
  decode::storeLittle(out, at, value, count);
}

void putText(std::vector<std::uint8_t>& out, std::size_t at, const std::string& text,
             std::size_t width) {
  for (std::size_t i = 0; i < width; ++i)
    out[at + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
}

void putChannel(std::vector<std::uint8_t>& out, std::size_t at, const std::vector<float>& samples) {
  float peak = 0;
  for (float v : samples) peak = std::max(peak, std::abs(v));
  const double scale = peak > 0 ? kFullScale16 / peak : 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const auto value = static_cast<std::int16_t>(std::lround(samples[i] * scale));
    putLittle(out, at + 2 * i, static_cast<std::uint16_t>(value), 2);
  }
}

}  // namespace

std::vector<float> sweepSamples(const SweepShape& sweep, const VibratorFault& fault, double dtS,
                                std::int32_t count) {
  std::vector<float> out(static_cast<std::size_t>(std::max(count, 0)));
  const double antiAliasHz = kAntiAliasShare * 0.5 / dtS;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) * dtS - fault.delayUs * 1e-6;
    const double envelope = taperEnvelope(sweep, t);
    if (envelope == 0) continue;
    const double phase = sweepPhase(sweep, t);
    const double harmonic = 2 * sweepFrequency(sweep, t) < antiAliasHz ? fault.secondHarmonic : 0;
    out[i] = static_cast<float>(fault.amplitude * envelope *
                                (std::sin(phase) + harmonic * std::sin(2 * phase)));
  }
  return out;
}

decode::synth::SynthOptions vibratorRecordSynthOptions(const VibratorRecordOptions& o) {
  decode::synth::SynthOptions synth;
  const auto vibrators = static_cast<int>(o.groundForceFaults.size());
  synth.seismicTraces = 1 + 4 * vibrators;
  synth.auxTraces = 0;
  synth.receiverLines = 1;
  synth.deadTrace = 0;
  synth.reversedTrace = 0;
  synth.sampleIntervalMs = o.sampleIntervalMs;
  synth.samplesPerTrace =
      static_cast<int>(std::lround(o.recordLengthS * 1000 / o.sampleIntervalMs)) + 1;
  const double dtS = o.sampleIntervalMs / 1000;
  const std::int32_t count = synth.samplesPerTrace;
  synth.traceSource = [o, dtS, count](int t) {
    if (t == kPilotTrace) return sweepSamples(o.sweep, {}, dtS, count);
    const int v = (t + 2) / 4;
    const int column = t - vibratorTrace(v, 0);
    VibratorFault fault;
    if (column == 2) fault.amplitude = kMassShare;
    if (column == 3) fault = o.groundForceFaults[static_cast<std::size_t>(v - 1)];
    return sweepSamples(o.sweep, fault, dtS, count);
  };
  return synth;
}

std::string writeVibratorRecord(const std::filesystem::path& path,
                                const VibratorRecordOptions& options) {
  return decode::synth::writeSyntheticRecord(path, vibratorRecordSynthOptions(options));
}

std::vector<std::uint8_t> radioFileBytes(const RadioFileOptions& o) {
  const auto n = static_cast<std::size_t>(std::max(o.samplesPerChannel, 0));
  std::vector<std::uint8_t> out(256 + 6 * n, 0);
  putLittle(out, 0, static_cast<std::uint32_t>(o.samplesPerChannel), 4);
  putText(out, 6, o.date, 10);
  putText(out, 52, o.time, 8);
  putLittle(out, 152, static_cast<std::uint16_t>(o.intervalMultiplier), 2);
  const double dtS = radioSampleIntervalUs(o.intervalMultiplier) * 1e-6;
  std::vector<float> timeBreak(n, 0.0f);
  for (std::size_t i = 0; i < std::min<std::size_t>(n, 20); ++i) timeBreak[i] = 1.0f;
  putChannel(out, 256, timeBreak);
  putChannel(out, 256 + 2 * n, sweepSamples(o.sweep, {}, dtS, o.samplesPerChannel));
  putChannel(out, 256 + 4 * n, sweepSamples(o.sweep, o.returnFault, dtS, o.samplesPerChannel));
  return out;
}

std::string writeRadioFile(const std::filesystem::path& path, const RadioFileOptions& options) {
  base::AtomicFileWriter writer(path);
  writer.write(radioFileBytes(options));
  writer.commit();
  return writer.error();
}

}  // namespace vorax::vibsim
