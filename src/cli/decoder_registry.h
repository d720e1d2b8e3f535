// The header decoders the command line can run by their exported names, each with the size
// of the block it reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_reader.h"
#include "cli/json_text.h"

namespace vorax::cli {

// What some decoders need besides their block. Taken from the file's first 32 bytes when
// they are a SEG-2 file header: the byte-order flag ("1" PC order, "-" UNIX order) and the
// string terminator (as many characters as its count says). Otherwise PC order and a single
// zero byte.
struct DecodeContext {
  std::string seg2ByteOrderFlag = "1";
  std::string seg2Terminator = std::string(1, '\0');
};

DecodeContext decodeContextOf(decode::Bytes fileStart);

struct DecoderEntry {
  std::string_view name;
  // Bytes the decoder reads. 0 for the SEG-2 descriptor decoders: their natural block is the
  // string list starting at the offset (see stringListLength).
  std::size_t naturalSize;
  // Decodes `block` into the record's JSON form and returns the decoder's status.
  std::int32_t (*run)(decode::Bytes block, const DecodeContext& context, Json& record);
};

// Every decoder, in a stable order for the usage text.
std::span<const DecoderEntry> decoderEntries();

// The entry named `name`, compared without regard to case; nullptr when there is none.
const DecoderEntry* findDecoder(std::string_view name);

// Length of the SEG-2 string list at the start of `bytes`: two-byte lengths (counting
// themselves, in the byte order of `context`) followed by their text, up to a zero length,
// a length below 2 or one that runs past the end of `bytes`.
std::size_t stringListLength(decode::Bytes bytes, const DecodeContext& context);

}  // namespace vorax::cli
