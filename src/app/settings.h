// ViewerSettings: the persistent options of every tool, held as the byte image of the
// settings file (layout in settings_layout.h), edited in place for the whole run and written
// back at the end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "app/display_mode.h"
#include "app/settings_layout.h"
#include "decode/segd_record.h"

namespace vorax::app {

inline constexpr const char* kSettingsFileName = "VORAXviewer.def";

// The first bytes of a settings record that holds the display options of kDisplayMode on.
inline constexpr const char* kDisplayOptionsTag = "VXD1";
inline constexpr float kDefaultAgcWindowMs = 500;

// Site presets of the contractor name, the crew name and the panel title line 2.
inline constexpr const char* kContractorPreset = "Contractor";
inline constexpr const char* kCrewPreset = "Crew 1";
inline constexpr const char* kContractorCrewPreset = "Contractor Crew 1";

// Array indices are 0-based. An index past a row's end reads as 0 (or an empty text) and
// is ignored when written, so no access can leave the record. Text getters return a view of
// the field without its trailing spaces and zero bytes, valid until the field is assigned.
class ViewerSettings {
 public:
  ViewerSettings() { bytes_.fill(0); }  // every byte zero: nothing assigned yet

  std::span<const std::uint8_t, kSettingsSize> bytes() const { return bytes_; }
  std::span<std::uint8_t, kSettingsSize> bytes() { return bytes_; }

  // Typed access to any row by its description; `index` counts elements of the row.
  std::string_view text(const SettingRow& row, std::size_t index = 0) const;
  void setText(const SettingRow& row, std::string_view value, std::size_t index = 0);
  std::int32_t int32(const SettingRow& row, std::size_t index = 0) const;
  void setInt32(const SettingRow& row, std::int32_t value, std::size_t index = 0);
  float single(const SettingRow& row, std::size_t index = 0) const;
  void setSingle(const SettingRow& row, float value, std::size_t index = 0);
  decode::Colorref colour(const SettingRow& row, std::size_t index = 0) const;
  void setColour(const SettingRow& row, decode::Colorref value, std::size_t index = 0);

  // Main window and display.
  std::string_view lastDataFolder() const { return text(rows::kLastDataFolder); }
  void setLastDataFolder(std::string_view v) { setText(rows::kLastDataFolder, v); }
  std::string_view tracesToDisplay() const { return text(rows::kTracesToDisplay); }
  void setTracesToDisplay(std::string_view v) { setText(rows::kTracesToDisplay, v); }
  std::string_view displayStartTime() const { return text(rows::kDisplayStartTime); }
  void setDisplayStartTime(std::string_view v) { setText(rows::kDisplayStartTime, v); }
  std::string_view displayEndTime() const { return text(rows::kDisplayEndTime); }
  void setDisplayEndTime(std::string_view v) { setText(rows::kDisplayEndTime, v); }
  std::int32_t displayByLine() const { return int32(rows::kDisplayByLine); }
  void setDisplayByLine(std::int32_t v) { setInt32(rows::kDisplayByLine, v); }
  std::int32_t displayByNumber() const { return int32(rows::kDisplayByNumber); }
  void setDisplayByNumber(std::int32_t v) { setInt32(rows::kDisplayByNumber, v); }
  std::int32_t displayAll() const { return int32(rows::kDisplayAll); }
  void setDisplayAll(std::int32_t v) { setInt32(rows::kDisplayAll, v); }
  std::int32_t ignoreTiltErrors() const { return int32(rows::kIgnoreTiltErrors); }
  void setIgnoreTiltErrors(std::int32_t v) { setInt32(rows::kIgnoreTiltErrors, v); }
  std::int32_t fixedGainDisplay() const { return int32(rows::kFixedGainDisplay); }
  void setFixedGainDisplay(std::int32_t v) { setInt32(rows::kFixedGainDisplay, v); }
  std::int32_t normalisedDisplay() const { return int32(rows::kNormalisedDisplay); }
  void setNormalisedDisplay(std::int32_t v) { setInt32(rows::kNormalisedDisplay, v); }
  float traceClip() const { return single(rows::kTraceClip); }  // in trace spacings
  void setTraceClip(float v) { setSingle(rows::kTraceClip, v); }
  float initialGainDb() const { return single(rows::kInitialGainDb); }
  void setInitialGainDb(float v) { setSingle(rows::kInitialGainDb, v); }
  // Display mode, trace balance and AGC, behind kDisplayOptionsTag. A record without the tag
  // (a file written before they existed) reads as the wiggle display, no AGC, and no balance
  // when it asks for the fixed gain display, the RMS balance otherwise; the first of them set
  // writes the tag and all four. An unknown mode reads as the wiggle display, an unknown
  // balance as the RMS balance.
  bool hasDisplayOptions() const;
  DisplayMode displayMode() const;
  void setDisplayMode(DisplayMode v);
  TraceBalance traceBalance() const;
  // Also keeps the two older display-mode flags in step: "Fixed Gain Display" for no balance,
  // "Display Normalised to Peak" otherwise.
  void setTraceBalance(TraceBalance v);
  std::int32_t displayAgc() const;
  void setDisplayAgc(std::int32_t v);
  float displayAgcWindowMs() const;
  void setDisplayAgcWindowMs(float v);
  std::string_view oilCompany() const { return text(rows::kOilCompany); }
  void setOilCompany(std::string_view v) { setText(rows::kOilCompany, v); }
  std::string_view contractor() const { return text(rows::kContractor); }
  void setContractor(std::string_view v) { setText(rows::kContractor, v); }
  std::string_view crew() const { return text(rows::kCrew); }
  void setCrew(std::string_view v) { setText(rows::kCrew, v); }

