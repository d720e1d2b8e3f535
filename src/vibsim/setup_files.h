// The similarity set-up files: a multi-vibrator set-up (.MVS, 1400 bytes) and a radio
// similarity set-up (.RSF, 1844 bytes). Each is a byte-for-byte copy of a stretch of rows of
// the settings record (the working set-up lives there), laid out one after another; the
// tables below say which settings row lands at which file offset. Little-endian, read and
// written whole at offset 0, no header, no version.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/settings_layout.h"

namespace vorax::vibsim {

// One settings row and where its bytes sit in a set-up file.
struct SetupFileRow {
  app::SettingRow row;
  std::size_t fileOffset;
};

// A set-up file kind: its rows in file order, its size, the extension appended to a typed
// name that lacks it, and the words its messages use.
struct SetupFileKind {
  std::span<const SetupFileRow> rows;
  std::size_t size;
  std::string_view extension;  // ".MVS", ".RSF"
  std::string_view what;       // "multi-vibrator set-up"
};

inline constexpr std::size_t kMvsSize = 1400;
inline constexpr std::size_t kRsfSize = 1844;

// Multi-vibrator set-up. Name and channel rows 0 are reserved and written as zero bytes.
inline constexpr std::array<SetupFileRow, 11> kMvsRows{{
    {app::rows::kMultiVibNames, 0},       // 31 x 8: row r at 8 x r
    {app::rows::kMultiVibChannels, 248},  // 8 columns x 31 rows of int32
    {app::rows::kMultiVibOptions, 1240},  // pilot channel, then 12 ticks
    {app::rows::kReservedMultiVib, 1292},
    {app::rows::kMultiVibLimits, 1300},        // 10 int32
    {app::rows::kMultiVibMasses, 1340},        // mass of mass, mass of base plate (singles)
    {app::rows::kSimilarityColours, 1348},     // pilot, reference, base plate, mass, ground force
    {app::rows::kMultiVibExtraOptions, 1368},  // "Calculated Force", "Transfer Function"
    {app::rows::kSweepValues, 1376},           // truncate, xcorr limit, FFT scale, end taper
    {app::rows::kSimilarityDelay, 1392},
    {app::rows::kHighResPrint, 1396},
}};

// Radio similarity set-up. Name and file-name rows 0 are reserved (zero bytes).
inline constexpr std::array<SetupFileRow, 13> kRsfRows{{
    {app::rows::kRadioNames, 0},
    {app::rows::kRadioSimFiles, 248},    // 31 x 15
    {app::rows::kRadioPulseFiles, 713},  // 31 x 15
    {app::rows::kRadioFolder, 1178},
    {app::rows::kReservedRadio, 1433},
    {app::rows::kRadioChannels, 1688},  // reference, return
    {app::rows::kRadioReferenceTitle, 1696},
    {app::rows::kRadioReturnTitle, 1708},
    {app::rows::kRadioOptions, 1720},     // 12 ticks as the multi-vibrator one, then high res
    {app::rows::kRadioLimits, 1772},      // 14 int32
    {app::rows::kRadioColours, 1828},     // reference, return
    {app::rows::kSimilarityDelay, 1836},  // shared with the multi-vibrator set-up
    {app::rows::kRadioAutoVibName, 1840},
}};

inline constexpr SetupFileKind kMvsFile{kMvsRows, kMvsSize, ".MVS", "multi-vibrator set-up"};
inline constexpr SetupFileKind kRsfFile{kRsfRows, kRsfSize, ".RSF", "radio similarity set-up"};

constexpr bool setupRowsTileTheFile(const SetupFileKind& kind) {
  std::size_t expected = 0;
  for (const SetupFileRow& r : kind.rows) {
    if (r.fileOffset != expected) return false;
    expected += r.row.size();
  }
  return expected == kind.size;
}
static_assert(setupRowsTileTheFile(kMvsFile), ".MVS rows must cover 1400 bytes exactly");
static_assert(setupRowsTileTheFile(kRsfFile), ".RSF rows must cover 1844 bytes exactly");

// The file image of the working set-up held in `settings`.
std::vector<std::uint8_t> setupImage(const SetupFileKind& kind,
                                     const app::ViewerSettings& settings);
// Copies a file image (exactly kind.size bytes) into the working set-up.
void applySetupImage(const SetupFileKind& kind, std::span<const std::uint8_t> image,
                     app::ViewerSettings& settings);

// The name a typed file name is saved under: the extension appended unless the upper-cased
// name already contains it anywhere ("a.mvs" and "x.MVS.old" are kept).
std::string setupFileName(const SetupFileKind& kind, std::string_view typed);

// Writes the working set-up to `path` atomically. Returns an empty text or why it failed.
std::string writeSetupFile(const SetupFileKind& kind, const std::filesystem::path& path,
                           const app::ViewerSettings& settings);
// Reads a set-up file into the working set-up. A file that is missing, unreadable, not
// exactly kind.size bytes long or holding a value outside its range (checkSetupValues)
// changes nothing and gives the reason; else an empty text.
std::string readSetupFile(const SetupFileKind& kind, const std::filesystem::path& path,
                          app::ViewerSettings& settings);

}  // namespace vorax::vibsim
