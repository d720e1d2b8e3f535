// The trace filters' settings (kept in the viewer settings, shared with the filter panels),
// their validation and the texts a filtering run shows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/settings.h"
#include "filter/trace_filter.h"

namespace vorax::filter {

// One entry per filter type, in kFilterOrder (low cut, high cut, band pass, band reject).
struct FilterSettings {
  std::array<bool, 4> enabled{};
  std::array<FilterRequest, 4> filters{FilterRequest{FilterType::LowCut, {8, 12}},
                                       FilterRequest{FilterType::HighCut, {70, 90}},
                                       FilterRequest{FilterType::BandPass, {8, 12, 70, 90}},
                                       FilterRequest{FilterType::BandReject, {47, 49, 51, 53}}};

  bool& enabledOf(FilterType type) { return enabled[static_cast<std::size_t>(type)]; }
  bool enabledOf(FilterType type) const { return enabled[static_cast<std::size_t>(type)]; }
  std::array<float, 4>& cornersOf(FilterType type) {
    return filters[static_cast<std::size_t>(type)].corners;
  }
  const std::array<float, 4>& cornersOf(FilterType type) const {
    return filters[static_cast<std::size_t>(type)].corners;
  }
};

// Where they live in the settings: band pass in corner set A, band reject in set B, low cut
// F1, F2 and high cut F1, F2 in set C; the flags in the filter order.
FilterSettings filterSettingsFrom(const app::ViewerSettings& settings);
void storeFilterSettings(const FilterSettings& filters, app::ViewerSettings& settings);

// The validation message of the enabled filters: every failing test replaces the message, so
// the last failing one is returned; empty when all pass (equal corners pass).
std::string validateFilters(const FilterSettings& filters);

// The enabled filters in the order a run applies them.
std::vector<FilterRequest> enabledFilters(const FilterSettings& filters);

// "High Cut Filtering", "Bandpass Cut Filtering", "Band Reject Filtering" shown before a
// filter's run (empty for low cut, which shows its progress text only).
std::string phaseText(FilterType type);
// The progress text: "Low Cut Filtering 40%", "Bandpass Filtering 7%", ...
std::string progressText(FilterType type, int percent);

}  // namespace vorax::filter
