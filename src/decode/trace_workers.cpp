#include "decode/trace_workers.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include "base/worker_count.h"
#include "decode/trace_capacity.h"

namespace vorax::decode {

namespace {

// A block is the unit handed to a worker and the step of the progress reports.
constexpr std::int32_t kTracesPerBlock = 100;
// One read brings in this much (or one whole trace when a trace is larger): small enough for
// the staging buffer to stay in the processor's cache while its traces are decoded.
constexpr std::uint64_t kStagingBytes = std::uint64_t{256} << 10;

class BlockDecoder {
 public:
  BlockDecoder(const RecordFile& file, const TraceLayout& layout, const TraceDecoder& decode)
      : file_(file),
        layout_(layout),
        decode_(decode),
        fixedSampleBytes_(4 * static_cast<std::uint64_t>(std::max(0, layout.heldSamples))) {}

  void decodeBlock(std::int32_t block) {
    const std::int32_t first = block * kTracesPerBlock + 1;
    const std::int32_t last = std::min(layout_.traces, first + kTracesPerBlock - 1);
    for (std::int32_t t = first; t <= last;) {
      const std::int32_t lastOfRead = lastTraceOfRead(t, last);
      decodeTraces(t, lastOfRead);
      t = lastOfRead + 1;
    }
  }

 private:
  // The last trace from `first` (up to `last`) that one read of at most the staging size
  // brings in with it: `first` alone when it is larger.
  std::int32_t lastTraceOfRead(std::int32_t first, std::int32_t last) const {
    const std::uint64_t start = positionOf(first);
    std::int32_t t = first;
    while (t < last && positionOf(t + 1) >= start && endOf(t + 1) - start <= kStagingBytes) ++t;
    return t;
  }

  // Reads traces first..last with one read and decodes them from the staging buffer.
  void decodeTraces(std::int32_t first, std::int32_t last) {
    const std::uint64_t start = positionOf(first);
    std::uint64_t end = start;
    for (std::int32_t t = first; t <= last; ++t) end = std::max(end, endOf(t));
    const std::uint64_t bytes = end - start;
    if (staging_.size() < bytes) staging_.resize(static_cast<std::size_t>(bytes));
    const Bytes staged = Bytes(staging_).first(static_cast<std::size_t>(bytes));
    file_.readAt(start, std::span(staging_).first(staged.size()));
    for (std::int32_t t = first; t <= last; ++t) {
      const Bytes trace = staged.subspan(static_cast<std::size_t>(positionOf(t) - start),
                                         static_cast<std::size_t>(endOf(t) - positionOf(t)));
      decode_(t, trace.first(static_cast<std::size_t>(layout_.headerBytes)),
              trace.subspan(static_cast<std::size_t>(layout_.headerBytes)));
    }
  }

  std::uint64_t positionOf(std::int32_t t) const {
    if (!layout_.places.empty()) return layout_.places[static_cast<std::size_t>(t - 1)].position;
    return layout_.firstPosition + static_cast<std::uint64_t>(t - 1) * layout_.stride;
  }

  // One past the last byte of trace t.
  std::uint64_t endOf(std::int32_t t) const {
    const std::uint64_t sampleBytes =
        layout_.places.empty() ? fixedSampleBytes_
                               : layout_.places[static_cast<std::size_t>(t - 1)].sampleBytes;
    return positionOf(t) + layout_.headerBytes + sampleBytes;
  }

  const RecordFile& file_;
  const TraceLayout& layout_;
  const TraceDecoder& decode_;
  std::uint64_t fixedSampleBytes_;
  std::vector<std::uint8_t> staging_;
};

// The blocks shared by the workers: each takes the next block not yet taken.
struct SharedBlocks {
  explicit SharedBlocks(std::int32_t count) : count(count), done(static_cast<std::size_t>(count)) {}

  const std::int32_t count;
  std::atomic<std::int32_t> next{0};
  std::atomic<bool> stop{false};
  std::vector<std::atomic<bool>> done;

