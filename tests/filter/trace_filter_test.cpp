#include "filter/trace_filter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <complex>
#include <functional>
#include <random>
#include <vector>

#include "dsp/dsp_reference.h"
#include "dsp/fft_wisdom.h"

namespace vorax::filter {
namespace {

using Complex = std::complex<double>;

// The filter worked out independently of the engine: the n-point direct DFT (in double) of x,
// bins 0..n/2 multiplied by gain(bin) and the others made their conjugates, transformed back
// by the direct inverse DFT.
std::vector<double> referenceFilter(const std::vector<double>& x, std::size_t n,
                                    const std::function<double(std::size_t bin)>& gain) {
  std::vector<Complex> bins = test::directDft(std::vector<Complex>(x.begin(), x.end()), -1, n);
  for (std::size_t k = 0; k <= n / 2; ++k) {
    bins[k] *= gain(k);
    if (k != 0 && k != n / 2) bins[n - k] = std::conj(bins[k]);
  }
  bins[0].imag(0);
  if (n % 2 == 0) bins[n / 2].imag(0);
  const std::vector<Complex> back = test::directDft(bins, +1);
  std::vector<double> out(x.size());
  for (std::size_t t = 0; t < x.size(); ++t) out[t] = back[t].real() / static_cast<double>(n);
  return out;
}

// The trace vector (0 at index 0) of `samples` random samples.
std::vector<float> randomVector(std::size_t samples, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> v(samples + 1, 0.0f);
  for (std::size_t k = 1; k <= samples; ++k) v[k] = value(generator);
  return v;
}

// Samples 1..M of `y` divided by their largest magnitude.
std::vector<double> normalisedSamples(const std::vector<double>& y) {
  double peak = 0;
  for (std::size_t k = 1; k < y.size(); ++k) peak = std::max(peak, std::fabs(y[k]));
  std::vector<double> out(y.size(), 0.0);
  for (std::size_t k = 1; k < y.size(); ++k) out[k] = y[k] / peak;
  return out;
}

TEST(FilterGeometry, TransformLengthCornerIndicesAndRampOfTheWorkedExample) {
  // 1000 samples at 2 ms, low cut 8/12 Hz: n 1024, b1 33, b2 49, a ramp 16 wide.
  EXPECT_EQ(transformLength(1000), 1024u);
  EXPECT_EQ(transformLength(1024), 2048u);  // a power of two takes the next, so all are used
  EXPECT_EQ(transformLength(1), 2u);
  const FilterPlan plan(FilterRequest{FilterType::LowCut, {8, 12}}, 2000, 1000);
  EXPECT_EQ(plan.transformLength(), 1024u);
  EXPECT_EQ(plan.cornerIndices()[0], 33);
  EXPECT_EQ(plan.cornerIndices()[1], 49);

  // 2 dt f n = 32.5 and 33.5 exactly: halves go to the even neighbour.
  EXPECT_EQ(cornerIndex(1.0, 65.0 / 4096, 1024), 32);
  EXPECT_EQ(cornerIndex(1.0, 67.0 / 4096, 1024), 34);
  // Above the Nyquist frequency: the Nyquist element; below 0 or not a number: 0.
  EXPECT_EQ(cornerIndex(0.002, 300, 1024), 1024);
  EXPECT_EQ(cornerIndex(0.002, -5, 1024), 0);
  EXPECT_EQ(cornerIndex(0.002, std::nanf(""), 1024), 0);

  // w = 16: points 0..8 of 0.42 - 0.5 cos(2 pi m / 14) + 0.08 cos(4 pi m / 14); the peak 1 at
  // m = 7, and point 8 equal to point 6 (0.42 + 0.5 x 0.900969 + 0.08 x 0.623490).
  const std::vector<float> ramp = risingRamp(16);
  ASSERT_EQ(ramp.size(), 9u);
  EXPECT_EQ(ramp[0], 0.0f);
  EXPECT_NEAR(ramp[7], 1.0, 1e-6);
  EXPECT_NEAR(ramp[8], 0.920364, 1e-5);
  EXPECT_NEAR(ramp[6], 0.920364, 1e-5);
  EXPECT_EQ(risingRamp(17), ramp);  // an odd width loses one
  // Too narrow for the window's (w - 2): a step, never a division by zero.
  for (std::int64_t width : {0, 1, 2, 3})
    EXPECT_EQ(risingRamp(width), (std::vector<float>{0, 1})) << width;
}

// The spectrum changes bin by bin, as the filter types define them, for random traces of
// 1000 samples at 2 ms and of 1023, which fill the transform (n 1024) exactly. Corner indices
// (twice the bin numbers): 8 -> 33, 12 -> 49, 70 -> 287, 90 -> 369, 47 -> 193, 49 -> 201, 51 ->
// 209, 53 -> 217; an odd one rounds up to the next bin on a rising ramp (33 -> 17) and down on a
// falling one (287 -> 143).
struct SpectrumCase {
  FilterRequest request;
  std::function<double(std::size_t)> gain;
};

// The ramp point of bin k when bins from `from` on take the points in order (the last one
// repeated); a falling ramp takes them from the last point down.
double rampGain(std::size_t k, std::size_t from, const std::vector<float>& ramp, bool falling) {
  const std::size_t point = std::min(k - from, ramp.size() - 1);
  return falling ? ramp[ramp.size() - 1 - point] : ramp[point];
}

std::vector<SpectrumCase> spectrumCases() {
  const std::vector<float> r16 = risingRamp(16);
  const std::vector<float> r82 = risingRamp(82);
  const std::vector<float> r8 = risingRamp(8);
  return {
      // Bins 0..17 zero, bins 17..25 on ramp points 0..8.
      {{FilterType::LowCut, {8, 12}},
       [=](std::size_t k) { return k <= 17   ? 0.0
                                   : k <= 25 ? rampGain(k, 17, r16, false)
                                             : 1.0; }},
      // Bins 143..184 on the falling ramp (41 points, the last repeated), from 184 on zero.
      {{FilterType::HighCut, {70, 90}},
       [=](std::size_t k) { return k < 143   ? 1.0
                                   : k < 184 ? rampGain(k, 143, r82, true)
                                             : 0.0; }},
      {{FilterType::BandPass, {8, 12, 70, 90}},
       [=](std::size_t k) {
         if (k <= 17) return 0.0;
         if (k <= 25) return static_cast<double>(rampGain(k, 17, r16, false));
         if (k < 143) return 1.0;
         return k < 184 ? rampGain(k, 143, r82, true) : 0.0;
       }},
      // Falling ramp over bins 96..100, zero over 100..105, rising ramp over 105..109.
      {{FilterType::BandReject, {47, 49, 51, 53}},
       [=](std::size_t k) {
         if (k < 96 || k > 109) return 1.0;
         if (k < 100) return static_cast<double>(rampGain(k, 96, r8, true));
         if (k <= 105) return 0.0;
         return static_cast<double>(rampGain(k, 105, r8, false));
       }},
  };
}

TEST(FilterTrace, MatchesAnIndependentDftForEveryType) {
  ASSERT_EQ(risingRamp(8).size(), 5u);  // h = 3.5 rounded to 4
  const std::vector<SpectrumCase> cases = spectrumCases();
  dsp::Fft fft;
  FilterWork work;
  for (std::size_t samples : {1000u, 1023u}) {
    for (const SpectrumCase& c : cases) {
      SCOPED_TRACE(testing::Message() << filterCaption(c.request.type) << ", " << samples);
      std::vector<float> v = randomVector(samples, 17);
      std::vector<double> x(v.begin(), v.end());
      for (double& value : x) value *= 3.0;  // the scale the stored samples are multiplied by
      float scale = 3.0f;
      const FilterPlan plan(c.request, 2000, samples);
      ASSERT_EQ(plan.transformLength(), 1024u);
      filterTrace(plan, fft, v, scale, work);
      const std::vector<double> y = referenceFilter(x, 1024, c.gain);
      const std::vector<double> expected = normalisedSamples(y);
      for (std::size_t t = 1; t <= samples; ++t) ASSERT_NEAR(v[t], expected[t], 2e-5) << t;
      double peak = 0;
      for (std::size_t t = 1; t <= samples; ++t) peak = std::max(peak, std::fabs(y[t]));
      EXPECT_NEAR(scale, peak, 1e-4 * peak);
      EXPECT_EQ(v[0], 0.0f);
    }
  }
}

// Two traces through one transform, each matching the independent DFT, when one is a small
// random trace and the other a spike a million times louder, in either order: neither trace's
// rounding may grow with its partner's amplitude.
TEST(FilterTrace, PairsMatchAnIndependentDftWhateverTheirPartner) {
  constexpr std::size_t kSamples = 1000;
  dsp::Fft fft;
  FilterWork work;
  for (const SpectrumCase& c : spectrumCases()) {
    const FilterPlan plan(c.request, 2000, kSamples);
    std::vector<float> quiet = randomVector(kSamples, 17);
    std::vector<float> loud(kSamples + 1, 0.0f);
    loud[400] = 1.0f;
    for (bool quietFirst : {true, false}) {
      SCOPED_TRACE(testing::Message()
                   << filterCaption(c.request.type) << ", quiet first " << quietFirst);
      std::vector<std::vector<float>> v{quiet, loud};
      std::vector<float> scales{3.0f, 1e6f};
      const std::size_t a = quietFirst ? 0 : 1;
      const std::size_t b = 1 - a;
      const auto samples = [&](std::size_t i) { return std::span(v[i]).subspan(1, kSamples); };
      filterSamplePair(plan, fft, {samples(a), samples(a), &scales[a]},
                       {samples(b), samples(b), &scales[b]}, work);
      for (std::size_t i : {0u, 1u}) {
        std::vector<double> x(i == 0 ? quiet.begin() : loud.begin(),
                              i == 0 ? quiet.end() : loud.end());
        for (double& value : x) value *= i == 0 ? 3.0 : 1e6;
        const std::vector<double> y = referenceFilter(x, 1024, c.gain);
        const std::vector<double> expected = normalisedSamples(y);
        for (std::size_t t = 1; t <= kSamples; ++t) ASSERT_NEAR(v[i][t], expected[t], 2e-5) << t;
        double peak = 0;
        for (std::size_t t = 1; t <= kSamples; ++t) peak = std::max(peak, std::fabs(y[t]));
        EXPECT_NEAR(scales[i], peak, 1e-4 * peak) << i;
      }
    }
  }
}

TEST(FilterTrace, FilteringTwiceDeepensTheRamp) {
  const std::vector<float> r16 = risingRamp(16);
  auto gain = [&](std::size_t k) {
    return k <= 17 ? 0.0 : k <= 25 ? rampGain(k, 17, r16, false) : 1.0;
  };
  dsp::Fft fft;
  FilterWork work;
  std::vector<float> v = randomVector(1000, 23);
  const std::vector<double> x(v.begin(), v.end());
  const FilterPlan plan(FilterRequest{FilterType::LowCut, {8, 12}}, 2000, 1000);
  float scale = 1.0f;
  filterTrace(plan, fft, v, scale, work);
  filterTrace(plan, fft, v, scale, work);
  // Each pass keeps samples 1..1000 only: the second starts from the first one's samples.
  std::vector<double> once = referenceFilter(x, 1024, gain);
  once[0] = 0;
  const std::vector<double> expected = normalisedSamples(referenceFilter(once, 1024, gain));
  for (std::size_t t = 1; t <= 1000; ++t) ASSERT_NEAR(v[t], expected[t], 2e-5) << t;

  // In the ramp (bin 20, between 8 and 12 Hz) the second pass takes away more.
  auto binMagnitude = [](const std::vector<double>& y, std::size_t k) {
    return std::abs(test::directDft(std::vector<Complex>(y.begin(), y.end()), -1, 1024)[k]);
  };
  const std::vector<double> twice(v.begin(), v.end());
  const std::vector<double> onceNormalised = normalisedSamples(once);
  const double passRatioOnce = binMagnitude(onceNormalised, 20) / binMagnitude(onceNormalised, 200);
  const double passRatioTwice = binMagnitude(twice, 20) / binMagnitude(twice, 200);
  EXPECT_LT(passRatioTwice, 0.8 * passRatioOnce);
}

TEST(FilterTrace, ZeroTracesStayZeroAndNarrowRampsStayFinite) {
  dsp::Fft fft;
  FilterWork work;
  for (float scale : {1.0f, 0.0f}) {
    std::vector<float> zeros(501, 0.0f);
    float s = scale;
    filterTrace(FilterPlan({FilterType::BandPass, {8, 12, 70, 90}}, 1000, 500), fft, zeros, s,
                work);
    EXPECT_EQ(zeros, std::vector<float>(501, 0.0f));
    EXPECT_EQ(s, 0.0f);
  }
  // The default band reject at 1 ms on 500 samples: n 512, corners 48, 50, 52, 54, ramps 2
  // wide. A step at each corner: bins 24 and 27 kept whole, 25 and 26 removed.
  const FilterPlan reject({FilterType::BandReject, {47, 49, 51, 53}}, 1000, 500);
  EXPECT_EQ(reject.cornerIndices(), (std::array<std::int64_t, 4>{48, 50, 52, 54}));
  std::vector<float> v = randomVector(500, 31);
  const std::vector<double> x(v.begin(), v.end());
  float scale = 1.0f;
  filterTrace(reject, fft, v, scale, work);
  const std::vector<double> expected = normalisedSamples(
      referenceFilter(x, 512, [](std::size_t k) { return k == 25 || k == 26 ? 0.0 : 1.0; }));
  for (std::size_t t = 1; t <= 500; ++t) {
    ASSERT_TRUE(std::isfinite(v[t])) << t;
    ASSERT_NEAR(v[t], expected[t], 2e-5) << t;
  }
}

TEST(FilterTrace, DamagedSamplesEnterAsZero) {
  dsp::Fft fft;
  FilterWork work;
  std::vector<float> v = randomVector(200, 41);
  std::vector<double> x(v.begin(), v.end());
  v[50] = std::nanf("");
  v[60] = INFINITY;
  x[50] = x[60] = 0;
  float scale = 1.0f;
  const FilterPlan plan({FilterType::HighCut, {70, 90}}, 2000, 200);
  ASSERT_EQ(plan.cornerBins()[1], 46);
  filterTrace(plan, fft, v, scale, work);
  // n 256: corner indices 72 and 92, bins 36 and 46.
  const std::vector<float> ramp = risingRamp(20);
  const std::vector<double> expected =
      normalisedSamples(referenceFilter(x, 256, [&](std::size_t k) {
        return k < 36 ? 1.0 : k < 46 ? rampGain(k, 36, ramp, true) : 0.0;
      }));
  for (std::size_t t = 1; t <= 200; ++t) ASSERT_NEAR(v[t], expected[t], 2e-5) << t;
}

// Pure 1 mV sines at 1 ms through each filter, one at a time, on traces of 2,000, 4,000 and
// 8,000 samples (transforms of 2,048, 4,096 and 8,192 points). Whole cycles from t = 0 to the
// trace's end, so that the trace's edges add no step. The level is the output's RMS (samples x
// scale) over the input's, in dB.
struct SineCase {
  FilterRequest request;
  std::vector<double> stoppedHz;  // at a stop corner or beyond: at least 40 dB down
  std::vector<double> passedHz;   // more than 1 Hz inside the pass band: within 0.5 dB
};

std::vector<float> sineSamples(std::size_t m, double hertz, double amplitude) {
  std::vector<float> in(m);
  for (std::size_t k = 0; k < m; ++k) {
    // Sample k is the trace vector's element k + 1, after the leading 0 at t = 0.
    in[k] = static_cast<float>(amplitude *
                               std::sin(2 * M_PI * hertz * 0.001 * static_cast<double>(k + 1)));
  }
  return in;
}

// The level of a sine through the filter, alone or as the second trace of a pair whose first
// is a sine a thousand times louder at 137 Hz: the partner must not leak into it.
double sineLevelDb(const FilterPlan& plan, double hertz, bool paired) {
  const std::size_t m = plan.upperIndex();
  const std::vector<float> in = sineSamples(m, hertz, 1);
  dsp::Fft fft;
  FilterWork work;
  std::vector<float> out(m);
  float scale = 1.0f;
  if (paired) {
    const std::vector<float> loud = sineSamples(m, 137, 1000);
    std::vector<float> loudOut(m);
    float loudScale = 1.0f;
    filterSamplePair(plan, fft, {loud, loudOut, &loudScale}, {in, out, &scale}, work);
  } else {
    filterSamples(plan, fft, in, out, scale, work);
  }
  double inPower = 0;
  double outPower = 0;
  for (std::size_t k = m / 4; k < 3 * m / 4; ++k) {
    inPower += double(in[k]) * in[k];
    outPower += double(out[k]) * scale * out[k] * scale;
  }
  return 10 * std::log10(std::max(outPower, 1e-30) / inPower);
}

TEST(FilterTrace, PureSinesAtAndBeyondStopCornersAreRemovedAndPassBandSinesKept) {
  const std::vector<SineCase> cases{
      {{FilterType::LowCut, {10, 20}}, {10, 9, 5, 1}, {21.5, 40, 200, 480}},
      {{FilterType::HighCut, {40, 50}}, {50, 51, 55, 70, 250, 499}, {1, 10, 38.5}},
      {{FilterType::HighCut, {40, 50.5}}, {50.5, 51, 60}, {38.5}},
      {{FilterType::BandPass, {20, 30, 60, 70}}, {20, 19, 10, 70, 71, 90, 300}, {31.5, 45, 58.5}},
      {{FilterType::BandPass, {20.5, 30, 60, 69.5}}, {20.5, 69.5}, {31.5, 58.5}},
      {{FilterType::BandReject, {45, 48, 52, 55}}, {48, 49, 50, 51, 52}, {10, 43.5, 56.5, 120}},
  };
  for (std::size_t samples : {2000u, 4000u, 8000u}) {
    for (const SineCase& c : cases) {
      const FilterPlan plan(c.request, 1000, samples);
      ASSERT_EQ(plan.transformLength(), samples == 2000 ? 2048u : samples == 4000 ? 4096u : 8192u);
      for (bool paired : {false, true}) {
        SCOPED_TRACE(testing::Message() << filterCaption(c.request.type) << " on " << samples
                                        << (paired ? ", paired" : ", alone"));
        for (double f : c.stoppedHz) EXPECT_LT(sineLevelDb(plan, f, paired), -40.0) << f << " Hz";
        for (double f : c.passedHz)
          EXPECT_NEAR(sineLevelDb(plan, f, paired), 0.0, 0.5) << f << " Hz";
      }
    }
  }
}

}  // namespace
}  // namespace vorax::filter

