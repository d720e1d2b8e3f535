#include "viewer/command_line.h"

#include <string_view>

#include "base/worker_count.h"

namespace vorax::viewer {
namespace {

constexpr const char* kUsage =
    "Usage: vorax-viewer [OPTIONS] [FILE]\n"
    "The desktop viewer and quality-control tool of VORAX Viewer: opens SEG-D and SEG-2 seismic\n"
    "field records, pages through their traces with gain and clip, shows their headers, one\n"
    "trace's spectrum, the receiver test values over the spread, filters, vibrator\n"
    "similarity QC and the survey QC of a folder of records.\n"
    "\n"
    "Positionals:\n"
    "  FILE                        a record to open at start\n"
    "\n"
    "Options:\n"
    "  -h,--help                   Print this help message and exit\n"
    "  --version                   Display program version information and exit\n"
    "\n"
    "Environment:\n"
    "  DISPLAY, WAYLAND_DISPLAY    the display the window opens on\n"
    "  QT_QPA_PLATFORM             the window system platform (offscreen draws without one)\n";

bool isSet(const char* value) {
  return value != nullptr && *value != '\0';
}

// Without a platform named, Qt opens the X11 or Wayland display and aborts when it finds
// none; Windows and macOS always have their own.
bool hasDisplay(const char* (*environment)(const char* name)) {
#if defined(_WIN32) || defined(__APPLE__)
  (void)environment;
  return true;
#else
  return isSet(environment("QT_QPA_PLATFORM")) || isSet(environment("DISPLAY")) ||
         isSet(environment("WAYLAND_DISPLAY"));
#endif
}

}  // namespace

std::optional<int> answerWithoutWindow(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& errors,
                                       const char* (*environment)(const char* name)) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") {
      out << kUsage;
      return 0;
    }
    if (argument == "--version") {
      out << "vorax-viewer " << VORAX_VERSION << "\n";
      return 0;
    }
  }
  if (!hasDisplay(environment)) {
    errors << "vorax-viewer: no display to open the window on (DISPLAY is not set); "
              "the vorax command works without one\n";
    return 2;
  }
  return std::nullopt;
}

void applyThreadsVariable(std::ostream& errors, const char* (*environment)(const char* name)) {
  const char* text = environment("VORAX_THREADS");
  if (text == nullptr) return;
  if (const std::optional<unsigned> count = base::parseWorkerCount(text)) {
    base::setWorkerCount(*count);
  } else {
    errors << "vorax-viewer: VORAX_THREADS must be a whole number from 1 to " << base::kMostWorkers
           << ", not \"" << text << "\"; using one thread per CPU the process may use\n";
  }
}

}  // namespace vorax::viewer
