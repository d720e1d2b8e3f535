// The seven-block trace loader: reads every trace of a Sercel 408/428 record (20-byte trace
// header, seven 32-byte extension blocks, big-endian IEEE samples kept as recorded), and
// rebuilds the record's TraceSamples, TraceHeaderInfo (receiver test values, limits, error
// flags and colour), line runs and tilt error count.
#pragma once

#include <cstdint>
#include <span>

#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd/general_headers.h"
#include "decode/segd_record.h"
#include "decode/sercel/sercel_trace_info.h"
#include "decode/trace_workers.h"

namespace vorax::decode {

// Loads the traces declared by the record summary from `firstTracePosition` (the header
// driver's result). Each trace has `extensionBlocks` extension blocks (at least 7; the first
// seven are decoded, any further ones skipped). Loads only what the file holds: a file
// shorter than declared gives one warning through `messages` and a usable record of the
// traces it holds. `progress` hears 100 x t / N (rounded) at every 100th trace and 100 at the
// end; when it returns false the loading stops there. Returns the number of traces read. The
// samples keep their recorded values; a trace's amplitude scale is the larger of the block 7
// conversion factor and its largest absolute finite sample. The traces are decoded on the
// program's workers; `early` hears the first ones as soon as they are in (before the tilt errors
// are counted). `channelSets` are the record's descriptors: a trace whose own type is undefined
// takes its kind from its channel set.
std::int32_t readtraces408(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                           MessageSink& messages, const ProgressCallback& progress = {},
                           std::size_t extensionBlocks = kSercelExtensionBlocks,
                           const EarlyTraces& early = {},
                           std::span<const ChannelSetFields> channelSets = {});

}  // namespace vorax::decode
