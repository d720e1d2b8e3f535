#include "app/settings.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <system_error>

#include "base/atomic_file.h"
#include "base/byte_reader.h"

namespace vorax::app {

std::string_view ViewerSettings::text(const SettingRow& row, std::size_t index) const {
  const std::size_t at = elementOffset(row, index);
  if (at == kNone) return {};
  std::string_view field(reinterpret_cast<const char*>(bytes_.data()) + at, row.width);
  const std::size_t end = field.find_last_not_of(std::string_view(" \0", 2));
  return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
}

void ViewerSettings::setText(const SettingRow& row, std::string_view value, std::size_t index) {
  const std::size_t at = elementOffset(row, index);
  if (at == kNone) return;
  const std::size_t n = std::min(value.size(), row.width);
  std::memcpy(bytes_.data() + at, value.data(), n);
  std::memset(bytes_.data() + at + n, ' ', row.width - n);
}

std::int32_t ViewerSettings::int32(const SettingRow& row, std::size_t index) const {
  const std::size_t at = elementOffset(row, index);
  return at == kNone ? 0 : decode::littleI32(bytes_, at);
}

void ViewerSettings::setInt32(const SettingRow& row, std::int32_t value, std::size_t index) {
  const std::size_t at = elementOffset(row, index);
  if (at != kNone) decode::storeLittle(bytes_, at, static_cast<std::uint32_t>(value), 4);
}

float ViewerSettings::single(const SettingRow& row, std::size_t index) const {
  const std::size_t at = elementOffset(row, index);
  return at == kNone ? 0.0f : decode::littleFloat(bytes_, at);
}

void ViewerSettings::setSingle(const SettingRow& row, float value, std::size_t index) {
  const std::size_t at = elementOffset(row, index);
  if (at != kNone) decode::storeLittle(bytes_, at, std::bit_cast<std::uint32_t>(value), 4);
}

decode::Colorref ViewerSettings::colour(const SettingRow& row, std::size_t index) const {
  const std::size_t at = elementOffset(row, index);
  return at == kNone ? 0 : decode::littleU32(bytes_, at);
}

void ViewerSettings::setColour(const SettingRow& row, decode::Colorref value, std::size_t index) {
  const std::size_t at = elementOffset(row, index);
  if (at != kNone) decode::storeLittle(bytes_, at, value, 4);
}

bool ViewerSettings::hasDisplayOptions() const {
  return text(rows::kDisplayOptionsTag) == kDisplayOptionsTag;
}

DisplayMode ViewerSettings::displayMode() const {
  const std::int32_t v = hasDisplayOptions() ? int32(rows::kDisplayMode) : 0;
  return v == 1 ? DisplayMode::VariableArea : v == 2 ? DisplayMode::Density : DisplayMode::Wiggle;
}

TraceBalance ViewerSettings::traceBalance() const {
  if (!hasDisplayOptions()) return fixedGainDisplay() == 1 ? TraceBalance::None : TraceBalance::Rms;
  const std::int32_t v = int32(rows::kTraceBalance);
  return v == 0 ? TraceBalance::None : v == 1 ? TraceBalance::Peak : TraceBalance::Rms;
}

std::int32_t ViewerSettings::displayAgc() const {
  return hasDisplayOptions() ? int32(rows::kDisplayAgc) : 0;
}

float ViewerSettings::displayAgcWindowMs() const {
  return hasDisplayOptions() ? single(rows::kDisplayAgcWindowMs) : kDefaultAgcWindowMs;
}

void ViewerSettings::setDisplayMode(DisplayMode v) {
  keepDisplayOptions();
  setInt32(rows::kDisplayMode, static_cast<std::int32_t>(v));
}

void ViewerSettings::setTraceBalance(TraceBalance v) {
  keepDisplayOptions();
  setInt32(rows::kTraceBalance, static_cast<std::int32_t>(v));
  setFixedGainDisplay(v == TraceBalance::None ? 1 : 0);
  setNormalisedDisplay(v == TraceBalance::None ? 0 : 1);
}

void ViewerSettings::setDisplayAgc(std::int32_t v) {
  keepDisplayOptions();
  setInt32(rows::kDisplayAgc, v);
}

void ViewerSettings::setDisplayAgcWindowMs(float v) {
  keepDisplayOptions();
  setSingle(rows::kDisplayAgcWindowMs, v);
}

void ViewerSettings::keepDisplayOptions() {
  if (hasDisplayOptions()) return;
  const DisplayMode mode = displayMode();
  const TraceBalance balance = traceBalance();
  const std::int32_t agc = displayAgc();
  const float window = displayAgcWindowMs();
  setText(rows::kDisplayOptionsTag, kDisplayOptionsTag);
  setInt32(rows::kDisplayMode, static_cast<std::int32_t>(mode));
  setInt32(rows::kTraceBalance, static_cast<std::int32_t>(balance));
  setInt32(rows::kDisplayAgc, agc);
  setSingle(rows::kDisplayAgcWindowMs, window);
}

namespace {

void setInts(ViewerSettings& s, const SettingRow& row, std::initializer_list<std::int32_t> v) {
  std::size_t i = 0;
  for (std::int32_t value : v) s.setInt32(row, value, i++);
}

void setSingles(ViewerSettings& s, const SettingRow& row, std::initializer_list<float> v) {
  std::size_t i = 0;
  for (float value : v) s.setSingle(row, value, i++);
}

void setColours(ViewerSettings& s, const SettingRow& row,
                std::initializer_list<decode::Colorref> v) {
  std::size_t i = 0;
  for (decode::Colorref value : v) s.setColour(row, value, i++);
}

void applyDisplayDefaults(ViewerSettings& s) {
  s.setTracesToDisplay("60");
  s.setDisplayStartTime("0");
  s.setDisplayEndTime("3000");
  s.setDisplayByLine(0);
  s.setDisplayByNumber(1);
  s.setDisplayAll(0);
  for (std::size_t i = 0; i < 6; ++i) {
    s.setTraceLabel(i, "Trace " + std::to_string(i + 1));
    s.setTraceLabelSide(i, 0, 1);
    s.setTraceLabelSide(i, 1, 0);
  }
  s.setMultiTraceTitle("Multi Trace Display");
  setInts(s, rows::kTitlePosition, {0, 1, 0});
  s.setIgnoreTiltErrors(0);
  s.setSelectionDbScale(72);
  s.setSelectionTitle(1);
  s.setSelectionValues(1);
  s.setOilCompany("A. Company");
  s.setContractor(kContractorPreset);
  s.setCrew(kCrewPreset);
  s.setFixedGainDisplay(0);
  s.setNormalisedDisplay(1);
  s.setTraceClip(0.75f);
  s.setInitialGainDb(18.0f);
}

// The display options behind the tag. The RMS balance makes the first picture of a record
// readable at the 18 dB default, where the peak-normalised display is almost solid black.
void applyDisplayOptionDefaults(ViewerSettings& s) {
  s.setDisplayMode(DisplayMode::Wiggle);
  s.setTraceBalance(TraceBalance::Rms);
  s.setDisplayAgc(0);
  s.setDisplayAgcWindowMs(kDefaultAgcWindowMs);
}

void applyToolDefaults(ViewerSettings& s) {
  s.setRadioFixTracesRequired(3);
  s.setRadioFixHalfEndTime(6000);
  s.setRadioFixPrefix("RS");
  s.setRadioFixDeleteOriginal(0);
  s.setRadioFixFolder("");
  s.setSumDiffFirstFile("");
  s.setSumDiffSecondFile("");
  setInts(s, rows::kSumDiffOptions, {0, 1, 0});
  setInts(s, rows::kSliceOptions, {0, 1, 0});
  setSingles(s, rows::kSliceFrequencies, {10.0f, 80.0f});
}

void applySimilarityDefaults(ViewerSettings& s) {
  setInts(s, rows::kMultiVibOptions, {1, 1, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1, 1});
  setInts(s, rows::kMultiVibLimits, {80, 10, 5, 50, 40, 80, 500, 350, 200, 300});
  setSingles(s, rows::kMultiVibMasses, {4082.0f, 1850.0f});
  setColours(s, rows::kSimilarityColours, {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFF00FF});
  setInts(s, rows::kMultiVibExtraOptions, {0, 0});
  setInts(s, rows::kSweepValues, {12000, 40, 24, 350});
  s.setSimilarityDelay(5);
  setInts(s, rows::kRadioChannels, {2, 3});
  s.setRadioReferenceTitle("Radio Ref");
  s.setRadioReturnTitle("Ground Force");
  setInts(s, rows::kRadioOptions, {1, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0});
  setInts(s, rows::kRadioLimits, {80, 10, 5, 50, 40, 80, 12000, 40, 24, 500, 350, 350, 200, 400});
  setColours(s, rows::kRadioColours, {0x0000FF, 0x00FF00});
  s.setRadioAutoVibName(1);
}

void applyFilterDefaults(ViewerSettings& s) {
  setSingles(s, rows::kFilterCornersA, {8.0f, 12.0f, 70.0f, 90.0f});
  setSingles(s, rows::kFilterCornersB, {47.0f, 49.0f, 51.0f, 53.0f});
  setInts(s, rows::kFilterEnabled, {0, 0, 0, 0});
  setSingles(s, rows::kFilterCornersC, {8.0f, 12.0f, 70.0f, 90.0f});
  setInts(s, rows::kPanelWindow, {40, 200, 1000, 2000});
  setSingles(s, rows::kPanelCorners,
             {8.0f,  12.0f, 60.0f, 70.0f, 9.0f,  13.0f, 65.0f, 75.0f, 10.0f, 14.0f, 70.0f, 80.0f,
              11.0f, 15.0f, 75.0f, 85.0f, 12.0f, 16.0f, 80.0f, 95.0f, 13.0f, 17.0f, 85.0f, 100.0f});
  setInts(s, rows::kPanelFilterEnabled, {1, 1, 1, 0, 0, 0});
  s.setPanelValue(20);
  s.setPanelGenerateBmp(0);
  s.setPanelHeaderLine("Sweep Tests ...");
  s.setPanelInfoLine(kContractorCrewPreset);
  s.setPanelFolder("");
  s.setPanelInitialGainDb(24.0f);
  s.setPanelTraceClip(0.7f);
  s.setPanelAgcWindow(0.5f);
  s.setPanelAgc(0);
}

}  // namespace

void ApplyDefaultSettings(ViewerSettings& settings) {
  applyDisplayDefaults(settings);
  applyDisplayOptionDefaults(settings);
  applyToolDefaults(settings);
  applySimilarityDefaults(settings);
  applyFilterDefaults(settings);
}

SettingsLoad loadSettings(const std::filesystem::path& file, ViewerSettings& settings) {
  ApplyDefaultSettings(settings);
  SettingsLoad result;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return result;

  std::ifstream in(file, std::ios::binary);
  if (!in || std::filesystem::is_directory(file, ec)) {
    result.source = SettingsLoad::Source::Unreadable;
    result.message = "cannot read " + file.string() + "; the default settings are used";
    return result;
  }
  std::array<char, kSettingsSize> buffer{};
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  result.bytesRead = static_cast<std::size_t>(in.gcount());
  std::memcpy(settings.bytes().data(), buffer.data(), result.bytesRead);
  result.source = result.bytesRead == kSettingsSize ? SettingsLoad::Source::File
                                                    : SettingsLoad::Source::ShortFile;
  return result;
}

SettingsSave saveSettings(const ViewerSettings& settings, const std::filesystem::path& file) {
  base::AtomicFileWriter writer(file);
  writer.write(settings.bytes());
  const bool ok = writer.commit();
  return {ok, writer.error()};
}

}  // namespace vorax::app