  // Multi trace view: six labels, the title, its Left/Middle/Right flags, and per label a
  // Left flag (side 0) and a Right flag (side 1).
  std::string_view traceLabel(std::size_t i) const { return text(rows::kTraceLabels, i); }
  void setTraceLabel(std::size_t i, std::string_view v) { setText(rows::kTraceLabels, v, i); }
  std::string_view multiTraceTitle() const { return text(rows::kMultiTraceTitle); }
  void setMultiTraceTitle(std::string_view v) { setText(rows::kMultiTraceTitle, v); }
  std::int32_t titlePosition(std::size_t i) const { return int32(rows::kTitlePosition, i); }
  void setTitlePosition(std::size_t i, std::int32_t v) { setInt32(rows::kTitlePosition, v, i); }
  std::int32_t traceLabelSide(std::size_t label, std::size_t side) const {
    return int32(rows::kTraceLabelSides, grouped(rows::kTraceLabelSides, label, side));
  }
  void setTraceLabelSide(std::size_t label, std::size_t side, std::int32_t v) {
    setInt32(rows::kTraceLabelSides, v, grouped(rows::kTraceLabelSides, label, side));
  }

  // Trace selection check boxes.
  std::int32_t selectionDbScale() const { return int32(rows::kSelectionDbScale); }
  void setSelectionDbScale(std::int32_t v) { setInt32(rows::kSelectionDbScale, v); }
  std::int32_t selectionTitle() const { return int32(rows::kSelectionTitle); }
  void setSelectionTitle(std::int32_t v) { setInt32(rows::kSelectionTitle, v); }
  std::int32_t selectionValues() const { return int32(rows::kSelectionValues); }
  void setSelectionValues(std::int32_t v) { setInt32(rows::kSelectionValues, v); }

  // Fix radio similarity file.
  std::int32_t radioFixTracesRequired() const { return int32(rows::kRadioFixTracesRequired); }
  void setRadioFixTracesRequired(std::int32_t v) { setInt32(rows::kRadioFixTracesRequired, v); }
  // The end time in ms divided by two.
  std::int32_t radioFixHalfEndTime() const { return int32(rows::kRadioFixHalfEndTime); }
  void setRadioFixHalfEndTime(std::int32_t v) { setInt32(rows::kRadioFixHalfEndTime, v); }
  std::string_view radioFixPrefix() const { return text(rows::kRadioFixPrefix); }
  void setRadioFixPrefix(std::string_view v) { setText(rows::kRadioFixPrefix, v); }
  std::int32_t radioFixDeleteOriginal() const { return int32(rows::kRadioFixDeleteOriginal); }
  void setRadioFixDeleteOriginal(std::int32_t v) { setInt32(rows::kRadioFixDeleteOriginal, v); }
  std::string_view radioFixFolder() const { return text(rows::kRadioFixFolder); }
  void setRadioFixFolder(std::string_view v) { setText(rows::kRadioFixFolder, v); }

