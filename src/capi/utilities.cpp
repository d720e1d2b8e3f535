// The sample converters, byte-to-text routines and drawing and file utilities with C linkage.
#include "app/utilities.h"

#include <span>
#include <string>

#include "capi/c_bridge.h"
#include "decode/conversions.h"
#include "decode/sample_converters.h"
#include "decode/seg2/seg2_headers.h"
#include "vorax_segd.h"

namespace d = vorax::decode;
using vorax::capi::bytesOf;
using vorax::capi::copyText;

namespace {

std::span<float> floatsOf(float* out, size_t length) {
  return out == nullptr ? std::span<float>() : std::span<float>(out, length);
}

}  // namespace

// A converter with a scale passed by reference.
#define VORAX_SCALED_CONVERTER(NAME)                                                    \
  int32_t NAME(const uint8_t* raw, size_t raw_length, int32_t count, float* out,        \
               size_t out_length, float* scale) {                                       \
    if (scale == nullptr) return -1;                                                    \
    return d::NAME(bytesOf(raw, raw_length), count, floatsOf(out, out_length), *scale); \
  }

// A routine turning a byte array into text.
#define VORAX_BYTES_TO_TEXT(NAME)                                                \
  size_t NAME(const uint8_t* bytes, size_t length, char* out, size_t capacity) { \
    return copyText(d::NAME(bytesOf(bytes, length)), out, capacity);             \
  }

extern "C" {

VORAX_SCALED_CONVERTER(ARRAYBIGSINGLETOLITTLENORM)
VORAX_SCALED_CONVERTER(ARRAYLITTLESINGLETOLITTLENORM)
VORAX_SCALED_CONVERTER(ARRAYLITTLELONGINTTOLITTLESINGLENORM)
VORAX_SCALED_CONVERTER(ARRAYBIGLONGINTTOLITTLESINGLENORM)
VORAX_SCALED_CONVERTER(ARRAYBIGSINGLETOLITTLENOTNORM)
VORAX_SCALED_CONVERTER(ARRAYBIGSINGLETOLITTLEFIXED)

int32_t arraybigsingletolittle(const uint8_t* raw, size_t raw_length, int32_t count, float* out,
                               size_t out_length) {
  return d::arraybigsingletolittle(bytesOf(raw, raw_length), count, floatsOf(out, out_length));
}

VORAX_BYTES_TO_TEXT(hexdigits)
VORAX_BYTES_TO_TEXT(bcd2string)
VORAX_BYTES_TO_TEXT(bintodecimal)
VORAX_BYTES_TO_TEXT(revisiontext)
VORAX_BYTES_TO_TEXT(ieeesingletext)
VORAX_BYTES_TO_TEXT(ieeedoubletext)
VORAX_BYTES_TO_TEXT(fractionaltext)
VORAX_BYTES_TO_TEXT(hexvalue)

size_t BCD2STRINGD(const uint8_t* bytes, size_t length, int32_t count, const char* order, char* out,
                   size_t capacity) {
  const std::string_view orderText = order == nullptr ? std::string_view() : order;
  return copyText(d::BCD2STRINGD(bytesOf(bytes, length), count, orderText), out, capacity);
}

int32_t bintonumber(const uint8_t* bytes, size_t length) {
  return d::bintonumber(bytesOf(bytes, length));
}

size_t datefromjulian(int32_t two_digit_year, int32_t day_of_year, char* out, size_t capacity) {
  return copyText(d::datefromjulian(two_digit_year, day_of_year), out, capacity);
}

size_t getmonth(int32_t month, char* out, size_t capacity) {
  return copyText(d::getmonth(month), out, capacity);
}

float CHOOSESTEP(float a, float b) {
  return vorax::app::CHOOSESTEP(a, b);
}

uint32_t HLSTORGB(float h, float l, float s) {
  return vorax::app::HLSTORGB(h, l, s);
}

float ATAN2(float y, float x) {
  return vorax::app::ATAN2(y, x);
}

size_t PADOUT(char* text, size_t capacity, int32_t n) {
  if (text == nullptr || capacity == 0) return 0;
  std::string s(text, strnlen(text, capacity));
  vorax::app::PADOUT(s, n);
  return std::min(copyText(s, text, capacity), capacity - 1);
}

int64_t FILELEN(const char* path) {
  return path == nullptr ? -1 : vorax::app::FILELEN(path);
}

}  // extern "C"
