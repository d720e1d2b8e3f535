// The command line's JSON: values are nlohmann::ordered_json trees (keys keep their insertion
// order); jsonText() writes them.
#pragma once

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <type_traits>

#include "app/canvas.h"
#include "base/fixed_text.h"

namespace vorax::cli {

using Json = nlohmann::ordered_json;

// A single-precision value as the number its shortest text names (0.1f is 0.1, not
// 0.100000001490116); NaN and infinities are null.
Json singleJson(float value);

// The text jsonText writes for singleJson(value), made without the tree: for the millions of
// samples of a record.
std::string singleJsonText(float value);

// A colour as [red, green, blue], each 0..255.
inline Json colourJson(app::Colorref colour) {
  return Json::array({app::redOf(colour), app::greenOf(colour), app::blueOf(colour)});
}

// One header field: texts right-trimmed, numbers as numbers, NaN as null.
template <typename T>
Json fieldJson(const T& value) {
  if constexpr (std::is_same_v<T, float>) {
    return singleJson(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
  } else if constexpr (requires { value.rtrimmed(); }) {
    return Json(std::string(value.rtrimmed()));
  } else {
    return Json(value);
  }
}

// A decoded header record as a JSON object: every field the record's visit() lists.
template <typename Record>
Json recordJson(const Record& record) {
  Json out = Json::object();
  record.visit(
      [&](std::string_view name, const auto& field) { out[std::string(name)] = fieldJson(field); });
  return out;
}

// The text of `value`, indented by `indent` spaces a level (0: all on one line). Numbers are
// written as the viewer shows them (0.00006742, not 6.742e-05; 2, not 2.0). Strings hold
// header bytes: each byte above 0x7E is written as its Latin-1 code point (\u00e9).
std::string jsonText(const Json& value, int indent = 2);

}  // namespace vorax::cli
