// vorax convert FILE... -o OUT.sgy [--sort as-recorded|channel] [--overwrite]: the records, one
// after another, as one SEG-Y revision 1 file with IEEE float samples in recorded units. An
// existing OUT.sgy is kept unless --overwrite.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "interchange/segy_export.h"

namespace vorax::cli {

namespace {

struct ConvertArgs {
  std::vector<std::string> files;
  std::string output;
  interchange::SegySort sort = interchange::SegySort::AsRecorded;
  bool overwrite = false;
};

int runConvert(const ConvertArgs& args) {
  std::error_code ec;
  if (!args.overwrite && std::filesystem::exists(args.output, ec)) {
    std::fprintf(stderr, "vorax convert: %s already exists and is kept (--overwrite replaces it)\n",
                 args.output.c_str());
    return 2;
  }
  const std::vector<std::filesystem::path> files(args.files.begin(), args.files.end());
  CliMessages messages;
  const interchange::SegyResult result =
      interchange::convertToSegy(files, args.output, args.sort, messages);
  for (const std::string& warning : result.warnings)
    std::fprintf(stderr, "vorax convert: warning: %s\n", warning.c_str());
  if (!result.ok()) {
    std::fprintf(stderr, "vorax convert: %s\n", result.error.c_str());
    return 2;
  }
  std::printf("%s: %lld traces of %zu record(s)\n", args.output.c_str(),
              static_cast<long long>(result.traces), files.size());
  return 0;
}

}  // namespace

void addConvertCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<ConvertArgs>();
  CLI::App* command = app.add_subcommand(
      "convert",
      "Writes records, one after another, as one SEG-Y revision 1 file: IEEE float samples in "
      "recorded units, the shot's numbers, time and coordinates in each trace header.");
  command->add_option("FILE", args->files, "SEG-D or SEG-2 records, in the order to write them")
      ->required();
  command->add_option("-o,--output", args->output, "the SEG-Y file to write")->required();
  const std::map<std::string, interchange::SegySort> sorts = {
      {"as-recorded", interchange::SegySort::AsRecorded},
      {"channel", interchange::SegySort::Channel}};
  command
      ->add_option("--sort", args->sort,
                   "trace order in each record: as-recorded, or channel (by channel number)")
      ->transform(CLI::CheckedTransformer(sorts, CLI::ignore_case))
      ->default_str("as-recorded");
  command->add_flag("--overwrite", args->overwrite, "replace OUT.sgy when it exists");
  command->callback([args, &status] { status = runConvert(*args); });
}

}  // namespace vorax::cli
