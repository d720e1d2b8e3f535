#include "qc/survey_plots.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/plot_frame.h"
#include "app/utilities.h"

namespace vorax::qc {

namespace {

using app::Canvas;
using app::PointF;

// Whole numbers separated by `separator`, exactly `count` of them.
bool numbersIn(std::string_view text, char separator, std::span<int> out) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const std::size_t end = n + 1 == out.size() ? text.size() : text.find(separator, at);
    if (end == std::string_view::npos) return false;
    const auto r = std::from_chars(text.data() + at, text.data() + end, out[n]);
    if (r.ec != std::errc() || r.ptr != text.data() + end) return false;
    at = end + 1;
  }
  return true;
}

// Days from 1 Jan 1970 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void frameTitle(Canvas& canvas, const app::PlotRect& data, const std::string& title) {
  canvas.setTextColour(app::kBlack);
  canvas.text({(data.left + data.right) / 2, data.top}, title, app::HAlign::Centre,
              app::VAlign::Bottom);
}

std::string countText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

void legend(Canvas& canvas, const app::PlotRect& data) {
  const std::array<std::pair<const char*, app::Colorref>, 5> items{
      {{"dead", kDeadColour},
       {"reversed", kReversedColour},
       {"noisy", kNoisyColour},
       {"spike", kSpikeColour},
       {"unreadable", kUnreadableColour}}};
  const double unitX = canvas.mapping().worldPerPixelX();
  const double unitY = canvas.mapping().worldPerPixelY();
  double x = data.left;
  const double y = data.top + 4 * unitY;
  for (const auto& [name, colour] : items) {
    canvas.fillRect({x, y}, {x + 10 * unitX, y + 10 * unitY}, colour);
    canvas.text({x + 14 * unitX, y + 5 * unitY}, name, app::HAlign::Left, app::VAlign::Centre);
    x += (22 + canvas.measureText(name).width / unitX) * unitX;
  }
}

}  // namespace

std::optional<double> shotSeconds(const RecordQc& record) {
  std::array<int, 3> date{}, time{};
  if (!numbersIn(record.date, '-', date) || !numbersIn(record.time, ':', time)) return std::nullopt;
  if (date[1] < 1 || date[1] > 12 || date[2] < 1 || date[2] > 31) return std::nullopt;
  const auto days = static_cast<double>(daysFromCivil(date[0], date[1], date[2]));
  return days * 86400 + time[0] * 3600.0 + time[1] * 60.0 + time[2];
}

std::vector<const RecordQc*> inShotOrder(std::span<const RecordQc> records) {
  std::vector<const RecordQc*> order;
  for (const RecordQc& r : records) order.push_back(&r);
  const bool timed = std::all_of(order.begin(), order.end(),
                                 [](const RecordQc* r) { return shotSeconds(*r).has_value(); });
  if (timed) {
    std::stable_sort(order.begin(), order.end(), [](const RecordQc* a, const RecordQc* b) {
      return *shotSeconds(*a) < *shotSeconds(*b);
    });
  }
  return order;
}

