// Building header blocks byte by byte for the decoder tests. Positions are 1-based, as the
// header layouts number them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vorax::test {

using ByteVector = std::vector<std::uint8_t>;

// Writes `values` into `block` starting at 1-based `position`.
inline void putBytes(ByteVector& block, std::size_t position, std::initializer_list<int> values) {
  for (int value : values) block.at(position++ - 1) = static_cast<std::uint8_t>(value);
}

}  // namespace vorax::test
