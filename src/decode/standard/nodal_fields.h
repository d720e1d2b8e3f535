// Per-trace fields that nodal recorders write in trace header extensions after the standard's
// extension 1, where each maker's public description of its records puts them. Byte positions
// are 1-based within a 32-byte block, as those descriptions count.
//
// Fairfield ("receiver gather" records: manufacturer code 20, revision bytes 01 06):
//   extension 3, bytes 1-8   time of the first sample, microseconds since 1970 UTC
//   extension 5, bytes 18-21 receiver X as laid, bytes 22-25 receiver Y as laid, signed
//                            integers in decimetres
// SmartSolo (manufacturer code 61, revision 2.x):
//   extension 2, bytes 1-8   GPS time of the first sample, microseconds since 1980-01-06
//   extension 3, bytes 1-4, 5-8, 9-12  receiver easting, northing, elevation, signed
//                            integers in centimetres
//   extension 4, bytes 1-4   latitude, signed integer degrees, bytes 5-6 its fraction in
//                            1/65536 degree (away from zero); bytes 7-10 and 11-12 the longitude
//   extension 6, bytes 2-5   unit serial number
#pragma once

#include <cstdint>
#include <optional>

#include "base/byte_reader.h"

namespace vorax::decode {

enum class NodalLayout { None, Fairfield, SmartSolo };

NodalLayout nodalLayoutOf(int manufacturerCode, int revisionMajor, int revisionMinor);

// What a trace's extensions hold; a field is empty when the trace lacks its block or the
// block holds no value (all zero, or a latitude or longitude out of range).
struct NodalTraceFields {
  std::optional<double> receiverX;  // metres
  std::optional<double> receiverY;
  std::optional<double> receiverZ;             // elevation, metres
  std::optional<std::int64_t> startTimeUtcUs;  // first sample, as utc_time.h holds times
  std::optional<double> latitude;              // degrees, north positive
  std::optional<double> longitude;             // degrees, east positive
  std::optional<std::int32_t> unitSerialNumber;
};

// `extensions` are the trace's extension blocks from extension 1 on, as far as they are in
// the file; a block counts only when the trace declares it and all its 32 bytes are there.
NodalTraceFields readNodalTraceFields(NodalLayout layout, Bytes extensions, int declaredBlocks);

}  // namespace vorax::decode
