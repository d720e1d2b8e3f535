// Atomic file writes beside files of the same names.
#include "base/atomic_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorax::base {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file under the temporary name is the user's (or a killed run's): it is never written over
// nor removed, whether the write is committed or dropped.
TEST(AtomicFileWriter, NeverTouchesAFileUnderItsTemporaryName) {
  test::TempDir dir;
  const Bytes users{1, 2, 3};
  test::writeFileBytes(dir / "out.dat.tmp", users);
  test::writeFileBytes(dir / "out.dat.1.tmp", users);
  const Bytes written{9, 8};
  {
    AtomicFileWriter dropped(dir / "out.dat");
    ASSERT_TRUE(dropped.write(written));
  }
  AtomicFileWriter out(dir / "out.dat");
  ASSERT_TRUE(out.write(written));
  ASSERT_TRUE(out.commit()) << out.error();
  EXPECT_EQ(test::readFileBytes(dir / "out.dat"), written);
  EXPECT_EQ(test::readFileBytes(dir / "out.dat.tmp"), users);
  EXPECT_EQ(test::readFileBytes(dir / "out.dat.1.tmp"), users);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.dat.2.tmp"));
}

// The same for a library that writes the temporary file itself: it is handed a free name, and
// a failed write leaves neither its file nor the target.
TEST(WriteThroughTemporary, HandsTheLibraryAFreeNameAndRemovesOnlyItsOwn) {
  test::TempDir dir;
  const Bytes users{1, 2, 3};
  test::writeFileBytes(dir / "out.dat.tmp", users);
  const auto writeBytes = [](const Bytes& bytes, const std::string& error) {
    return [=](const std::filesystem::path& temporary) {
      test::writeFileBytes(temporary, bytes);
      return error;
    };
  };
  EXPECT_EQ(writeThroughTemporary(dir / "out.dat", writeBytes({7}, "disk full")), "disk full");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.dat.1.tmp"));
  EXPECT_EQ(writeThroughTemporary(dir / "out.dat", writeBytes({9, 8}, "")), "");
  EXPECT_EQ(test::readFileBytes(dir / "out.dat"), (Bytes{9, 8}));
  EXPECT_EQ(test::readFileBytes(dir / "out.dat.tmp"), users);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.dat.1.tmp"));
}

// A device cannot be replaced by a renamed file: it is written to, and its failure reported.
TEST(AtomicFileWriter, WritesStraightToADevice) {
  if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const Bytes bytes(100000, 7);
  AtomicFileWriter null("/dev/null");
  ASSERT_TRUE(null.write(bytes));
  EXPECT_TRUE(null.commit()) << null.error();
  AtomicFileWriter full("/dev/full");
  const bool written = full.write(bytes) && full.commit();
  EXPECT_FALSE(written);
  EXPECT_EQ(full.error(), "Cannot write /dev/full: No space left on device");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_FALSE(std::filesystem::exists("/dev/full.tmp"));
}

}  // namespace
}  // namespace vorax::base
