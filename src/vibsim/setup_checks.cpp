#include "vibsim/setup_checks.h"

#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "vibsim/setup_fields.h"

namespace vorax::vibsim {

namespace {

constexpr std::int64_t kLongestMs = 3'600'000;  // an hour: far beyond any sweep or record

struct NamedRange {
  std::string_view caption;
  SetupRange range;
};

constexpr NamedRange kRanges[] = {
    {"Max Frequency", {1, 10'000}},
    {"Phase Scale (+/-) Deg", {1, 360}},
    {"Phase QC Limits (+/-) Deg", {0, 360}},
    {"Distortion Max Scale", {1, 10'000}},
    {"Distortion QC Lim (%)", {0, 10'000}},
    {"Correlogram Time (+/-)mS", {1, 100'000}},
    {"Truncate Time (mS)", {1, kLongestMs}},
    {"Xcorr QC Lim (db)", {0, 120}},
    {"FFT Y Scale (db)", {1, 200}},
    {"Taper Display (mS)", {1, kLongestMs}},
    {"Start Taper Length (mS)", {0, kLongestMs}},
    {"End Taper Length (mS)", {0, kLongestMs}},
    {"Pulse Start Time (mS)", {0, kLongestMs}},
    {"Pulse End Time (mS)", {0, kLongestMs}},
    {"Delay (S)", {0, 3600}},
};

std::string quoted(std::string_view caption) {
  return "\"" + std::string(caption) + "\"";
}

std::string outOfRange(std::string_view caption, std::int64_t value, SetupRange r) {
  return quoted(caption) + " is " + std::to_string(value) + "; it must be " +
         std::to_string(r.low) + " to " + std::to_string(r.high);
}

// The fields of one set-up kind that carry numbers.
struct KindFields {
  std::span<const SetupField> parameters;
  std::span<const SetupField> ticks;
  std::vector<SetupField> moreTicks;
  SetupField delay;
  app::SettingRow colours;
  std::vector<SetupField> masses;  // singles
};

KindFields fieldsOf(const SetupFileKind& kind) {
  if (kind.size == kRsfSize)
    return {rsf::kParameters,         rsf::kTicks, {rsf::kHighResPrint}, rsf::kDelay,
            app::rows::kRadioColours, {}};
  return {mvs::kParameters,
          mvs::kTicks,
          {mvs::kHighResPrint, mvs::kCalculatedForce, mvs::kTransferFunction},
          mvs::kDelay,
          app::rows::kSimilarityColours,
          {mvs::kMassOfMass, mvs::kMassOfBasePlate}};
}

std::string checkRanges(std::span<const SetupField> fields, const app::ViewerSettings& s,
                        std::optional<SetupRange> fixed = std::nullopt) {
  for (const SetupField& f : fields) {
    const std::int32_t value = fieldValue(s, f);
    const std::optional<SetupRange> range = fixed ? fixed : setupRangeOf(f.caption);
    if (range && (value < range->low || value > range->high))
      return outOfRange(f.caption, value, *range);
  }
  return {};
}

std::string checkCombinations(std::span<const SetupField> parameters,
                              const app::ViewerSettings& s) {
  const auto value = [&](std::string_view caption) -> std::int64_t {
    for (const SetupField& f : parameters)
      if (f.caption == caption) return fieldValue(s, f);
    return 0;
  };
  const std::int64_t tapers = value("Start Taper Length (mS)") + value("End Taper Length (mS)");
  const std::int64_t truncate = value("Truncate Time (mS)");
  if (tapers >= truncate)
    return quoted("Start Taper Length (mS)") + " and " + quoted("End Taper Length (mS)") +
           " together (" + std::to_string(tapers) + " ms) cover the whole " +
           quoted("Truncate Time (mS)") + " (" + std::to_string(truncate) +
           " ms): no point of the sweep would be judged";
  const std::int64_t pulseStart = value("Pulse Start Time (mS)");
  const std::int64_t pulseEnd = value("Pulse End Time (mS)");
  if (pulseStart >= pulseEnd)
    return quoted("Pulse Start Time (mS)") + " (" + std::to_string(pulseStart) +
           ") must be below " + quoted("Pulse End Time (mS)") + " (" + std::to_string(pulseEnd) +
           ")";
  return {};
}

std::string checkColours(const app::ViewerSettings& s, const app::SettingRow& row) {
  for (std::size_t i = 0; i < row.count; ++i)
    if (s.colour(row, i) > 0xFFFFFF)
      return "Colour " + std::to_string(i + 1) + " of the set-up is not a colour (" +
             std::to_string(s.colour(row, i)) + ")";
  return {};
}

std::string checkMasses(const std::vector<SetupField>& masses, const app::ViewerSettings& s) {
  for (const SetupField& mass : masses) {
    const float m = s.single(mass.row, mass.index);
    if (!std::isfinite(m) || m < 0 || m > 1e9f)
      return quoted(mass.caption) + " is not a mass in kg";
  }
  return {};
}

}  // namespace

std::optional<SetupRange> setupRangeOf(std::string_view caption) {
  for (const NamedRange& r : kRanges)
    if (r.caption == caption) return r.range;
  return std::nullopt;
}

std::string checkSetupValues(const SetupFileKind& kind, const app::ViewerSettings& s) {
  const KindFields f = fieldsOf(kind);
  const SetupField delay[] = {f.delay};
  for (const std::string& problem :
       {checkRanges(f.parameters, s), checkRanges(f.ticks, s, SetupRange{0, 1}),
        checkRanges(f.moreTicks, s, SetupRange{0, 1}), checkRanges(delay, s),
        checkCombinations(f.parameters, s), checkColours(s, f.colours), checkMasses(f.masses, s)})
    if (!problem.empty()) return problem;
  return {};
}

}  // namespace vorax::vibsim
