// Filter panels: a window of traces copied from a record, tried with band-pass filters, for
// every record file of a folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/debug_log.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "filter/panel_settings.h"

namespace vorax::filter {

// Panel traces 0..P-1 are record traces firstTrace..firstTrace+P-1, each with all its values
// 0..S (the last one 0) and its amplitude scale.
struct Panel {
  std::string fileName;    // the record file's name, without its folder
  std::string fileNumber;  // the record's four-character file number, without trailing blanks
  // What the record is called in picture names: its file number, or its file name when it has
  // none; a run makes it distinct (panelRecordNames).
  std::string recordName;
  float sampleIntervalUs = 0;
  std::int32_t samplesPerTrace = 0;  // S
  std::int32_t firstTrace = 1;
  std::vector<float> scales;
  std::vector<float> values;  // trace p at p x (S + 1)
  std::string filterLabel = "None";

  std::size_t traceCount() const { return scales.size(); }
  std::span<const float> trace(std::size_t p) const;
  std::span<float> trace(std::size_t p);
};

// The traces from `traceFrom` to `traceTo` (either way round) that the record holds.
Panel copyPanel(const decode::SegdRecord& record, std::int32_t traceFrom, std::int32_t traceTo);

// "8 - 12 - 70 - 90": the corners rounded to whole numbers.
std::string filterLabel(const std::array<float, 4>& corners);

// The panel band-passed trace by trace with the corners (each trace's scale updated), its
// label set.
Panel bandPassPanel(const Panel& panel, const std::array<float, 4>& corners, dsp::Fft& fft);

// "Filter Panel --<header> - <info> - File <record name> Filter <label>.BMP", the name a
// panel's picture is saved under in the panel folder: one file name, the characters that
// cannot be in one replaced by '_', under 200 bytes. The record name is the panel's, or
// (a panel of "Test", outside a run) its file number, or its file name.
std::string panelPictureName(const PanelSettings& settings, const Panel& panel);

// Hands out the names records go by in a run's picture names: the file number (the file name
// when it is blank), cut to 64 bytes, then _2, _3, ... when an earlier record of the run went
// by the same name (compared without case, as Windows file names are).
class PanelRecordNames {
 public:
  // The name for a record, and whether it had to be made distinct.
  struct Given {
    std::string name;
    bool renamed = false;
  };
  Given next(std::string_view fileNumber, std::string_view fileName);

 private:
  std::vector<std::string> taken_;  // upper-cased
};

// The names of the folder's candidate files, sorted: regular files longer than 0 bytes whose
// last four characters, upper-cased, are none of .BMP .TXT .JPG .WRI .DOC.
std::vector<std::string> panelFileList(const std::filesystem::path& folder);

// The panels of one record: "None", then one per enabled filter in order.
std::vector<Panel> panelsOfRecord(const decode::SegdRecord& record, const std::string& fileName,
                                  const PanelSettings& settings, dsp::Fft& fft);

// What became of the files of a "Go" run.
struct SkippedFile {
  std::string fileName;
  std::string reason;  // the opener's or decoder's message, or why no panel could be cut
};
struct PanelRun {
  std::int32_t done = 0;  // records whose panels were all handed on
  std::vector<SkippedFile> skipped;
  std::vector<std::string> renamed;  // "B.segd: File 1 is also an earlier record's: ..."
  bool stopped = false;              // `onPanel` asked to stop
};

// "Done: 3 records, 1 skipped" ("Stopped: ..."), then one line per renamed record and one
// "Skipped <file>: <reason>" per skipped file.
std::vector<std::string> panelRunLines(const PanelRun& run);

// "Go": every listed file of the folder is read with its own flavour's loader (VORAX, Sercel,
// standard SEG-D, SEG-2) and its panels handed to `onPanel` in order (false stops the run),
// each with a distinct record name. A file that cannot be read, or whose traces miss the
// panel window, is skipped and named in the result. The last record read is left in
// `lastRecord`.
PanelRun runPanelFiles(const PanelSettings& settings, std::span<const std::string> fileNames,
                       dsp::Fft& fft, const base::DebugLog& debugLog,
                       const std::function<bool(const Panel&)>& onPanel,
                       decode::SegdRecord& lastRecord);

}  // namespace vorax::filter
