#include "cli/json.h"

#include <cmath>
#include <cstdio>

#include "decode/conversions.h"

namespace vorax::cli {

namespace {

void writeString(std::string& out, std::string_view s) {
  out.push_back('"');
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          // Header texts are single-byte; show bytes outside ASCII as their Latin-1 code point.
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  out.push_back('"');
}

void newline(std::string& out, int indent, int depth) {
  if (indent <= 0) return;
  out.push_back('\n');
  out.append(static_cast<std::size_t>(indent * depth), ' ');
}

}  // namespace

Json& Json::push(Json value) {
  if (!std::holds_alternative<Array>(value_)) value_ = Array{};
  auto& a = std::get<Array>(value_);
  a.push_back(std::move(value));
  return a.back();
}

Json& Json::set(std::string_view key, Json value) {
  if (!std::holds_alternative<Object>(value_)) value_ = Object{};
  auto& o = std::get<Object>(value_);
  for (auto& [k, v] : o) {
    if (k == key) {
      v = std::move(value);
      return v;
    }
  }
  o.emplace_back(std::string(key), std::move(value));
  return o.back().second;
}

std::string Json::dump(int indent) const {
  std::string out;
  write(out, indent, 0);
  return out;
}

void Json::write(std::string& out, int indent, int depth) const {
  if (std::holds_alternative<std::nullptr_t>(value_)) {
    out += "null";
  } else if (const bool* b = std::get_if<bool>(&value_)) {
    out += *b ? "true" : "false";
  } else if (const std::int64_t* i = std::get_if<std::int64_t>(&value_)) {
    out += std::to_string(*i);
  } else if (const double* d = std::get_if<double>(&value_)) {
    out += std::isfinite(*d) ? decode::shortestText(*d) : "null";
  } else if (const Single* f = std::get_if<Single>(&value_)) {
    out += std::isfinite(f->value) ? decode::shortestText(f->value) : "null";
  } else if (const std::string* s = std::get_if<std::string>(&value_)) {
    writeString(out, *s);
  } else if (const Array* a = std::get_if<Array>(&value_)) {
    if (a->empty()) {
      out += "[]";
      return;
    }
    out.push_back('[');
    for (std::size_t k = 0; k < a->size(); ++k) {
      if (k > 0) out.push_back(',');
      newline(out, indent, depth + 1);
      (*a)[k].write(out, indent, depth + 1);
    }
    newline(out, indent, depth);
    out.push_back(']');
  } else if (const Object* o = std::get_if<Object>(&value_)) {
    if (o->empty()) {
      out += "{}";
      return;
    }
    out.push_back('{');
    for (std::size_t k = 0; k < o->size(); ++k) {
      if (k > 0) out.push_back(',');
      newline(out, indent, depth + 1);
      writeString(out, (*o)[k].first);
      out += indent > 0 ? ": " : ":";
      (*o)[k].second.write(out, indent, depth + 1);
    }
    newline(out, indent, depth);
    out.push_back('}');
  }
}

}  // namespace vorax::cli
