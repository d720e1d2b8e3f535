// The seven-block trace loader: reads every trace of a Sercel 408/428 record (20-byte trace
// header, seven 32-byte extension blocks, big-endian IEEE samples kept as recorded), and
// rebuilds the record's TraceSamples, TraceHeaderInfo (receiver test values, limits, error
// flags and colour), line runs and tilt error count.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "decode/messages.h"
#include "decode/record_file.h"
#include "decode/segd_record.h"
#include "decode/sercel_trace_info.h"
#include "decode/trace_header.h"

namespace vorax::decode {

// Working storage reused for every trace of one load.
struct SercelTraceContext {
  SercelTraceContext(RecordFile& f, SegdRecord& r, std::int32_t samplesKept,
                     std::size_t extensionBlocks)
      : file(f), record(r), heldSamples(samplesKept),
        extensionBytes(32 * extensionBlocks),
        sampleBytes(4 * static_cast<std::size_t>(samplesKept) + 1) {}

  RecordFile& file;
  SegdRecord& record;
  std::int32_t heldSamples;  // samples kept per trace (the declared count, or fewer)
  std::array<std::uint8_t, 20> headerBytes{};
  std::vector<std::uint8_t> extensionBytes;  // 32 x extension blocks per trace (7 or more)
  std::vector<std::uint8_t> sampleBytes;     // 4 x heldSamples + 1
  DemuxTraceHeaderFields traceHeader;
  SercelExtensionRecords blocks;
};

// Reads trace t (1-based) at `position` (1-based, advanced past the trace: 20 + 32 x extension
// blocks + 4 x samplesPerTrace bytes) into the record's samples and trace attributes. The
// samples keep their recorded values; the amplitude scale is the larger of the block 7
// conversion factor and the largest absolute finite sample.
void readtrace408(std::int32_t t, std::int32_t samplesPerTrace, std::uint64_t& position,
                  SercelTraceContext& context);

// Loads the traces declared by the record summary from `firstTracePosition` (the header
// driver's result). Each trace has `extensionBlocks` extension blocks (at least 7; the first
// seven are decoded, any further ones skipped). Loads only what the file holds: a file
// shorter than declared gives one warning through `messages` and a usable record of the
// traces it holds. `progress` hears 100 x t / N (rounded) at every 100th trace and 100 at the
// end; when it returns false the loading stops there. Returns the number of traces read.
std::int32_t readtraces408(std::int64_t firstTracePosition, RecordFile& file, SegdRecord& record,
                           MessageSink& messages, const ProgressCallback& progress = {},
                           std::size_t extensionBlocks = kSercelExtensionBlocks);

}  // namespace vorax::decode
