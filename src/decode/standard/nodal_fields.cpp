#include "decode/standard/nodal_fields.h"

#include <cmath>

#include "decode/segd/segd_layout.h"
#include "decode/utc_time.h"

namespace vorax::decode {

namespace {

using segd_layout::kBlockBytes;

// Block `number` (1-based) of the extensions, or empty when the trace does not have it whole.
Bytes block(Bytes extensions, int declaredBlocks, int number) {
  const std::size_t start = kBlockBytes * static_cast<std::size_t>(number - 1);
  if (number > declaredBlocks || extensions.size() < start + kBlockBytes) return {};
  return extensions.subspan(start, kBlockBytes);
}

// X and Y (and Z when given) in metres from signed 32-bit integers `perMetre` to the metre;
// empty when all are zero, as a block the recorder left blank holds.
void readCoordinates(Bytes b, std::size_t xAt, std::size_t yAt, std::optional<std::size_t> zAt,
                     double perMetre, NodalTraceFields& out) {
  const std::int32_t x = bigI32(b, xAt);
  const std::int32_t y = bigI32(b, yAt);
  const std::int32_t z = zAt ? bigI32(b, *zAt) : 0;
  if (x == 0 && y == 0 && z == 0) return;
  out.receiverX = x / perMetre;
  out.receiverY = y / perMetre;
  if (zAt) out.receiverZ = z / perMetre;
}

// Signed whole degrees at `at` and a 16-bit fraction after them, taken away from zero.
std::optional<double> degrees(Bytes b, std::size_t at, double limit) {
  const std::int32_t whole = bigI32(b, at);
  const std::uint16_t fraction = bigU16(b, at + 4);
  if (whole == 0 && fraction == 0) return std::nullopt;
  const double magnitude = std::abs(static_cast<double>(whole)) + fraction / 65536.0;
  if (magnitude > limit) return std::nullopt;
  return whole < 0 ? -magnitude : magnitude;
}

void readFairfield(Bytes extensions, int declared, NodalTraceFields& out) {
  if (const Bytes time = block(extensions, declared, 3); !time.empty())
    out.startTimeUtcUs = utcFromUnixMicroseconds(bigUnsigned(time, 0, 8));
  if (const Bytes position = block(extensions, declared, 5); !position.empty())
    readCoordinates(position, 17, 21, std::nullopt, 10, out);
}

void readSmartSolo(Bytes extensions, int declared, NodalTraceFields& out) {
  if (const Bytes time = block(extensions, declared, 2); !time.empty())
    out.startTimeUtcUs = utcFromGpsMicroseconds(bigUnsigned(time, 0, 8));
  if (const Bytes position = block(extensions, declared, 3); !position.empty())
    readCoordinates(position, 0, 4, 8, 100, out);
  if (const Bytes gps = block(extensions, declared, 4); !gps.empty()) {
    out.latitude = degrees(gps, 0, 90);
    out.longitude = degrees(gps, 6, 180);
  }
  if (const Bytes unit = block(extensions, declared, 6); !unit.empty()) {
    const std::uint32_t serial = bigU32(unit, 1);
    if (serial != 0 && serial <= INT32_MAX)
      out.unitSerialNumber = static_cast<std::int32_t>(serial);
  }
}

}  // namespace

NodalLayout nodalLayoutOf(int manufacturerCode, int revisionMajor, int revisionMinor) {
  if (manufacturerCode == 20 && revisionMajor == 1 && revisionMinor == 6)
    return NodalLayout::Fairfield;
  if (manufacturerCode == 61 && revisionMajor == 2) return NodalLayout::SmartSolo;
  return NodalLayout::None;
}

NodalTraceFields readNodalTraceFields(NodalLayout layout, Bytes extensions, int declaredBlocks) {
  NodalTraceFields out;
  if (layout == NodalLayout::Fairfield) readFairfield(extensions, declaredBlocks, out);
  if (layout == NodalLayout::SmartSolo) readSmartSolo(extensions, declaredBlocks, out);
  return out;
}

}  // namespace vorax::decode