  // Decodes the next block; false when none is left or `stop` is set.
  bool takeAndDecode(BlockDecoder& decoder) {
    if (stop.load(std::memory_order_relaxed)) return false;
    const std::int32_t block = next.fetch_add(1, std::memory_order_relaxed);
    if (block >= count) return false;
    decoder.decodeBlock(block);
    done[static_cast<std::size_t>(block)].store(true, std::memory_order_release);
    return true;
  }
};

// Clears traces from..to of `record` back to what an unloaded trace holds.
void forgetTraces(SegdRecord& record, std::int32_t from, std::int32_t to) {
  for (std::int32_t t = from; t <= to; ++t) {
    const std::span<float> values = record.samples.trace(t);
    std::fill(values.begin(), values.end(), 0.0f);
    record.traceInfo[static_cast<std::size_t>(t)] = TraceHeaderInfo{};
    record.traceDivisor[static_cast<std::size_t>(t)] = 1.0f;
  }
}

// Where the traces after the first `read` begin.
std::uint64_t positionAfter(const TraceLayout& layout, std::int32_t read) {
  if (layout.places.empty())
    return layout.firstPosition + static_cast<std::uint64_t>(read) * layout.stride;
  if (read == 0) return layout.places[0].position;
  const TracePlace& last = layout.places[static_cast<std::size_t>(read - 1)];
  return last.position + layout.headerBytes + last.sampleBytes;
}

}  // namespace

std::int32_t decodeTracesOnWorkers(RecordFile& file, const TraceLayout& layout,
                                   const TraceDecoder& decode, const ProgressCallback& progress,
                                   SegdRecord& record, const EarlyTraces& early) {
  if (layout.traces <= 0) {
    if (progress) progress(100);
    return 0;
  }
  SharedBlocks blocks((layout.traces + kTracesPerBlock - 1) / kTracesPerBlock);

  // One helper fewer than the workers (the calling thread is one), none beyond the blocks.
  const auto helperCount = static_cast<std::size_t>(
      std::clamp<std::int64_t>(std::int64_t{base::workerCount()} - 1, 0, blocks.count - 1));
  std::vector<std::exception_ptr> helperFailures(helperCount);
  std::vector<std::jthread> helpers;
  for (std::size_t h = 0; h < helperCount; ++h) {
    helpers.emplace_back([&, h] {
      try {
        BlockDecoder decoder(file, layout, decode);
        while (blocks.takeAndDecode(decoder)) {
        }
      } catch (...) {
        helperFailures[h] = std::current_exception();
        blocks.stop = true;
      }
    });
  }

  // The calling thread decodes blocks too and reports the finished run of blocks from the
  // first after each of its own; the rest are reported once the helpers have finished.
  std::int32_t read = 0;
  std::int32_t reported = 0;  // blocks whose progress has been heard
  bool earlyHeard = !early.ready || early.count >= layout.traces;
  auto report = [&](bool waitForAll) {
    while (reported < blocks.count && !blocks.stop.load(std::memory_order_relaxed) &&
           (waitForAll ||
            blocks.done[static_cast<std::size_t>(reported)].load(std::memory_order_acquire))) {
      read = std::min(layout.traces, (reported + 1) * kTracesPerBlock);
      ++reported;
      if (progress && read % kTracesPerBlock == 0 &&
          !progress(static_cast<int>(std::lround(100.0 * read / layout.traces))))
        blocks.stop = true;
      if (!earlyHeard && read >= early.count && read < layout.traces && !blocks.stop.load()) {
        earlyHeard = true;
        early.ready(record, read);
      }
    }
  };
  try {
    BlockDecoder decoder(file, layout, decode);
    while (blocks.takeAndDecode(decoder)) report(false);
  } catch (...) {
    blocks.stop = true;
    throw;  // the helpers are joined when `helpers` goes
  }
  helpers.clear();  // joins
  for (const std::exception_ptr& failure : helperFailures)
    if (failure) std::rethrow_exception(failure);
  report(true);

  if (read < layout.traces) forgetTraces(record, read + 1, layout.traces);
  file.setPosition(positionAfter(layout, read));
  if (progress && read == layout.traces) progress(100);
  return read;
}

std::int32_t loadTracesOnWorkers(std::int64_t firstTracePosition, std::uint64_t headerBytes,
                                 RecordFile& file, SegdRecord& record, MessageSink& messages,
                                 const TraceDecoder& decode, const ProgressCallback& progress,
                                 const EarlyTraces& early) {
  const std::int32_t declaredTraces = record.summary.traceCount;
  const std::int32_t declaredSamples = record.summary.samplesPerTrace;
  const auto position = static_cast<std::uint64_t>(std::max<std::int64_t>(1, firstTracePosition));
  file.setPosition(position);
  const TraceCapacity held =
      traceCapacity(declaredTraces, declaredSamples, headerBytes, file.remaining());

  record.samples.reset(held.traces, held.samplesPerTrace);
  record.traceInfo.assign(static_cast<std::size_t>(held.traces) + 1, TraceHeaderInfo{});
  record.traceDivisor.assign(static_cast<std::size_t>(held.traces) + 1, 1.0f);
  record.tiltErrorCount = 0;
  if (held.fileShort) messages.show(held.warning(declaredTraces, declaredSamples), false);

  const TraceLayout layout{
      position,
      headerBytes,
      headerBytes + 4 * static_cast<std::uint64_t>(std::max(0, declaredSamples)),
      held.traces,
      held.samplesPerTrace,
      {}};
  const std::int32_t read = decodeTracesOnWorkers(file, layout, decode, progress, record, early);
  record.lineRuns = buildLineRuns(record.traceInfo, read);
  return read;
}

}  // namespace vorax::decode
