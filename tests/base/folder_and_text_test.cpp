// Where the program may write, and how header and settings texts lose their padding.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/folder_access.h"
#include "base/text_trim.h"
#include "test_support.h"

namespace vorax::base {
namespace {

using vorax::test::TempDir;

TEST(FolderIsReadOnly, OnlyAnExistingFolderThatRefusesWritingIs) {
  TempDir dir;
  EXPECT_FALSE(folderIsReadOnly(dir.path()));
  EXPECT_FALSE(folderIsReadOnly(dir / "missing")) << "a missing folder is reported by its writer";

  const std::filesystem::path locked = dir / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  // The write permission bit decides even for a user the system would let write (root).
  EXPECT_TRUE(folderIsReadOnly(locked));
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

TEST(Trimmed, EachSourceHasItsOwnBlanks) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view text;
    std::string_view blanks;
    std::string_view expected;
  } kCases[] = {
      {"  Line 7  ", kSpaces, "Line 7"},
      {"\tLine 7 \t", kSpaces, "\tLine 7 \t"},
      {"\tLine 7 \t", kSpacesAndTabs, "Line 7"},
      {"\0 CREW 12 \0\0"sv, kSpacesAndZeros, "CREW 12"},
      {"\0 CREW 12 \0\0"sv, kSpaces, "\0 CREW 12 \0\0"sv},
      {"\r\n 2.5 \0\t"sv, kWhiteSpaceAndZeros, "2.5"},
      {"    ", kSpaces, ""},
      {"", kSpaces, ""},
      {"a", kSpaces, "a"},
  };
  for (const auto& c : kCases) EXPECT_EQ(trimmed(c.text, c.blanks), c.expected) << c.text;
}

}  // namespace
}  // namespace vorax::base
