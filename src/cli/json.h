// A small JSON value for the command line's output: built as a tree, written with two-space
// indentation. Object keys keep their insertion order.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "decode/fixed_text.h"

namespace vorax::cli {

class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;

  Json() : value_(nullptr) {}
  Json(std::nullptr_t) : value_(nullptr) {}
  Json(bool b) : value_(b) {}
  Json(int i) : value_(static_cast<std::int64_t>(i)) {}
  Json(std::int64_t i) : value_(i) {}
  Json(std::uint32_t i) : value_(static_cast<std::int64_t>(i)) {}
  Json(double d) : value_(d) {}
  Json(float f) : value_(Single{f}) {}
  Json(const char* s) : value_(std::string(s)) {}
  Json(std::string s) : value_(std::move(s)) {}
  Json(std::string_view s) : value_(std::string(s)) {}
  template <std::size_t N>
  Json(const decode::FixedText<N>& text) : value_(std::string(text.rtrimmed())) {}
  Json(Array a) : value_(std::move(a)) {}
  Json(Object o) : value_(std::move(o)) {}

  static Json array() { return Json(Array{}); }
  static Json object() { return Json(Object{}); }

  // Appends to an array; adds or replaces a key of an object.
  Json& push(Json value);
  Json& set(std::string_view key, Json value);

  std::string dump(int indent = 2) const;

 private:
  struct Single {
    float value;
  };
  void write(std::string& out, int indent, int depth) const;

  std::variant<std::nullptr_t, bool, std::int64_t, double, Single, std::string, Array, Object>
      value_;
};

// A decoded header record as a JSON object: every field the record's visit() lists, texts
// right-trimmed, numbers as numbers.
template <typename Record>
Json recordJson(const Record& record) {
  Json out = Json::object();
  record.visit([&](std::string_view name, const auto& field) { out.set(name, Json(field)); });
  return out;
}

}  // namespace vorax::cli
