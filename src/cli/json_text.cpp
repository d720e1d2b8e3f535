#include "cli/json_text.h"

#include <cstdlib>

#include "decode/conversions.h"

namespace vorax::cli {

namespace {

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const unsigned char c : bytes) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string jsonString(std::string_view bytes) {
  return Json(latin1ToUtf8(bytes)).dump(-1, ' ', /*ensure_ascii=*/true);
}

void newline(std::string& out, int indent, int depth) {
  if (indent <= 0) return;
  out.push_back('\n');
  out.append(static_cast<std::size_t>(indent * depth), ' ');
}

void write(std::string& out, const Json& value, int indent, int depth) {
  switch (value.type()) {
    case Json::value_t::object:
    case Json::value_t::array: {
      const bool object = value.is_object();
      if (value.empty()) {
        out += object ? "{}" : "[]";
        return;
      }
      out.push_back(object ? '{' : '[');
      bool first = true;
      for (auto item = value.begin(); item != value.end(); ++item) {
        if (!first) out.push_back(',');
        first = false;
        newline(out, indent, depth + 1);
        if (object) {
          out += jsonString(item.key());
          out += indent > 0 ? ": " : ":";
        }
        write(out, item.value(), indent, depth + 1);
      }
      newline(out, indent, depth);
      out.push_back(object ? '}' : ']');
      return;
    }
    case Json::value_t::number_float: {
      const double number = value.get<double>();
      out += std::isfinite(number) ? decode::shortestText(number) : "null";
      return;
    }
    case Json::value_t::string:
      out += jsonString(value.get_ref<const std::string&>());
      return;
    default:
      out += value.dump();
  }
}

}  // namespace

Json singleJson(float value) {
  if (!std::isfinite(value)) return Json(nullptr);
  return Json(std::strtod(decode::shortestText(value).c_str(), nullptr));
}

std::string singleJsonText(float value) {
  return std::isfinite(value) ? decode::shortestDecimalText(value) : "null";
}

std::string jsonText(const Json& value, int indent) {
  std::string out;
  write(out, value, indent, 0);
  return out;
}

}  // namespace vorax::cli
