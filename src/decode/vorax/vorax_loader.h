// The one-block trace loader: reads every trace of a VORAX-flavour record (20-byte trace
// header, one 32-byte extension block, big-endian IEEE samples), normalises each trace to a
// peak of 1, and rebuilds the record's TraceSamples, TraceHeaderInfo and line runs.
#pragma once

#include <cstdint>

#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd/segd_layout.h"
#include "decode/segd_record.h"
#include "decode/trace_capacity.h"
#include "decode/trace_workers.h"
#include "decode/vorax/vorax_layout.h"

namespace vorax::decode {

inline constexpr std::uint64_t kTraceHeaderBytes = segd_layout::kTraceHeaderBytes;
inline constexpr std::uint64_t kExtensionBlockBytes = vorax_layout::kExtensionBlockBytes;

// Loads the traces declared by the record summary starting at `firstTracePosition` (the header
// driver's result). Loads only what the file holds: a file shorter than declared gives one
// warning through `messages` and a usable record of the traces it holds (the summary keeps the
// declared counts; record.samples.traceCount() says what is held). `progress` hears every 100
// traces and 100 at the end; when it returns false the loading stops there. Returns the number
// of traces read. The traces are decoded on the program's workers; `early` hears the first ones as
// soon as they are in.
std::int32_t readtracesvorax(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                             MessageSink& messages, const ProgressCallback& progress = {},
                             const EarlyTraces& early = {});

}  // namespace vorax::decode
