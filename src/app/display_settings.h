// How the settings record drives the displays: the renderer's options, the paging selection,
// the multi trace view's texts, and the display window a freshly opened record starts with.
#pragma once

#include "app/display_state.h"
#include "app/multi_trace_view.h"
#include "app/record_display.h"
#include "app/settings.h"
#include "decode/segd_record.h"

namespace vorax::app {

DisplayOptions displayOptionsFrom(const ViewerSettings& settings);

// The selected display option; by number when the flags select none.
DisplaySelection displaySelectionFrom(const ViewerSettings& settings);

// Labels, label sides, title and title position of the multi trace view.
MultiTraceOptions multiTraceOptionsFrom(const ViewerSettings& settings, bool numerics);

// The same, with every label still at its default ("Trace k") naming the picked trace's
// channel instead ("Channel 17").
MultiTraceOptions multiTraceOptionsFor(const ViewerSettings& settings, bool numerics,
                                       const decode::SegdRecord& record, const DisplayState& state);

// Traces per screen, start and end times and gain from the settings (as Configure's OK and
// opening a record take them).
void takeDisplaySettings(const ViewerSettings& settings, DisplayState& state);

// The display's start time for a record: the settings' start time, but the record's first
// sample for a start of 0 or less (so a record starting before the shot shows from its start).
float displayStartOf(const ViewerSettings& settings, const decode::SegdRecord& record);

// Configure's "OK" with a record on screen: takeDisplaySettings, then the page shows the new
// number of traces from the current first trace at once (by number), or the whole record
// (display all); a page by line stays.
void applyConfiguredDisplay(const ViewerSettings& settings, const decode::SegdRecord& record,
                            DisplayState& state);

// The display window of a record just opened: picks cleared, times and gain from the
// settings, the first page.
void startRecordDisplay(const ViewerSettings& settings, const decode::SegdRecord& record,
                        DisplayState& state);

// How many traces of a large record to show while the rest load: those of the first page by
// number; by line a few screens, enough for most first lines. 0 when the first page is the
// whole record.
std::int32_t earlyTraceCount(const ViewerSettings& settings, std::int32_t tracesPerScreen);

// Whether the first page of a record holding only its first traces (while the rest load)
// shows what the whole record's first page will: it must end before the traces held do.
bool firstPageWithin(const decode::SegdRecord& leading, const DisplayState& firstPage);

}  // namespace vorax::app
