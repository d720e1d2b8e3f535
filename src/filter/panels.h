// Filter panels: a window of traces copied from a record, tried with band-pass filters, for
// every record file of a folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
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

// "Filter Panel --<header> - <info> - File <file number> Filter <label>.BMP", the name a
// panel's picture is saved under in the panel folder.
std::string panelPictureName(const PanelSettings& settings, const Panel& panel);

// The names of the folder's candidate files, sorted: regular files longer than 0 bytes whose
// last four characters, upper-cased, are none of .BMP .TXT .JPG .WRI .DOC.
std::vector<std::string> panelFileList(const std::filesystem::path& folder);

// The panels of one record: "None", then one per enabled filter in order.
std::vector<Panel> panelsOfRecord(const decode::SegdRecord& record, const std::string& fileName,
                                  const PanelSettings& settings, dsp::Fft& fft);

// "Go": every listed file of the folder that passes the quick header check is read and its
// panels handed to `onPanel` in order (false stops the run). Files that fail the check or
// cannot be read are skipped. The last record read is left in `lastRecord`.
void runPanelFiles(const PanelSettings& settings, std::span<const std::string> fileNames,
                   dsp::Fft& fft, const base::DebugLog& debugLog,
                   const std::function<bool(const Panel&)>& onPanel,
                   decode::SegdRecord& lastRecord);

}  // namespace vorax::filter
