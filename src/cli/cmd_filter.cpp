// vorax filter FILE [--low-cut F1,F2] [--high-cut F1,F2] [--band-pass F1,F2,F3,F4]
// [--band-reject F1,F2,F3,F4] [--loader vorax|408|standard] (--json | -o OUT.png [--size WxH]):
// the record filtered as the "Filters" dialog filters it (low cut, high cut, band pass, band
// reject, in that order), printed as `vorax traces --json --samples` prints a record, or drawn
// as `vorax render` draws one.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/record_json.h"
#include "dsp/fft.h"
#include "filter/filter_settings.h"
#include "filter/record_filter.h"

namespace vorax::cli {

namespace {

struct FilterArgs {
  std::string file;
  std::array<std::vector<float>, 4> corners;  // per filter type; empty: not asked for
  std::string loader;
  bool json = false;
  std::string output;
  std::string size = "1600x1000";
};

int runFilter(const FilterArgs& args) {
  filter::FilterSettings settings;
  for (filter::FilterType type : filter::kFilterOrder) {
    const std::vector<float>& given = args.corners[static_cast<std::size_t>(type)];
    if (given.empty()) continue;
    settings.enabledOf(type) = true;
    std::copy(given.begin(), given.end(), settings.cornersOf(type).begin());
  }
  if (const std::string problem = filter::validateFilters(settings); !problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 2;
  }
  const std::optional<decode::LoaderChoice> loader = loaderChoice(args.loader);
  if (!loader) {
    std::fprintf(stderr, "vorax filter: --loader must be vorax, 408 or standard\n");
    return 2;
  }
  if (args.json == !args.output.empty()) {
    std::fprintf(stderr, "vorax filter: give either --json or -o OUT.png\n");
    return 2;
  }
  CliRecord opened;
  openForCommand("filter", args.file, true, opened, *loader);
  if (opened.exitStatus != 0) return opened.exitStatus;
  dsp::Fft fft;
  filter::filterRecord(opened.record, filter::enabledFilters(settings), fft);
  if (args.json) {
    printTracesJson(opened.record, true, opened.messages.messages);
    return 0;
  }
  return writeRecordPictureFile("filter", args.output, *parsePictureSize(args.size), opened.record);
}

}  // namespace

void addFilterCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<FilterArgs>();
  CLI::App* command = app.add_subcommand(
      "filter",
      "Filters every trace of a record as the Filters dialog does (low cut, high cut, band pass, "
      "band reject, in that order) and prints it as `traces --json --samples` or draws it.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  struct Choice {
    const char* name;
    filter::FilterType type;
    const char* meaning;
  };
  for (const Choice& c :
       {Choice{"--low-cut", filter::FilterType::LowCut, "low cut corners F1,F2 (Hz)"},
        Choice{"--high-cut", filter::FilterType::HighCut, "high cut corners F1,F2 (Hz)"},
        Choice{"--band-pass", filter::FilterType::BandPass, "band pass corners F1,F2,F3,F4 (Hz)"},
        Choice{"--band-reject", filter::FilterType::BandReject,
               "band reject corners F1,F2,F3,F4 (Hz)"}}) {
    command->add_option(c.name, args->corners[static_cast<std::size_t>(c.type)], c.meaning)
        ->delimiter(',')
        ->expected(static_cast<int>(filter::cornerCount(c.type)))
        ->default_str("off");
  }
  command->add_option(
      "--loader", args->loader,
      "trace loader: vorax, 408 (Sercel 408 style) or standard (public SEG-D layout); "
      "empty: the record's own");
  command->add_flag("--json", args->json,
                    "print the filtered record as `traces --json --samples` does");
  command
      ->add_option("-o,--output", args->output,
                   "draw the filtered record instead: NAME.bmp or NAME.png")
      ->check(pictureNameCheck());
  command
      ->add_option("--size", args->size, "picture size in pixels, WIDTHxHEIGHT, each 16 to 20000")
      ->check(pictureSizeCheck());
  command->callback([args, &status] { status = runFilter(*args); });
}

}  // namespace vorax::cli
