// Time-frequency analysis of one trace: the dominant frequency and harmonic distortion every
// 50 ms ("F vs T"), and the colour-coded spectrogram of the whole trace ("FT An."). Each
// analysis point takes the 128 samples from 63 before to 64 after it (samples outside the
// analysed range count as 0), applies the Blackman taper, places them at positions 448..575
// of a frame of 1024 zeros and takes the amplitude spectrum: 513 bins, bin i at
// i / (1024 x interval) Hz.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "app/canvas.h"
#include "app/plot_frame.h"
#include "base/debug_log.h"
#include "dsp/fft.h"

namespace vorax::app {

inline constexpr std::size_t kSegmentLength = 128;
inline constexpr std::size_t kSegmentBefore = 63;
inline constexpr std::size_t kFrameLength = 1024;
inline constexpr std::size_t kSegmentPosition = 448;
inline constexpr std::size_t kFrameBins = kFrameLength / 2 + 1;

// Samples in 50 ms (the analysis hop), at least 1.
std::int64_t analysisHop(double sampleIntervalMs);

// Width of one frame bin in Hz.
double frameBinHz(double sampleIntervalMs);

struct FrequencyPoint {
  double timeMs = 0;
  double frequencyHz = 0;
  double distortionPercent = 0;
};

// AnalyseFrequencyVsTime over samples 0..n of `samples` (n = samples.size() - 1; the caller
// passes the trace cut or zero-extended to n + 1 values): points b = 1..n / hop at sample
// (b - 1) x hop. The peak p is the first bin of the largest amplitude A; the frequency is
// p x bin width; the distortion is 100 x (sum of the amplitudes at 2p, 3p, ... up to bin 512)
// / A percent, 0 when p or A is 0. Logs "Tapers applied" to `log` when it is enabled.
std::vector<FrequencyPoint> AnalyseFrequencyVsTime(std::span<const float> samples,
                                                   double sampleIntervalMs, dsp::Fft& fft,
                                                   const base::DebugLog* log = nullptr);

// The spectrogram: one column of kFrameBins levels per analysis point.
struct TimeFrequencyImage {
  double sampleIntervalMs = 0;
  std::int64_t hop = 1;       // samples between columns
  std::size_t columns = 0;    // column c is centred on sample c x hop
  std::vector<float> levels;  // column-major: levels[c * kFrameBins + bin]
  float largest = 0;
  // Each cell's step on the six-decade colour scale (0 grey to kSixDecadeSteps red), worked
  // out once with the levels: a redraw of a kept image only looks its colours up.
  std::vector<std::uint8_t> colourSteps;
  double startMs = 0;  // time of sample 0 (column 0's middle)
  double endMs = 0;    // time of the last sample analysed
};

// The same analysis over the whole of `samples`, with columns every 50 ms or closer, so that
// a short trace still gets at least 256 columns.
TimeFrequencyImage analyseTimeFrequency(std::span<const float> samples, double sampleIntervalMs,
                                        dsp::Fft& fft);

// Six-decade level of a cell: v = (6 + log10(level / largest)) / 6, 0 below a millionth (or
// for a level of 0), 1 at the largest.
double sixDecadeLevel(float level, float largest);
// The steps of the image's colour scale: level v of each value at the nearest of
// kSixDecadeSteps + 1 steps from 0 to 1.
inline constexpr std::size_t kSixDecadeSteps = 240;
std::vector<std::uint8_t> sixDecadeSteps(std::span<const float> levels, float largest);
// Its colour: HLSTORGB(240 - 240 v, 120, 240 v), red at the largest, grey at the lowest.
Colorref sixDecadeColour(double v);

// Both time-frequency plots have time (ms) across and frequency (Hz) up.
// The dominant frequency of each point against its time (blue, left axis: 0 to the smallest
// multiple of CHOOSESTEP(0, largest frequency) not below the largest) and the distortion on
// its own axis on the right (red, percent), over startMs..endMs.
PlotGeometry drawFrequencyVsTime(Canvas& canvas, std::span<const FrequencyPoint> points,
                                 double startMs, double endMs, const std::string& caption);

// The spectrogram from 0 to the Nyquist frequency with a colour scale in dB on the right.
PlotGeometry drawTimeFrequencyImage(Canvas& canvas, const TimeFrequencyImage& image,
                                    const std::string& caption);

// "0.0" + "Hz" for the read-out of the frequency under the pointer.
std::string frequencyReadout(double hz);

}  // namespace vorax::app
