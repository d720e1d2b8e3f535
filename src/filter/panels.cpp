#include "filter/panels.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "app/utilities.h"
#include "decode/record_opener.h"
#include "decode/segd/header_driver.h"
#include "filter/trace_filter.h"

namespace vorax::filter {

namespace {

std::string upperCased(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Decoder messages of files read for panels go to the debug log, not to message boxes.
class DebugLogSink : public decode::MessageSink {
 public:
  explicit DebugLogSink(const base::DebugLog& log) : log_(log) {}
  void show(std::string_view text, bool) override { log_.line(text); }

 private:
  const base::DebugLog& log_;
};

}  // namespace

std::span<const float> Panel::trace(std::size_t p) const {
  const std::size_t width = static_cast<std::size_t>(samplesPerTrace) + 1;
  return std::span<const float>(values).subspan(p * width, width);
}

std::span<float> Panel::trace(std::size_t p) {
  const std::size_t width = static_cast<std::size_t>(samplesPerTrace) + 1;
  return std::span<float>(values).subspan(p * width, width);
}

Panel copyPanel(const decode::SegdRecord& record, std::int32_t traceFrom, std::int32_t traceTo) {
  Panel panel;
  panel.fileNumber = std::string(record.summary.fileNumber.rtrimmed());
  panel.sampleIntervalUs = record.summary.sampleIntervalUs;
  panel.samplesPerTrace = std::max(0, record.samples.samplesPerTrace());
  const std::int32_t first = std::max(1, std::min(traceFrom, traceTo));
  const std::int32_t last = std::min(std::max(traceFrom, traceTo), record.loadedTraceCount());
  panel.firstTrace = first;
  for (std::int32_t t = first; t <= last; ++t) {
    const auto at = static_cast<std::size_t>(t);
    panel.scales.push_back(at < record.traceInfo.size() ? record.traceInfo[at].amplitudeScale
                                                        : 1.0f);
    const std::span<const float> values = record.samples.trace(t);
    panel.values.insert(panel.values.end(), values.begin(), values.end());
  }
  return panel;
}

std::string filterLabel(const std::array<float, 4>& corners) {
  std::string label;
  for (std::size_t j = 0; j < 4; ++j) {
    if (j > 0) label += " - ";
    label += std::to_string(std::lround(corners[j]));
  }
  return label;
}

Panel bandPassPanel(const Panel& panel, const std::array<float, 4>& corners, dsp::Fft& fft) {
  Panel out = panel;
  out.filterLabel = filterLabel(corners);
  const auto samples = static_cast<std::size_t>(panel.samplesPerTrace);
  if (samples == 0) return out;
  const FilterPlan plan(FilterRequest{FilterType::BandPass, corners}, panel.sampleIntervalUs,
                        samples);
  FilterWork work;
  for (std::size_t p = 0; p < out.traceCount(); ++p) {
    const std::span<float> stored = out.trace(p).first(samples);
    filterSamples(plan, fft, stored, stored, out.scales[p], work);
  }
  return out;
}

std::string panelPictureName(const PanelSettings& settings, const Panel& panel) {
  return "Filter Panel --" + settings.headerLine + " - " + settings.infoLine + " - File " +
         panel.fileNumber + " Filter " + panel.filterLabel + ".BMP";
}

std::vector<std::string> panelFileList(const std::filesystem::path& folder) {
  static constexpr const char* kLeftOut[] = {".BMP", ".TXT", ".JPG", ".WRI", ".DOC"};
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::string ending = upperCased(name.size() >= 4 ? name.substr(name.size() - 4) : name);
    if (std::find(std::begin(kLeftOut), std::end(kLeftOut), ending) != std::end(kLeftOut)) continue;
    if (app::FILELEN(entry.path()) > 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Panel> panelsOfRecord(const decode::SegdRecord& record, const std::string& fileName,
                                  const PanelSettings& settings, dsp::Fft& fft) {
  Panel unfiltered = copyPanel(record, settings.traceFrom, settings.traceTo);
  unfiltered.fileName = fileName;
  std::vector<Panel> panels{unfiltered};
  for (std::size_t k = 0; k < kPanelFilterCount; ++k)
    if (settings.enabled[k]) panels.push_back(bandPassPanel(unfiltered, settings.corners[k], fft));
  return panels;
}

void runPanelFiles(const PanelSettings& settings, std::span<const std::string> fileNames,
                   dsp::Fft& fft, const base::DebugLog& debugLog,
                   const std::function<bool(const Panel&)>& onPanel,
                   decode::SegdRecord& lastRecord) {
  DebugLogSink messages(debugLog);
  for (const std::string& name : fileNames) {
    const std::filesystem::path path = std::filesystem::path(settings.folder) / name;
    if (decode::quickvoraxcheck(path) != 0) continue;
    decode::SegdRecord record;
    if (!decode::openRecord(path, record, messages, debugLog).ok()) continue;
    debugLog.line("Panels: File " + name);
    for (const Panel& panel : panelsOfRecord(record, name, settings, fft))
      if (!onPanel(panel)) return;
    lastRecord = std::move(record);
  }
}

}  // namespace vorax::filter
