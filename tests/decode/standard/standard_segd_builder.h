// Builds small standard SEG-D records byte by byte for the reader's tests: revisions 1, 2.1
// and 3.0, every sample format the reader converts, channel sets of any length.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

namespace vorax::test {

// A big-endian value of `bytes` bytes written over a trace's extension blocks at a 0-based
// offset from the start of extension 1, after the builder's own fields.
struct ExtensionField {
  std::size_t offset = 0;
  std::uint64_t value = 0;
  int bytes = 1;
};

struct StandardTraceSpec {
  int line = 0;
  int point = 0;
  bool extendedNumbers = false;  // line and point in the FFFFFF + integer/fraction form
  std::vector<double> samples;
};

struct StandardChannelSetSpec {
  int typeCode = 1;  // 1 seismic, 9 auxiliary
  int intervalUs = 1000;
  int extensions = 2;
  std::vector<StandardTraceSpec> traces;
};

class StandardSegdBuilder {
 public:
  int revisionMajor = 2;
  int revisionMinor = 1;
  int formatCode = 8058;
  std::uint8_t manufacturer = 0x61;
  int extendedBlocks = 2;
  int externalBlocks = 1;
  std::vector<StandardChannelSetSpec> channelSets;
  // Further extension fields by trace number (1-based, in file order).
  std::map<int, std::vector<ExtensionField>> extensionFields;
  // Each descriptor's end time one interval after its last sample rather than at it, as some
  // recorders write it (before revision 3 only; intervals multiples of 2 ms).
  bool endsAfterLastSample = false;

  std::vector<std::uint8_t> build() const {
    std::vector<std::uint8_t> out;
    generalHeaders(out);
    for (std::size_t c = 0; c < channelSets.size(); ++c) descriptor(out, c);
    out.resize(out.size() + 32 * static_cast<std::size_t>(extendedBlocks + externalBlocks), 0);
    int traceNumber = 1;
    for (std::size_t c = 0; c < channelSets.size(); ++c) {
      for (const StandardTraceSpec& t : channelSets[c].traces) trace(out, c, t, traceNumber++);
    }
    return out;
  }

