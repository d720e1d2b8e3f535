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

namespace {

bool unsafeInFileName(unsigned char c) {
  constexpr std::string_view kForbidden = "<>:\"/\\|?*";
  return c < 0x20 || c == 0x7F || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

bool utf8Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

std::string fileNameFromTitle(std::string_view title, std::string_view extension,
                              std::size_t maxBytes) {
  std::string name(title.empty() ? std::string_view("_") : title);
  std::replace_if(
      name.begin(), name.end(),
      [](char c) { return unsafeInFileName(static_cast<unsigned char>(c)); }, '_');
  maxBytes = std::min(maxBytes, kMaxFileNameBytes);
  const std::size_t room = maxBytes > extension.size() ? maxBytes - extension.size() : 1;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && utf8Continuation(static_cast<unsigned char>(name[cut]))) --cut;
    name.resize(cut == 0 ? room : cut);
  }
  return name + std::string(extension);
}

}  // namespace vorax::app
