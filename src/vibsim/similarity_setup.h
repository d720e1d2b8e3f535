// The working set-ups read for a run: which vibrators take part, on which channels or from
// which files, under which labels, with which parameters and colours; and the checks a run
// makes before it draws a vibrator. Shared by the set-up dialogs and `vorax vibsim` /
// `vorax radiosim`.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "app/settings.h"
#include "vibsim/sim_params.h"

namespace vorax::vibsim {

using app::Colorref;

// A number typed in a set-up box: the value of the text's leading number (blanks before it
// allowed), rounded to the nearest integer with ties to even and held within the 32-bit
// range; text that does not start with a number counts as 0.
std::int32_t parseSetupInteger(std::string_view text);
float parseSetupSingle(std::string_view text);

// Curve colours of the wireline pages.
struct WirelineColours {
  Colorref pilot = 0x0000FF;
  Colorref reference = 0xFF0000;
  Colorref basePlate = 0x00FF00;
  Colorref mass = 0x00FFFF;
  Colorref force = 0xFF00FF;
};

// Trace numbers of one vibrator (0: none).
struct VibratorChannels {
  std::int32_t reference = 0;
  std::int32_t basePlate = 0;
  std::int32_t mass = 0;
  std::int32_t force = 0;
};

struct WirelineVibrator {
  int row = 0;        // 1..30
  std::string label;  // the row's name, or its number when the name is empty
  VibratorChannels channels;
};

struct WirelineSetup {
  SimParams params;
  std::int32_t pilotChannel = 1;
  std::int32_t delaySeconds = 5;
  bool highResPrint = false;
  WirelineColours colours;
  // Rows whose Ref and Force channels (of the Sim or the Pulse columns, as the test chosen)
  // are above 0, in row order.
  std::vector<WirelineVibrator> vibrators;

  bool pulseTest() const { return params.pulse == 1; }
};

WirelineSetup wirelineSetupOf(const app::ViewerSettings& settings);

// Print quality of a run: 2 high resolution, 1 low resolution, 0 none.
int printQuality(const SimParams& params, bool highResPrint);

// Why a vibrator cannot be drawn on a record of `traceCount` traces: the pilot channel (the
// run ends: "Pilot Channel is invalid") or one of its own channels (the vibrator may be
// skipped: "Ref Channel for Vib V1 is invalid, OK to Skip, Cancel Exits"). An empty base
// plate or mass channel (0) is allowed: its plots stay empty.
struct ChannelProblem {
  std::string message;  // as the message box shows it
  std::string reason;   // the same without the box's ", OK to Skip, Cancel Exits"
  bool endsRun = false;
};
std::optional<ChannelProblem> checkWirelineChannels(const WirelineSetup& setup,
                                                    const WirelineVibrator& vibrator,
                                                    std::int32_t traceCount);

// Radio similarity.
struct RadioVibrator {
  int row = 0;
  std::string label;
  std::string file;  // file name in the folder, spaces trimmed
};

struct RadioSetup {
  SimParams params;
  std::int32_t referenceChannel = 2;
  std::int32_t returnChannel = 3;
  std::string referenceTitle = "Radio Ref";
  std::string returnTitle = "Ground Force";
  Colorref referenceColour = 0x0000FF;
  Colorref returnColour = 0x00FF00;
  std::int32_t delaySeconds = 5;
  bool highResPrint = false;
  std::filesystem::path folder;
  // Rows whose file (Sim File or Pulse File, as the test chosen) exists in the folder.
  std::vector<RadioVibrator> vibrators;

  bool pulseTest() const { return params.pulse == 1; }
};

// `folder` is the folder the run reads (the dialog's chosen folder, or the command's).
RadioSetup radioSetupOf(const app::ViewerSettings& settings, const std::filesystem::path& folder);

// "No listed file was found in the radio similarity folder " + the folder searched + ".": a
// run whose rows name no file of the folder.
std::string noListedFileMessage(std::string_view folder);

// "Radio Reference Channel is invalid" / "Radio Return Channel is invalid" for a channel of 0
// or above the record's trace count.
std::optional<std::string> checkRadioChannels(const RadioSetup& setup, std::int32_t traceCount);

// The files of a radio similarity folder: every regular file longer than 0 bytes whose name
// does not end in .BMP, .TXT, .JPG, .WRI or .DOC (any letter case), sorted by name.
std::vector<std::string> radioFolderFiles(const std::filesystem::path& folder);

// The folder as shown beside "Choose Folder": itself up to 21 characters, else "\.." and its
// last 21 characters.
std::string shortFolderText(std::string_view folder);

// "Auto Vib Name": the file name without its extension, cut to 8 characters.
std::string autoVibName(std::string_view fileName);

// "Load All Files": the files fill the "Sim File" column from row 1 in list order (at most
// 30; the rows after the last file are emptied), and with "Auto Vib Name" ticked each filled
// row is named after its file.
void loadAllRadioFiles(const std::vector<std::string>& files, app::ViewerSettings& settings);

}  // namespace vorax::vibsim