void drawFlagsPerRecord(Canvas& canvas, std::span<const RecordQc> records) {
  const std::vector<const RecordQc*> order = inShotOrder(records);
  std::size_t highest = 1;
  for (const RecordQc* r : order) {
    highest = std::max(highest, r->deadTraces.size() + r->reversedTraces.size() +
                                    r->noisyTraces.size() + r->spikeTraces.size());
  }
  const double font = app::plotFontPixels(canvas);
  canvas.setFont("Arial", font);
  app::PlotRect data{0, static_cast<double>(std::max<std::size_t>(order.size(), 1)), 0,
                     static_cast<double>(highest) * 1.05};
  app::setPlotWindow(canvas, data, {4.5 * font, 4 * font, 1.5 * font, 3.5 * font});
  // Counts are whole: a step below one would only repeat labels. The step is a float, so a
  // multiple of it is rounded before it is judged whole.
  const double step =
      std::max(1.0, static_cast<double>(app::CHOOSESTEP(0, static_cast<float>(data.top))));
  for (double y : app::stepValues(0, data.top, step)) {
    if (std::abs(y - std::round(y)) < 1e-6)
      drawSideTick(canvas, data, app::Side::Left, std::round(y), countText(y), true);
  }
  const double gap = order.size() > 200 ? 0 : 0.15;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const RecordQc& r = *order[i];
    const double x0 = static_cast<double>(i) + gap;
    const double x1 = static_cast<double>(i + 1) - gap;
    if (!r.readable()) {
      canvas.fillRect({x0, data.bottom}, {x1, static_cast<double>(highest)}, kUnreadableColour);
      continue;
    }
    double base = 0;
    for (const auto& [list, colour] :
         {std::pair{&r.deadTraces, kDeadColour}, std::pair{&r.reversedTraces, kReversedColour},
          std::pair{&r.noisyTraces, kNoisyColour}, std::pair{&r.spikeTraces, kSpikeColour}}) {
      if (list->empty()) continue;
      const double top = base + static_cast<double>(list->size());
      canvas.fillRect({x0, base}, {x1, top}, colour);
      base = top;
    }
  }
  canvas.setPen(app::kBlack);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});
  if (!order.empty()) {
    const double below = data.bottom - 0.6 * font * canvas.mapping().worldPerPixelY();
    canvas.text({data.left, below}, order.front()->date + " " + order.front()->time,
                app::HAlign::Left, app::VAlign::Top);
    canvas.text({data.right, below}, order.back()->date + " " + order.back()->time,
                app::HAlign::Right, app::VAlign::Top);
  }
  app::drawBottomTitle(canvas, data, std::to_string(order.size()) + " records in shot order");
  app::drawSideTitle(canvas, data, app::Side::Left, "flagged traces");
  legend(canvas, data);
  frameTitle(canvas,
             {data.left, data.right, data.bottom,
              data.top + 2.2 * font * canvas.mapping().worldPerPixelY()},
             "Flagged traces per record");
}

void drawReceiversFlagged(Canvas& canvas, std::span<const ReceiverFlags> all) {
  const double font = app::plotFontPixels(canvas);
  canvas.setFont("Arial", font);
  const double rowsFitting = std::floor((canvas.pixelHeight() - 6.5 * font) / (1.2 * font));
  const std::span<const ReceiverFlags> receivers =
      all.first(std::min(all.size(), static_cast<std::size_t>(std::max(rowsFitting, 1.0))));
  double nameWidth = 4 * font;
  std::int64_t most = 1;
  for (const ReceiverFlags& r : receivers) most = std::max(most, r.records);
  app::PlotRect data{0, static_cast<double>(most) * 1.1, 0,
                     static_cast<double>(std::max<std::size_t>(receivers.size(), 1))};
  // Measure the names in pixels first: the world window is not set yet.
  canvas.setWorldWindow(
      {0, 0, static_cast<double>(canvas.pixelWidth()), static_cast<double>(canvas.pixelHeight())});
  for (const ReceiverFlags& r : receivers)
    nameWidth = std::max(nameWidth, canvas.measureText(r.receiver).width + font);
  app::setPlotWindow(canvas, data, {nameWidth, 3 * font, 3 * font, 3.5 * font});
  const double unitX = canvas.mapping().worldPerPixelX();
  for (std::size_t i = 0; i < receivers.size(); ++i) {
    const double top = data.top - static_cast<double>(i) - 0.15;
    const double bottom = data.top - static_cast<double>(i) - 0.85;
    const auto count = static_cast<double>(receivers[i].records);
    canvas.fillRect({0, bottom}, {count, top}, kNoisyColour);
    canvas.setTextColour(app::kBlack);
    canvas.text({-0.5 * font * unitX, (top + bottom) / 2}, receivers[i].receiver,
                app::HAlign::Right, app::VAlign::Centre);
    canvas.text({count + 0.4 * font * unitX, (top + bottom) / 2}, countText(count),
                app::HAlign::Left, app::VAlign::Centre);
  }
  canvas.setPen(app::kBlack);
  canvas.rectangle({data.left, data.bottom}, {data.right, data.top});
  app::drawBottomTitle(canvas, data, "records in which the receiver was flagged");
  if (receivers.empty()) {
    canvas.text({(data.left + data.right) / 2, (data.top + data.bottom) / 2},
                "no receiver was flagged", app::HAlign::Centre, app::VAlign::Centre);
  }
  frameTitle(canvas,
             {data.left, data.right, data.bottom,
              data.top + 0.6 * font * canvas.mapping().worldPerPixelY()},
             "Receivers flagged most often");
}

}  // namespace vorax::qc
