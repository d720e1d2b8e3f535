#include "app/recent_files.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::app {
namespace {

using Names = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight) {
  Names names;
  for (int n = 1; n <= 10; ++n) names = withRecentFile(names, "/r/" + std::to_string(n) + ".segd");
  EXPECT_EQ(names, (Names{"/r/10.segd", "/r/9.segd", "/r/8.segd", "/r/7.segd", "/r/6.segd",
                          "/r/5.segd", "/r/4.segd", "/r/3.segd"}));
  names = withRecentFile(names, "/r/6.segd");
  EXPECT_EQ(names.front(), "/r/6.segd");
  EXPECT_EQ(names.size(), 8u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "/r/6.segd"), 1);
}

TEST(RecentFiles, KeptAcrossRunsAndNoneWhenTheFileIsMissing) {
  test::TempDir dir;
  const std::filesystem::path file = dir / kRecentFilesName;
  EXPECT_TRUE(loadRecentFiles(file).empty());
  const Names names{"/data/line 7/shot 1.segd", "/data/ü.sg2"};
  ASSERT_TRUE(saveRecentFiles(file, names));
  EXPECT_EQ(loadRecentFiles(file), names);
  EXPECT_FALSE(saveRecentFiles(dir / "no such folder" / kRecentFilesName, names));
}

}  // namespace
}  // namespace vorax::app
