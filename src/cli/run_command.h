// Running the command line once its commands are added.
#pragma once

namespace CLI {
class App;
}

namespace vorax::cli {

// Parses the arguments, which runs the command they name, and returns the exit status: the
// command's `status`, 0 for --help and --version, 2 for a usage error. A command that cannot
// finish for want of memory (a huge picture, the sizes a hostile record declares) or of
// another resource says so as "vorax <command>: ..." and gives 2, never an abort; its files
// are written atomically, so nothing half-written is left. Standard output that cannot be
// written in full (a full disk, /dev/full, a closed pipe) gives 2 with a message.
int runCommandLine(CLI::App& app, int argc, char** argv, const int& status);

}  // namespace vorax::cli
