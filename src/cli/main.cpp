// vorax: the command-line companion of VORAX Viewer.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

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
  std::fprintf(to, "  spread, fslice, tslice      spread maps and slices (vorax COMMAND --help)\n");
}

// The commands written on CLI11; nothing when `name` is none of them.
std::optional<int> runCli11Command(const std::string& name, int argc, char** argv) {
  CLI::App app{"vorax: the command-line companion of VORAX Viewer"};
  int status = 0;
  vorax::cli::addSpreadCommand(app, status);
  vorax::cli::addFsliceCommand(app, status);
  vorax::cli::addTsliceCommand(app, status);
  if (app.get_subcommands([&](CLI::App* c) { return c->get_name() == name; }).empty()) return std::nullopt;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  return status;
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
  if (const std::optional<int> status = runCli11Command(name, argc, argv)) return *status;
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (name == c.name) return c.run(args);
  }
  std::fprintf(stderr, "vorax: unknown command '%s'\n\n", name.c_str());
  printUsage(stderr);
  return 2;
}
