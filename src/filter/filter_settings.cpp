#include "filter/filter_settings.h"

namespace vorax::filter {

FilterSettings filterSettingsFrom(const app::ViewerSettings& settings) {
  FilterSettings f;
  for (std::size_t i = 0; i < 4; ++i) {
    f.enabled[i] = settings.filterEnabled(i) != 0;
    f.cornersOf(FilterType::BandPass)[i] = settings.filterCornerA(i);
    f.cornersOf(FilterType::BandReject)[i] = settings.filterCornerB(i);
  }
  f.cornersOf(FilterType::LowCut) = {settings.filterCornerC(0), settings.filterCornerC(1)};
  f.cornersOf(FilterType::HighCut) = {settings.filterCornerC(2), settings.filterCornerC(3)};
  return f;
}

void storeFilterSettings(const FilterSettings& f, app::ViewerSettings& settings) {
  for (std::size_t i = 0; i < 4; ++i) {
    settings.setFilterEnabled(i, f.enabled[i] ? 1 : 0);
    settings.setFilterCornerA(i, f.cornersOf(FilterType::BandPass)[i]);
    settings.setFilterCornerB(i, f.cornersOf(FilterType::BandReject)[i]);
  }
  for (std::size_t i = 0; i < 2; ++i) {
    settings.setFilterCornerC(i, f.cornersOf(FilterType::LowCut)[i]);
    settings.setFilterCornerC(i + 2, f.cornersOf(FilterType::HighCut)[i]);
  }
}

std::string validateFilters(const FilterSettings& f) {
  std::string message;
  auto test = [&message](bool fails, const char* text) {
    if (fails) message = text;
  };
  if (f.enabledOf(FilterType::LowCut)) {
    const auto& c = f.cornersOf(FilterType::LowCut);
    test(c[1] < c[0], "Low Cut - F1 Must be less than F2");
  }
  if (f.enabledOf(FilterType::HighCut)) {
    const auto& c = f.cornersOf(FilterType::HighCut);
    test(c[1] < c[0], "High Cut - F1 Must be less than F2");
  }
  for (FilterType band : {FilterType::BandPass, FilterType::BandReject}) {
    if (!f.enabledOf(band)) continue;
    const auto& c = f.cornersOf(band);
    const bool pass = band == FilterType::BandPass;
    test(
        c[1] < c[0] || c[2] < c[0] || c[3] < c[0],
        pass ? "Band Pass - F1 must be lowest value!!" : "Band Reject - F1 must be lowest value!!");
    test(c[2] < c[1] || c[3] < c[1], pass ? "Band Pass - F2 must be less than F3 and F4"
                                          : "Band Reject - F2 must be less than F3 and F4");
    test(c[3] < c[2],
         pass ? "Band Pass - F3 must be less than F4" : "Band Reject - F3 must be less than F4");
  }
  return message;
}

std::vector<FilterRequest> enabledFilters(const FilterSettings& filters) {
  std::vector<FilterRequest> out;
  for (std::size_t i = 0; i < 4; ++i)
    if (filters.enabled[i]) out.push_back(filters.filters[i]);
  return out;
}

std::string phaseText(FilterType type) {
  switch (type) {
    case FilterType::LowCut:
      return "";
    case FilterType::HighCut:
      return "High Cut Filtering";
    case FilterType::BandPass:
      return "Bandpass Cut Filtering";
    case FilterType::BandReject:
      return "Band Reject Filtering";
  }
  return "";
}

std::string progressText(FilterType type, int percent) {
  static constexpr const char* kTexts[] = {"Low Cut Filtering ", "High Cut Filtering ",
                                           "Bandpass Filtering ", "Band Reject Filtering "};
  return kTexts[static_cast<std::size_t>(type)] + std::to_string(percent) + "%";
}

}  // namespace vorax::filter
