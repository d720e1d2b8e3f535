// The file name a saved picture gets from the name the user typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorax::app {

enum class PictureFormat { Bmp, Png };

// How hard the PNG encoder compresses: Small for a picture a user saves, Quick for the many
// pictures of a batch (the same pixels in about a tenth more bytes, several times as quickly).
enum class PngEffort { Small, Quick };

// Appends `extension` (upper case, with its dot) unless the upper-cased name already contains
// it anywhere.
std::string withExtensionOnce(std::string_view typed, std::string_view extension);

// Appends ".BMP" (".PNG") unless the upper-cased name already contains it anywhere, so
// "shot.bmp" and "a.BMP.old" are used unchanged.
std::string pictureFileName(std::string_view typed, PictureFormat format);

// A file name (without folder) made from a title such as a panel's Info Line or a vibrator's
// name: path separators, control characters (0x00-0x1F, 0x7F) and the characters Windows
// forbids (<>:"/\|?*) become '_', an empty title becomes "_", and the title is cut at a UTF-8
// character boundary so that with `extension` appended the name stays under 200 bytes (at
// most `maxBytes`).
inline constexpr std::size_t kMaxFileNameBytes = 199;
std::string fileNameFromTitle(std::string_view title, std::string_view extension,
                              std::size_t maxBytes = kMaxFileNameBytes);

}  // namespace vorax::app