namespace vorax::filter {
namespace {

// One Fft, first on its estimated plans, then, once the background has measured them, on the
// measured plans it changes to: the same samples within float rounding, every filter type.
TEST(FilterTrace, MeasuredPlansGiveTheEstimatedPlansAnswer) {
  dsp::forgetWisdom();
  dsp::enableMeasuredPlans({});
  dsp::Fft fft;
  FilterWork work;
  constexpr std::size_t kSamples = 1500;  // transforms of 2048
  std::vector<std::vector<float>> estimated;
  std::vector<float> scales;
  for (FilterType type : kFilterOrder) {
    std::vector<float> v = randomVector(kSamples, 5);
    float scale = 2.0f;
    filterTrace(FilterPlan({type, {8, 12, 70, 90}}, 2000, kSamples), fft, v, scale, work);
    estimated.push_back(v);
    scales.push_back(scale);
  }
  ASSERT_TRUE(dsp::waitForMeasuredPlans(std::chrono::minutes(1)));
  dsp::disableMeasuredPlans();
  ASSERT_TRUE(dsp::hasMeasuredRealPlans(2048));
  for (std::size_t i = 0; i < kFilterOrder.size(); ++i) {
    SCOPED_TRACE(filterCaption(kFilterOrder[i]));
    std::vector<float> v = randomVector(kSamples, 5);
    float scale = 2.0f;
    filterTrace(FilterPlan({kFilterOrder[i], {8, 12, 70, 90}}, 2000, kSamples), fft, v, scale,
                work);
    EXPECT_NEAR(scale, scales[i], 1e-5f * scales[i]);
    for (std::size_t t = 0; t <= kSamples; ++t) ASSERT_NEAR(v[t], estimated[i][t], 2e-6f) << t;
  }
  dsp::forgetWisdom();
}

}  // namespace
}  // namespace vorax::filter