  // Record sum/difference: the two paths and the Sum, Difference, Normalise flags.
  std::string_view sumDiffFirstFile() const { return text(rows::kSumDiffFirstFile); }
  void setSumDiffFirstFile(std::string_view v) { setText(rows::kSumDiffFirstFile, v); }
  std::string_view sumDiffSecondFile() const { return text(rows::kSumDiffSecondFile); }
  void setSumDiffSecondFile(std::string_view v) { setText(rows::kSumDiffSecondFile, v); }
  std::int32_t sumDiffOption(std::size_t i) const { return int32(rows::kSumDiffOptions, i); }
  void setSumDiffOption(std::size_t i, std::int32_t v) { setInt32(rows::kSumDiffOptions, v, i); }

  // Spread slices: Trace Peak, Spread Peak, update delay; From and To frequencies (Hz).
  std::int32_t sliceOption(std::size_t i) const { return int32(rows::kSliceOptions, i); }
  void setSliceOption(std::size_t i, std::int32_t v) { setInt32(rows::kSliceOptions, v, i); }
  float sliceFrequency(std::size_t i) const { return single(rows::kSliceFrequencies, i); }
  void setSliceFrequency(std::size_t i, float v) { setSingle(rows::kSliceFrequencies, v, i); }

  // Multi-vibrator similarity set-up: rows 0..30 of names and of the eight channel columns.
  std::string_view multiVibName(std::size_t row) const { return text(rows::kMultiVibNames, row); }
  void setMultiVibName(std::size_t row, std::string_view v) {
    setText(rows::kMultiVibNames, v, row);
  }
  std::int32_t multiVibChannel(std::size_t column, std::size_t row) const {
    return int32(rows::kMultiVibChannels, grouped(rows::kMultiVibChannels, column, row));
  }
  void setMultiVibChannel(std::size_t column, std::size_t row, std::int32_t v) {
    setInt32(rows::kMultiVibChannels, v, grouped(rows::kMultiVibChannels, column, row));
  }
  std::int32_t multiVibOption(std::size_t i) const { return int32(rows::kMultiVibOptions, i); }
  void setMultiVibOption(std::size_t i, std::int32_t v) { setInt32(rows::kMultiVibOptions, v, i); }
  std::int32_t multiVibLimit(std::size_t i) const { return int32(rows::kMultiVibLimits, i); }
  void setMultiVibLimit(std::size_t i, std::int32_t v) { setInt32(rows::kMultiVibLimits, v, i); }
  float multiVibMass(std::size_t i) const { return single(rows::kMultiVibMasses, i); }
  void setMultiVibMass(std::size_t i, float v) { setSingle(rows::kMultiVibMasses, v, i); }
  decode::Colorref similarityColour(std::size_t i) const {
    return colour(rows::kSimilarityColours, i);
  }
  void setSimilarityColour(std::size_t i, decode::Colorref v) {
    setColour(rows::kSimilarityColours, v, i);
  }
  std::int32_t multiVibExtraOption(std::size_t i) const {
    return int32(rows::kMultiVibExtraOptions, i);
  }
  void setMultiVibExtraOption(std::size_t i, std::int32_t v) {
    setInt32(rows::kMultiVibExtraOptions, v, i);
  }
  std::int32_t sweepValue(std::size_t i) const { return int32(rows::kSweepValues, i); }
  void setSweepValue(std::size_t i, std::int32_t v) { setInt32(rows::kSweepValues, v, i); }
  std::int32_t similarityDelay() const { return int32(rows::kSimilarityDelay); }  // seconds
  void setSimilarityDelay(std::int32_t v) { setInt32(rows::kSimilarityDelay, v); }
  std::int32_t highResPrint() const { return int32(rows::kHighResPrint); }
  void setHighResPrint(std::int32_t v) { setInt32(rows::kHighResPrint, v); }

