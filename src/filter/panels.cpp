#include "filter/panels.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "app/picture_file_name.h"
#include "app/utilities.h"
#include "decode/record_opener.h"
#include "filter/trace_filter.h"

namespace vorax::filter {

namespace {

std::string upperCased(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Decoder messages of files read for panels go to the debug log, not to message boxes; the
// last one says why a file was skipped.
class DebugLogSink : public decode::MessageSink {
 public:
  explicit DebugLogSink(const base::DebugLog& log) : log_(log) {}
  void show(std::string_view text, bool) override {
    log_.line(text);
    last_ = text;
  }
  std::string takeLast() { return std::exchange(last_, {}); }

 private:
  const base::DebugLog& log_;
  std::string last_;
};

constexpr std::size_t kRecordNameBytes = 64;

// Why the file cannot give panels, or "" when it can.
std::string unreadableReason(const decode::OpenResult& opened, DebugLogSink& messages) {
  const std::string decoderMessage = messages.takeLast();
  switch (opened.status) {
    case decode::OpenStatus::FileError:
      return opened.error;
    case decode::OpenStatus::DecoderFatal:
      return decoderMessage.empty() ? "its headers cannot be read" : decoderMessage;
    case decode::OpenStatus::Ok:
      break;
  }
  return "";
}

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
  const std::string& name = !panel.recordName.empty()   ? panel.recordName
                            : !panel.fileNumber.empty() ? panel.fileNumber
                                                        : panel.fileName;
  const std::string tail = " - File " + name + " Filter " + panel.filterLabel;
  // The two lines give way first: what tells pictures apart (record, filter) is never cut.
  constexpr std::size_t kRoom = app::kMaxFileNameBytes - 4;  // before ".BMP"
  const std::string head =
      app::fileNameFromTitle("Filter Panel --" + settings.headerLine + " - " + settings.infoLine,
                             "", kRoom > tail.size() ? kRoom - tail.size() : 1);
  return app::fileNameFromTitle(head + tail, ".BMP");
}

PanelRecordNames::Given PanelRecordNames::next(std::string_view fileNumber,
                                               std::string_view fileName) {
  const std::string base =
      app::fileNameFromTitle(fileNumber.empty() ? fileName : fileNumber, "", kRecordNameBytes);
  Given given{base, false};
  for (int copy = 2;
       std::find(taken_.begin(), taken_.end(), upperCased(given.name)) != taken_.end(); ++copy)
    given = {base + "_" + std::to_string(copy), true};
  taken_.push_back(upperCased(given.name));
  return given;
}

std::vector<std::string> panelRunLines(const PanelRun& run) {
  std::vector<std::string> lines{std::string(run.stopped ? "Stopped" : "Done") + ": " +
                                 std::to_string(run.done) +
                                 (run.done == 1 ? " record, " : " records, ") +
                                 std::to_string(run.skipped.size()) + " skipped"};
  lines.insert(lines.end(), run.renamed.begin(), run.renamed.end());
  for (const SkippedFile& file : run.skipped)
    lines.push_back("Skipped " + file.fileName + ": " + file.reason);
  return lines;
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

PanelRun runPanelFiles(const PanelSettings& settings, std::span<const std::string> fileNames,
                       dsp::Fft& fft, const base::DebugLog& debugLog,
                       const std::function<bool(const Panel&)>& onPanel,
                       decode::SegdRecord& lastRecord) {
  DebugLogSink messages(debugLog);
  PanelRecordNames names;
  PanelRun run;
  for (const std::string& name : fileNames) {
    const std::filesystem::path path = std::filesystem::path(settings.folder) / name;
    decode::SegdRecord record;
    const decode::OpenResult opened = decode::openRecord(path, record, messages, debugLog);
    std::string reason = unreadableReason(opened, messages);
    if (reason.empty() && copyPanel(record, settings.traceFrom, settings.traceTo).traceCount() == 0)
      reason = "it holds " + std::to_string(record.loadedTraceCount()) +
               (record.loadedTraceCount() == 1 ? " trace" : " traces") + ", none of traces " +
               std::to_string(settings.traceFrom) + " to " + std::to_string(settings.traceTo);
    if (!reason.empty()) {
      debugLog.line("Panels: Skipped " + name + ": " + reason);
      run.skipped.push_back({name, reason});
      continue;
    }
    debugLog.line("Panels: File " + name);
    const std::string fileNumber(record.summary.fileNumber.trimmed());
    const PanelRecordNames::Given given = names.next(fileNumber, name);
    if (given.renamed)
      run.renamed.push_back(name + ": File " + (fileNumber.empty() ? name : fileNumber) +
                            " is also an earlier record's: its pictures say File " + given.name);
    for (Panel& panel : panelsOfRecord(record, name, settings, fft)) {
      panel.recordName = given.name;
      if (!onPanel(panel)) {
        run.stopped = true;
        return run;
      }
    }
    ++run.done;
    lastRecord = std::move(record);
  }
  return run;
}

}  // namespace vorax::filter
