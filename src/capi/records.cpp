// Whole records for C callers: a record opened once, then read trace by trace.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "base/debug_log.h"
#include "base/messages.h"
#include "capi/c_bridge.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"
#include "vorax_segd.h"

// The C handle is the program's own record.
struct VoraxRecord {
  vorax::decode::SegdRecord record;
};

namespace {

namespace d = vorax::decode;

// Why a record did not open: the file error, else the decoder's last message.
std::string failureText(const d::OpenResult& result, const d::CollectingMessages& messages,
                        const char* path) {
  if (!result.error.empty()) return result.error;
  if (!messages.messages.empty()) return messages.messages.back();
  return std::string("Cannot read the headers of ") + path;
}

}  // namespace

extern "C" {

const char* vorax_version(void) {
  return VORAX_VERSION;
}

VoraxRecord* vorax_open(const char* path, char* message, size_t message_size) {
  vorax::capi::copyText("", message, message_size);
  if (path == nullptr) {
    vorax::capi::copyText("No file named", message, message_size);
    return nullptr;
  }
  try {
    auto handle = std::make_unique<VoraxRecord>();
    d::CollectingMessages messages;
    const d::OpenResult result =
        d::openRecord(path, handle->record, messages, vorax::base::DebugLog{});
    if (!result.ok()) {
      vorax::capi::copyText(failureText(result, messages, path), message, message_size);
      return nullptr;
    }
    if (!messages.messages.empty())
      vorax::capi::copyText(messages.messages.front(), message, message_size);
    return handle.release();
  } catch (const std::bad_alloc&) {
    vorax::capi::copyText("Not enough memory to open the record", message, message_size);
  } catch (const std::exception& error) {
    vorax::capi::copyText(error.what(), message, message_size);
  }
  return nullptr;
}

int vorax_trace_count(const VoraxRecord* record) {
  return record == nullptr ? 0 : record->record.loadedTraceCount();
}

int vorax_sample_count(const VoraxRecord* record) {
  return record == nullptr ? 0 : record->record.samples.samplesPerTrace();
}

double vorax_sample_interval_us(const VoraxRecord* record) {
  return record == nullptr ? 0 : record->record.summary.sampleIntervalUs;
}

int vorax_read_trace(const VoraxRecord* record, int trace, float* out, size_t n) {
  if (record == nullptr || (out == nullptr && n > 0)) return -1;
  const d::SegdRecord& r = record->record;
  if (trace < 1 || trace > r.loadedTraceCount()) return -1;
  const auto stored =
      r.samples.trace(trace).first(static_cast<std::size_t>(r.samples.samplesPerTrace()));
  const float divisor = r.divisorOf(trace);
  const std::size_t count = std::min(n, stored.size());
  for (std::size_t i = 0; i < count; ++i) out[i] = stored[i] * divisor;
  return 0;
}

void vorax_close(VoraxRecord* record) {
  delete record;
}

}  // extern "C"
