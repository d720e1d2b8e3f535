// What the viewer answers from its command line before it opens a window: --help and
// --version print and end the program, and a machine without a display gets a message
// instead of the window system's abort.
#pragma once

#include <optional>
#include <ostream>

namespace vorax::viewer {

// The program's exit status when it must end before opening a window (0 after --help or
// --version, 2 when there is no display), or nothing when the window should open. `environment`
// looks a variable up (getenv in the program, a table in tests).
std::optional<int> answerWithoutWindow(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& errors,
                                       const char* (*environment)(const char* name));

// Sets the program's worker count from VORAX_THREADS (a whole number from 1 to 1024) when it is
// set; any other value is named on `errors` and the CPUs the process may use are kept.
void applyThreadsVariable(std::ostream& errors, const char* (*environment)(const char* name));

}  // namespace vorax::viewer
