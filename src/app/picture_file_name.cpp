#include "app/picture_file_name.h"

#include <algorithm>
#include <cctype>

namespace vorax::app {

std::string pictureFileName(std::string_view typed, PictureFormat format) {
  const std::string extension = format == PictureFormat::Png ? ".PNG" : ".BMP";
  std::string upper(typed);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  std::string name(typed);
  if (upper.find(extension) == std::string::npos) name += extension;
  return name;
}

}  // namespace vorax::app
