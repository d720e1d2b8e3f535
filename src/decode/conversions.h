// Byte-to-text conversions shared by every header decoder, and the numeric reading of
// header texts. Hex digits are upper case, high nibble first; "decimal" reads the bytes as
// one big-endian unsigned integer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/byte_reader.h"

namespace vorax::decode {

// Two upper-case hexadecimal digits per byte, in order: {0x25, 0xAF} -> "25AF".
std::string hexdigits(Bytes bytes);

// Hex digits of the first `count` bytes; taken last to first when the trimmed `order` is "1".
std::string BCD2STRINGD(Bytes bytes, int count, std::string_view order);

// Per byte, the decimal text of the high nibble then of the low nibble: 0x1C -> "112".
std::string bcd2string(Bytes bytes);

// Decimal text of the bytes as one big-endian unsigned integer; "Too Big" past 9 bytes.
std::string bintodecimal(Bytes bytes);

// The same value as a 32-bit integer; 2147483647 past 9 bytes or when it does not fit.
std::int32_t bintonumber(Bytes bytes);

// "major.minor" from two bytes: {2, 1} -> "2.1".
std::string revisiontext(Bytes bytes);

// Big-endian IEEE single (4 bytes) as decimal text with 7 significant digits.
std::string ieeesingletext(Bytes bytes);

// Big-endian IEEE double (8 bytes) as decimal text with 15 significant digits.
std::string ieeedoubletext(Bytes bytes);

// All but the last two bytes as an unsigned big-endian integer, ".", then the decimal digits
// of each nibble of the last two bytes: {0,0,100, 0x00,0x50} -> "100.0050".
std::string fractionaltext(Bytes bytes);

// Date text "CCYY-MM-DD" of a two-digit year and a day of the year, month and day zero-padded
// so that dates read and sort alike everywhere. Century "19" for years 71-99, "20" otherwise.
std::string datefromjulian(int twoDigitYear, int dayOfYear);

// "Jan".."Dec" for 1..12, "bad" for any other number.
std::string getmonth(int month);

// The numeric value of a header text: leading blanks skipped, an optional sign, then the
// leading decimal digits with an optional decimal point. 0 when there are none, so "1A" is 1
// and "FF" is 0. No exponent is read: hex digit texts such as "1E05" must stay 1.
double numericValue(std::string_view text);

// numericValue as a 32-bit integer (the fraction dropped, saturated to the int32 range).
std::int32_t numericInt(std::string_view text);

// Shortest decimal text that reads back as the same number, as the displays and JSON show
// numbers: 1000 -> "1000", 0.25 -> "0.25", 406.96f -> "406.96". No exponent from 1e-6 to
// 1e15 (0.000001, 100000000000000); below and above, the exponent of %g ("1.5e-07", "1e+15").
// NaN gives "NaN", infinities "Infinity" and "-Infinity", both zeros "0".
std::string shortestText(double value);
std::string shortestText(float value);

// The single's shortest digits laid out as shortestText lays out the double nearest to them,
// which is how JSON writes a single: 1e-6f is "0.000001" here, "1e-06" in shortestText.
std::string shortestDecimalText(float value);

}  // namespace vorax::decode
