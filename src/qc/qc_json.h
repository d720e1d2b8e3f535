// The QC files' JSON: one object per record in "records.jsonl" (exactly the keys scripts
// read), one per record in "shots.jsonl" (what the report needs beyond them: the shot's time
// and where its flagged receivers lie), and "summary.json". Objects keep their keys in the
// order written. Reading them back is what merging shards needs.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>

#include "qc/record_qc.h"
#include "qc/survey_summary.h"

namespace vorax::qc {

using Json = nlohmann::ordered_json;

// file, file_number, trace_count, dead_traces, reversed_traces, noisy_traces, spike_traces,
// test_value_errors, rms_median, passed; and, for a record that could not be read, error.
Json recordJson(const RecordQc& record);

// file, date, time, source_line, source_point, flagged_receivers ([trace, line, point] each).
Json shotJson(const RecordQc& record);

// records, records_flagged, traces, dead_traces, reversed_traces, noisy_traces, spike_traces.
Json summaryJson(const SurveySummary& summary);

// A record from its records.jsonl object and (when there is one) its shots.jsonl object;
// nothing, with `error` saying why, when a key is missing or of the wrong kind.
std::optional<RecordQc> recordFromJson(const Json& record, const Json* shot, std::string& error);

// The text of a JSON Lines file: each object on one line.
std::string jsonLines(std::span<const Json> objects);

}  // namespace vorax::qc
