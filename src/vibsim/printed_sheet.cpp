#include "vibsim/printed_sheet.h"

#include <algorithm>

namespace vorax::vibsim {

namespace {

constexpr double kCaptionShare = 0.05;  // of the sheet's height
constexpr double kMillimetresPerInch = 25.4;

}  // namespace

double leastPenPixels(double dotsPerInch) {
  return std::max(1.0, kLeastPrintedLineMm * dotsPerInch / kMillimetresPerInch);
}

DeviceRect centredArea(double width, double height, double aspect) {
  const double w = std::min(width, height * aspect);
  const double h = w / aspect;
  return {(width - w) / 2, (height - h) / 2, w, h};
}

PrintedSheet printedSheet(double width, double height, double dotsPerInch, int panes) {
  PrintedSheet sheet;
  sheet.leastPenPixels = leastPenPixels(dotsPerInch);
  const double captionHeight = height * kCaptionShare;
  sheet.caption = {0, 0, width, captionHeight};
  const double slotWidth = width / 2;
  const double paneAspect = static_cast<double>(kPanePictureWidth) / kPanePictureHeight;
  for (int i = 0; i < panes; ++i) {
    DeviceRect pane = centredArea(slotWidth, height - captionHeight, paneAspect);
    pane.left += i * slotWidth;
    pane.top += captionHeight;
    sheet.panes.push_back(pane);
  }
  return sheet;
}

void drawPrintedPage(app::Canvas& device, const PrintedSheet& sheet, SimilarityPages& pages,
                     int page, std::string_view caption) {
  device.setWorldWindow(
      {0, 0, static_cast<double>(device.pixelWidth()), static_cast<double>(device.pixelHeight())});
  device.setFont("Arial", sheet.caption.height / 2, false);
  device.setTextColour(app::kBlack);
  device.text(
      {sheet.caption.left + sheet.caption.width / 2, sheet.caption.top + sheet.caption.height / 2},
      caption, app::HAlign::Centre, app::VAlign::Centre);
  for (std::size_t i = 0; i < sheet.panes.size(); ++i) {
    PaneCanvas pane(device, sheet.panes[i], sheet.leastPenPixels);
    pages.drawPane(pane, page, static_cast<int>(i));
  }
}

}  // namespace vorax::vibsim
