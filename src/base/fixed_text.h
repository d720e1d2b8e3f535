// Fixed-width, space-padded text: the field type of every decoded header record.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vorax::decode {

// Exactly N single-byte characters. Assigning a text copies at most N characters and pads
// the rest with spaces, so a longer text is cut to the width. A field never assigned holds
// spaces. The layout is one plain char array, so a record of these fields is laid out
// exactly like a C struct of char arrays of the same widths.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kWidth = N;

  FixedText() { chars_.fill(' '); }
  FixedText(std::string_view text) { assign(text); }  // NOLINT(google-explicit-constructor)

  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  void assign(std::string_view text) {
    const std::size_t n = std::min(N, text.size());
    std::copy_n(text.begin(), n, chars_.begin());
    std::fill(chars_.begin() + static_cast<std::ptrdiff_t>(n), chars_.end(), ' ');
  }

  // All N characters, padding included.
  std::string_view view() const { return {chars_.data(), N}; }
  std::string str() const { return std::string(view()); }

  // Without trailing spaces (and trailing zero bytes).
  std::string_view rtrimmed() const {
    std::size_t end = N;
    while (end > 0 && (chars_[end - 1] == ' ' || chars_[end - 1] == '\0')) --end;
    return {chars_.data(), end};
  }

  // Without leading and trailing spaces.
  std::string_view trimmed() const {
    std::string_view v = rtrimmed();
    std::size_t begin = 0;
    while (begin < v.size() && (v[begin] == ' ' || v[begin] == '\0')) ++begin;
    return v.substr(begin);
  }

  char* data() { return chars_.data(); }
  const char* data() const { return chars_.data(); }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, N> chars_;
};

}  // namespace vorax::decode
