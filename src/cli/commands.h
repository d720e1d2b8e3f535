// The subcommands of the `vorax` command line. Each takes its arguments (without the
// command name) and returns the exit status: 0 success, 1 a fatal decoder result, 2 a usage
// or file error.
#pragma once

#include <span>
#include <string>

namespace CLI {
class App;
}

namespace vorax::cli {

using Args = std::span<const std::string>;

int runSettings(Args args);  // cmd_settings.cpp
int runInfo(Args args);      // cmd_info.cpp
int runTraces(Args args);    // cmd_traces.cpp
int runSynth(Args args);     // cmd_synth.cpp
int runDecode(Args args);    // cmd_decode.cpp
int runRender(Args args);    // cmd_render.cpp

// Add the subcommand to `app`; when it runs, its exit status is stored in `status`.
void addSpreadCommand(CLI::App& app, int& status);  // cmd_spread.cpp
void addFsliceCommand(CLI::App& app, int& status);  // cmd_fslice.cpp
void addTsliceCommand(CLI::App& app, int& status);  // cmd_tslice.cpp

}  // namespace vorax::cli
