// The file name a saved picture gets from the name the user typed.
#pragma once

#include <string>
#include <string_view>

namespace vorax::app {

enum class PictureFormat { Bmp, Png };

// Appends `extension` (upper case, with its dot) unless the upper-cased name already contains
// it anywhere.
std::string withExtensionOnce(std::string_view typed, std::string_view extension);

// Appends ".BMP" (".PNG") unless the upper-cased name already contains it anywhere, so
// "shot.bmp" and "a.BMP.old" are used unchanged.
std::string pictureFileName(std::string_view typed, PictureFormat format);

}  // namespace vorax::app
