// vorax decode NAME FILE [--offset BYTES] [--length BYTES]: runs one header decoder by its
// exported name on the bytes at a 0-based offset of a file and prints
// {"status": N, "record": {...}}.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/decoder_registry.h"
#include "decode/record_file.h"

namespace vorax::cli {

namespace {

// The SEG-2 string lists have no fixed size; this much of the file is searched for the end
// of one.
constexpr std::uint64_t kStringListSearchBytes = 16u << 20;

// The help text's closing part: what the length defaults to and every decoder's name.
std::string decoderList() {
  std::string text =
      "The length defaults to the block's own size (the string list for the SEG-2 descriptor\n"
      "decoders). quick408gettracehl decodes with an empty file header. Decoders:\n";
  for (const DecoderEntry& entry : decoderEntries()) text += "  " + std::string(entry.name) + "\n";
  return text;
}

std::vector<std::uint8_t> readAt(decode::RecordFile& file, std::uint64_t offset,
                                 std::uint64_t count) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  file.setPosition(offset + 1);
  bytes.resize(file.read(bytes));
  return bytes;
}

struct DecodeArgs {
  std::string name;
  std::string file;
  std::int64_t offset = 0;
  std::optional<std::int64_t> length;
};

int runDecode(const DecodeArgs& args) {
  const DecoderEntry* decoder = findDecoder(args.name);
  if (decoder == nullptr) {
    std::fprintf(stderr, "vorax decode: unknown decoder '%s'\n%s", args.name.c_str(),
                 decoderList().c_str());
    return 2;
  }
  const std::optional<std::int64_t>& length = args.length;
  decode::RecordFile::Opened opened = decode::RecordFile::open(args.file);
  if (!opened.ok()) {
    std::fprintf(stderr, "vorax decode: %s\n", opened.error.c_str());
    return 2;
  }
  decode::RecordFile& file = *opened.file;
  const auto start = static_cast<std::uint64_t>(args.offset);
  if (start >= file.size()) {
    std::fprintf(stderr, "vorax decode: offset %llu lies beyond the end of the file (%llu bytes)\n",
                 static_cast<unsigned long long>(start),
                 static_cast<unsigned long long>(file.size()));
    return 2;
  }
  const std::uint64_t available = file.size() - start;
  const DecodeContext context = decodeContextOf(readAt(file, 0, 32));
  std::vector<std::uint8_t> block;
  if (length) {
    block = readAt(file, start,
                   std::min<std::uint64_t>(available, static_cast<std::uint64_t>(*length)));
  } else if (decoder->naturalSize == 0) {
    block = readAt(file, start, std::min(available, kStringListSearchBytes));
    block.resize(stringListLength(block, context));
  } else {
    block = readAt(file, start, std::min<std::uint64_t>(available, decoder->naturalSize));
  }

  Json record;
  const std::int32_t status = decoder->run(block, context, record);
  Json out = Json::object();
  out["status"] = status;
  out["record"] = std::move(record);
  std::printf("%s\n", jsonText(out).c_str());
  return status < 0 ? 1 : 0;
}

}  // namespace

void addDecodeCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<DecodeArgs>();
  CLI::App* command = app.add_subcommand(
      "decode",
      "Runs one header decoder on the bytes at an offset of a file and prints its "
      "status and record as JSON.");
  command->add_option("NAME", args->name, "the decoder's exported name (any case)")->required();
  command->add_option("FILE", args->file, "the file to read")->required();
  command->add_option("--offset", args->offset, "0-based byte offset of the block")
      ->check(CLI::NonNegativeNumber);
  command
      ->add_option_function<std::int64_t>(
          "--length", [args](const std::int64_t& n) { args->length = n; },
          "bytes to decode (the block's own size when not given)")
      ->check(CLI::PositiveNumber);
  command->footer(decoderList());
  command->callback([args, &status] { status = runDecode(*args); });
}

}  // namespace vorax::cli
