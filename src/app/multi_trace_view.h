// The multi trace view: up to six picked traces laid horizontally, time running to the right,
// each on its own base line (slot k on y = k, y growing upwards), with labels and a title.
#pragma once

#include <array>
#include <string>

#include "app/canvas.h"
#include "app/display_state.h"
#include "decode/segd_record.h"

namespace vorax::app {

enum class TitlePosition { Left, Middle, Right };

// The view's texts and options, as the settings hold them.
struct MultiTraceOptions {
  std::array<std::string, kMaxPickedTraces> labels;
  std::array<bool, kMaxPickedTraces> labelLeft{true, true, true, true, true, true};
  std::string title = "Multi Trace Display";
  TitlePosition titlePosition = TitlePosition::Middle;
  bool numerics = false;  // mark and annotate every sample when fewer than 50 are shown
};

// Fewer samples than this on screen let the numerics option annotate each sample.
inline constexpr double kNumericsSampleLimit = 50;

// Draws the picked traces of `state` over its display time window. Each slot's trace is
// drawn as y = k + s x (sample(j) - sample(start)), s the slot's scale (0 counting as 1),
// without clipping. Picks the record does not hold are left empty.
void DrawMultiTraceView(Canvas& canvas, const decode::SegdRecord& record, const DisplayState& state,
                        const MultiTraceOptions& options);

}  // namespace vorax::app
