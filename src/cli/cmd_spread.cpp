// vorax spread FILE --map resistance|capacitance|leakage|tilt|errors [--ignore-tilt] --json
// and/or -o OUT.png [--size WxH]: one receiver test-value map of a record, as JSON (bands,
// every live trace's value and colour, the legend) and as the picture the spread view draws.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/spread_json.h"
#include "cli/record_json.h"
#include "cli/spread_record.h"
#include "spread/spread_drawing.h"
#include "spread/spread_layout.h"
#include "spread/spread_map.h"

namespace vorax::cli {

namespace {

struct SpreadOptions {
  std::string file;
  std::string map;
  bool ignoreTilt = false;
  bool json = false;
  std::string output;
  std::string size = "1600x1000";
};

int usage(const std::string& why) {
  std::fprintf(stderr, "vorax spread: %s\n", why.c_str());
  return 2;
}

int runSpread(const SpreadOptions& options) {
  const std::optional<spread::MapKind> kind = spread::mapKindNamed(options.map);
  if (!options.json && options.output.empty()) return usage("--json or -o OUT.png is needed");

  CliRecord opened;
  if (const int status = openSpreadRecord("spread", options.file, opened); status != 0)
    return status;
  const spread::SpreadMap map = spread::computeSpreadMap(
      opened.record, *kind, {opened.record.tiltErrorCount, options.ignoreTilt});
  if (!map.holdsTestValues) {
    std::fprintf(stderr, "vorax spread: %s\n", spread::kNoTestValuesMessage);
    return 2;
  }
  if (options.json) {
    Json out = mapJson(map);
    out["messages"] = textListJson(opened.messages.messages);
    std::printf("%s\n", jsonText(out).c_str());
  }
  if (options.output.empty()) return 0;

  const spread::SpreadLayout layout = spread::computeSpreadLayout(opened.record);
  return writePictureFile(
      "spread", options.output, *parsePictureSize(options.size), [&](app::Canvas& canvas) {
        spread::drawSpreadMap(canvas, opened.record, layout, map, base::DebugLog{});
      });
}

}  // namespace

void addSpreadCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<SpreadOptions>();
  CLI::App* command =
      app.add_subcommand("spread",
                         "Maps one of a record's receiver test values over the spread, as the "
                         "spread view does: as JSON and/or as a picture.");
  command->add_option("FILE", options->file, "record file")->required();
  command
      ->add_option("--map", options->map,
                   "the map: resistance, capacitance, leakage, tilt or errors")
      ->required()
      ->check(CLI::Validator(
          [](std::string& name) {
            return spread::mapKindNamed(name)
                       ? ""
                       : "--map must be resistance, capacitance, leakage, tilt or errors";
          },
          "MAP"));
  command->add_flag("--ignore-tilt", options->ignoreTilt,
                    "paint tilts below -70 cyan when more than 100 traces have tilt errors (off)");
  command->add_flag("--json", options->json,
                    "print the bands, every live trace and the legend as JSON (off)");
  command
      ->add_option("-o,--output", options->output,
                   "write the map as a picture, NAME.png or NAME.bmp")
      ->check(pictureNameCheck());
  command
      ->add_option("--size", options->size,
                   "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck());
  command->callback([options, &status] { status = runSpread(*options); });
}

}  // namespace vorax::cli
