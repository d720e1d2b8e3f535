#include "vibsim/radio_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <system_error>
#include <vector>

namespace vorax::vibsim {

namespace {

constexpr double kMicrosecondsPerStep = 124.782935;
constexpr double kDefaultIntervalUs = 488.0;

std::string fixedText(decode::Bytes bytes, std::size_t offset, std::size_t count) {
  std::string text(count, ' ');
  decode::copyBytes(bytes, offset, count, reinterpret_cast<std::uint8_t*>(text.data()));
  return text;
}

std::uint64_t bytesNeeded(std::int32_t samples) {
  return kRadioHeaderSize + static_cast<std::uint64_t>(kRadioChannels) * 2 *
                                static_cast<std::uint64_t>(std::max(samples, 0));
}

std::string tooShort(const std::string& name, std::uint64_t size, std::uint64_t needed) {
  return name + " is too short for a radio similarity file: " + std::to_string(size) + " bytes, " +
         std::to_string(needed) + " needed. The file is skipped.";
}

// Channel c (1..3) into trace c: shifted by 120 samples and divided by its peak.
void fillTrace(decode::Bytes samples, std::int32_t n, std::int32_t c, decode::SegdRecord& record) {
  std::span<float> trace = record.samples.trace(c);
  const std::size_t channelStart =
      static_cast<std::size_t>(c - 1) * static_cast<std::size_t>(n) * 2;
  float peak = 0;
  for (std::int32_t i = 0; i <= n - kRadioShiftSamples; ++i) {
    const float value = decode::littleI16(samples, channelStart + static_cast<std::size_t>(i) * 2);
    trace[static_cast<std::size_t>(i + kRadioShiftSamples)] = value;
    peak = std::max(peak, std::abs(value));
  }
  if (peak > 0) {
    for (float& v : trace) v /= peak;
  }
  record.traceDivisor[static_cast<std::size_t>(c)] = peak > 0 ? peak : 1.0f;
}

}  // namespace

double radioSampleIntervalUs(std::int16_t k) {
  return k > 0 ? kMicrosecondsPerStep * k : kDefaultIntervalUs;
}

RadioFileHeader decodeRadioFileHeader(decode::Bytes h) {
  RadioFileHeader out;
  out.samplesPerChannel = decode::littleI32(h, 0);
  out.date = fixedText(h, 6, 10);
  out.value48 = decode::littleI32(h, 48);
  out.time = fixedText(h, 52, 8);
  out.value126 = decode::littleI32(h, 126);
  out.value130 = decode::littleI32(h, 130);
  out.value134 = decode::littleI32(h, 134);
  out.intervalMultiplier = decode::littleI16(h, 152);
  return out;
}

RadioLoad loadRadioSimilarity(decode::Bytes file, const std::string& name,
                              decode::SegdRecord& record) {
  RadioLoad result;
  if (file.size() < kRadioHeaderSize) {
    result.message = tooShort(name, file.size(), kRadioHeaderSize);
    return result;
  }
  result.header = decodeRadioFileHeader(file.first(kRadioHeaderSize));
  const std::int32_t n = result.header.samplesPerChannel;
  if (n < 1) {
    result.message =
        name + " holds no samples (N = " + std::to_string(n) + "). The file is skipped.";
    return result;
  }
  if (file.size() < bytesNeeded(n)) {
    result.message = tooShort(name, file.size(), bytesNeeded(n));
    return result;
  }

  record = decode::SegdRecord();
  const double dtUs = radioSampleIntervalUs(result.header.intervalMultiplier);
  record.fileName = name;
  record.summary.recordDate = result.header.date.view();
  record.summary.recordTime = result.header.time.view();
  record.summary.sampleIntervalUs = static_cast<float>(dtUs);
  record.summary.samplesPerTrace = n;
  record.summary.traceCount = kRadioChannels;
  record.summary.seismicTraceCount = kRadioChannels;
  record.sampleIntervalMs = static_cast<float>(dtUs / 1000.0);
  record.recordLengthMs = record.sampleIntervalMs * static_cast<float>(n - 1);
  record.samples.reset(kRadioChannels, n);
  record.traceInfo.assign(kRadioChannels + 1, decode::TraceHeaderInfo{});
  record.traceDivisor.assign(kRadioChannels + 1, 1.0f);
  const decode::Bytes samples = file.subspan(kRadioHeaderSize);
  for (std::int32_t c = 1; c <= kRadioChannels; ++c) fillTrace(samples, n, c, record);
  result.ok = true;
  return result;
}

RadioLoad loadRadioSimilarityFile(const std::filesystem::path& path, decode::SegdRecord& record) {
  RadioLoad result;
  const std::string name = path.filename().string();
  std::error_code ec;
  const std::uint64_t size = std::filesystem::file_size(path, ec);
  std::ifstream in(path, std::ios::binary);
  if (ec || !in) {
    result.message = "Cannot open " + path.string() + ". The file is skipped.";
    return result;
  }
  std::vector<std::uint8_t> header(std::min<std::uint64_t>(size, kRadioHeaderSize));
  in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
  // Only the bytes the header asks for are read, so a huge or lying file costs no more.
  const std::int32_t n = decode::littleI32(header, 0);
  std::vector<std::uint8_t> bytes = std::move(header);
  if (bytes.size() == kRadioHeaderSize && n > 0) {
    const std::uint64_t wanted = std::min(size, bytesNeeded(n));
    bytes.resize(static_cast<std::size_t>(wanted));
    in.read(reinterpret_cast<char*>(bytes.data() + kRadioHeaderSize),
            static_cast<std::streamsize>(wanted - kRadioHeaderSize));
    bytes.resize(kRadioHeaderSize + static_cast<std::size_t>(in.gcount()));
  }
  return loadRadioSimilarity(bytes, name, record);
}

}  // namespace vorax::vibsim
