#include "dsp/fft_wisdom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dsp/fft.h"

namespace vorax::dsp {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLength = 512;  // measured in milliseconds

// Every test starts and ends with no wisdom and measuring off, so that the other tests of the
// program plan by estimate.
class FftWisdom : public ::testing::Test {
 protected:
  void SetUp() override {
    forgetWisdom();
    folder_ = fs::temp_directory_path() /
              ("vorax_wisdom_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
  }
  void TearDown() override {
    disableMeasuredPlans();
    forgetWisdom();
    fs::remove_all(folder_);
  }

  // Has the real transforms of kLength measured into `file`, through an Fft.
  static void measureInto(const fs::path& file) {
    enableMeasuredPlans(file);
    Fft fft;
    std::vector<float> signal(kLength, 1.0f);
    std::vector<std::complex<float>> bins(kLength / 2 + 1);
    fft.forward(signal, bins);
    fft.inverseOverwriting(bins, signal);
    ASSERT_TRUE(waitForMeasuredPlans(std::chrono::minutes(1)));
    disableMeasuredPlans();
  }

  static std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
};

TEST(FftWisdomFile, LivesInTheUsersCacheFolder) {
  EXPECT_EQ(wisdomFileFor("/x/cache", "/home/u"), fs::path("/x/cache/vorax/fftw-wisdom"));
  EXPECT_EQ(wisdomFileFor(nullptr, "/home/u"), fs::path("/home/u/.cache/vorax/fftw-wisdom"));
  EXPECT_EQ(wisdomFileFor("relative", "/home/u"), fs::path("/home/u/.cache/vorax/fftw-wisdom"));
  EXPECT_EQ(wisdomFileFor(nullptr, ""), fs::path());
  EXPECT_EQ(wisdomFileFor(nullptr, nullptr), fs::path());
}

TEST_F(FftWisdom, MeasuredPlansAreWrittenAndLearntBack) {
  const fs::path file = folder_ / "cache" / "vorax" / "fftw-wisdom";  // folders made on demand
  EXPECT_FALSE(hasMeasuredRealPlans(kLength));
  measureInto(file);
  EXPECT_TRUE(hasMeasuredRealPlans(kLength));
  ASSERT_TRUE(fs::is_regular_file(file));
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1)
      << "no temporary file left beside it";

  forgetWisdom();
  EXPECT_FALSE(hasMeasuredRealPlans(kLength));
  EXPECT_TRUE(importWisdom(file));
  EXPECT_TRUE(hasMeasuredRealPlans(kLength));
}

TEST_F(FftWisdom, ADamagedFileIsIgnoredWhole) {
  const fs::path good = folder_ / "good";
  measureInto(good);
  const std::string text = contents(good);
  ASSERT_GT(text.size(), 100u);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases{
      {"empty", ""},
      {"not wisdom", "(this is not wisdom)\n"},
      {"cut in half", text.substr(0, text.size() / 2)},
      {"a NUL inside", text.substr(0, 40) + std::string(1, '\0') + text.substr(40)},
      {"binary garbage", std::string("\x89PNG\r\n\x1a\n\xff\xfe", 10)},
  };
  for (const Case& c : cases) {
    forgetWisdom();
    const fs::path file = folder_ / "damaged";
    std::ofstream(file, std::ios::binary) << c.bytes;
    EXPECT_FALSE(importWisdom(file)) << c.what;
    EXPECT_FALSE(hasMeasuredRealPlans(kLength)) << c.what << ": nothing of it is learnt";
  }
  forgetWisdom();
  EXPECT_FALSE(importWisdom(folder_ / "missing"));
  EXPECT_FALSE(importWisdom(folder_)) << "a folder";
}

}  // namespace
}  // namespace vorax::dsp
