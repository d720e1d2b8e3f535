#include "vibsim/setup_files.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

#include "app/picture_file_name.h"
#include "base/atomic_file.h"
#include "vibsim/setup_checks.h"

namespace vorax::vibsim {

namespace {

// Row 0 of the per-vibrator tables is reserved: written as zero bytes whatever it holds.
void zeroReservedRowZero(const app::SettingRow& row, std::span<std::uint8_t> field) {
  const bool perVibrator = row.count % 31 == 0 && row.type != app::SettingType::Reserved;
  if (!perVibrator) return;
  const std::size_t columns = row.count / 31;
  for (std::size_t column = 0; column < columns; ++column)
    std::fill_n(field.begin() + static_cast<std::ptrdiff_t>(column * 31 * row.width), row.width, 0);
}

}  // namespace

std::vector<std::uint8_t> setupImage(const SetupFileKind& kind,
                                     const app::ViewerSettings& settings) {
  std::vector<std::uint8_t> image(kind.size, 0);
  for (const SetupFileRow& r : kind.rows) {
    const auto from = settings.bytes().subspan(r.row.offset, r.row.size());
    std::copy(from.begin(), from.end(), image.begin() + static_cast<std::ptrdiff_t>(r.fileOffset));
    if (r.row.type == app::SettingType::Reserved) {
      std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(r.fileOffset), r.row.size(), 0);
    } else {
      zeroReservedRowZero(r.row, std::span(image).subspan(r.fileOffset, r.row.size()));
    }
  }
  return image;
}

void applySetupImage(const SetupFileKind& kind, std::span<const std::uint8_t> image,
                     app::ViewerSettings& settings) {
  if (image.size() != kind.size) return;
  for (const SetupFileRow& r : kind.rows) {
    const auto from = image.subspan(r.fileOffset, r.row.size());
    std::copy(from.begin(), from.end(),
              settings.bytes().begin() + static_cast<std::ptrdiff_t>(r.row.offset));
  }
}

std::string setupFileName(const SetupFileKind& kind, std::string_view typed) {
  return app::withExtensionOnce(typed, kind.extension);
}

std::string writeSetupFile(const SetupFileKind& kind, const std::filesystem::path& path,
                           const app::ViewerSettings& settings) {
  base::AtomicFileWriter writer(path);
  writer.write(setupImage(kind, settings));
  writer.commit();
  return writer.error();
}

std::string readSetupFile(const SetupFileKind& kind, const std::filesystem::path& path,
                          app::ViewerSettings& settings) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || std::filesystem::is_directory(path, ec))
    return "Cannot read " + path.string() + ": no such file";
  if (size != kind.size) {
    return path.string() + " is not a " + std::string(kind.what) + " file (" +
           std::to_string(size) + " bytes, " + std::to_string(kind.size) + " expected)";
  }
  std::vector<std::uint8_t> image(kind.size);
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!in || static_cast<std::size_t>(in.gcount()) != kind.size)
    return "Cannot read " + path.string();
  app::ViewerSettings read = settings;
  applySetupImage(kind, image, read);
  if (const std::string problem = checkSetupValues(kind, read); !problem.empty())
    return path.string() + " cannot be used: " + problem + ".";
  settings = read;
  return {};
}

}  // namespace vorax::vibsim
