#include "vibsim/similarity_setup.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "base/text_trim.h"
#include "vibsim/setup_fields.h"

namespace vorax::vibsim {

namespace {

template <std::size_t N>
void copyParams(const app::ViewerSettings& s, const std::array<SetupField, N>& fields,
                SimParams& p) {
  for (const SetupField& f : fields) {
    if (f.param != nullptr) p.*(f.param) = fieldValue(s, f);
  }
}

std::string rowLabel(std::string_view name, int row) {
  std::string label = base::trimmed(name);
  return label.empty() ? std::to_string(row) : label;
}

std::string upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

ChannelProblem invalidChannel(std::string_view caption, const std::string& label) {
  const std::string reason = std::string(caption) + " Channel for Vib " + label + " is invalid";
  return {reason + ", OK to Skip, Cancel Exits", reason, false};
}

}  // namespace

float parseSetupSingle(std::string_view text) {
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(value)) return 0;
  return static_cast<float>(std::clamp(value, -3.0e38, 3.0e38));
}

std::int32_t parseSetupInteger(std::string_view text) {
  const std::string copy(text);
  const double value = std::nearbyint(std::strtod(copy.c_str(), nullptr));
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, kLow, kHigh));
}

WirelineSetup wirelineSetupOf(const app::ViewerSettings& s) {
  WirelineSetup setup;
  copyParams(s, mvs::kTicks, setup.params);
  copyParams(s, mvs::kParameters, setup.params);
  setup.pilotChannel = fieldValue(s, mvs::kPilotChannel);
  setup.delaySeconds = fieldValue(s, mvs::kDelay);
  setup.highResPrint = fieldValue(s, mvs::kHighResPrint) == 1;
  setup.colours = {s.similarityColour(mvs::kPilotColour), s.similarityColour(mvs::kReferenceColour),
                   s.similarityColour(mvs::kBasePlateColour), s.similarityColour(mvs::kMassColour),
                   s.similarityColour(mvs::kForceColour)};
  const std::size_t first = setup.pulseTest() ? kPulseRef : kSimRef;
  for (int row = 1; row <= kSetupRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const VibratorChannels ch{s.multiVibChannel(first, r), s.multiVibChannel(first + 1, r),
                              s.multiVibChannel(first + 2, r), s.multiVibChannel(first + 3, r)};
    if (ch.reference > 0 && ch.force > 0)
      setup.vibrators.push_back({row, rowLabel(s.multiVibName(r), row), ch});
  }
  return setup;
}

int printQuality(const SimParams& params, bool highResPrint) {
  if (highResPrint) return 2;
  return params.lowResPrint == 1 ? 1 : 0;
}

std::optional<ChannelProblem> checkWirelineChannels(const WirelineSetup& setup,
                                                    const WirelineVibrator& v,
                                                    std::int32_t traceCount) {
  if (setup.pilotChannel <= 0 || setup.pilotChannel > traceCount)
    return ChannelProblem{"Pilot Channel is invalid", "Pilot Channel is invalid", true};
  const bool pulse = setup.pulseTest();
  const struct {
    std::int32_t channel;
    const char* caption;
  } checks[] = {
      {v.channels.reference, pulse ? "Pulse Ref" : "Ref"},
      {v.channels.basePlate, pulse ? "Pulse Base Plate" : "Base Plate"},
      {v.channels.mass, pulse ? "Pulse Mass" : "Mass"},
      {v.channels.force, pulse ? "Pulse Force" : "Force"},
  };
  for (const auto& check : checks) {
    if (check.channel > traceCount || check.channel < 0)
      return invalidChannel(check.caption, v.label);
  }
  return std::nullopt;
}

RadioSetup radioSetupOf(const app::ViewerSettings& s, const std::filesystem::path& folder) {
  RadioSetup setup;
  copyParams(s, rsf::kTicks, setup.params);
  copyParams(s, rsf::kParameters, setup.params);
  setup.referenceChannel = fieldValue(s, rsf::kReferenceChannel);
  setup.returnChannel = fieldValue(s, rsf::kReturnChannel);
  setup.referenceTitle = std::string(s.radioReferenceTitle());
  setup.returnTitle = std::string(s.radioReturnTitle());
  setup.referenceColour = s.radioColour(rsf::kReferenceColour);
  setup.returnColour = s.radioColour(rsf::kReturnColour);
  setup.delaySeconds = fieldValue(s, rsf::kDelay);
  setup.highResPrint = fieldValue(s, rsf::kHighResPrint) == 1;
  setup.folder = folder;
  for (int row = 1; row <= kSetupRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const std::string file =
        base::trimmed(setup.pulseTest() ? s.radioPulseFile(r) : s.radioSimFile(r));
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(folder / file, ec)) continue;
    const std::string label =
        setup.params.autoVibName == 1 ? autoVibName(file) : rowLabel(s.radioName(r), row);
    setup.vibrators.push_back({row, label, file});
  }
  return setup;
}

std::string noListedFileMessage(std::string_view folder) {
  return "No listed file was found in the radio similarity folder " + std::string(folder) + ".";
}

std::optional<std::string> checkRadioChannels(const RadioSetup& setup, std::int32_t traceCount) {
  if (setup.referenceChannel <= 0 || setup.referenceChannel > traceCount)
    return "Radio Reference Channel is invalid";
  if (setup.returnChannel <= 0 || setup.returnChannel > traceCount)
    return "Radio Return Channel is invalid";
  return std::nullopt;
}

std::vector<std::string> radioFolderFiles(const std::filesystem::path& folder) {
  static constexpr std::string_view kIgnored[] = {".BMP", ".TXT", ".JPG", ".WRI", ".DOC"};
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::error_code entryError;
    if (!entry.is_regular_file(entryError) || entry.file_size(entryError) == 0 || entryError)
      continue;
    const std::string name = entry.path().filename().string();
    const std::string upperName = upper(name);
    const bool ignored = std::ranges::any_of(kIgnored, [&](std::string_view ext) {
      return upperName.size() >= ext.size() && upperName.ends_with(ext);
    });
    if (!ignored) files.push_back(name);
  }
  std::ranges::sort(files, [](const std::string& a, const std::string& b) {
    const std::string ua = upper(a), ub = upper(b);
    return ua != ub ? ua < ub : a < b;
  });
  return files;
}

std::string shortFolderText(std::string_view folder) {
  constexpr std::size_t kShown = 21;
  if (folder.size() <= kShown) return std::string(folder);
  return "\\.." + std::string(folder.substr(folder.size() - kShown));
}

std::string autoVibName(std::string_view fileName) {
  const std::string stem = std::filesystem::path(std::string(fileName)).stem().string();
  return stem.substr(0, std::min(stem.size(), kNameWidth));
}

void loadAllRadioFiles(const std::vector<std::string>& files, app::ViewerSettings& s) {
  const bool autoName = fieldValue(s, rsf::kAutoVibName) == 1;
  for (int row = 1; row <= kSetupRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const std::string file = r <= files.size() ? files[r - 1] : std::string();
    s.setRadioSimFile(r, file);
    if (autoName && !file.empty()) s.setRadioName(r, autoVibName(file));
  }
}

}  // namespace vorax::vibsim
