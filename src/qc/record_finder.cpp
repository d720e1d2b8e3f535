#include "qc/record_finder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>

#include "decode/seg2/seg2_reader.h"
#include "decode/segd/segd_numbers.h"

namespace vorax::qc {

namespace {

// General header block 1, bytes 3-4 the format code, 11 the year, 12 (low nibble) and 13 the
// day of the year, 14-16 hour, minute and second, all BCD.
bool startsAsSegd(const std::array<std::uint8_t, 16>& b) {
  using decode::bcdByte;
  const int formatHigh = bcdByte(b[2]);
  const int formatLow = bcdByte(b[3]);
  if (formatHigh < 0 || formatLow < 0) return false;
  const int format = formatHigh * 100 + formatLow;
  const int family = format / 1000;
  if ((family != 0 && family != 8) || format % 1000 < 15 || format % 1000 > 80) return false;
  const int dayTensAndUnits = bcdByte(b[12]);
  if (bcdByte(b[10]) < 0 || (b[11] & 0x0F) > 3 || dayTensAndUnits < 0) return false;
  const int day = (b[11] & 0x0F) * 100 + dayTensAndUnits;
  const int hour = bcdByte(b[13]);
  const int minute = bcdByte(b[14]);
  const int second = bcdByte(b[15]);
  return day <= 366 && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
         second < 60;
}

}  // namespace

bool looksLikeRecord(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::array<std::uint8_t, 16> head{};
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got >= 2 && decode::isSeg2(std::span<const std::uint8_t>(head.data(), 2))) return true;
  return got == head.size() && startsAsSegd(head);
}

FoundRecords findRecords(std::span<const std::string> paths) {
  FoundRecords found;
  for (const std::string& path : paths) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
        std::error_code kind;
        if (entry.is_regular_file(kind) && looksLikeRecord(entry.path()))
          found.files.push_back((std::filesystem::path(path) / entry.path().filename()).string());
      }
    } else if (std::filesystem::is_regular_file(path, error)) {
      found.files.push_back(path);
    } else {
      found.problems.push_back(path);
    }
  }
  std::sort(found.files.begin(), found.files.end());
  found.files.erase(std::unique(found.files.begin(), found.files.end()), found.files.end());
  return found;
}

std::optional<Shard> parseShard(const std::string& text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return std::nullopt;
  Shard s;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  const auto k = std::from_chars(begin, begin + slash, s.k);
  const auto n = std::from_chars(begin + slash + 1, end, s.n);
  if (k.ec != std::errc() || k.ptr != begin + slash || n.ec != std::errc() || n.ptr != end)
    return std::nullopt;
  if (s.k < 1 || s.n < s.k || s.n > 100000) return std::nullopt;
  return s;
}

std::vector<std::string> shardOf(std::span<const std::string> files, Shard shard) {
  std::vector<std::string> out;
  for (std::size_t i = static_cast<std::size_t>(shard.k - 1); i < files.size();
       i += static_cast<std::size_t>(shard.n))
    out.push_back(files[i]);
  return out;
}

}  // namespace vorax::qc
