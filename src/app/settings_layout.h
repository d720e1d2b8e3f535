// Layout of the settings record "VORAXviewer.def": 5441 bytes, no header, no version, no
// checksum. Every row is described once here (name, byte offset from the start of the file,
// type, element width and count); the accessors of ViewerSettings and the `vorax settings`
// listing both read these descriptions, so no offset appears anywhere else.
//
// Integers are 32-bit signed and singles IEEE 754, both least significant byte first; a
// colour is an int32 holding a COLORREF (0x00BBGGRR). Texts are single-byte, space padded on
// the right when assigned; a text never assigned holds zero bytes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorax::app {

enum class SettingType { Text, Int32, Single, Colour, Reserved };

struct SettingRow {
  std::string_view name;  // snake_case, the key of the `vorax settings` listing
  std::size_t offset;     // 0-based byte offset in the file
  SettingType type;
  std::size_t width;      // bytes per element (4 for numbers)
  std::size_t count = 1;  // elements, stored one after another
  // Elements per group for tables stored group after group (e.g. eight columns of 31
  // integers: groupSize 31); 1 for a plain list.
  std::size_t groupSize = 1;

  constexpr std::size_t size() const { return width * count; }
  constexpr std::size_t end() const { return offset + size(); }
};

inline constexpr std::size_t kSettingsSize = 5441;

