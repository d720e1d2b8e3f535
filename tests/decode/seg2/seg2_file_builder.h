// Writes small SEG-2 files byte by byte for the tests, in either byte order: the 32-byte file
// descriptor header, a trace pointer sub-block of 4 bytes per trace, the file descriptor
// strings, then per trace a 32-byte descriptor header, its strings (padded to a multiple of
// four bytes) and its data block. Every string is a two-byte length counting itself, the
// text and one zero terminator.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace vorax::test {

class Seg2FileBuilder {
 public:
  explicit Seg2FileBuilder(bool pcOrder) : pc_(pcOrder) {}

  struct Trace {
    int format = 4;
    std::uint32_t declaredSamples = 0;
    std::vector<std::uint8_t> data;  // already in the file's byte order
    std::vector<std::string> strings;
  };

  void fileString(std::string text) { fileStrings_.push_back(std::move(text)); }
  Trace& trace(int format) {
    traces_.push_back(Trace{});
    traces_.back().format = format;
    return traces_.back();
  }

  // Sample writers in the file's byte order.
  void int16s(Trace& t, const std::vector<std::int16_t>& values) const {
    for (std::int16_t v : values) put(t.data, static_cast<std::uint16_t>(v), 2);
    t.declaredSamples = static_cast<std::uint32_t>(values.size());
  }
  void int32s(Trace& t, const std::vector<std::int32_t>& values) const {
    for (std::int32_t v : values) put(t.data, static_cast<std::uint32_t>(v), 4);
    t.declaredSamples = static_cast<std::uint32_t>(values.size());
  }
  void singles(Trace& t, const std::vector<float>& values) const {
    for (float v : values) put(t.data, std::bit_cast<std::uint32_t>(v), 4);
    t.declaredSamples = static_cast<std::uint32_t>(values.size());
  }
  void doubles(Trace& t, const std::vector<double>& values) const {
    for (double v : values) put(t.data, std::bit_cast<std::uint64_t>(v), 8);
    t.declaredSamples = static_cast<std::uint32_t>(values.size());
  }
  // One group of the 20-bit format: exponent word, then four mantissas.
  void packedGroup(Trace& t, std::uint16_t exponents, std::int16_t m0, std::int16_t m1,
                   std::int16_t m2, std::int16_t m3) const {
    put(t.data, exponents, 2);
    for (std::int16_t m : {m0, m1, m2, m3}) put(t.data, static_cast<std::uint16_t>(m), 2);
    t.declaredSamples += 4;
  }

  // Offset of trace i's descriptor in the last built file.
  std::uint32_t traceOffset(std::size_t i) const { return offsets_.at(i); }

  std::vector<std::uint8_t> build() {
    std::vector<std::uint8_t> file;
    if (pc_)
      file = {0x55, 0x3A};
    else
      file = {0x3A, 0x55};
    put(file, 1, 2);  // revision
    const auto pointerBlock = static_cast<std::uint16_t>(4 * traces_.size());
    put(file, pointerBlock, 2);
    put(file, static_cast<std::uint16_t>(traces_.size()), 2);
    file.insert(file.end(), {1, 0, 0, 1, 0x0A, 0});  // terminators: 00 and 0A
    file.resize(32, 0);
    const std::size_t pointers = file.size();
    file.resize(file.size() + pointerBlock, 0);
    for (const std::string& s : fileStrings_) putString(file, s);
    offsets_.clear();
    for (std::size_t i = 0; i < traces_.size(); ++i) {
      offsets_.push_back(static_cast<std::uint32_t>(file.size()));
      store(file, pointers + 4 * i, file.size(), 4);
      appendTrace(file, traces_[i]);
    }
    return file;
  }

  // Stores `value` in `count` bytes at `offset` in the file's byte order.
  void store(std::vector<std::uint8_t>& file, std::size_t offset, std::uint64_t value,
             int count) const {
    for (int i = 0; i < count; ++i) {
      int shift = pc_ ? 8 * i : 8 * (count - 1 - i);
      file[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> shift);
    }
  }

 private:
  void put(std::vector<std::uint8_t>& out, std::uint64_t value, int count) const {
    out.resize(out.size() + static_cast<std::size_t>(count));
    store(out, out.size() - static_cast<std::size_t>(count), value, count);
  }
  void putString(std::vector<std::uint8_t>& out, const std::string& text) const {
    put(out, text.size() + 3, 2);
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
  }
  void appendTrace(std::vector<std::uint8_t>& file, const Trace& t) const {
    const std::size_t start = file.size();
    put(file, 0x4422, 2);  // trace descriptor identifier
    file.resize(start + 32, 0);
    for (const std::string& s : t.strings) putString(file, s);
    file.resize(start + (file.size() - start + 3) / 4 * 4, 0);
    const std::size_t blockSize = file.size() - start;
    store(file, start + 2, blockSize, 2);
    store(file, start + 4, t.data.size(), 4);
    store(file, start + 8, t.declaredSamples, 4);
    file[start + 12] = static_cast<std::uint8_t>(t.format);
    file.insert(file.end(), t.data.begin(), t.data.end());
  }

  bool pc_;
  std::vector<std::string> fileStrings_;
  std::vector<Trace> traces_;
  std::vector<std::uint32_t> offsets_;
};

}  // namespace vorax::test
