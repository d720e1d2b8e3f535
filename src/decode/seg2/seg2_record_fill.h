// How the keyword values of a SEG-2 file become the record summary and the per-trace
// attributes of the program's record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "decode/seg2/seg2_reader.h"
#include "decode/segd_record.h"

namespace vorax::decode {

// A keyword value as a number: leading blanks skipped, then a decimal number with optional
// sign, fraction and exponent ("1.698500E-004"). 0 when there is none.
double seg2Number(std::string_view text);

// "DD/MON/YYYY" (month as a name or a number; a two-digit year is 19xx for 71-99, else 20xx)
// as the program's date text "YYYY-MM-DD"; any other text comes back trimmed.
std::string seg2DateText(std::string_view acquisitionDate);

// "H:MM:SS" (fractions of a second dropped) as "HH:MM:SS"; any other text comes back trimmed.
std::string seg2TimeText(std::string_view acquisitionTime);

// "Seis" for seismic and dead traces and for a trace without a TRACE_TYPE, else "Aux".
std::string_view seg2ChannelKind(const Seg2TraceDescriptorFields& descriptor);

// The per-trace attributes of trace `traceNumber` (1-based) that its descriptor gives. The
// sample statistics (peak index, amplitude scale) are the loader's.
void fillSeg2TraceInfo(const Seg2Trace& trace, std::int32_t traceNumber, TraceHeaderInfo& info);

// The record summary and the derived times from the file descriptor and the first trace.
// `traceInfo` is already filled for traces 1..N.
void fillSeg2Summary(const Seg2Headers& headers, std::int32_t samplesPerTrace, SegdRecord& record);

}  // namespace vorax::decode
