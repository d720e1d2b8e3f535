// Which files of a survey are records, found by their first bytes rather than their names,
// and how a list of them is split into shards for several machines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorax::qc {

// Whether the file starts as a SEG-2 file (its identifier word) or as a SEG-D general header
// block: a demultiplexed format code (four BCD digits, 8015 to 8080 or 0015 to 0080) and a
// valid BCD date and time (year, day of year, hour, minute, second).
bool looksLikeRecord(const std::filesystem::path& file);

struct FoundRecords {
  std::vector<std::string> files;     // sorted by name (byte order), each once
  std::vector<std::string> problems;  // paths that are neither a file nor a folder
};

// The files named and, of each folder named, the files in it (not its subfolders) that look
// like records. A file named is taken whatever it holds, so that a bad one gets its message.
// Each file is spelt as found: the folder as given joined with the file's name.
FoundRecords findRecords(std::span<const std::string> paths);

// Shard k of n (1 <= k <= n): every n-th file from the k-th.
struct Shard {
  int k = 1;
  int n = 1;
};

// "K/N", 1 <= K <= N <= 100000; nothing for any other text.
std::optional<Shard> parseShard(const std::string& text);

std::vector<std::string> shardOf(std::span<const std::string> files, Shard shard);

}  // namespace vorax::qc
