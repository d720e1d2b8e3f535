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

// The commands written on CLI11: parsed from the whole command line.
struct Cli11Command {
  const char* name;
  void (*add)(CLI::App&, int&);
  const char* usage;
};

constexpr Cli11Command kCli11Commands[] = {
    {"trace", vorax::cli::addTraceCommand,
     "trace FILE --trace N [--start-ms A] [--end-ms B] [--json] [-o OUT.png [--view trace|fvst|ft]]"},
    {"selection", vorax::cli::addSelectionCommand,
     "selection FILE --traces A-B --samples S0-S1 [--json] [-o OUT.png]"},
};

int runCli11(const Cli11Command& command, int argc, char** argv) {
  CLI::App app("vorax: the command-line companion of VORAX Viewer", "vorax");
  int status = 0;
  command.add(app, status);
  app.require_subcommand(1);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  return status;
}

void printUsage(std::FILE* to) {
  std::fprintf(to, "usage: vorax COMMAND [ARGS]\n\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(to, "  %s\n", c.usage);
  for (const Cli11Command& c : kCli11Commands) std::fprintf(to, "  %s\n", c.usage);
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
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (name == c.name) return c.run(args);
  }
  for (const Cli11Command& c : kCli11Commands) {
    if (name == c.name) return runCli11(c, argc, argv);
  }
  std::fprintf(stderr, "vorax: unknown command '%s'\n\n", name.c_str());
  printUsage(stderr);
  return 2;
}
