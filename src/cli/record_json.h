// JSON forms of an opened record for the command line: the header summary, the decoded
// header records, the per-trace attributes and the line runs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/json_text.h"
#include "decode/record_opener.h"
#include "decode/segd/header_driver.h"
#include "decode/segd_record.h"

namespace vorax::cli {

// The header summary and the derived sample interval and record length (ms).
Json summaryJson(const decode::SegdRecord& record);

// Adds "gh1", "gh2", "gh3" (null when block 3 was not decoded), "channel_sets", "extended"
// and "external" to `out`, as far as the header driver got. A Sercel record shows its standard
// block 3 and Sercel extended header there.
void addHeadersJson(const decode::DecodedHeaders& headers, Json& out);

// Trace t's attributes, with "trace" first; with `withSamples` also its values 0..ns.
Json traceJson(const decode::SegdRecord& record, std::int32_t t, bool withSamples);

// [[line, first trace, last trace], ...] from element 1 on.
Json lineRunsJson(std::span<const decode::LineRun> runs);

Json textListJson(const std::vector<std::string>& texts);

// Adds every header record the opener decoded, as its flavour has them: "seg2" for a SEG-2
// file, "gh1", "gh2" and "standard" for a standard SEG-D record, else what addHeadersJson adds.
void addDecodedHeadersJson(const decode::OpenResult& result, Json& out);

// The form of `vorax info --json`: "first_trace_position", "messages", then for an opened
// record "record" (summaryJson) and its decoded headers; for a SEG-D record that did not open,
// the headers the driver got to.
Json infoJson(const decode::SegdRecord& record, const decode::OpenResult& result,
              const std::vector<std::string>& messages);

// Prints {"traces": [...], "line_runs": ..., "tilt_error_count": ..., "messages": [...]} to
// standard output, each trace with its samples when `withSamples` (the form of
// `vorax traces --json`); `messages` are the warnings the command printed.
void printTracesJson(const decode::SegdRecord& record, bool withSamples,
                     const std::vector<std::string>& messages);

}  // namespace vorax::cli
