// What each element of the set-up rows of the settings record means: the channel columns,
// the ticks and the parameter boxes of the two set-up dialogs, with their captions, in the
// order the dialogs show them. The dialogs, the runs and the command line all read the
// working set-up through these tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/settings.h"
#include "app/settings_layout.h"
#include "vibsim/sim_params.h"

namespace vorax::vibsim {

inline constexpr int kSetupRows = 30;  // vibrator rows 1..30 (row 0 reserved)
inline constexpr std::size_t kNameWidth = 8;
inline constexpr std::size_t kRadioFileNameWidth = 15;

// Channel columns of the multi-vibrator set-up, in file order.
enum ChannelColumn : std::size_t {
  kSimRef,
  kSimBasePlate,
  kSimMass,
  kSimForce,
  kPulseRef,
  kPulseBasePlate,
  kPulseMass,
  kPulseForce
};
inline constexpr std::array<std::string_view, 4> kChannelCaptions{"Ref", "BP", "Mass", "Force"};

// One element of a settings row shown as a tick or a number box, and the SimParams field it
// is copied into before a run (none for values only the run itself reads).
struct SetupField {
  std::string_view caption;
  app::SettingRow row;
  std::size_t index;
  std::int32_t SimParams::*param = nullptr;
};

inline std::int32_t fieldValue(const app::ViewerSettings& s, const SetupField& f) {
  return s.int32(f.row, f.index);
}
inline void setFieldValue(app::ViewerSettings& s, const SetupField& f, std::int32_t v) {
  s.setInt32(f.row, v, f.index);
}

namespace mvs {
using namespace app::rows;
inline constexpr SetupField kPilotChannel{"Pilot Channel", kMultiVibOptions, 0};
inline constexpr SetupField kSimilarity{"Similarity", kMultiVibOptions, 1, &SimParams::similarity};
inline constexpr SetupField kPulse{"Pulse", kMultiVibOptions, 2, &SimParams::pulse};
inline constexpr SetupField kScreenPause{"Screen Pause", kMultiVibOptions, 3,
                                         &SimParams::screenPause};
inline constexpr SetupField kShowZeroLines{"Show Zero Lines", kMultiVibOptions, 4,
                                           &SimParams::showZeroLines};
inline constexpr SetupField kSercel{"Sercel", kMultiVibOptions, 5, &SimParams::sercel};
inline constexpr SetupField kPelton{"Pelton", kMultiVibOptions, 6, &SimParams::pelton};
inline constexpr SetupField kLowResPrint{"Low Res Print", kMultiVibOptions, 7,
                                         &SimParams::lowResPrint};
inline constexpr SetupField kScreen{"Screen", kMultiVibOptions, 8, &SimParams::screen};
inline constexpr SetupField kBmp{"BMP", kMultiVibOptions, 9, &SimParams::bmp};
inline constexpr SetupField kPage1{"Page 1", kMultiVibOptions, 10, &SimParams::page1};
inline constexpr SetupField kPage2{"Page 2", kMultiVibOptions, 11, &SimParams::page2};
inline constexpr SetupField kPage3{"Page 3", kMultiVibOptions, 12, &SimParams::page3};
inline constexpr SetupField kHighResPrint{"High Res Print", app::rows::kHighResPrint, 0};
inline constexpr SetupField kCalculatedForce{"Calculated Force", kMultiVibExtraOptions, 0};
inline constexpr SetupField kTransferFunction{"Transfer Function", kMultiVibExtraOptions, 1};
inline constexpr SetupField kDelay{"Delay (S)", app::rows::kSimilarityDelay, 0};

// The integer parameter boxes, in dialog order.
inline constexpr std::array<SetupField, 14> kParameters{{
    {"Max Frequency", kMultiVibLimits, 0, &SimParams::maxFrequency},
    {"Phase Scale (+/-) Deg", kMultiVibLimits, 1, &SimParams::phaseScale},
    {"Phase QC Limits (+/-) Deg", kMultiVibLimits, 2, &SimParams::phaseQcLimit},
    {"Distortion Max Scale", kMultiVibLimits, 3, &SimParams::distortionMaxScale},
    {"Distortion QC Lim (%)", kMultiVibLimits, 4, &SimParams::distortionQcLimit},
    {"Correlogram Time (+/-)mS", kMultiVibLimits, 5, &SimParams::correlogramTime},
    {"Truncate Time (mS)", kSweepValues, 0, &SimParams::truncateTime},
    {"Xcorr QC Lim (db)", kSweepValues, 1, &SimParams::xcorrQcLimit},
    {"FFT Y Scale (db)", kSweepValues, 2, &SimParams::fftYScale},
    {"Taper Display (mS)", kMultiVibLimits, 6, &SimParams::taperDisplay},
    {"Start Taper Length (mS)", kMultiVibLimits, 7, &SimParams::startTaper},
    {"End Taper Length (mS)", kSweepValues, 3, &SimParams::endTaper},
    {"Pulse Start Time (mS)", kMultiVibLimits, 8, &SimParams::pulseStart},
    {"Pulse End Time (mS)", kMultiVibLimits, 9, &SimParams::pulseEnd},
}};
inline constexpr std::array<SetupField, 12> kTicks{
    kSimilarity,  kPulse,  kScreenPause, kShowZeroLines, kSercel, kPelton,
    kLowResPrint, kScreen, kBmp,         kPage1,         kPage2,  kPage3};
// Singles.
inline constexpr SetupField kMassOfMass{"Mass of Mass (Kg)", kMultiVibMasses, 0};
inline constexpr SetupField kMassOfBasePlate{"Mass of BP (Kg)", kMultiVibMasses, 1};

// Curve colours: pilot, reference, base plate, mass, ground force.
inline constexpr std::array<std::string_view, 5> kColourCaptions{"Pilot", "Reference", "Base Plate",
                                                                 "Mass", "Ground Force"};
enum Colour : std::size_t {
  kPilotColour,
  kReferenceColour,
  kBasePlateColour,
  kMassColour,
  kForceColour
};
}  // namespace mvs

namespace rsf {
using namespace app::rows;
inline constexpr SetupField kReferenceChannel{"Radio Ref Channel", app::rows::kRadioChannels, 0};
inline constexpr SetupField kReturnChannel{"Radio Return Channel", app::rows::kRadioChannels, 1};
inline constexpr SetupField kSimilarity{"Similarity", kRadioOptions, 0, &SimParams::similarity};
inline constexpr SetupField kPulse{"Pulse", kRadioOptions, 1, &SimParams::pulse};
inline constexpr SetupField kScreenPause{"Screen Pause", kRadioOptions, 2, &SimParams::screenPause};
inline constexpr SetupField kShowZeroLines{"Show Zero Lines", kRadioOptions, 3,
                                           &SimParams::showZeroLines};
inline constexpr SetupField kSercel{"Sercel", kRadioOptions, 4, &SimParams::sercel};
inline constexpr SetupField kPelton{"Pelton", kRadioOptions, 5, &SimParams::pelton};
inline constexpr SetupField kLowResPrint{"Low Res Print", kRadioOptions, 6,
                                         &SimParams::lowResPrint};
inline constexpr SetupField kScreen{"Screen", kRadioOptions, 7, &SimParams::screen};
inline constexpr SetupField kBmp{"BMP", kRadioOptions, 8, &SimParams::bmp};
inline constexpr SetupField kPage1{"Page 1", kRadioOptions, 9, &SimParams::page1};
inline constexpr SetupField kPage2{"Page 2", kRadioOptions, 10, &SimParams::page2};
inline constexpr SetupField kPage3{"Page 3", kRadioOptions, 11, &SimParams::page3};
inline constexpr SetupField kHighResPrint{"High Res Print", kRadioOptions, 12};
inline constexpr SetupField kDelay{"Delay (S)", app::rows::kSimilarityDelay, 0};
inline constexpr SetupField kAutoVibName{"Auto Vib Name", app::rows::kRadioAutoVibName, 0,
                                         &SimParams::autoVibName};

inline constexpr std::array<SetupField, 14> kParameters{{
    {"Max Frequency", kRadioLimits, 0, &SimParams::maxFrequency},
    {"Phase Scale (+/-) Deg", kRadioLimits, 1, &SimParams::phaseScale},
    {"Phase QC Limits (+/-) Deg", kRadioLimits, 2, &SimParams::phaseQcLimit},
    {"Distortion Max Scale", kRadioLimits, 3, &SimParams::distortionMaxScale},
    {"Distortion QC Lim (%)", kRadioLimits, 4, &SimParams::distortionQcLimit},
    {"Correlogram Time (+/-)mS", kRadioLimits, 5, &SimParams::correlogramTime},
    {"Truncate Time (mS)", kRadioLimits, 6, &SimParams::truncateTime},
    {"Xcorr QC Lim (db)", kRadioLimits, 7, &SimParams::xcorrQcLimit},
    {"FFT Y Scale (db)", kRadioLimits, 8, &SimParams::fftYScale},
    {"Taper Display (mS)", kRadioLimits, 9, &SimParams::taperDisplay},
    {"Start Taper Length (mS)", kRadioLimits, 10, &SimParams::startTaper},
    {"End Taper Length (mS)", kRadioLimits, 11, &SimParams::endTaper},
    {"Pulse Start Time (mS)", kRadioLimits, 12, &SimParams::pulseStart},
    {"Pulse End Time (mS)", kRadioLimits, 13, &SimParams::pulseEnd},
}};
inline constexpr std::array<SetupField, 13> kTicks{
    kSimilarity, kPulse, kScreenPause, kShowZeroLines, kSercel, kPelton,     kLowResPrint,
    kScreen,     kBmp,   kPage1,       kPage2,         kPage3,  kAutoVibName};
enum Colour : std::size_t { kReferenceColour, kReturnColour };
}  // namespace rsf

}  // namespace vorax::vibsim
