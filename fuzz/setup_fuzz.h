// What the .MVS and .RSF targets share. The fuzzer's bytes are XORed over the file image of a
// sound three-vibrator set-up, so an empty input is that set-up and every byte flips a field;
// the image is written to a file and read as the commands read a set-up file, and the run the
// set-up asks for is drawn, page by page, on a recording canvas.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/recording_canvas.h"
#include "app/settings.h"
#include "base/atomic_file.h"
#include "dsp/fft.h"
#include "vibsim/setup_files.h"
#include "vibsim/similarity_pages.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::fuzz {

// A short sweep keeps a run fast: 2 s of 8-40 Hz sampled at 4 ms.
inline vibsim::SweepShape shortSweep() {
  return {8, 40, 2, 0.2};
}

// The fuzzer's bytes over `sound`, written to this process's own file and read back into the
// default settings. False when the reading refuses the file.
inline bool readFuzzedSetup(const vibsim::SetupFileKind& kind, std::vector<std::uint8_t> sound,
                            const std::uint8_t* data, std::size_t size,
                            app::ViewerSettings& settings) {
  for (std::size_t i = 0; i < std::min(size, sound.size()); ++i) sound[i] ^= data[i];
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("vorax_setup_fuzz_" + std::to_string(::getpid()) + std::string(kind.extension));
  base::AtomicFileWriter out(file);
  out.write(sound);
  if (!out.commit()) return false;
  app::ApplyDefaultSettings(settings);
  return vibsim::readSetupFile(kind, file, settings).empty();
}

// A canvas that measures text as the recording canvas does and keeps nothing drawn, so that a
// page of many thousand cells costs no memory.
class DiscardingCanvas : public app::RecordingCanvas {
 public:
  using RecordingCanvas::RecordingCanvas;
  void line(app::PointF, app::PointF) override {}
  void lines(std::span<const app::LineF>) override {}
  void polyline(std::span<const app::PointF>) override {}
  void polygon(std::span<const app::PointF>) override {}
  void rectangle(app::PointF, app::PointF) override {}
  void fillRect(app::PointF, app::PointF, app::Colorref) override {}
  void text(app::PointF, std::string_view, app::HAlign, app::VAlign, double) override {}
};

// Every pane of every page the set-up asks for.
inline void drawEveryPage(vibsim::SimilarityPages& pages) {
  for (int page : pages.requestedPages()) {
    for (int pane = 0; pane < pages.paneCount(page); ++pane) {
      DiscardingCanvas canvas(vibsim::kPanePictureWidth, vibsim::kPanePictureHeight);
      pages.drawPane(canvas, page, pane);
    }
  }
}

// Only the first vibrator a set-up lets run is drawn, so one input stays quick; the others
// take the same code with other channels or files.
inline constexpr std::size_t kVibratorsRun = 1;

}  // namespace vorax::fuzz
