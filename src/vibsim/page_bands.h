// The bands of the similarity pages: each call draws one analysis of one vibrator's traces
// into the band whose top edge is given, in pane coordinates. Trace number 0 means none: the
// band keeps its frame and caption only.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/canvas.h"
#include "decode/segd_record.h"
#include "dsp/fft.h"
#include "vibsim/sim_params.h"

namespace vorax::vibsim {

class PageBands {
 public:
  PageBands(const decode::SegdRecord& record, const SimParams& params, dsp::Fft& fft, SimRunState& run)
      : record_(record), params_(params), fft_(fft), run_(run) {}

  void timeTrace(app::Canvas& c, double top, std::int32_t trace, app::Colorref colour, const std::string& caption);
  // Phase error of `signal` against `pilot`; measures the start-time error.
  void phaseError(app::Canvas& c, double top, std::int32_t pilot, std::int32_t signal, app::Colorref colour);
  void frequencyVsTime(app::Canvas& c, double top,
                       const std::vector<std::pair<std::int32_t, app::Colorref>>& traces);
  void correlogram(app::Canvas& c, double top, std::int32_t a, std::int32_t b, const std::string& side,
                   app::Colorref colour, const std::string& caption);
  void dbCorrelogram(app::Canvas& c, double top, std::int32_t a, std::int32_t b, const std::string& side,
                     int depthDb, int qcLimitDb, app::Colorref colour, const std::string& caption);
  // "Start Time Error " with the value measured by phaseError(), between the correlograms.
  void startTimeLabel(app::Canvas& c);
  void distortion(app::Canvas& c, double top, std::int32_t trace, app::Colorref colour, const std::string& caption);
  void spectrum(app::Canvas& c, double top, std::int32_t trace, app::Colorref colour, const std::string& caption,
                int smoothing);
  void timeFrequency(app::Canvas& c, double top, std::int32_t trace, const std::string& caption);
  void taperView(app::Canvas& c, double top, std::int32_t trace, char which, app::Colorref colour,
                 const std::string& caption);
  void transferFunction(app::Canvas& c, double top, std::int32_t basePlate, std::int32_t mass, app::Colorref colour);
  void deltaPhase(app::Canvas& c, double top, std::int32_t basePlate, std::int32_t mass, app::Colorref colour);
  void pulseView(app::Canvas& c, double top, std::int32_t trace, app::Colorref colour, const std::string& caption);

 private:
  const decode::SegdRecord& record_;
  const SimParams& params_;
  dsp::Fft& fft_;
  SimRunState& run_;
};

}  // namespace vorax::vibsim
