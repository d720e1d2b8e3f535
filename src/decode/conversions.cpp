#include "decode/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vorax::decode {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// Nine bytes (72 bits) do not fit 64 bits.
__extension__ using Wide = unsigned __int128;

std::string formatG(double value, int digits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
  return buffer;
}

}  // namespace

std::string hexdigits(Bytes bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0x0F]);
  }
  return out;
}

std::string BCD2STRINGD(Bytes bytes, int count, std::string_view order) {
  std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
  std::string_view trimmedOrder = order;
  while (!trimmedOrder.empty() && trimmedOrder.front() == ' ') trimmedOrder.remove_prefix(1);
  while (!trimmedOrder.empty() && trimmedOrder.back() == ' ') trimmedOrder.remove_suffix(1);
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t index = trimmedOrder == "1" ? n - 1 - i : i;
    std::uint8_t b = byteAt(bytes, index);
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0x0F]);
  }
  return out;
}

std::string bcd2string(Bytes bytes) {
  std::string out;
  for (std::uint8_t b : bytes) {
    out += std::to_string(b >> 4);
    out += std::to_string(b & 0x0F);
  }
  return out;
}

std::string bintodecimal(Bytes bytes) {
  if (bytes.size() > 9) return "Too Big";
  if (bytes.size() < 9) {  // 64 bits suffice, and their division is many times quicker
    std::uint64_t value = 0;
    for (std::uint8_t b : bytes) value = (value << 8) | b;
    return std::to_string(value);
  }
  Wide value = 0;
  for (std::uint8_t b : bytes) value = (value << 8) | b;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::int32_t bintonumber(Bytes bytes) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  if (bytes.size() > 9) return kMax;
  Wide value = 0;
  for (std::uint8_t b : bytes) value = (value << 8) | b;
  return value > static_cast<Wide>(kMax) ? kMax : static_cast<std::int32_t>(value);
}

std::string revisiontext(Bytes bytes) {
  return std::to_string(byteAt(bytes, 0)) + "." + std::to_string(byteAt(bytes, 1));
}

std::string ieeesingletext(Bytes bytes) {
  return formatG(bigFloat(bytes, 0), 7);
}

std::string ieeedoubletext(Bytes bytes) {
  return formatG(bigDouble(bytes, 0), 15);
}

std::string fractionaltext(Bytes bytes) {
  if (bytes.size() < 2) return bintodecimal(bytes) + ".";
  Bytes whole = bytes.first(bytes.size() - 2);
  Bytes fraction = bytes.last(2);
  std::string integerPart = whole.empty() ? "0" : bintodecimal(whole);
  return integerPart + "." + bcd2string(fraction);
}

std::string getmonth(int month) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) return "bad";
  return kMonths[month - 1];
}

std::string datefromjulian(int twoDigitYear, int dayOfYear) {
  int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (twoDigitYear % 4 == 0) lengths[1] = 29;
  if (dayOfYear >= 366) {
    lengths[1] = 29;
    dayOfYear = 366;
  }
  int month = 1;
  int remainder = dayOfYear;
  for (int m = 0; m < 12; ++m) {
    month = m + 1;
    if (remainder - lengths[m] > 0) {
      remainder -= lengths[m];
    } else {
      break;
    }
  }
  const char* century = (twoDigitYear >= 71 && twoDigitYear <= 99) ? "19" : "20";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%02d-%02d-%02d", century, twoDigitYear % 100, month,
                remainder);
  return buffer;
}

double numericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1.0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') sign = -1.0;
    ++i;
  }
  double value = 0.0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    value = value * 10 + (text[i++] - '0');
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      value += (text[i++] - '0') * scale;
      scale /= 10;
    }
  }
  return sign * value;
}

std::int32_t numericInt(std::string_view text) {
  double v = std::trunc(numericValue(text));
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

namespace {

// Where the plain layout of a shortest decimal stops: at the value's own magnitude against
// 1e-6 and 1e15, or at the magnitude of the decimal its digits name. The two differ only for a
// single lying just beside a bound (1e-6f is 9.99999997e-07, its digits name 1e-6).
enum class PlainBounds { OfValue, OfDigits };

// The shortest round-trip decimal of `value` (finite, not zero) laid out as the displays show
// numbers: plain digits for ordinary magnitudes, an exponent ("1e-07", "1.5e+20") only below
// 1e-6 and from 1e15 on where the digits do not reach the units (as %g would write them).
template <typename T>
std::string shortestLayout(T value, PlainBounds bounds) {
  char scientific[64];
  const char* end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                  std::chars_format::scientific)
                        .ptr;
  const std::string_view text(scientific, static_cast<std::size_t>(end - scientific));
  const std::size_t e = text.find('e');
  const bool negative = text.front() == '-';
  std::string digits;
  for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
    if (c != '.') digits.push_back(c);
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent);

  const auto count = static_cast<int>(digits.size());
  const double magnitude = std::fabs(static_cast<double>(value));
  const bool ordinary = bounds == PlainBounds::OfValue ? magnitude >= 1e-6 && magnitude < 1e15
                                                       : exponent >= -6 && exponent < 15;
  if (!ordinary && !(exponent >= -4 && exponent < count)) return std::string(text);
  std::string out = negative ? "-" : "";
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= count) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    const auto units = static_cast<std::size_t>(exponent + 1);
    out.append(digits, 0, units);
    out += '.';
    out.append(digits, units);
  }
  return out;
}

template <typename T>
std::string shortestOf(T value, PlainBounds bounds = PlainBounds::OfValue) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return "0";
  return shortestLayout(value, bounds);
}

}  // namespace

std::string shortestText(double value) {
  return shortestOf(value);
}
std::string shortestText(float value) {
  return shortestOf(value);
}
std::string shortestDecimalText(float value) {
  return shortestOf(value, PlainBounds::OfDigits);
}

}  // namespace vorax::decode