  // Radio similarity set-up.
  std::string_view radioName(std::size_t row) const { return text(rows::kRadioNames, row); }
  void setRadioName(std::size_t row, std::string_view v) { setText(rows::kRadioNames, v, row); }
  std::string_view radioSimFile(std::size_t row) const { return text(rows::kRadioSimFiles, row); }
  void setRadioSimFile(std::size_t row, std::string_view v) {
    setText(rows::kRadioSimFiles, v, row);
  }
  std::string_view radioPulseFile(std::size_t row) const {
    return text(rows::kRadioPulseFiles, row);
  }
  void setRadioPulseFile(std::size_t row, std::string_view v) {
    setText(rows::kRadioPulseFiles, v, row);
  }
  std::string_view radioFolder() const { return text(rows::kRadioFolder); }
  void setRadioFolder(std::string_view v) { setText(rows::kRadioFolder, v); }
  std::int32_t radioChannel(std::size_t i) const { return int32(rows::kRadioChannels, i); }
  void setRadioChannel(std::size_t i, std::int32_t v) { setInt32(rows::kRadioChannels, v, i); }
  std::string_view radioReferenceTitle() const { return text(rows::kRadioReferenceTitle); }
  void setRadioReferenceTitle(std::string_view v) { setText(rows::kRadioReferenceTitle, v); }
  std::string_view radioReturnTitle() const { return text(rows::kRadioReturnTitle); }
  void setRadioReturnTitle(std::string_view v) { setText(rows::kRadioReturnTitle, v); }
  std::int32_t radioOption(std::size_t i) const { return int32(rows::kRadioOptions, i); }
  void setRadioOption(std::size_t i, std::int32_t v) { setInt32(rows::kRadioOptions, v, i); }
  std::int32_t radioLimit(std::size_t i) const { return int32(rows::kRadioLimits, i); }
  void setRadioLimit(std::size_t i, std::int32_t v) { setInt32(rows::kRadioLimits, v, i); }
  decode::Colorref radioColour(std::size_t i) const { return colour(rows::kRadioColours, i); }
  void setRadioColour(std::size_t i, decode::Colorref v) { setColour(rows::kRadioColours, v, i); }
  std::int32_t radioAutoVibName() const { return int32(rows::kRadioAutoVibName); }
  void setRadioAutoVibName(std::int32_t v) { setInt32(rows::kRadioAutoVibName, v); }

  // Trace filters: corner sets A, B, C (Hz) and the four on/off flags.
  float filterCornerA(std::size_t i) const { return single(rows::kFilterCornersA, i); }
  void setFilterCornerA(std::size_t i, float v) { setSingle(rows::kFilterCornersA, v, i); }
  float filterCornerB(std::size_t i) const { return single(rows::kFilterCornersB, i); }
  void setFilterCornerB(std::size_t i, float v) { setSingle(rows::kFilterCornersB, v, i); }
  float filterCornerC(std::size_t i) const { return single(rows::kFilterCornersC, i); }
  void setFilterCornerC(std::size_t i, float v) { setSingle(rows::kFilterCornersC, v, i); }
  std::int32_t filterEnabled(std::size_t i) const { return int32(rows::kFilterEnabled, i); }
  void setFilterEnabled(std::size_t i, std::int32_t v) { setInt32(rows::kFilterEnabled, v, i); }

