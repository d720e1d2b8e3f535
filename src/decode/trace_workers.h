// Decoding a record's traces on the program's workers (base::workerCount()). The traces lie at a
// fixed stride after the first trace header, or at places a walk of the headers found, so each
// worker can read its own traces with positioned reads: whole blocks of traces come in with one
// large read into the worker's staging buffer and are decoded from there while they are in cache.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "base/byte_reader.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd_record.h"

namespace vorax::decode {

// Heard once, on the loading thread, as soon as traces 1..count are decoded while later traces
// still load (not heard when the record holds no more than `count` traces, nor when the
// loading stops before). Only the record's headers and those traces may be read then, and
// only until `ready` returns.
struct EarlyTraces {
  std::int32_t count = 0;
  std::function<void(const SegdRecord& record, std::int32_t loaded)> ready;
};

// Where one trace of a record whose traces differ in length lies: the 1-based position of its
// first byte and the number of its sample bytes.
struct TracePlace {
  std::uint64_t position = 1;
  std::uint64_t sampleBytes = 0;
};

// Where the held traces lie: trace t (1-based) starts at firstPosition + (t - 1) x stride, or,
// when `places` is not empty, at places[t - 1] (one place per trace, in file order).
struct TraceLayout {
  std::uint64_t firstPosition = 1;     // 1-based position of trace 1's header
  std::uint64_t headerBytes = 0;       // trace header and extension blocks
  std::uint64_t stride = 0;            // header bytes + 4 x declared samples per trace
  std::int32_t traces = 0;             // traces held
  std::int32_t heldSamples = 0;        // samples kept per trace (the declared count, or fewer)
  std::span<const TracePlace> places;  // headerBytes then place.sampleBytes at each position
};

// Decodes trace t from its header bytes (layout.headerBytes) and sample bytes
// (4 x layout.heldSamples, or its place's sampleBytes; bytes past the end of the file are
// zeros). Called from several threads at once for different traces: it may write only
// trace t's parts of the record.
using TraceDecoder = std::function<void(std::int32_t t, Bytes header, Bytes samples)>;

// Decodes traces 1..layout.traces. `progress` hears 100 x t / N (rounded) at every 100th trace
// and 100 at the end, in order and on the calling thread; when it returns false the loading
// stops there and the traces after it are left as `record` had them before (zeroed, default
// attributes, divisor 1). Leaves the file's position after the last trace read. Returns the
// number of traces read. `early` hears the first traces as soon as they are in.
std::int32_t decodeTracesOnWorkers(RecordFile& file, const TraceLayout& layout,
                                   const TraceDecoder& decode, const ProgressCallback& progress,
                                   SegdRecord& record, const EarlyTraces& early = {});

// What the two loaders share: sizes the record for the traces the file holds (one warning
// through `messages` when it is short), decodes them on the workers from
// `firstTracePosition` (1-based) with `headerBytes` before each trace's samples, and builds the
// line runs. Returns the number of traces read.
std::int32_t loadTracesOnWorkers(std::int64_t firstTracePosition, std::uint64_t headerBytes,
                                 RecordFile& file, SegdRecord& record, MessageSink& messages,
                                 const TraceDecoder& decode, const ProgressCallback& progress,
                                 const EarlyTraces& early = {});

}  // namespace vorax::decode
