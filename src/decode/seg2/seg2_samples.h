// The sample formats of SEG-2 data blocks, read in the file's byte order:
//   1  16-bit two's complement integers
//   2  32-bit two's complement integers
//   3  20-bit floating point: groups of four samples in 10 bytes, a 16-bit exponent word
//      (sample k of the group in bits 4k..4k+3) then four 16-bit two's complement mantissas;
//      a sample is mantissa x 2^exponent. A last, partial group still takes 10 bytes.
//   4  IEEE single
//   5  IEEE double
#pragma once

#include <cstdint>
#include <span>

#include "base/byte_reader.h"

namespace vorax::decode {

// Whether `format` is one of the five formats above.
bool isSeg2Format(int format);

// Bytes that `samples` samples take in `format`; 0 for an unknown format.
std::uint64_t seg2DataBytes(int format, std::uint64_t samples);

// How many whole samples of `format` fit in `bytes`; 0 for an unknown format.
std::uint64_t seg2SamplesIn(int format, std::uint64_t bytes);

// Fills `out` with the first out.size() samples of `data`; samples past the end of `data`
// read as 0.
void convertSeg2Samples(Bytes data, int format, bool littleEndian, std::span<float> out);

}  // namespace vorax::decode
