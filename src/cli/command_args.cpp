#include "cli/command_args.h"

#include <cstdint>

#include <algorithm>
#include <charconv>

namespace vorax::cli {

namespace {

bool contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool ParsedArgs::has(std::string_view name) const {
  return std::find(switches.begin(), switches.end(), name) != switches.end();
}

std::optional<std::string> ParsedArgs::value(std::string_view name) const {
  const auto found = values.find(std::string(name));
  if (found == values.end()) return std::nullopt;
  return found->second;
}

ParsedArgs parseArgs(Args args, const std::vector<std::string_view>& knownSwitches,
                     const std::vector<std::string_view>& knownOptions) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (equals == std::string::npos && contains(knownSwitches, name)) {
      parsed.switches.push_back(name);
    } else if (contains(knownOptions, name)) {
      if (equals != std::string::npos) {
        parsed.values[name] = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        parsed.values[name] = args[++i];
      } else {
        parsed.error = name + " needs a value";
        return parsed;
      }
    } else {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
  }
  return parsed;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<double> parseNumber(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

bool readIntegerOption(const ParsedArgs& parsed, const char* name, int& target, std::string& error) {
  const std::optional<std::string> text = parsed.value(name);
  if (!text) return true;
  const std::optional<std::int64_t> value = parseInteger(*text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX) {
    error = std::string(name) + " needs a whole number, not '" + *text + "'";
    return false;
  }
  target = static_cast<int>(*value);
  return true;
}

}  // namespace vorax::cli
