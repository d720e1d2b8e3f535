// The drawing pieces every similarity page shares: the pane's coordinate frame, the page
// banner and footer, the plot bands each analysis draws into (frame, caption, axis labels,
// zero and QC lines, clipped curves), the normalised time trace, and the fonts and colours.
// The same calls draw a pane on screen, into a picture file or onto a printed page: only the
// canvas differs, and fonts scale with the canvas so the geometry is identical on all three.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/canvas.h"
#include "vibsim/sim_params.h"

namespace vorax::vibsim {

using app::Canvas;
using app::Colorref;
using app::PointF;

// A pane is addressed 0..1000 across and 0..1000 up (0 at the bottom), whatever its pixels.
inline constexpr double kPaneSize = 1000;

inline constexpr Colorref kTitleGreen = 0x008000;      // page title
inline constexpr Colorref kCompanyTeal = 0x808000;     // contractor and oil company
inline constexpr Colorref kVibratorPurple = 0x800080;  // vibrator line, record date and time
inline constexpr Colorref kCrewMaroon = 0x000080;      // crew
inline constexpr Colorref kAxisBlue = 0xC00000;        // captions, axes, labels
inline constexpr Colorref kFooterRed = 0x0000FF;       // footer banner text
inline constexpr Colorref kQcRed = 0x0000FF;           // the dB correlogram's QC line

// Sets the pane's world window (0..1000 across, 0..1000 up) and clears it to white.
void beginPane(Canvas& canvas);

// A font of `points` points. A pane stands for an A4 portrait sheet (297 mm high), so a
// point is pixelHeight x 25.4 / (72 x 297) device pixels; on small screen panes the size
// never goes below 7 pixels, so that labels stay legible.
void setPaneFont(Canvas& canvas, std::string_view family, double points, bool bold = false);

// The items of the page banner (texts shown as given; trailing spaces are trimmed).
struct PageBanner {
  std::string title;          // e.g. "Wireline Similarity"
  std::string contractor;     // settings "Contractor"
  std::string oilCompany;     // settings "Oil Company"
  std::string vibratorLabel;  // shown after "Vibrator Number "
  std::string crew;           // settings "Crew"
  std::string recordDate;
  std::string recordTime;
};

// Frame from (10, 990) to (990, 880); title centred at the top row (y = 980), contractor left
// at x = 20, oil company right-aligned to x = 960; second row (y = 920): vibrator number,
// crew centred, record date + " " + time right-aligned to x = 960 in bold.
void drawPageBanner(Canvas& canvas, const PageBanner& banner);

// The one-line banner text of the main display in "Small Fonts" 6 pt red, centred, one text
// height above the pane's bottom edge.
void drawPaneFooter(Canvas& canvas);

// The band each analysis draws into.
enum class BandKind {
  TimeTrace,           // also phase error, frequency vs time, taper view: 60..985, 152 high
  Spectrum,            // also distortion: 60..985, 200 high
  TransferFunction,    // also delta phase, time-frequency picture: 60..985, 350 high
  Pulse,               // 60..985, 115 high
  CorrelogramLeft,     // 60..510, 300 high
  CorrelogramRight,    // 540..980, 300 high
  DbCorrelogramLeft,   // 60..500, 300 high
  DbCorrelogramRight,  // 550..980, 300 high
};

// A plot rectangle given by its top edge; vertical values are fractions of its height
// (0 the bottom edge, 1 the top edge) and are clipped to 0..1.
struct PlotBand {
  double left = 60;
  double right = 985;
  double top = 0;
  double height = 152;

  double bottom() const { return top - height; }
  double width() const { return right - left; }
  double centreX() const { return (left + right) / 2; }
  // x of a fraction 0..1 across (not clipped: callers map only what they show).
  double xAt(double fraction) const { return left + fraction * width(); }
  // y of a fraction of the height, clipped to the band's edges.
  double yAt(double fraction) const;
};

PlotBand plotBand(BandKind kind, double top);

// Fraction of `value` between `bottomValue` (0) and `topValue` (1); not clipped. A zero range
// gives 0.
double fractionOf(double value, double bottomValue, double topValue);

// Outline of the band in the axis colour.
void drawBandFrame(Canvas& canvas, const PlotBand& band);
// "Arial" 9 pt blue, centred on the band's middle, standing on its top edge.
void drawBandCaption(Canvas& canvas, const PlotBand& band, std::string_view caption);
// A value label ("Arial" 6 pt blue) just left of the band at a height fraction.
void drawValueLabel(Canvas& canvas, const PlotBand& band, double fraction, std::string_view text);
// Vertical axis caption, turned a quarter, left of the value labels.
void drawAxisCaption(Canvas& canvas, const PlotBand& band, std::string_view text);
// A horizontal line across the band at a height fraction (clipped to the band) in `colour`,
// with `label` (may be empty) as a value label.
void drawLevelLine(Canvas& canvas, const PlotBand& band, double fraction, Colorref colour,
                   std::string_view label);
// The zero line labelled "0", drawn only when "Show Zero Lines" is ticked.
void drawZeroLine(Canvas& canvas, const PlotBand& band, double fraction, const SimParams& params);

// Tick marks and "0"-format value labels at the left edge for a vertical axis running from
// `bottomValue` to `topValue`, about five intervals (twice the CHOOSESTEP step); a tick
// within half a step of `besideValue` (a QC line with its own label) gets no label.
void drawValueTicks(Canvas& canvas, const PlotBand& band, double bottomValue, double topValue,
                    double besideValue);

// The labels "1", "0", "-1" of a band drawn -1..+1, and its zero line when "Show Zero Lines"
// is ticked.
void drawNormalisedLabels(Canvas& canvas, const PlotBand& band, const SimParams& params);

// Ticks and "0"-format labels under the band for a horizontal axis running from `startValue`
// at the left edge to `endValue` at the right, the step from CHOOSESTEP (made ten times
// larger until at most 50 intervals are left); `unit` (may be empty) is written under the
// labels' row at the band's right edge.
void drawHorizontalAxis(Canvas& canvas, const PlotBand& band, double startValue, double endValue,
                        std::string_view unit);

// A curve colour as drawn on the white pane: a colour too light to read on white (relative
// luminance above 0.3, a contrast below 3:1, as the default yellow of the mass or a pure
// green) is darkened to that luminance, keeping its hue; darker colours are kept.
Colorref readableOnWhite(Colorref colour);

// A curve of values spread evenly across the band (the first at the left edge, the last at
// the right edge), each mapped from bottomValue..topValue and clipped to the band's edges,
// in readableOnWhite(colour). Non-finite values are drawn at the bottom edge. Fewer than two
// values draw nothing.
void drawBandCurve(Canvas& canvas, const PlotBand& band, std::span<const float> values,
                   double bottomValue, double topValue, Colorref colour);

// A time trace: the samples are divided by their largest magnitude and drawn -1..+1 over the
// band, labelled "1", "0", "-1" (the zero line follows "Show Zero Lines"); an all-zero trace
// leaves the band with its frame, caption and labels only.
void drawTimeTrace(Canvas& canvas, const PlotBand& band, std::span<const float> samples,
                   Colorref colour, std::string_view caption, const SimParams& params);

}  // namespace vorax::vibsim
