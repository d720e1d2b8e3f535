// The filter panels' settings: kept in the viewer settings, and saved to and loaded from
// panel files (.PNL), one 476-byte little-endian record:
//     0  4 x int32    trace from, trace to, time from (ms), time to (ms)
//    16  24 x single  F1..F4 of filter 1, then of filters 2..6
//   112  6 x int32    filter 1..6 enabled (1 on, 0 off)
//   136  int32        reserved, 0
//   140  int32        "Generate BMP Files" (1 on, 0 off)
//   144  30 chars     "Header Line", trimmed, blank-padded
//   174  30 chars     "Info Line", trimmed, blank-padded
//   204  256 bytes    reserved, zeros (the panel folder is not part of a panel file)
//   460  single       "Initial Gain dB"
//   464  single       "Trace Clip"
//   468  single       AGC "Window" (s)
//   472  int32        "AGC" (1 on, 0 off)
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "app/settings.h"

namespace vorax::filter {

inline constexpr std::size_t kPanelFilterCount = 6;
inline constexpr std::size_t kPanelFileBytes = 476;
inline constexpr std::size_t kPanelLineWidth = 30;

struct PanelSettings {
  std::int32_t traceFrom = 40;
  std::int32_t traceTo = 200;
  std::int32_t timeFromMs = 1000;
  std::int32_t timeToMs = 2000;
  std::array<std::array<float, 4>, kPanelFilterCount> corners{{{8, 12, 60, 70},
                                                               {9, 13, 65, 75},
                                                               {10, 14, 70, 80},
                                                               {11, 15, 75, 85},
                                                               {12, 16, 80, 95},
                                                               {13, 17, 85, 100}}};
  std::array<bool, kPanelFilterCount> enabled{true, true, true, false, false, false};
  bool generateBmp = false;
  std::string headerLine = "Sweep Tests ...";  // at most 30 characters, trimmed
  std::string infoLine = app::kContractorCrewPreset;
  std::string folder;  // at most 256 characters
  float initialGainDb = 24;
  float traceClip = 0.7f;
  float agcWindowSeconds = 0.5f;
  bool agc = false;

  bool operator==(const PanelSettings&) const = default;
};

PanelSettings panelSettingsFrom(const app::ViewerSettings& settings);
void storePanelSettings(const PanelSettings& panels, app::ViewerSettings& settings);

// The 476-byte record of a panel file.
std::array<std::uint8_t, kPanelFileBytes> encodePanelFile(const PanelSettings& panels);
// Every field of a panel file over `base` (whose folder is kept); nullopt when the bytes are
// fewer than a record.
std::optional<PanelSettings> decodePanelFile(std::span<const std::uint8_t> bytes,
                                             const PanelSettings& base);

// The name a panel file is saved under: the typed name, with ".PNL" appended unless the name
// already contains it (in any case).
std::filesystem::path panelFileName(const std::string& typed);

// Writes the record to `path` (temporary name beside it, then renamed). Empty, or why not.
std::string savePanelFile(const std::filesystem::path& path, const PanelSettings& panels);
// Reads a panel file over `base`; the error text says why it could not be.
struct PanelFileLoad {
  std::optional<PanelSettings> settings;
  std::string error;
};
PanelFileLoad loadPanelFile(const std::filesystem::path& path, const PanelSettings& base);

}  // namespace vorax::filter
