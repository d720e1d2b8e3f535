#include "decode/conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

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

// Fixed-point text without trailing zeros, for magnitudes where %g would use an exponent.
std::string plainFixed(double value, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string fixed = buffer;
  if (fixed.find('.') != std::string::npos) {
    while (fixed.back() == '0') fixed.pop_back();
    if (fixed.back() == '.') fixed.pop_back();
  }
  return fixed;
}

template <typename T>
std::string shortestOf(T value, int maxDigits) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return "0";
  std::string text;
  int digits = 1;
  for (; digits <= maxDigits; ++digits) {
    text = formatG(static_cast<double>(value), digits);
    T back = std::is_same_v<T, float> ? static_cast<T>(std::strtof(text.c_str(), nullptr))
                                      : static_cast<T>(std::strtod(text.c_str(), nullptr));
    if (back == value) break;
  }
  if (text.find('e') == std::string::npos) return text;
  double magnitude = std::fabs(static_cast<double>(value));
  if (magnitude < 1e-6 || magnitude >= 1e15) return text;
  // Ordinary magnitude that %g wrote with an exponent: write it out in full.
  int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  int decimals = std::max(0, std::min(maxDigits, digits) - 1 - exponent);
  return plainFixed(static_cast<double>(value), decimals);
}

}  // namespace

std::string shortestText(double value) {
  return shortestOf(value, 17);
}
std::string shortestText(float value) {
  return shortestOf(value, 9);
}

}  // namespace vorax::decode
