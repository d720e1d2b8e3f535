#include "cli/run_command.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace vorax::cli {

namespace {

std::string commandName(CLI::App& app) {
  const std::vector<CLI::App*> used = app.get_subcommands();
  return used.empty() ? std::string("vorax") : "vorax " + used.front()->get_name();
}

}  // namespace

int runCommandLine(CLI::App& app, int argc, char** argv, const int& status) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version exit 0; every usage error exits 2.
    return app.exit(error) == 0 ? 0 : 2;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: not enough memory to finish\n", commandName(app).c_str());
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", commandName(app).c_str(), error.what());
    return 2;
  }
  // Output lost to a full disk, a closed pipe or a device that refuses it is a failure.
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (!flushed || std::ferror(stdout) != 0) {
    // The reason is known only when the last flush failed; an earlier failed write left none.
    const std::string why = flushed ? std::string() : std::string(": ") + std::strerror(error);
    std::fprintf(stderr, "%s: cannot write standard output%s\n", commandName(app).c_str(),
                 why.c_str());
    return 2;
  }
  return status;
}

}  // namespace vorax::cli
