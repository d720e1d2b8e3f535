// vorax decode NAME FILE [--offset BYTES] [--length BYTES]: runs one header decoder by its
// exported name on the bytes at a 0-based offset of a file and prints
// {"status": N, "record": {...}}.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/decoder_registry.h"
#include "decode/record_file.h"

namespace vorax::cli {

namespace {

// The SEG-2 string lists have no fixed size; this much of the file is searched for the end
// of one.
constexpr std::uint64_t kStringListSearchBytes = 16u << 20;

void printUsage() {
  std::fprintf(stderr,
               "usage: vorax decode NAME FILE [--offset BYTES] [--length BYTES]\n"
               "  BYTES are 0-based; the length defaults to the block's own size (the string\n"
               "  list for the SEG-2 descriptor decoders). quick408gettracehl decodes with an\n"
               "  empty file header. Decoders:\n");
  for (const DecoderEntry& entry : decoderEntries())
    std::fprintf(stderr, "    %.*s\n", static_cast<int>(entry.name.size()), entry.name.data());
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "vorax decode: %s\n", message.c_str());
  printUsage();
  return 2;
}

std::vector<std::uint8_t> readAt(decode::RecordFile& file, std::uint64_t offset, std::uint64_t count) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  file.setPosition(offset + 1);
  bytes.resize(file.read(bytes));
  return bytes;
}

}  // namespace

int runDecode(Args args) {
  const ParsedArgs parsed = parseArgs(args, {}, {"--offset", "--length"});
  if (!parsed.error.empty()) return usageError(parsed.error);
  if (parsed.positional.size() != 2) return usageError("NAME and FILE expected");
  const DecoderEntry* decoder = findDecoder(parsed.positional[0]);
  if (decoder == nullptr) return usageError("unknown decoder '" + parsed.positional[0] + "'");
  const std::optional<std::int64_t> offset = parseInteger(parsed.value("--offset").value_or("0"));
  if (!offset || *offset < 0) return usageError("--offset must be a whole number of bytes, 0 or more");
  std::optional<std::int64_t> length;
  if (auto text = parsed.value("--length")) {
    length = parseInteger(*text);
    if (!length || *length < 1) return usageError("--length must be a whole number of bytes, 1 or more");
  }

  decode::RecordFile::Opened opened = decode::RecordFile::open(parsed.positional[1]);
  if (!opened.ok()) {
    std::fprintf(stderr, "vorax decode: %s\n", opened.error.c_str());
    return 2;
  }
  decode::RecordFile& file = *opened.file;
  const auto start = static_cast<std::uint64_t>(*offset);
  if (start >= file.size()) {
    std::fprintf(stderr, "vorax decode: offset %llu lies beyond the end of the file (%llu bytes)\n",
                 static_cast<unsigned long long>(start), static_cast<unsigned long long>(file.size()));
    return 2;
  }
  const std::uint64_t available = file.size() - start;
  const DecodeContext context = decodeContextOf(readAt(file, 0, 32));
  std::vector<std::uint8_t> block;
  if (length) {
    block = readAt(file, start, std::min<std::uint64_t>(available, static_cast<std::uint64_t>(*length)));
  } else if (decoder->naturalSize == 0) {
    block = readAt(file, start, std::min(available, kStringListSearchBytes));
    block.resize(stringListLength(block, context));
  } else {
    block = readAt(file, start, std::min<std::uint64_t>(available, decoder->naturalSize));
  }

  Json record;
  const std::int32_t status = decoder->run(block, context, record);
  Json out = Json::object();
  out.set("status", status);
  out.set("record", std::move(record));
  std::printf("%s\n", out.dump().c_str());
  return status < 0 ? 1 : 0;
}

}  // namespace vorax::cli
