// vorax settings: shows a settings file as JSON, or writes one holding the defaults.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "app/settings.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/settings_file.h"

namespace vorax::cli {

namespace {

constexpr const char* kOutputText =
    "One key per field, in file order: texts without trailing blanks, numbers as numbers,\n"
    "colours as COLORREF numbers, tables as arrays (of arrays), reserved bytes as hex.\n"
    "A missing or unreadable file exits 2. A file shorter than 5441 bytes is shown as the\n"
    "viewer would use it (its bytes, then the defaults past its end), with a warning, and\n"
    "exits 2.\n";

std::string hexText(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
  }
  return out;
}

Json elementJson(const app::ViewerSettings& settings, const app::SettingRow& row,
                 std::size_t index) {
  switch (row.type) {
    case app::SettingType::Text:
      return fieldJson(settings.text(row, index));
    case app::SettingType::Int32:
      return fieldJson(settings.int32(row, index));
    case app::SettingType::Single:
      return fieldJson(settings.single(row, index));
    case app::SettingType::Colour:
      return fieldJson(settings.colour(row, index));
    case app::SettingType::Reserved:
      break;
  }
  return Json(hexText(settings.bytes().subspan(row.offset, row.size())));
}

Json rowJson(const app::ViewerSettings& settings, const app::SettingRow& row) {
  if (row.type == app::SettingType::Reserved || row.count == 1)
    return elementJson(settings, row, 0);
  Json list = Json::array();
  for (std::size_t group = 0; group < row.count / row.groupSize; ++group) {
    Json& target = row.groupSize > 1 ? list.emplace_back(Json::array()) : list;
    for (std::size_t item = 0; item < row.groupSize; ++item)
      target.push_back(elementJson(settings, row, group * row.groupSize + item));
  }
  return list;
}

int showSettings(const std::string& file) {
  app::ViewerSettings settings;
  const app::SettingsLoad loaded = app::loadSettings(file, settings);
  if (const std::string problem = settingsFileProblem(file, loaded); !problem.empty()) {
    std::fprintf(stderr, "vorax settings: %s\n", problem.c_str());
    return 2;
  }
  Json out = Json::object();
  for (const app::SettingRow& row : app::kSettingRows)
    out[std::string(row.name)] = rowJson(settings, row);
  std::printf("%s\n", jsonText(out).c_str());
  if (const std::string warning = settingsFileWarning(file, loaded); !warning.empty()) {
    std::fprintf(stderr, "vorax settings: %s\n", warning.c_str());
    return 2;
  }
  return 0;
}

int resetSettings(const std::string& file) {
  app::ViewerSettings settings;
  app::ApplyDefaultSettings(settings);
  const app::SettingsSave saved = app::saveSettings(settings, file);
  if (!saved.ok) {
    std::fprintf(stderr, "vorax settings: %s\n", saved.message.c_str());
    return 2;
  }
  return 0;
}

struct SettingsArgs {
  std::string file = app::kSettingsFileName;
  std::string reset;
};

}  // namespace

void addSettingsCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SettingsArgs>();
  CLI::App* command = app.add_subcommand(
      "settings",
      "Prints every field of a settings file as JSON, or writes one holding the defaults.");
  CLI::Option* file = command->add_option("FILE", args->file, "the settings file to show");
  command->add_option("--reset", args->reset, "write this file holding the default settings")
      ->excludes(file);
  command->footer(kOutputText);
  command->callback([args, &status] {
    status = args->reset.empty() ? showSettings(args->file) : resetSettings(args->reset);
  });
}

}  // namespace vorax::cli