namespace rows {

using enum SettingType;

// The first 256 bytes were reserved (never assigned, so zero in files written without them).
// The display options added since sit at their start behind a tag: a file whose first four
// bytes are not kDisplayOptionsTag holds none of them, and they take their defaults.
inline constexpr SettingRow kDisplayOptionsTag{"display_options_tag", 0, Text, 4};
inline constexpr SettingRow kDisplayMode{"display_mode", 4, Int32, 4};
inline constexpr SettingRow kTraceBalance{"trace_balance", 8, Int32, 4};
inline constexpr SettingRow kDisplayAgc{"display_agc", 12, Int32, 4};
inline constexpr SettingRow kDisplayAgcWindowMs{"display_agc_window_ms", 16, Single, 4};
inline constexpr SettingRow kReservedHead{"reserved_20", 20, Reserved, 1, 236};
inline constexpr SettingRow kLastDataFolder{"last_data_folder", 256, Text, 256};
inline constexpr SettingRow kTracesToDisplay{"traces_to_display", 512, Text, 3};
inline constexpr SettingRow kDisplayStartTime{"display_start_time", 515, Text, 5};
inline constexpr SettingRow kDisplayEndTime{"display_end_time", 520, Text, 5};
inline constexpr SettingRow kDisplayByLine{"display_by_line", 525, Int32, 4};
inline constexpr SettingRow kDisplayByNumber{"display_by_number", 529, Int32, 4};
inline constexpr SettingRow kDisplayAll{"display_all", 533, Int32, 4};
inline constexpr SettingRow kTraceLabels{"trace_labels", 537, Text, 20, 6};
inline constexpr SettingRow kMultiTraceTitle{"multi_trace_title", 657, Text, 40};
inline constexpr SettingRow kTitlePosition{"title_position", 697, Int32, 4, 3};
inline constexpr SettingRow kTraceLabelSides{"trace_label_sides", 709, Int32, 4, 12, 2};
inline constexpr SettingRow kIgnoreTiltErrors{"ignore_tilt_errors", 757, Int32, 4};
inline constexpr SettingRow kSelectionDbScale{"selection_db_scale", 761, Int32, 4};
inline constexpr SettingRow kSelectionTitle{"selection_title", 765, Int32, 4};
inline constexpr SettingRow kSelectionValues{"selection_values", 769, Int32, 4};
inline constexpr SettingRow kRadioFixTracesRequired{"radio_fix_traces_required", 773, Int32, 4};
inline constexpr SettingRow kRadioFixHalfEndTime{"radio_fix_half_end_time", 777, Int32, 4};
inline constexpr SettingRow kRadioFixPrefix{"radio_fix_prefix", 781, Text, 10};
inline constexpr SettingRow kRadioFixDeleteOriginal{"radio_fix_delete_original", 791, Int32, 4};
inline constexpr SettingRow kRadioFixFolder{"radio_fix_folder", 795, Text, 256};
inline constexpr SettingRow kSumDiffFirstFile{"sum_diff_first_file", 1051, Text, 256};
inline constexpr SettingRow kSumDiffSecondFile{"sum_diff_second_file", 1307, Text, 256};
inline constexpr SettingRow kSumDiffOptions{"sum_diff_options", 1563, Int32, 4, 3};
inline constexpr SettingRow kSliceOptions{"slice_options", 1575, Int32, 4, 3};
inline constexpr SettingRow kSliceFrequencies{"slice_frequencies", 1587, Single, 4, 2};
inline constexpr SettingRow kMultiVibNames{"multi_vib_names", 1595, Text, 8, 31};
inline constexpr SettingRow kMultiVibChannels{"multi_vib_channels", 1843, Int32, 4, 248, 31};
inline constexpr SettingRow kMultiVibOptions{"multi_vib_options", 2835, Int32, 4, 13};
inline constexpr SettingRow kReservedMultiVib{"reserved_2887", 2887, Reserved, 1, 8};
inline constexpr SettingRow kMultiVibLimits{"multi_vib_limits", 2895, Int32, 4, 10};
inline constexpr SettingRow kMultiVibMasses{"multi_vib_masses", 2935, Single, 4, 2};
inline constexpr SettingRow kSimilarityColours{"similarity_colours", 2943, Colour, 4, 5};
inline constexpr SettingRow kMultiVibExtraOptions{"multi_vib_extra_options", 2963, Int32, 4, 2};
inline constexpr SettingRow kOilCompany{"oil_company", 2971, Text, 20};
inline constexpr SettingRow kContractor{"contractor", 2991, Text, 20};
inline constexpr SettingRow kCrew{"crew", 3011, Text, 10};
inline constexpr SettingRow kSweepValues{"sweep_values", 3021, Int32, 4, 4};
inline constexpr SettingRow kSimilarityDelay{"similarity_delay", 3037, Int32, 4};
inline constexpr SettingRow kHighResPrint{"high_res_print", 3041, Int32, 4};
inline constexpr SettingRow kRadioNames{"radio_names", 3045, Text, 8, 31};
inline constexpr SettingRow kRadioSimFiles{"radio_sim_files", 3293, Text, 15, 31};
inline constexpr SettingRow kRadioPulseFiles{"radio_pulse_files", 3758, Text, 15, 31};
inline constexpr SettingRow kRadioFolder{"radio_folder", 4223, Text, 255};
inline constexpr SettingRow kReservedRadio{"reserved_4478", 4478, Reserved, 1, 255};
inline constexpr SettingRow kRadioChannels{"radio_channels", 4733, Int32, 4, 2};
inline constexpr SettingRow kRadioReferenceTitle{"radio_reference_title", 4741, Text, 12};
inline constexpr SettingRow kRadioReturnTitle{"radio_return_title", 4753, Text, 12};
inline constexpr SettingRow kRadioOptions{"radio_options", 4765, Int32, 4, 13};
inline constexpr SettingRow kRadioLimits{"radio_limits", 4817, Int32, 4, 14};
inline constexpr SettingRow kRadioColours{"radio_colours", 4873, Colour, 4, 2};
inline constexpr SettingRow kRadioAutoVibName{"radio_auto_vib_name", 4881, Int32, 4};
inline constexpr SettingRow kFixedGainDisplay{"fixed_gain_display", 4885, Int32, 4};
inline constexpr SettingRow kNormalisedDisplay{"normalised_display", 4889, Int32, 4};
inline constexpr SettingRow kTraceClip{"trace_clip", 4893, Single, 4};
inline constexpr SettingRow kInitialGainDb{"initial_gain_db", 4897, Single, 4};
inline constexpr SettingRow kFilterCornersA{"filter_corners_a", 4901, Single, 4, 4};
inline constexpr SettingRow kFilterCornersB{"filter_corners_b", 4917, Single, 4, 4};
inline constexpr SettingRow kFilterEnabled{"filter_enabled", 4933, Int32, 4, 4};
inline constexpr SettingRow kFilterCornersC{"filter_corners_c", 4949, Single, 4, 4};
inline constexpr SettingRow kPanelWindow{"panel_window", 4965, Int32, 4, 4};
inline constexpr SettingRow kPanelCorners{"panel_corners", 4981, Single, 4, 24, 4};
inline constexpr SettingRow kPanelFilterEnabled{"panel_filter_enabled", 5077, Int32, 4, 6};
inline constexpr SettingRow kPanelValue{"panel_value", 5101, Int32, 4};
inline constexpr SettingRow kPanelGenerateBmp{"panel_generate_bmp", 5105, Int32, 4};
inline constexpr SettingRow kPanelHeaderLine{"panel_header_line", 5109, Text, 30};
inline constexpr SettingRow kPanelInfoLine{"panel_info_line", 5139, Text, 30};
inline constexpr SettingRow kPanelFolder{"panel_folder", 5169, Text, 256};
inline constexpr SettingRow kPanelInitialGainDb{"panel_initial_gain_db", 5425, Single, 4};
inline constexpr SettingRow kPanelTraceClip{"panel_trace_clip", 5429, Single, 4};
inline constexpr SettingRow kPanelAgcWindow{"panel_agc_window", 5433, Single, 4};
inline constexpr SettingRow kPanelAgc{"panel_agc", 5437, Int32, 4};

}  // namespace rows

