// Sample formats of standard SEG-D records, all big-endian: 8015 (20-bit binary, four samples
// in ten bytes), 8036 (24-bit two's complement integer), 8038 (32-bit two's complement
// integer), 8058 (IEEE single) and 8080 (IEEE double, revision 3).
#pragma once

#include <cstdint>
#include <span>

#include "base/byte_reader.h"
#include "decode/sample_converters.h"

namespace vorax::decode {

// Bytes that `samples` samples of `formatCode` occupy; 0 for a format not listed above.
std::uint64_t standardSampleBytes(int formatCode, std::uint64_t samples);

// Converts the samples `data` holds into `out`, one value per element; samples missing from a
// short `data` read as 0.
void convertStandardSamples(Bytes data, int formatCode, std::span<float> out);

// Converts like convertStandardSamples and returns the peak of `out` (its largest finite
// magnitude and the first sample holding it), found while converting where the format allows.
SamplePeak convertStandardSamplesToPeak(Bytes data, int formatCode, std::span<float> out);

}  // namespace vorax::decode