  // Filter panels: trace from/to and time from/to, six columns of F1..F4, their flags.
  std::int32_t panelWindow(std::size_t i) const { return int32(rows::kPanelWindow, i); }
  void setPanelWindow(std::size_t i, std::int32_t v) { setInt32(rows::kPanelWindow, v, i); }
  float panelCorner(std::size_t column, std::size_t corner) const {
    return single(rows::kPanelCorners, grouped(rows::kPanelCorners, column, corner));
  }
  void setPanelCorner(std::size_t column, std::size_t corner, float v) {
    setSingle(rows::kPanelCorners, v, grouped(rows::kPanelCorners, column, corner));
  }
  std::int32_t panelFilterEnabled(std::size_t i) const {
    return int32(rows::kPanelFilterEnabled, i);
  }
  void setPanelFilterEnabled(std::size_t i, std::int32_t v) {
    setInt32(rows::kPanelFilterEnabled, v, i);
  }
  std::int32_t panelValue() const { return int32(rows::kPanelValue); }
  void setPanelValue(std::int32_t v) { setInt32(rows::kPanelValue, v); }
  std::int32_t panelGenerateBmp() const { return int32(rows::kPanelGenerateBmp); }
  void setPanelGenerateBmp(std::int32_t v) { setInt32(rows::kPanelGenerateBmp, v); }
  std::string_view panelHeaderLine() const { return text(rows::kPanelHeaderLine); }
  void setPanelHeaderLine(std::string_view v) { setText(rows::kPanelHeaderLine, v); }
  std::string_view panelInfoLine() const { return text(rows::kPanelInfoLine); }
  void setPanelInfoLine(std::string_view v) { setText(rows::kPanelInfoLine, v); }
  std::string_view panelFolder() const { return text(rows::kPanelFolder); }
  void setPanelFolder(std::string_view v) { setText(rows::kPanelFolder, v); }
  float panelInitialGainDb() const { return single(rows::kPanelInitialGainDb); }
  void setPanelInitialGainDb(float v) { setSingle(rows::kPanelInitialGainDb, v); }
  float panelTraceClip() const { return single(rows::kPanelTraceClip); }
  void setPanelTraceClip(float v) { setSingle(rows::kPanelTraceClip, v); }
  float panelAgcWindow() const { return single(rows::kPanelAgcWindow); }
  void setPanelAgcWindow(float v) { setSingle(rows::kPanelAgcWindow, v); }
  std::int32_t panelAgc() const { return int32(rows::kPanelAgc); }
  void setPanelAgc(std::int32_t v) { setInt32(rows::kPanelAgc, v); }

 private:
  // Element index of item `item` of group `group` in a grouped row; past-the-end (and so
  // ignored) when either is out of range.
  static std::size_t grouped(const SettingRow& row, std::size_t group, std::size_t item) {
    if (item >= row.groupSize) return row.count;
    return group * row.groupSize + item;
  }
  // Byte offset of an element, or kNone when the index is past the row's end.
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static std::size_t elementOffset(const SettingRow& row, std::size_t index) {
    return index < row.count ? row.offset + index * row.width : kNone;
  }

  void keepDisplayOptions();  // writes the tag and the options as read without it

  std::array<std::uint8_t, kSettingsSize> bytes_;
};

// Fills every row that has a default; rows without one keep their bytes. Texts shown as
// blank in the layout are assigned the empty text (all spaces).
void ApplyDefaultSettings(ViewerSettings& settings);

// Result of reading the settings file.
struct SettingsLoad {
  enum class Source {
    Defaults,   // no file: the defaults
    File,       // the file's first 5441 bytes, used unchanged
    ShortFile,  // a shorter file: its bytes over the defaults
    Unreadable  // the file exists but could not be read: the defaults
  };
  Source source = Source::Defaults;
  std::size_t bytesRead = 0;
  std::string message;  // empty unless Unreadable
};

// Loads `file` into `settings`: the defaults first, then as many of the file's bytes as it
// has, up to 5441 (a file of 5441 bytes or more is used unchanged, no check of its content;
// a shorter one keeps the defaults past its end).
SettingsLoad loadSettings(const std::filesystem::path& file, ViewerSettings& settings);

struct SettingsSave {
  bool ok = false;
  std::string message;  // why it failed
};

// Writes all 5441 bytes to a temporary file beside `file` and renames it into place.
SettingsSave saveSettings(const ViewerSettings& settings, const std::filesystem::path& file);

}  // namespace vorax::app
