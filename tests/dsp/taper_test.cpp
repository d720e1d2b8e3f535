#include "dsp/taper.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vorax::dsp {
namespace {

TEST(BlackmanTaper, WindowsWithUMinusOneInTheDenominator) {
  // U = 4: the phase steps by pi/3, giving the window 0, 0.63, 0.63, 0, 0.63.
  const std::vector<float> in{2, 2, 2, 2, 2};
  std::vector<float> out(5, -1);
  BlackmanTaper(in, out);
  const std::array<float, 5> expected{0, 1.26f, 1.26f, 0, 1.26f};
  for (std::size_t n = 0; n < 5; ++n) EXPECT_NEAR(out[n], expected[n], 1e-6) << n;
}

TEST(BlackmanTaper, WritesNoMoreThanTheShorterArrayHolds) {
  const std::vector<float> in{1, 1, 1, 1, 1};
  std::vector<float> out(3, -1);
  BlackmanTaper(in, out);
  EXPECT_NEAR(out[0], 0, 1e-6);
  EXPECT_NEAR(out[2], 0.63, 1e-6);
}

TEST(BlackmanTaper, FewerThanThreeValuesAreCopiedUnchanged) {
  const std::vector<float> in{3, 4};
  std::vector<float> out(2, 0);
  BlackmanTaper(in, out);
  EXPECT_EQ(out, in);
  std::vector<float> none;
  BlackmanTaper(none, out);  // nothing to do, nothing written
  EXPECT_EQ(out, in);
}

}  // namespace
}  // namespace vorax::dsp
