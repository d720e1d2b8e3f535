#include "app/record_folder.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::app {
namespace {

TEST(RecordFolder, NamesInReadingOrderAndRecordsOnly) {
  EXPECT_TRUE(namedBefore("shot2.segd", "shot10.segd"));
  EXPECT_TRUE(namedBefore("Shot.segd", "shot2.segd"));
  EXPECT_TRUE(namedBefore("0009.SEGD", "10.segd"));
  EXPECT_FALSE(namedBefore("b", "A"));
  EXPECT_TRUE(mayBeRecordFile("1234.SEGD"));
  EXPECT_TRUE(mayBeRecordFile("PH5_15001.dat"));
  EXPECT_TRUE(mayBeRecordFile("00001234"));
  EXPECT_FALSE(mayBeRecordFile("x.segd.header"));
  EXPECT_FALSE(mayBeRecordFile("notes.txt"));
}

TEST(RecordFolder, NeighboursAndPlaceOfARecord) {
  test::TempDir dir;
  for (const char* name : {"shot10.segd", "shot2.segd", "shot1.sgd", "readme.txt", "a.png"})
    test::writeFileBytes(dir / name, {1, 2, 3});
  std::filesystem::create_directory(dir / "sub.segd");  // a folder is no record
  const std::vector<std::filesystem::path> files = recordFilesIn(dir.path());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].filename(), "shot1.sgd");
  EXPECT_EQ(files[2].filename(), "shot10.segd");
  EXPECT_EQ(neighbourRecord(dir / "shot2.segd", 1)->filename(), "shot10.segd");
  EXPECT_EQ(neighbourRecord(dir / "shot2.segd", -1)->filename(), "shot1.sgd");
  EXPECT_FALSE(neighbourRecord(dir / "shot10.segd", 1));
  EXPECT_FALSE(neighbourRecord(dir / "readme.txt", 1));
  EXPECT_EQ(folderPlaceText(*placeInFolder(dir / "shot10.segd")), "record 3 of 3");
  EXPECT_TRUE(recordFilesIn(dir / "missing").empty());
}

}  // namespace
}  // namespace vorax::app
