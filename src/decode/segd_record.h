// The in-memory record every view works on: the header summary, the trace samples, the
// per-trace attributes and the receiver-line runs. Loading a file replaces it whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "decode/zeroed_floats.h"

namespace vorax::decode {

// Colours are Windows COLORREF values, 0x00BBGGRR.
using Colorref = std::uint32_t;

// Header summary, filled by the header driver. Field order and widths as the summary table.
struct RecordSummary {
  FixedText<4> fileNumber;
  FixedText<10> recordDate;
  FixedText<8> recordTime;
  FixedText<16> label;
  FixedText<4> tapeNumber;
  float sampleIntervalUs = 0;
  std::int32_t samplesPerTrace = 0;
  FixedText<12> recordType;
  FixedText<16> spare1;
  float sourceLine = 0;
  float sourcePoint = 0;
  double sourceX = 0;
  double sourceY = 0;
  float sourceZ = 0;
  std::int32_t traceCount = 0;
  std::int32_t auxTraceCount = 0;
  std::int32_t seismicTraceCount = 0;
  std::int32_t firstReceiverLine = 0;
  std::int32_t firstReceiverPoint = 0;
  FixedText<3> timeBreakKind;
  std::int32_t spare2 = 0;
  float spare3 = 0;
  float spare4 = 0;
  FixedText<12> filter;
  std::int32_t timeBreakTime = 0;
  std::int32_t upholeTime = 0;
  std::int32_t blastIdentifier = 0;
  FixedText<60> extendedHeaderStatus;
  // The recorder's GPS position in degrees (north and east positive), when the record gives
  // one: a nodal recorder's, from its first trace that holds it.
  std::optional<double> gpsLatitude;
  std::optional<double> gpsLongitude;
};

// Per-trace attributes. The comments name what the one-block (VORAX) reader stores where it
// differs from the seven-block (Sercel) reader's meaning.
struct TraceHeaderInfo {
  float receiverLine = 0;
  float receiverPoint = 0;
  double receiverX = 0;
  double receiverY = 0;
  float receiverZ = 0;
  FixedText<4> channelKind;  // "Seis" / "Aux"
  FixedText<8> sensorKind;   // "Geoph" / "Hydro"; empty for VORAX; with the component for
                             // standard records: "Geoph Z", "Geoph H1", "Accel H2", ...
  float resistance = 0;      // VORAX: low digit of ext. byte 26 (cable number)
  float capacitance = 0;     // VORAX: trace edit code
  float tilt = 0;            // VORAX: ext. byte 21 (recorded gain)
  float leakage = 0;         // VORAX: high digit of ext. byte 26
  std::int32_t resistanceError = 0;
  std::int32_t capacitanceError = 0;
  std::int32_t tiltError = 0;
  std::int32_t leakageError = 0;
  float resistanceLowLimit = 0;
  float resistanceHighLimit = 0;
  float capacitanceLowLimit = 0;
  float capacitanceHighLimit = 0;
  float tiltLimit = 0;
  float leakageLimit = 0;
  std::int32_t unitSerialNumber = 0;
  std::int32_t channelNumber = 0;
  std::int32_t sensorChannelTypeCode = 0;
  std::int32_t controlUnitType = 0;
  std::int32_t controlUnitSerialNumber = 0;
  float mvConversionFactor = 0;
  float traceMaximum = 0;
  std::int32_t peakSampleIndex = 0;
  std::int32_t interpolationCount = 0;
  float amplitudeScale = 0;
  float conversionFactorCopy = 0;
  FixedText<20> controlUnitText;
  FixedText<20> filterText;
  Colorref errorColour = 0;
  FixedText<60> note;
  // What nodal recorders write per trace, empty when the record does not say: the time of the
  // first sample in microseconds since 1970-01-01 UTC (leap seconds not counted, as
  // decode/utc_time.h holds times) and the GPS position in degrees, north and east positive.
  std::optional<std::int64_t> startTimeUtcUs;
  std::optional<double> latitude;
  std::optional<double> longitude;
};

// One run of consecutive traces on the same receiver line (all held as floats, as stored).
struct LineRun {
  float receiverLine = 0;
  float firstTrace = 0;
  float lastTrace = 0;
};

// Trace samples, stored trace by trace (each trace contiguous). Traces are numbered 1..N;
// trace 0 exists and is unused. Each trace holds samplesPerTrace + 1 values, indices
// 0..samplesPerTrace, and the last one is always 0.
class TraceSamples {
 public:
  // Discards the contents and makes traceCount + 1 zeroed traces of samplesPerTrace + 1, in
  // the memory held when it is of the size needed (ZeroedFloats::assignZeros).
  void reset(std::int32_t traceCount, std::int32_t samplesPerTrace);
  // Leaves no traces but keeps the memory for a later reset() to reuse. Memory kept so is
  // reused record after record: what is mapped afresh for it from then on comes in small
  // pages (ZeroedFloats::Pages).
  void clear();

