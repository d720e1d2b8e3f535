// Radio similarity data files: one test of one vibrator as received by radio. A 256-byte
// header, then three channels one after another, N signed 16-bit samples each, all
// little-endian:
//
//   offset  size  content
//        0     4  N, samples per channel (int32)
//        6    10  date text (the record date of the page banner)
//       48     4  int32, kept, not used
//       52     8  time text (the record time of the page banner)
//  126..137  3x4  int32 x 3, kept, not used
//      152     2  k (int16): sample interval k x 124.782935 us, or 488 us when k <= 0
//      256  6 x N channel 1, channel 2, channel 3
//
// Such a file becomes a record of three traces (channel c is trace c) of N samples: file
// samples 0..N-120 of a channel go to trace samples 120..N (the radio link's start-up delay
// of 120 samples; the channel's last 119 samples are not used), and each trace is divided by
// the largest magnitude among the samples stored, so it peaks at exactly 1. A channel of
// zeros stays zero.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "decode/segd_record.h"

namespace vorax::vibsim {

inline constexpr std::size_t kRadioHeaderSize = 256;
inline constexpr std::int32_t kRadioChannels = 3;
inline constexpr std::int32_t kRadioShiftSamples = 120;

struct RadioFileHeader {
  std::int32_t samplesPerChannel = 0;  // N
  decode::FixedText<10> date;
  decode::FixedText<8> time;
  std::int32_t value48 = 0;
  std::int32_t value126 = 0;
  std::int32_t value130 = 0;
  std::int32_t value134 = 0;
  std::int16_t intervalMultiplier = 0;  // k
};

// Sample interval in microseconds for the multiplier k.
double radioSampleIntervalUs(std::int16_t k);

RadioFileHeader decodeRadioFileHeader(decode::Bytes header);

struct RadioLoad {
  bool ok = false;
  std::string message;  // why the file was skipped
  RadioFileHeader header;
};

// Reads a radio similarity file held in memory into `record` (replaced whole). A file too
// short for its header or for its 3 x N samples, or with N below 1, is refused with a
// message and leaves `record` untouched; nothing past the file's end is ever read.
RadioLoad loadRadioSimilarity(decode::Bytes file, const std::string& name,
                              decode::SegdRecord& record);
RadioLoad loadRadioSimilarityFile(const std::filesystem::path& path, decode::SegdRecord& record);

}  // namespace vorax::vibsim
