#include "app/configure_rules.h"

#include <algorithm>
#include <cmath>

#include "base/text_trim.h"
#include "decode/conversions.h"

namespace vorax::app {

std::string clampTracesPerScreenText(std::string_view text) {
  double n = decode::numericValue(text);
  if (n > 300) return "300";
  if (n < 5) return "5";
  return base::trimmed(text);
}

std::string clampStartTimeText(std::string_view text, std::optional<float> recordLengthMs) {
  double ms = decode::numericValue(text);
  if (ms < 0) return "0";
  if (recordLengthMs && ms > *recordLengthMs)
    return decode::shortestText(std::max(0.0f, *recordLengthMs - 100));
  return base::trimmed(text);
}

std::string clampEndTimeText(std::string_view text, std::optional<float> recordLengthMs) {
  double ms = decode::numericValue(text);
  if (ms < 0) return "0";
  if (recordLengthMs && ms > *recordLengthMs) return decode::shortestText(*recordLengthMs);
  return base::trimmed(text);
}

std::string clampClipText(std::string_view text) {
  double clip = decode::numericValue(text);
  if (clip < 0.5) return ".5";
  if (clip > 4) return "4";
  return base::trimmed(text);
}

std::string clampGainText(std::string_view text) {
  double db = decode::numericValue(text);
  if (db < -60) return "-60";
  if (db > 160) return "160";
  return base::trimmed(text);
}

std::string displayWindowProblem(std::string_view startText, std::string_view endText) {
  const double start = decode::numericValue(startText);
  const double end = decode::numericValue(endText);
  if (start < end) return {};
  return "The Display Start Time (" + decode::shortestText(start) +
         " ms) must be before the Display EndTime (" + decode::shortestText(end) + " ms).";
}

float clampClip(float clip) {
  return std::isnan(clip) ? 0.5f : std::clamp(clip, 0.5f, 4.0f);
}

float clampGainDb(float gainDb) {
  return std::isnan(gainDb) ? 0.0f : std::clamp(gainDb, -60.0f, 160.0f);
}

}  // namespace vorax::app
