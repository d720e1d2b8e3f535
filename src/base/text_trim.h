// Trimming header and settings texts: which characters count as blank depends on where the
// text comes from (space-padded fields, zero-filled fields, free text typed by a user).
#pragma once

#include <string>
#include <string_view>

namespace vorax::base {

inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kSpacesAndTabs = " \t";
inline constexpr std::string_view kSpacesAndZeros{" \0", 2};
inline constexpr std::string_view kWhiteSpace = " \t\r\n";
inline constexpr std::string_view kWhiteSpaceAndZeros{" \0\t\r\n", 5};

// The part of `text` between its leading and trailing characters from `blanks`.
inline std::string_view trimmedView(std::string_view text, std::string_view blanks = kSpaces) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// `text` without its leading and trailing characters from `blanks`.
inline std::string trimmed(std::string_view text, std::string_view blanks = kSpaces) {
  return std::string(trimmedView(text, blanks));
}

}  // namespace vorax::base
