// vorax: the command-line companion of VORAX Viewer.
#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(vorax::cli::Args);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"info", vorax::cli::runInfo, "info [--json] FILE          header summary of a record"},
    {"traces", vorax::cli::runTraces,
     "traces --json FILE [--samples] [--loader vorax|408]   per-trace attributes"},
    {"decode", vorax::cli::runDecode,
     "decode NAME FILE [--offset BYTES] [--length BYTES]   run one header decoder"},
    {"render", vorax::cli::runRender,
     "render FILE -o OUT.bmp|.png [--first N] [--last N] [--start-ms T] [--end-ms T] "
     "[--gain-db G] [--size WxH]"},
    {"synth", vorax::cli::runSynth, "synth [options] -o FILE     write a synthetic record"},
    {"settings", vorax::cli::runSettings,
     "settings [FILE] | settings --reset FILE   show or reset a settings file"},
};

void printUsage(std::FILE* to) {
  std::fprintf(to, "usage: vorax COMMAND [ARGS]\n\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(to, "  %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    printUsage(stdout);
    return 0;
  }
  if (name == "sumdiff" || name == "fix-radio" || name == "split") {
    CLI::App app{"vorax", "vorax"};
    app.require_subcommand(1);
    app.option_defaults()->always_capture_default();
    int status = 0;
    vorax::cli::addSumDiffCommand(app, status);
    vorax::cli::addFixRadioCommand(app, status);
    vorax::cli::addSplitCommand(app, status);
    try {
      app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
      return app.exit(error) == 0 ? 0 : 2;
    }
    return status;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (name == c.name) return c.run(args);
  }
  std::fprintf(stderr, "vorax: unknown command '%s'\n\n", name.c_str());
  printUsage(stderr);
  return 2;
}
