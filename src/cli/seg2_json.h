// The JSON form of the headers of a SEG-2 file, for `vorax info --json`.
#pragma once

#include "cli/json_text.h"
#include "decode/seg2/seg2_reader.h"

namespace vorax::cli {

// Adds "seg2" to `out`: the file header, the file descriptor (its keyword fields and its
// strings as read), and per trace its byte offset, the samples loaded, its descriptor header,
// keyword fields and strings.
void addSeg2HeadersJson(const decode::Seg2Headers& headers, Json& out);

}  // namespace vorax::cli
