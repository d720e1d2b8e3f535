// Zooming the main display: to a dragged rectangle, in time or in traces about the pointer,
// back through the zooms, and out to the whole record.
#pragma once

#include <cstdint>
#include <optional>

#include "app/display_state.h"
#include "decode/segd_record.h"

namespace vorax::app {

DisplayView viewOf(const DisplayState& state);
void showView(const DisplayView& view, DisplayState& state);

// The whole record: every trace, from its first sample to its last.
DisplayView wholeRecordView(const decode::SegdRecord& record);

// The view of a rectangle dragged from one trace and sample to another (either corner first):
// its traces and the times of its samples. None when it spans less than two samples (a click).
std::optional<DisplayView> rectangleView(const decode::SegdRecord& record, std::int32_t traceA,
                                         std::int32_t sampleA, std::int32_t traceB,
                                         std::int32_t sampleB);

// The time window scaled by `factor` (below 1 zooms in) about `pointerMs`, kept inside the
// record and at least two samples long.
DisplayView timeZoomedView(const decode::SegdRecord& record, const DisplayView& view,
                           double pointerMs, double factor);

// The traces scaled by `factor` about `pointerTrace`, kept inside the record and at least one
// trace wide.
DisplayView traceZoomedView(const decode::SegdRecord& record, const DisplayView& view,
                            std::int32_t pointerTrace, double factor);

// Shows `next` and remembers the view it replaces, for zoomOut. A view equal to the one shown
// changes nothing.
void zoomTo(const DisplayView& next, DisplayState& state);
// Back to the view before the last zoom; false when there was none.
bool zoomOut(DisplayState& state);

}  // namespace vorax::app
