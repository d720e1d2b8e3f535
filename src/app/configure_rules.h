// The range rules of the Configure dialog: each takes the text the user typed (or the value
// stored) and gives what is kept. Texts are read by their leading number, so a text with no
// number counts as 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorax::app {

// Number of traces to display: above 300 becomes "300", below 5 becomes "5".
std::string clampTracesPerScreenText(std::string_view text);

// Display start time (ms): below 0 becomes "0"; with a record loaded (its length in ms
// given), a start beyond the length becomes the length less 100 (never below 0).
std::string clampStartTimeText(std::string_view text, std::optional<float> recordLengthMs);

// Display end time (ms): below 0 becomes "0"; with a record loaded, an end beyond the
// length becomes the length.
std::string clampEndTimeText(std::string_view text, std::optional<float> recordLengthMs);

// Trace clip in trace spacings: below 0.5 becomes ".5", above 4 becomes "4".
std::string clampClipText(std::string_view text);

// Initial gain in dB: below -60 becomes "-60", above 160 becomes "160".
std::string clampGainText(std::string_view text);

// Empty when the display start and end times (texts as kept by the rules above) give a time
// window to draw; otherwise what is wrong with them.
std::string displayWindowProblem(std::string_view startText, std::string_view endText);

// The stored clip and gain forced into range when the dialog opens.
float clampClip(float clip);
float clampGainDb(float gainDb);

}  // namespace vorax::app
