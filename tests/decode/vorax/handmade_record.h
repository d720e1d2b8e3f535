// A three-trace VORAX-flavour record written byte by byte, with the values a reader must find
// in it worked out by hand in the comments. Byte positions are 1-based within each block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vorax::test {

class HandmadeRecord {
 public:
  using Bytes = std::vector<std::uint8_t>;

  HandmadeRecord() {
    gh1 = Bytes(32, 0);
    put(gh1, 1, {0x12, 0x34});         // file number "1234"
    put(gh1, 3, {0x80, 0x58});         // format 8058
    put(gh1, 11, {0x05, 0x20, 0x60});  // year 05; 2 additional blocks; day 060 -> 2005-03-01
    put(gh1, 14, {0x13, 0x45, 0x30});  // 13:45:30
    put(gh1, 17, {0x31, 0x00, 0x42});  // manufacturer 31 "Japex", serial 0042
    put(gh1, 23, {0x10});              // sample interval 1 ms
    put(gh1, 26, {0x80, 0x02});        // record type 8 "Normal", length 002
    put(gh1, 28, {0x01, 0x01});        // one scan type, one channel set
    put(gh1, 31, {0x02, 0x01});        // 2 extended blocks (ignored: always 64 bytes), 1 external

    gh2 = Bytes(32, 0);
    put(gh2, 1, {0x00, 0x30, 0x39});  // expanded file number 12345 -> summary "1234"
    put(gh2, 8, {0x00, 0x02});        // external blocks "0002", used only when GH1 says FF
    put(gh2, 11, {0x02, 0x01});       // revision 2.1

    gh3 = Bytes(32, 0);
    put(gh3, 4, {0x00, 0x00, 0x64, 0x25, 0x00});  // source line 100.2500
    put(gh3, 9, {0x00, 0x01, 0x2C, 0x00, 0x00});  // source point 300.0000
    put(gh3, 21, {0x00, 0x01, 0x86, 0xA0});       // source X 100000 -> 1000 m
    put(gh3, 25, {0x00, 0x00, 0x30, 0x39});       // source Y 12345 -> 123.45 m
    put(gh3, 29, {0x00, 0x00, 0x01, 0xF4});       // source Z 500 -> 5 m

    channelSet = Bytes(32, 0);
    put(channelSet, 1, {0x01, 0x01});  // scan type 1, channel set 1
    put(channelSet, 9, {0x00, 0x02});  // two channels
    put(channelSet, 11, {0x10});       // seismic

    extended = Bytes(64, 0);
    put(extended, 1, {0x00, 0x42});        // tape "0042"
    put(extended, 3, {0x00, 0x03});        // 3 traces
    put(extended, 5, {0x00, 0x00, 0x04});  // 4 samples per trace
    put(extended, 8, {0x10});              // "ITB"
    put(extended, 10, {0x10});             // "Minimum Phase" -> filter "Min"
    put(extended, 39, {0x01, 0x25});       // uphole 125

    external = Bytes(32, ' ');
    put(external, 1, {'S', 'H', 'O', 'T', ' ', '7'});

    // Trace 1: line 7, point 11, X 100, Y 200; samples 1, -4, 2, 0 -> 0.25, -1, 0.5, 0.
    traces.push_back(trace(0x01, 0, {0x00, 0x00, 0x07}, {0x00, 0x00, 0x0B}, 10000, 20000,
                           {0x3F800000, 0xC0800000, 0x40000000, 0x00000000}));
    // Trace 2: auxiliary (channel set 2), unknown edit code 1; samples 0.5, 0.5, 0.25, 0.125
    // -> 1, 1, 0.5, 0.25 with the peak at the first of the two equal values.
    traces.push_back(trace(0x02, 1, {0x00, 0x00, 0x07}, {0x00, 0x00, 0x0C}, 10100, 20000,
                           {0x3F000000, 0x3F000000, 0x3E800000, 0x3E000000}));
    // Trace 3: dead (edit code 2), all zeros, on line 8.
    traces.push_back(
        trace(0x01, 2, {0x00, 0x00, 0x08}, {0x00, 0x00, 0x01}, 10000, 20100, {0, 0, 0, 0}));
  }

  // Headers end at 0-based offset 96 + 32 x 1 + 64 + 32 x 1 = 224.
  static constexpr std::int32_t kFirstTracePosition = 225;
  static constexpr std::size_t kTraceBytes = 20 + 32 + 4 * 4;

  Bytes bytes() const {
    Bytes out;
    for (const Bytes* part : {&gh1, &gh2, &gh3, &channelSet, &extended, &external})
      out.insert(out.end(), part->begin(), part->end());
    for (const Bytes& t : traces) out.insert(out.end(), t.begin(), t.end());
    return out;
  }

  static void put(Bytes& block, std::size_t position, std::initializer_list<int> values) {
    for (int v : values) block.at(position++ - 1) = static_cast<std::uint8_t>(v);
  }

  Bytes gh1, gh2, gh3, channelSet, extended, external;
  std::vector<Bytes> traces;

 private:
  static Bytes trace(int channelSetNumber, int editCode, std::initializer_list<int> line,
                     std::initializer_list<int> point, std::uint32_t x, std::uint32_t y,
                     std::initializer_list<std::uint32_t> samples) {
    Bytes t(20 + 32, 0);
    put(t, 1, {0x12, 0x34, 0x01, channelSetNumber, 0x00, 0x01});
    put(t, 10, {0x01});  // one extension block
    put(t, 12, {editCode});
    put(t, 21, line);
    put(t, 24, point);
    put(t, 20 + 13, {int(x >> 24), int((x >> 16) & 0xFF), int((x >> 8) & 0xFF), int(x & 0xFF)});
    put(t, 20 + 17, {int(y >> 24), int((y >> 16) & 0xFF), int((y >> 8) & 0xFF), int(y & 0xFF)});
    put(t, 20 + 21, {0x24});                    // tilt column 24
    put(t, 20 + 22, {0x12, 0x34, 0x56, 0x78});  // unit serial 12345678
    put(t, 20 + 26, {0x37});                    // leakage 3, resistance 7
    put(t, 20 + 27, {0x01, 0x02});              // control unit type 102, its text "258"
    put(t, 20 + 29, {0x00, 0x05});              // 5 interpolations
    put(t, 20 + 31, {0x09});                    // channel 9
    for (std::uint32_t s : samples) {
      for (int shift : {24, 16, 8, 0}) t.push_back(static_cast<std::uint8_t>(s >> shift));
    }
    return t;
  }
};

}  // namespace vorax::test
