#include "filter/panel_settings.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

#include "base/atomic_file.h"
#include "base/byte_reader.h"
#include "base/fixed_text.h"
#include "base/text_trim.h"

namespace vorax::filter {

namespace {

constexpr std::size_t kWindowOffset = 0;
constexpr std::size_t kCornersOffset = 16;
constexpr std::size_t kEnabledOffset = 112;
constexpr std::size_t kGenerateBmpOffset = 140;
constexpr std::size_t kHeaderLineOffset = 144;
constexpr std::size_t kInfoLineOffset = 174;
constexpr std::size_t kGainOffset = 460;
constexpr std::size_t kClipOffset = 464;
constexpr std::size_t kAgcWindowOffset = 468;
constexpr std::size_t kAgcOffset = 472;

// Without leading and trailing blanks (and the zero bytes a fixed text may end in).
// A line as the file holds it: trimmed, then cut or blank-padded to 30 characters.
decode::FixedText<kPanelLineWidth> panelLine(std::string_view text) {
  return decode::FixedText<kPanelLineWidth>(base::trimmed(text, base::kSpacesAndZeros));
}

void putInt(std::span<std::uint8_t> out, std::size_t offset, std::int32_t v) {
  decode::storeLittle(out, offset, static_cast<std::uint32_t>(v), 4);
}
void putSingle(std::span<std::uint8_t> out, std::size_t offset, float v) {
  decode::storeLittle(out, offset, std::bit_cast<std::uint32_t>(v), 4);
}

}  // namespace

PanelSettings panelSettingsFrom(const app::ViewerSettings& s) {
  PanelSettings p;
  p.traceFrom = s.panelWindow(0);
  p.traceTo = s.panelWindow(1);
  p.timeFromMs = s.panelWindow(2);
  p.timeToMs = s.panelWindow(3);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    for (std::size_t j = 0; j < 4; ++j) p.corners[k][j] = s.panelCorner(k, j);
    p.enabled[k] = s.panelFilterEnabled(k) != 0;
  }
  p.generateBmp = s.panelGenerateBmp() != 0;
  p.headerLine = base::trimmed(s.panelHeaderLine(), base::kSpacesAndZeros);
  p.infoLine = base::trimmed(s.panelInfoLine(), base::kSpacesAndZeros);
  p.folder = base::trimmed(s.panelFolder(), base::kSpacesAndZeros);
  p.initialGainDb = s.panelInitialGainDb();
  p.traceClip = s.panelTraceClip();
  p.agcWindowSeconds = s.panelAgcWindow();
  p.agc = s.panelAgc() != 0;
  return p;
}

void storePanelSettings(const PanelSettings& p, app::ViewerSettings& s) {
  s.setPanelWindow(0, p.traceFrom);
  s.setPanelWindow(1, p.traceTo);
  s.setPanelWindow(2, p.timeFromMs);
  s.setPanelWindow(3, p.timeToMs);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    for (std::size_t j = 0; j < 4; ++j) s.setPanelCorner(k, j, p.corners[k][j]);
    s.setPanelFilterEnabled(k, p.enabled[k] ? 1 : 0);
  }
  s.setPanelGenerateBmp(p.generateBmp ? 1 : 0);
  s.setPanelHeaderLine(base::trimmed(p.headerLine, base::kSpacesAndZeros));
  s.setPanelInfoLine(base::trimmed(p.infoLine, base::kSpacesAndZeros));
  s.setPanelFolder(p.folder);
  s.setPanelInitialGainDb(p.initialGainDb);
  s.setPanelTraceClip(p.traceClip);
  s.setPanelAgcWindow(p.agcWindowSeconds);
  s.setPanelAgc(p.agc ? 1 : 0);
}

std::array<std::uint8_t, kPanelFileBytes> encodePanelFile(const PanelSettings& p) {
  std::array<std::uint8_t, kPanelFileBytes> bytes{};
  const std::span<std::uint8_t> out(bytes);
  const std::array<std::int32_t, 4> window{p.traceFrom, p.traceTo, p.timeFromMs, p.timeToMs};
  for (std::size_t i = 0; i < 4; ++i) putInt(out, kWindowOffset + 4 * i, window[i]);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    for (std::size_t j = 0; j < 4; ++j)
      putSingle(out, kCornersOffset + 16 * k + 4 * j, p.corners[k][j]);
    putInt(out, kEnabledOffset + 4 * k, p.enabled[k] ? 1 : 0);
  }
  putInt(out, kGenerateBmpOffset, p.generateBmp ? 1 : 0);
  const auto header = panelLine(p.headerLine);
  const auto info = panelLine(p.infoLine);
  std::copy_n(header.view().begin(), kPanelLineWidth, bytes.begin() + kHeaderLineOffset);
  std::copy_n(info.view().begin(), kPanelLineWidth, bytes.begin() + kInfoLineOffset);
  putSingle(out, kGainOffset, p.initialGainDb);
  putSingle(out, kClipOffset, p.traceClip);
  putSingle(out, kAgcWindowOffset, p.agcWindowSeconds);
  putInt(out, kAgcOffset, p.agc ? 1 : 0);
  return bytes;
}

std::optional<PanelSettings> decodePanelFile(std::span<const std::uint8_t> bytes,
                                             const PanelSettings& base) {
  if (bytes.size() < kPanelFileBytes) return std::nullopt;
  PanelSettings p = base;
  p.traceFrom = decode::littleI32(bytes, kWindowOffset);
  p.traceTo = decode::littleI32(bytes, kWindowOffset + 4);
  p.timeFromMs = decode::littleI32(bytes, kWindowOffset + 8);
  p.timeToMs = decode::littleI32(bytes, kWindowOffset + 12);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    for (std::size_t j = 0; j < 4; ++j)
      p.corners[k][j] = decode::littleFloat(bytes, kCornersOffset + 16 * k + 4 * j);
    p.enabled[k] = decode::littleI32(bytes, kEnabledOffset + 4 * k) != 0;
  }
  p.generateBmp = decode::littleI32(bytes, kGenerateBmpOffset) != 0;
  auto line = [&](std::size_t offset) {
    return base::trimmed(
        std::string_view(reinterpret_cast<const char*>(bytes.data()) + offset, kPanelLineWidth),
        base::kSpacesAndZeros);
  };
  p.headerLine = line(kHeaderLineOffset);
  p.infoLine = line(kInfoLineOffset);
  p.initialGainDb = decode::littleFloat(bytes, kGainOffset);
  p.traceClip = decode::littleFloat(bytes, kClipOffset);
  p.agcWindowSeconds = decode::littleFloat(bytes, kAgcWindowOffset);
  p.agc = decode::littleI32(bytes, kAgcOffset) != 0;
  return p;
}

std::filesystem::path panelFileName(const std::string& typed) {
  std::string upper = typed;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper.find(".PNL") == std::string::npos ? typed + ".PNL" : typed;
}

std::string savePanelFile(const std::filesystem::path& path, const PanelSettings& panels) {
  const std::array<std::uint8_t, kPanelFileBytes> bytes = encodePanelFile(panels);
  base::AtomicFileWriter file(path);
  file.write(bytes);
  return file.commit() ? std::string() : file.error();
}

PanelFileLoad loadPanelFile(const std::filesystem::path& path, const PanelSettings& base) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "Cannot open " + path.string()};
  std::vector<std::uint8_t> bytes(kPanelFileBytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  std::optional<PanelSettings> settings = decodePanelFile(bytes, base);
  if (!settings)
    return {std::nullopt, path.string() + " is not a panel file: it holds fewer than 476 bytes"};
  return {settings, {}};
}

}  // namespace vorax::filter
