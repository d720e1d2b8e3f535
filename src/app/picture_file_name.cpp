#include "app/picture_file_name.h"

#include <algorithm>
#include <cctype>

namespace vorax::app {

std::string withExtensionOnce(std::string_view typed, std::string_view extension) {
  std::string upper(typed);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  std::string name(typed);
  if (upper.find(extension) == std::string::npos) name += extension;
  return name;
}

std::string pictureFileName(std::string_view typed, PictureFormat format) {
  return withExtensionOnce(typed, format == PictureFormat::Png ? ".PNG" : ".BMP");
}

}  // namespace vorax::app