  std::int32_t traceCount() const { return traceCount_; }
  std::int32_t samplesPerTrace() const { return samplesPerTrace_; }
  std::size_t valuesPerTrace() const { return static_cast<std::size_t>(samplesPerTrace_) + 1; }

  std::span<float> trace(std::int32_t t);
  std::span<const float> trace(std::int32_t t) const;
  float at(std::int32_t t, std::int32_t sample) const {
    return trace(t)[static_cast<std::size_t>(sample)];
  }
  float& at(std::int32_t t, std::int32_t sample) {
    return trace(t)[static_cast<std::size_t>(sample)];
  }

 private:
  std::int32_t traceCount_ = 0;
  std::int32_t samplesPerTrace_ = 0;
  ZeroedFloats values_;
};

// The trace layouts this program reads.
enum class RecordFlavour {
  Vorax,      // one 32-byte extension block per trace
  Seg2,       // a SEG-2 file, recognised by its identifier word
  Sercel408,  // seven (or more) extension blocks per trace: manufacturer code 13
  Standard,   // any other manufacturer: read as the public SEG-D standard lays records out
};

// The one record of the program.
struct SegdRecord {
  RecordSummary summary;
  RecordFlavour flavour = RecordFlavour::Vorax;  // set by the opener
  float sampleIntervalMs = 0;                    // summary.sampleIntervalUs / 1000
  float recordLengthMs = 0;                      // sampleIntervalMs * (samplesPerTrace - 1)
  // Time of sample 0 in ms after the shot: negative for a record that starts before it (a
  // SEG-2 DELAY of -0.05 s is -50); 0 for records that carry no delay.
  float startTimeMs = 0;
  std::string fileName;
  std::int32_t tiltErrorCount = 0;

  TraceSamples samples;
  std::vector<TraceHeaderInfo> traceInfo;  // index 0 unused
  std::vector<LineRun> lineRuns;           // element 0 unused
  // The factor each trace's stored samples were divided by when it was normalised to a peak
  // of 1, so that stored x traceDivisor[t] is the value as recorded; 1 for a trace kept as
  // recorded. Index 0 unused. The fixed-gain display draws true amplitudes from it.
  std::vector<float> traceDivisor;

  // traceDivisor[t], or 1 when the loader kept no divisor for t.
  float divisorOf(std::int32_t t) const {
    return t >= 0 && static_cast<std::size_t>(t) < traceDivisor.size()
               ? traceDivisor[static_cast<std::size_t>(t)]
               : 1.0f;
  }

  // Traces actually held (may be fewer than summary.traceCount for a damaged file).
  std::int32_t loadedTraceCount() const { return samples.traceCount(); }
};

// Builds the line runs from the receiver line of traces 1..traceCount: element 0 unused,
// element 1 starts with first trace 0, later elements with their first trace.
std::vector<LineRun> buildLineRuns(std::span<const TraceHeaderInfo> traceInfo,
                                   std::int32_t traceCount);

// True when two held traces carry different start times (slices of a continuous recording,
// or components recorded apart), so that a trace's own start time tells it from the others.
bool tracesStartApart(const SegdRecord& record);

// A record with the headers of `record` and its first `count` traces (all it holds, when
// fewer), line runs built from those.
SegdRecord leadingTraces(const SegdRecord& record, std::int32_t count);

}  // namespace vorax::decode
