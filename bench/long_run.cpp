// Opens records one after another the way the viewer does (the main window's Open, loading on
// its worker, the first page drawn), and reports the resident memory after 50 and after all
// of them: a window left open all night through a night's records must not grow. Not a timed
// test; run it by hand, also in the ASan build (LeakSanitizer reports what is never freed).
//   long_run [RECORDS=500]
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/ui/main_window.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"

namespace {

double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Ten records of different flavours and sizes, opened in turn.
std::vector<std::filesystem::path> writeRecords(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (int i = 0; i < 10; ++i) {
    const std::filesystem::path file = folder / ("record_" + std::to_string(i) + ".segd");
    std::string failure;
    if (i % 2 == 0) {
      vorax::decode::synth::SynthOptions options;
      options.seismicTraces = 96 + 24 * i;
      options.samplesPerTrace = 1001 + 500 * i;
      options.fileNumber = i + 1;
      failure = vorax::decode::synth::writeSyntheticRecord(file, options);
    } else {
      vorax::decode::synth::SercelSynthOptions options;
      options.seismicTraces = 120 + 12 * i;
      options.fileNumber = i + 1;
      failure = vorax::decode::synth::writeSercelRecords(file, options, {});
    }
    if (!failure.empty()) {
      std::fprintf(stderr, "long_run: %s\n", failure.c_str());
      std::exit(2);
    }
    files.push_back(file);
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int records = argc > 1 ? std::atoi(argv[1]) : 500;
  QApplication application(argc, argv);
  char folderTemplate[] = "/tmp/vorax_long_run_XXXXXX";
  const std::filesystem::path folder = mkdtemp(folderTemplate);
  const std::vector<std::filesystem::path> files = writeRecords(folder);

  {
    vorax::app::AppState state;
    vorax::app::startUp(state, folder.string() + "/", false);
    vorax::app::ui::MainWindow window(state);
    window.resize(1400, 900);
    window.show();
    double after50 = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= records; ++i) {
      window.openRecordFile(files[static_cast<std::size_t>(i - 1) % files.size()]);
      while (window.loading()) QApplication::processEvents(QEventLoop::AllEvents, 20);
      QApplication::processEvents();
      if (i == 50) after50 = residentMegabytes();
    }
    const double afterAll = residentMegabytes();
    std::printf("records opened: %d in %.1f s\n", records, clock.elapsed() / 1000.0);
    std::printf("resident memory after 50: %.1f MB, after %d: %.1f MB, growth %.1f MB\n", after50,
                records, afterAll, afterAll - after50);
    window.close();
  }
  std::filesystem::remove_all(folder);
  return 0;
}
