// A four-trace Sercel record (manufacturer 13) written byte by byte, with the values a reader
// must find in it worked out by hand in the comments. Byte positions are 1-based within each
// block; "blocks" are 32 bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vorax::test {

class SercelHandmadeRecord {
 public:
  using Bytes = std::vector<std::uint8_t>;

  SercelHandmadeRecord() {
    gh1 = Bytes(32, 0);
    put(gh1, 1, {0x00, 0x42});         // file number "0042"
    put(gh1, 3, {0x80, 0x58});         // format 8058
    put(gh1, 10, {0x05});              // general constants ...05: SN428
    put(gh1, 11, {0x03, 0x21, 0x26});  // year 03; 2 additional blocks; day 126 -> 2003-05-06
    put(gh1, 14, {0x11, 0x38, 0x35});  // 11:38:35
    put(gh1, 17, {0x13, 0x00, 0x01});  // manufacturer 13 "Sercel"
    put(gh1, 23, {0x10});              // 1 ms
    put(gh1, 26, {0x8F, 0xFF});        // normal record, length in block 2
    put(gh1, 28, {0x01, 0x03});        // one scan type, three channel sets (one unused)
    put(gh1, 31, {0xFF, 0xFF});        // both header lengths in block 2

    gh2 = Bytes(32, 0);
    put(gh2, 1, {0x00, 0x00, 0x2A});  // expanded file number 42
    // Binary block counts: 0x0020 = 32 blocks (1024 bytes) of extended header and 0x0080 =
    // 128 blocks (4096 bytes) of external header. Read as BCD digits they would be 20 and 80.
    put(gh2, 6, {0x00, 0x20, 0x00, 0x80});
    put(gh2, 11, {0x01, 0x00});        // revision 1.0
    put(gh2, 15, {0x00, 0x00, 0x03});  // 3 ms

    gh3 = Bytes(32, 0);
    put(gh3, 1, {0x00, 0x00, 0x2A});
    put(gh3, 4, {0x00, 0x0B, 0xB9, 0x25, 0x00});  // source line 3001.2500
    put(gh3, 9, {0x00, 0x04, 0x11, 0x50, 0x00});  // source point 1041.5000
    put(gh3, 14, {0x01});
    put(gh3, 19, {0x03});

    Bytes aux(32, 0);
    put(aux, 1, {0x01, 0x01});
    put(aux, 9, {0x00, 0x01, 0x90});  // one auxiliary channel
    put(aux, 29, {0x07});             // seven trace header extensions
    Bytes seismic(32, 0);
    put(seismic, 1, {0x01, 0x02});
    put(seismic, 9, {0x00, 0x03, 0x10});  // three seismic channels
    put(seismic, 29, {0x07});
    channelSets = {aux, seismic, Bytes(32, 0)};

    extended = Bytes(1024, 0);
    putU32(extended, 1, 3);      // acquisition length (ms)
    putU32(extended, 5, 1000);   // sample rate (us)
    putU32(extended, 9, 4);      // traces
    putU32(extended, 13, 1);     // auxiliary
    putU32(extended, 17, 3);     // seismic
    putU32(extended, 29, 1);     // impulsive
    putU32(extended, 33, 4);     // samples per trace
    putU32(extended, 37, 42);    // shot number
    putU32(extended, 49, 1001);  // spread first line
    putU32(extended, 53, 2001);  // spread first number
    putU32(extended, 61, 2);     // absolute spread
    putU32(extended, 65, 7);     // time break
    putU32(extended, 69, 15);    // uphole time
    putU32(extended, 73, 3);     // blaster identifier
    putU32(extended, 77, 1);     // blaster status
    putU32(extended, 89, 1);     // internal time break -> "ITB"
    putU32(extended, 97, 1);     // noise elimination: none
    putU32(extended, 141, 1);    // process: raw data
    put(extended, 525, {'L', 'B', 'L', ' ', '9'});
    putU32(extended, 541, 9);              // tape number
    putDouble(extended, 573, 512345.75);   // source easting
    putDouble(extended, 581, 6234567.25);  // source northing
    putU32(extended, 589, std::bit_cast<std::uint32_t>(123.5f));
    putU32(extended, 765, 2);  // acquisition filter "0.8 Lin"

    external = Bytes(4096, 0);
    put(external, 1, {'S', 'H', 'O', 'T', ' ', '4', '2'});

    // Trace 1, auxiliary: a resistance error, but grey as every auxiliary trace. Factor 0 at
    // gain scale 1 -> 0.0002697; samples 0.5, -2, 1, 0: scale 2 at index 1.
    Trace t1(1);
    t1.u8(7, 15, 9);
    t1.u8(7, 5, 1);
    t1.u8(3, 21, 1);
    traces.push_back(t1.bytes({0.5f, -2.0f, 1.0f, 0.0f}));
    // Trace 2: line 1001 point 2001, resistance 406.96 within 250..500: colour 0. Recorded
    // factor 6.742e-05; samples 1, -3, 3, 2: scale 3 at index 1 (the first of the two).
    Trace t2 = seismicTrace(1001, 2001, 512000.5, 6234000.25);
    t2.single(7, 9, 6.742e-05f);
    traces.push_back(t2.bytes({1.0f, -3.0f, 3.0f, 2.0f}));
    // Trace 3: line 1001 point 2002, resistance and tilt errors: yellow 0x00FFFF. Factor 10
    // exceeds every sample: scale 10; peak -0.75 at index 2.
    Trace t3 = seismicTrace(1001, 2002, 512025.5, 6234000.25);
    t3.single(3, 9, 612.5f);
    t3.u8(3, 21, 1);
    t3.single(3, 17, 12.5f);
    t3.u8(3, 22, 1);
    t3.single(7, 9, 10.0f);
    traces.push_back(t3.bytes({0.25f, 0.5f, -0.75f, 0.0f}));
    // Trace 4: line 1002 point 2001, leakage error: blue 0xFF0000. All zero, factor 0 at
    // gain scale 1: scale 0.0002697, peak index 0.
    Trace t4 = seismicTrace(1002, 2001, 512000.5, 6234200.25);
    t4.single(5, 5, 0.5f);
    t4.u8(5, 25, 1);
    traces.push_back(t4.bytes({0.0f, 0.0f, 0.0f, 0.0f}));
  }

