// The JSON form of a standard SEG-D record's layout, for `vorax info --json`.
#pragma once

#include "cli/json_text.h"
#include "decode/record_opener.h"

namespace vorax::cli {

// Adds "gh1" and "gh2" as their decoders read them, and "standard": the revision, format,
// manufacturer, header lengths, first trace position and every channel set that holds
// channels.
void addStandardHeadersJson(const decode::OpenResult& result, Json& out);

}  // namespace vorax::cli
