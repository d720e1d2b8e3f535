// The byte layout of one Sercel SEG-D record inside a file, as the record tools (splitter,
// radio-similarity repair) need it: the header sections as read, and the size of every trace,
// taken from the Sercel extended header.
//
// Only records whose extended header carries the trace count (bytes 9-12) and the samples per
// trace (bytes 33-36) in the Sercel layout can be sized; any other record is refused with a
// message naming its instrument model, because copying it with a guessed size would cut or
// merge records.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd/general_headers.h"
#include "decode/segd/segd_layout.h"

namespace vorax::tools {

using decode::segd_layout::kBlockBytes;
using decode::segd_layout::kGeneralHeaderBytes;
using decode::segd_layout::kTraceHeaderBytes;

struct RecordLayout {
  std::uint64_t start = 1;  // 1-based position of general header block 1 in the file
  std::array<std::uint8_t, kGeneralHeaderBytes> general{};
  std::vector<std::uint8_t> scanTypes;  // 32 x channel sets
  std::vector<std::uint8_t> extended;
  std::vector<std::uint8_t> external;
  decode::Gh1Fields gh1;
  decode::Gh2Fields gh2;

  std::string fileNumber;             // the four digits of general header block 1, bytes 1-2
  std::uint64_t traces = 0;           // n: extended header bytes 9-12
  std::uint64_t samplesPerTrace = 0;  // ns: extended header bytes 33-36
  std::uint64_t extensionBlocks = 7;  // 32-byte trace header extensions per trace

  std::uint64_t headerBytes() const {
    return kGeneralHeaderBytes + scanTypes.size() + extended.size() + external.size();
  }
  std::uint64_t traceBytes() const {
    return kTraceHeaderBytes + kBlockBytes * extensionBlocks + 4 * samplesPerTrace;
  }
  // 1-based position of the first trace header.
  std::uint64_t firstTrace() const { return start + headerBytes(); }
};

enum class LayoutStatus {
  Ok,
  DecoderFatal,  // a general header decoder returned a fatal result; `message` is its text
  CannotSize,    // not a record the tools can size; `message` names the instrument model
  HeadersCut,    // the file ends inside the headers
  ReadError,     // the file could not be read
};

struct LayoutRead {
  LayoutStatus status = LayoutStatus::Ok;
  std::string message;
  bool ok() const { return status == LayoutStatus::Ok; }
};

// Reads the headers of the record starting at `file`'s current position into `layout`,
// leaving the position at its first trace header. Warnings of the general header decoders go
// to `messages`; fatal results end the reading.
LayoutRead readRecordLayout(decode::RecordFile& file, RecordLayout& layout,
                            decode::MessageSink& messages);

// Reads `out.size()` bytes from the current position; false when the file holds fewer bytes
// there than asked for or the read failed (`got` says how many came).
bool readExactly(decode::RecordFile& file, std::span<std::uint8_t> out, std::size_t& got);

// Four-digit BCD pair (the value limited to 0..9999) and binary pair (limited to 0..65535).
std::array<std::uint8_t, 2> bcdPair(std::int64_t value);
std::array<std::uint8_t, 2> binaryPair(std::int64_t value);

}  // namespace vorax::tools
