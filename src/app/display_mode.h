// The ways the main display can draw and scale its traces, kept in the settings record.
#pragma once

#include <cstdint>

namespace vorax::app {

// How the traces are drawn: wiggles with positive fill, the positive fill alone (variable
// area), or each sample as a colour (variable density).
enum class DisplayMode : std::int32_t { Wiggle = 0, VariableArea = 1, Density = 2 };

// How each trace is scaled before the gain: as recorded, to its peak, or to its RMS.
enum class TraceBalance : std::int32_t { None = 0, Peak = 1, Rms = 2 };

}  // namespace vorax::app
