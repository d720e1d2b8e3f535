// The similarity parameter set every analysis reads. A set-up dialog copies its values into
// SimParams before a run; the analyses never change it.
#pragma once

#include <cstdint>

namespace vorax::vibsim {

// All 32-bit integers as stored in the set-up files; options hold 1 when ticked, else 0.
// Comments give the dialog caption and the unit.
struct SimParams {
  std::int32_t similarity = 1;           // "Similarity": run the similarity pages
  std::int32_t pulse = 0;                // "Pulse": run the pulse page
  std::int32_t screenPause = 1;          // "Screen Pause": wait between vibrators
  std::int32_t showZeroLines = 1;        // "Show Zero Lines": draw labelled zero lines
  std::int32_t sercel = 1;               // "Sercel": kept with the set-up only
  std::int32_t pelton = 0;               // "Pelton": kept with the set-up only
  std::int32_t lowResPrint = 0;          // "Low Res Print" destination
  std::int32_t screen = 1;               // "Screen" destination
  std::int32_t bmp = 0;                  // "BMP" destination: save pages as pictures
  std::int32_t page1 = 1;                // "Page 1"
  std::int32_t page2 = 1;                // "Page 2"
  std::int32_t page3 = 1;                // "Page 3"
  std::int32_t autoVibName = 0;          // "Auto Vib Name" (radio set-up only)
  std::int32_t maxFrequency = 80;        // "Max Frequency": Hz, top of frequency axes
  std::int32_t phaseScale = 10;          // "Phase Scale (+/-) Deg": half-height of phase plots
  std::int32_t phaseQcLimit = 5;         // "Phase QC Limits (+/-) Deg": QC lines
  std::int32_t distortionMaxScale = 50;  // "Distortion Max Scale": %, top of distortion plot
  std::int32_t distortionQcLimit = 40;   // "Distortion QC Lim (%)": QC line
  std::int32_t correlogramTime = 80;     // "Correlogram Time (+/-)mS": half-width of correlograms
  std::int32_t truncateTime = 12000;     // "Truncate Time (mS)": analysis length
  std::int32_t xcorrQcLimit = 40;        // "Xcorr QC Lim (db)": QC line of the dB correlogram
  std::int32_t fftYScale = 24;           // "FFT Y Scale (db)": depth of spectrum plots
  std::int32_t taperDisplay = 500;       // "Taper Display (mS)": time shown in taper views
  std::int32_t startTaper = 350;         // "Start Taper Length (mS)"
  std::int32_t endTaper = 350;           // "End Taper Length (mS)"
  std::int32_t pulseStart = 200;         // "Pulse Start Time (mS)"
  std::int32_t pulseEnd = 300;           // "Pulse End Time (mS)"
};

}  // namespace vorax::vibsim
