#include "cli/spread_json.h"

namespace vorax::cli {

namespace {

Json optionalNumber(const std::optional<float>& value) {
  return value ? singleJson(*value) : Json(nullptr);
}

}  // namespace

Json mapJson(const spread::SpreadMap& map) {
  Json out = Json::object();
  out["map"] = std::string(spread::captionOf(map.kind));
  const spread::Thresholds& t = map.thresholds;
  out["thresholds"] = {
      {"upper_limit", optionalNumber(t.upperLimit)}, {"upper_2", optionalNumber(t.upper2)},
      {"upper_3", optionalNumber(t.upper3)},         {"lower_limit", optionalNumber(t.lowerLimit)},
      {"lower_2", optionalNumber(t.lower2)},         {"lower_3", optionalNumber(t.lower3)}};
  Json traces = Json::array();
  for (const spread::MapEntry& e : map.entries) {
    traces.push_back({{"trace", e.trace},
                      {"line", singleJson(e.line)},
                      {"point", singleJson(e.point)},
                      {"value", singleJson(e.value)},
                      {"colour", colourJson(e.colour)}});
  }
  out["traces"] = std::move(traces);
  Json legend = Json::array();
  for (const spread::LegendRow& row : map.legend)
    legend.push_back({{"colour", colourJson(row.colour)}, {"text", row.text}});
  out["legend"] = std::move(legend);
  return out;
}

}  // namespace vorax::cli
