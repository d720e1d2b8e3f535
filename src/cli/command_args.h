// Argument parsing shared by the subcommands: switches ("--json"), options with a value
// ("--seed 7" or "--seed=7") and positional arguments, in any order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace vorax::cli {

struct ParsedArgs {
  std::vector<std::string> positional;
  std::vector<std::string> switches;           // as given, e.g. "--json"
  std::map<std::string, std::string> values;   // option name (with dashes) -> value
  std::string error;                           // empty when the arguments were understood

  bool has(std::string_view name) const;
  // The option's value, or nullopt when it was not given.
  std::optional<std::string> value(std::string_view name) const;
};

// Anything starting with "-" that is neither a known switch nor a known option is an error.
ParsedArgs parseArgs(Args args, const std::vector<std::string_view>& knownSwitches,
                     const std::vector<std::string_view>& knownOptions);

// Whole-text numbers; nullopt when the text is not one.
std::optional<std::int64_t> parseInteger(std::string_view text);
std::optional<double> parseNumber(std::string_view text);

// Reads integer option `name` into `target` when it was given; false, with `error` set, when
// its value is not a whole 32-bit number.
bool readIntegerOption(const ParsedArgs& parsed, const char* name, int& target, std::string& error);

}  // namespace vorax::cli
