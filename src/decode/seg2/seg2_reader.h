// Opens a SEG-2 file as the program's record: locates the file descriptor, the trace pointer
// sub-block, the descriptor strings and each trace's descriptor and data block, decodes them,
// and fills a SegdRecord the way the SEG-D loaders do (each trace normalised to peak 1).
//
// Hostile files are safe: pointers and sizes that point outside the file, below the pointer
// sub-block or into another trace are reported through the MessageSink and the trace is left
// out; sample counts are capped to what each data block and the file hold, so nothing is
// allocated from an unchecked size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/messages.h"
#include "decode/seg2/seg2_headers.h"
#include "decode/segd_record.h"

namespace vorax::decode {

// One trace as found in the file.
struct Seg2Trace {
  std::uint64_t offset = 0;        // 0-based file offset of its descriptor block
  std::int32_t samplesLoaded = 0;  // samples read (the declared count, capped to its data)
  Seg2TraceHeaderFields header;
  Seg2TraceDescriptorFields descriptor;
  std::vector<std::string> strings;  // the descriptor strings, terminators removed
};

// Everything decoded from the headers, for display and the command line.
struct Seg2Headers {
  Seg2FileHeaderFields fileHeader;
  Seg2FileDescriptorFields fileDescriptor;
  std::vector<std::string> fileStrings;
  std::vector<Seg2Trace> traces;  // the traces loaded, in the order of the pointer sub-block
};

// Whether the first two bytes are the SEG-2 identifier in either byte order.
bool isSeg2(Bytes firstBytes);

// Decodes a whole SEG-2 file held in `file` into `record` (replaced whole; its fileName is
// left to the caller) and `headers`. Returns false, with the reason shown through `messages`,
// when the file is not SEG-2 or holds no readable trace; warnings about left-out traces or
// capped sample counts are shown too and the result is still true.
bool readSeg2(Bytes file, SegdRecord& record, Seg2Headers& headers, MessageSink& messages);

// Result of reading a SEG-2 file from disk: `error` holds "Cannot open <name>: <reason>"
// when the file could not be read at all.
struct Seg2FileResult {
  bool ok = false;
  std::string error;
};

// Reads the file and decodes it with readSeg2; sets record.fileName.
Seg2FileResult readSeg2File(const std::filesystem::path& path, SegdRecord& record,
                            Seg2Headers& headers, MessageSink& messages);

}  // namespace vorax::decode
