// Small shared routines: axis steps, colours, angles, text padding, file lengths, folder
// names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "decode/segd_record.h"

namespace vorax::app {

// A round axis step for the range a..b giving about ten intervals: the candidate, in the
// order 0.01, 0.1, 1, 2, 5, 10, 20, 25, 30, 40, 50, 75, 100, 150, 200, 400, 500, 1000, 2000,
// 3000, 5000, 10000, 0.02, 0.05, 0.2, 0.5, whose |b - a| / step is nearest to 10; on a tie
// the earlier candidate wins. An empty range gives 0.01.
float CHOOSESTEP(float a, float b);

// COLORREF (0x00BBGGRR) of hue H, lightness L and saturation S, each on the 0..240 scale.
decode::Colorref HLSTORGB(float h, float l, float s);

// Angle of (x, y) in radians, a half turn being pi. For |x| < 1e-7 it is pi/2 x sign(y)
// (0 when y is 0); for x < 0 it is atan(y / x) + pi x sign(y), so ATAN2(0, -1) is 0, not pi.
float ATAN2(float y, float x);

// Trims leading and trailing spaces from s, then cuts it to its first n characters or pads
// it with spaces to n; s is changed and returned. A negative n counts as 0.
std::string PADOUT(std::string& s, int n);

// Length of a file in bytes, or -1 when it does not exist or is not a regular file.
std::int64_t FILELEN(const std::filesystem::path& file);

// The folder part of a full file name: the text before its last `\` or `/`. A name in the
// root ("/x" or "\x") gives that one separator; a name without a folder gives "".
std::string FolderOfPath(std::string_view path);

}  // namespace vorax::app