// Every row in file order; together they cover bytes 0..5440 exactly once.
inline constexpr std::array kSettingRows{
    rows::kDisplayOptionsTag,
    rows::kDisplayMode,
    rows::kTraceBalance,
    rows::kDisplayAgc,
    rows::kDisplayAgcWindowMs,
    rows::kReservedHead,
    rows::kLastDataFolder,
    rows::kTracesToDisplay,
    rows::kDisplayStartTime,
    rows::kDisplayEndTime,
    rows::kDisplayByLine,
    rows::kDisplayByNumber,
    rows::kDisplayAll,
    rows::kTraceLabels,
    rows::kMultiTraceTitle,
    rows::kTitlePosition,
    rows::kTraceLabelSides,
    rows::kIgnoreTiltErrors,
    rows::kSelectionDbScale,
    rows::kSelectionTitle,
    rows::kSelectionValues,
    rows::kRadioFixTracesRequired,
    rows::kRadioFixHalfEndTime,
    rows::kRadioFixPrefix,
    rows::kRadioFixDeleteOriginal,
    rows::kRadioFixFolder,
    rows::kSumDiffFirstFile,
    rows::kSumDiffSecondFile,
    rows::kSumDiffOptions,
    rows::kSliceOptions,
    rows::kSliceFrequencies,
    rows::kMultiVibNames,
    rows::kMultiVibChannels,
    rows::kMultiVibOptions,
    rows::kReservedMultiVib,
    rows::kMultiVibLimits,
    rows::kMultiVibMasses,
    rows::kSimilarityColours,
    rows::kMultiVibExtraOptions,
    rows::kOilCompany,
    rows::kContractor,
    rows::kCrew,
    rows::kSweepValues,
    rows::kSimilarityDelay,
    rows::kHighResPrint,
    rows::kRadioNames,
    rows::kRadioSimFiles,
    rows::kRadioPulseFiles,
    rows::kRadioFolder,
    rows::kReservedRadio,
    rows::kRadioChannels,
    rows::kRadioReferenceTitle,
    rows::kRadioReturnTitle,
    rows::kRadioOptions,
    rows::kRadioLimits,
    rows::kRadioColours,
    rows::kRadioAutoVibName,
    rows::kFixedGainDisplay,
    rows::kNormalisedDisplay,
    rows::kTraceClip,
    rows::kInitialGainDb,
    rows::kFilterCornersA,
    rows::kFilterCornersB,
    rows::kFilterEnabled,
    rows::kFilterCornersC,
    rows::kPanelWindow,
    rows::kPanelCorners,
    rows::kPanelFilterEnabled,
    rows::kPanelValue,
    rows::kPanelGenerateBmp,
    rows::kPanelHeaderLine,
    rows::kPanelInfoLine,
    rows::kPanelFolder,
    rows::kPanelInitialGainDb,
    rows::kPanelTraceClip,
    rows::kPanelAgcWindow,
    rows::kPanelAgc,
};

// The rows tile the record: each starts where the previous ended and the last ends at 5441.
constexpr bool settingRowsTileTheRecord() {
  std::size_t expected = 0;
  for (const SettingRow& row : kSettingRows) {
    if (row.offset != expected) return false;
    expected = row.end();
  }
  return expected == kSettingsSize;
}
static_assert(settingRowsTileTheRecord(), "settings rows must cover the record without gaps");

}  // namespace vorax::app