  // Headers end at 0-based offset 96 + 3 x 32 + 1024 + 4096 = 5312.
  static constexpr std::int32_t kFirstTracePosition = 5313;
  static constexpr std::size_t kTraceBytes = 20 + 7 * 32 + 4 * 4;

  Bytes bytes() const {
    Bytes out;
    for (const Bytes* part : {&gh1, &gh2, &gh3}) out.insert(out.end(), part->begin(), part->end());
    for (const Bytes& cs : channelSets) out.insert(out.end(), cs.begin(), cs.end());
    for (const Bytes* part : {&extended, &external})
      out.insert(out.end(), part->begin(), part->end());
    for (const Bytes& t : traces) out.insert(out.end(), t.begin(), t.end());
    return out;
  }

  static void put(Bytes& block, std::size_t position, std::initializer_list<int> values) {
    for (int v : values) block.at(position++ - 1) = static_cast<std::uint8_t>(v);
  }
  static void putU32(Bytes& block, std::size_t position, std::uint32_t v) {
    put(block, position,
        {int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)});
  }
  static void putDouble(Bytes& block, std::size_t position, double value) {
    const auto v = std::bit_cast<std::uint64_t>(value);
    putU32(block, position, static_cast<std::uint32_t>(v >> 32));
    putU32(block, position + 4, static_cast<std::uint32_t>(v));
  }

  Bytes gh1, gh2, gh3, extended, external;
  std::vector<Bytes> channelSets;
  std::vector<Bytes> traces;

 private:
  // A 20-byte trace header and seven extension blocks; setters take the block and byte.
  struct Trace {
    explicit Trace(int channelSet) : header(20, 0), blocks(7 * 32, 0) {
      put(header, 1, {0x00, 0x42, 0x01, channelSet});
      put(header, 10, {0x07});
    }
    void u8(int block, int byte, int v) {
      blocks.at(32 * (block - 1) + byte - 1) = static_cast<std::uint8_t>(v);
    }
    void u32(int block, int byte, std::uint32_t v) {
      for (int i = 0; i < 4; ++i) u8(block, byte + i, static_cast<int>((v >> (24 - 8 * i)) & 0xFF));
    }
    void single(int block, int byte, float v) { u32(block, byte, std::bit_cast<std::uint32_t>(v)); }
    Bytes bytes(std::initializer_list<float> samples) const {
      Bytes out = header;
      out.insert(out.end(), blocks.begin(), blocks.end());
      for (float s : samples) {
        const auto v = std::bit_cast<std::uint32_t>(s);
        for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<std::uint8_t>(v >> shift));
      }
      return out;
    }
    Bytes header;
    Bytes blocks;
  };

  // Seismic trace on `line` / `point` at (east, north), tests within the limits 250..500 ohm,
  // 80..120 nF, tilt 15 %, leakage 1: resistance 406.96, capacitance 101.25, tilt 2.5,
  // leakage 20. FDU 123456, channel 1, control unit LAUL.
  static Trace seismicTrace(int line, int point, double east, double north) {
    Trace t(2);
    t.u8(1, 1, (line >> 16) & 0xFF);
    t.u8(1, 2, (line >> 8) & 0xFF);
    t.u8(1, 3, line & 0xFF);
    t.u8(1, 4, (point >> 16) & 0xFF);
    t.u8(1, 5, (point >> 8) & 0xFF);
    t.u8(1, 6, point & 0xFF);
    t.u8(1, 21, 2);
    const auto e = std::bit_cast<std::uint64_t>(east);
    const auto n = std::bit_cast<std::uint64_t>(north);
    t.u32(2, 1, static_cast<std::uint32_t>(e >> 32));
    t.u32(2, 5, static_cast<std::uint32_t>(e));
    t.u32(2, 9, static_cast<std::uint32_t>(n >> 32));
    t.u32(2, 13, static_cast<std::uint32_t>(n));
    t.single(2, 17, 99.5f);
    t.single(3, 1, 250);
    t.single(3, 5, 500);
    t.single(3, 9, 406.96f);
    t.single(3, 13, 15);
    t.single(3, 17, 2.5f);
    t.single(4, 1, 80);
    t.single(4, 5, 120);
    t.single(4, 9, 101.25f);
    t.single(5, 1, 1);
    t.single(5, 5, 20);
    t.u32(6, 1, 0x0101E240);  // unit type FDU, serial 0x01E240 = 123456
    t.u8(6, 5, 1);
    t.u8(7, 1, 0x02);  // LAUL
    t.u8(7, 4, 0x07);  // control unit serial 7
    t.u8(7, 5, 1);
    t.u8(7, 6, 1);
    t.u8(7, 15, 1);
    t.u8(7, 16, 1);
    return t;
  }
};

}  // namespace vorax::test
