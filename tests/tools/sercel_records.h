// Synthetic Sercel records for the record tool tests, and what the tests read back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "decode/synth/sercel_synth.h"

namespace vorax::test {

using Bytes = std::vector<std::uint8_t>;

// Small records: 2 auxiliary + 10 seismic traces of 101 samples. Their layout, counted by
// hand: 96 general header bytes, 2 channel sets (64), 1024-byte extended header, external
// header of 32 x the binary block count in general header block 2 bytes 8-9; each trace
// 20 + 7 x 32 + 4 x 101 = 648 bytes.
inline constexpr std::size_t kSmallRecordTraces = 12;
inline constexpr std::size_t kSmallTraceBytes = 648;

// A record of the given file number (and seed); the synthetic writer's 120 seismic traces of
// 1001 samples (520 kB) unless `small`.
inline Bytes sercelRecord(int fileNumber, bool small = true) {
  decode::synth::SercelSynthOptions o;
  if (small) {
    o.seismicTraces = 10;
    o.samplesPerTrace = 101;
    o.seed = static_cast<std::uint32_t>(fileNumber);
  }
  o.fileNumber = fileNumber;
  return decode::synth::sercelRecordBytes(o);
}

inline std::size_t headerBytesOf(const Bytes& record) {
  const std::size_t externalBlocks = record[32 + 7] * 256u + record[32 + 8];
  return 96 + 64 + 1024 + 32 * externalBlocks;
}

inline Bytes joined(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The names in a folder, sorted.
inline std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vorax::test