 private:
  static std::uint8_t bcd(int v) { return static_cast<std::uint8_t>((v / 10 % 10) << 4 | v % 10); }
  static void big(std::vector<std::uint8_t>& out, std::size_t at, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * (bytes - 1 - i)));
  }
  bool rev3() const { return revisionMajor >= 3; }
  std::size_t samplesOf(std::size_t c) const {
    return channelSets[c].traces.empty() ? 0 : channelSets[c].traces.front().samples.size();
  }

  void generalHeaders(std::vector<std::uint8_t>& out) const {
    out.assign(96, 0);
    out[0] = 0x12;  // file 1234
    out[1] = 0x34;
    out[2] = bcd(formatCode / 100);
    out[3] = bcd(formatCode % 100);
    out[10] = 0x21;  // year 21
    out[11] = 0x21;  // two more blocks; day 128
    out[12] = 0x28;
    out[13] = 0x20;  // 20:06:05
    out[14] = 0x06;
    out[15] = 0x05;
    out[16] = manufacturer;
    out[22] = static_cast<std::uint8_t>(channelSets.front().intervalUs * 16 / 1000);
    out[25] = 0x8F;  // record type 8, length FFF
    out[26] = 0xFF;
    out[27] = 0x01;  // one scan type
    out[28] = bcd(static_cast<int>(channelSets.size()));
    out[30] = bcd(extendedBlocks);
    out[31] = bcd(externalBlocks);
    out[32 + 10] = static_cast<std::uint8_t>(revisionMajor);
    out[32 + 11] = static_cast<std::uint8_t>(revisionMinor);
    big(out, 32 + 14, 1000, 3);
    if (!rev3()) {
      big(out, 64 + 3, 250, 3);  // source line 250.5
      big(out, 64 + 6, 0x8000, 2);
      big(out, 64 + 8, 1001, 3);  // source point 1001
    }
  }

  void descriptor(std::vector<std::uint8_t>& out, std::size_t c) const {
    const StandardChannelSetSpec& cs = channelSets[c];
    const std::size_t at = out.size();
    const auto samples = static_cast<std::uint64_t>(samplesOf(c));
    const std::uint64_t intervals = endsAfterLastSample ? samples : samples - 1;
    const std::uint64_t endUs =
        samples == 0 ? 0 : intervals * static_cast<std::uint64_t>(cs.intervalUs);
    out.resize(at + (rev3() ? 96 : 32), 0);
    out[at] = 0x01;
    if (rev3()) {
      big(out, at + 1, c + 1, 2);
      out[at + 3] = static_cast<std::uint8_t>(cs.typeCode << 4);
      big(out, at + 8, endUs, 4);
      big(out, at + 12, samples, 4);
      big(out, at + 20, cs.traces.size(), 3);
      big(out, at + 23, static_cast<std::uint64_t>(cs.intervalUs), 3);
      out[at + 27] = static_cast<std::uint8_t>(cs.extensions);
      return;
    }
    out[at + 1] = bcd(static_cast<int>(c + 1));
    big(out, at + 4, endUs / 2000, 2);
    out[at + 8] = bcd(static_cast<int>(cs.traces.size()) / 100);
    out[at + 9] = bcd(static_cast<int>(cs.traces.size()) % 100);
    out[at + 10] = static_cast<std::uint8_t>(cs.typeCode << 4);
    const int baseUs = channelSets.front().intervalUs;
    int exponent = 0;
    while ((baseUs >> exponent) > cs.intervalUs) ++exponent;
    out[at + 11] = static_cast<std::uint8_t>(exponent << 4);
    out[at + 28] = static_cast<std::uint8_t>(cs.extensions);
  }

  void trace(std::vector<std::uint8_t>& out, std::size_t c, const StandardTraceSpec& t,
             int number) const {
    const StandardChannelSetSpec& cs = channelSets[c];
    std::size_t at = out.size();
    out.resize(at + 20 + 32 * static_cast<std::size_t>(cs.extensions), 0);
    out[at] = 0x12;
    out[at + 1] = 0x34;
    out[at + 2] = 0x01;
    out[at + 3] = bcd(static_cast<int>(c + 1));
    out[at + 4] = bcd(number / 100);
    out[at + 5] = bcd(number % 100);
    out[at + 9] = static_cast<std::uint8_t>(cs.extensions);
    if (cs.extensions > 0) {
      const std::size_t e = at + 20;
      if (t.extendedNumbers) {
        big(out, e, 0xFFFFFF, 3);
        big(out, e + 3, 0xFFFFFF, 3);
        big(out, e + 10, static_cast<std::uint64_t>(t.line), 3);
        big(out, e + 13, 0x4000, 2);  // + 0.25
        big(out, e + 15, static_cast<std::uint64_t>(t.point), 3);
      } else {
        big(out, e, static_cast<std::uint64_t>(t.line) & 0xFFFFFF, 3);
        big(out, e + 3, static_cast<std::uint64_t>(t.point) & 0xFFFFFF, 3);
      }
      if (rev3()) {
        big(out, e + 24, t.samples.size(), 4);
        out[e + 31] = 0x40;
      } else if (revisionMajor >= 2) {
        big(out, e + 7, t.samples.size(), 3);
        out[e + 20] = 2;  // vertical geophone
      }
      if (const auto fields = extensionFields.find(number); fields != extensionFields.end())
        for (const ExtensionField& f : fields->second) big(out, e + f.offset, f.value, f.bytes);
    }
    samples(out, t.samples);
  }

  void samples(std::vector<std::uint8_t>& out, const std::vector<double>& values) const {
    std::size_t at = out.size();
    switch (formatCode) {
      case 8015: {
        out.resize(at + (values.size() + 3) / 4 * 10, 0);
        for (std::size_t i = 0; i < values.size(); ++i) {
          const std::size_t group = at + i / 4 * 10;
          double v = values[i];
          int exponent = 0;
          while (std::abs(v) > 32767) v /= 2, ++exponent;
          out[group + (i % 4) / 2] |= static_cast<std::uint8_t>(exponent << ((i % 2 == 0) ? 4 : 0));
          big(out, group + 2 + 2 * (i % 4),
              static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
        }
        return;
      }
      case 8036:
        out.resize(at + 3 * values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
          big(out, at + 3 * i,
              static_cast<std::uint32_t>(static_cast<std::int32_t>(values[i])) & 0xFFFFFF, 3);
        return;
      case 8038:
        out.resize(at + 4 * values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
          big(out, at + 4 * i, static_cast<std::uint32_t>(static_cast<std::int32_t>(values[i])), 4);
        return;
      case 8080:
        out.resize(at + 8 * values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
          std::uint64_t bits;
          std::memcpy(&bits, &values[i], 8);
          big(out, at + 8 * i, bits, 8);
        }
        return;
      default:
        out.resize(at + 4 * values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
          const float f = static_cast<float>(values[i]);
          std::uint32_t bits;
          std::memcpy(&bits, &f, 4);
          big(out, at + 4 * i, bits, 4);
        }
    }
  }
};

}  // namespace vorax::test
