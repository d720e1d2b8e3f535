// The JSON form of a spread map, for `vorax spread --json` and the Python module.
#pragma once

#include "cli/json_text.h"
#include "spread/spread_map.h"

namespace vorax::cli {

// {"map": caption, "thresholds": {...}, "traces": [{"trace", "line", "point", "value",
// "colour": [r, g, b]}, ...], "legend": [{"colour", "text"}, ...]}; a threshold the map does
// not use is null.
Json mapJson(const spread::SpreadMap& map);

}  // namespace vorax::cli
