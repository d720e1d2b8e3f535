#include "vibsim/ui/similarity_output.h"

#include <QPainter>
#include <QPrinter>
#include <filesystem>

#include "app/ui/picture_output.h"
#include "app/ui/qt_canvas.h"
#include "vibsim/pane_canvas.h"
#include "vibsim/printed_sheet.h"

namespace vorax::vibsim::ui {

QImage renderPane(SimilarityPages& pages, int page, int pane, QSize size, double leastPen) {
  QImage picture(size, QImage::Format_RGB32);
  app::ui::QtCanvas canvas(picture);
  PaneCanvas whole(canvas,
                   {0, 0, static_cast<double>(size.width()), static_cast<double>(size.height())},
                   leastPen);
  pages.drawPane(whole, page, pane);
  return picture;
}

std::vector<std::string> saveRunPictures(SimilarityPages& pages, int page) {
  std::vector<std::string> errors;
  for (int pane = 0; pane < pages.paneCount(page); ++pane) {
    const QImage picture =
        renderPane(pages, page, pane, QSize(kPanePictureWidth, kPanePictureHeight));
    const std::string path =
        (std::filesystem::path(pages.pictureFolder()) / pages.pictureName(page, pane)).string();
    const std::string error = app::ui::savePicture(picture, path, app::PictureFormat::Bmp);
    if (!error.empty())
      errors.push_back("The picture could not be saved to " + path + ".\n" + error);
  }
  return errors;
}

SimilarityPrintJob::SimilarityPrintJob(QPrinter& printer) : printer_(printer) {}

SimilarityPrintJob::~SimilarityPrintJob() = default;

app::ui::QtCanvas& SimilarityPrintJob::nextSheet() {
  if (canvas_)
    printer_.newPage();
  else
    canvas_ = std::make_unique<app::ui::QtCanvas>(printer_);
  ++sheets_;
  return *canvas_;
}

void SimilarityPrintJob::addPage(SimilarityPages& pages, int page, bool highRes,
                                 const std::string& caption) {
  app::ui::QtCanvas& canvas = nextSheet();
  const PrintedSheet sheet = printedSheet(canvas.pixelWidth(), canvas.pixelHeight(),
                                          printer_.resolution(), pages.paneCount(page));
  if (highRes) return drawPrintedPage(canvas, sheet, pages, page, caption);
  QPainter& painter = canvas.painter();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QSize size(kPanePictureWidth, kPanePictureHeight);
  for (std::size_t i = 0; i < sheet.panes.size(); ++i) {
    const DeviceRect& at = sheet.panes[i];
    // The picture's pixels per printed pixel: lines thick enough in the picture to stay
    // 0.25 mm wide once it is stretched over its place.
    const double leastPen = sheet.leastPenPixels * size.width() / at.width;
    painter.drawImage(QRectF(at.left, at.top, at.width, at.height),
                      renderPane(pages, page, static_cast<int>(i), size, leastPen));
  }
}

}  // namespace vorax::vibsim::ui
