#include "vibsim/ui/similarity_output.h"

#include <QPainter>
#include <QPrinter>
#include <filesystem>

#include "app/ui/picture_output.h"
#include "app/ui/qt_canvas.h"

namespace vorax::vibsim::ui {

namespace {

constexpr double kCaptionShare = 0.05;  // of the printed page's height

}  // namespace

QImage renderPane(SimilarityPages& pages, int page, int pane, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  app::ui::QtCanvas canvas(picture);
  pages.drawPane(canvas, page, pane);
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

void printSimilarityPage(QPrinter& printer, SimilarityPages& pages, int page, bool highRes,
                         const std::string& caption, const std::vector<QImage>& panePictures) {
  QPainter painter(&printer);
  const QRect whole = painter.viewport();
  if (!highRes) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int count = static_cast<int>(panePictures.size());
    for (int i = 0; i < count; ++i) {
      const QRect slot(whole.left() + whole.width() * i / count, whole.top(), whole.width() / count,
                       whole.height());
      painter.drawImage(slot, panePictures[static_cast<std::size_t>(i)]);
    }
    return;
  }
  const int captionHeight = static_cast<int>(whole.height() * kCaptionShare);
  QFont font("Arial");
  font.setPixelSize(captionHeight / 2);
  painter.setFont(font);
  painter.drawText(QRect(whole.left(), whole.top(), whole.width(), captionHeight), Qt::AlignCenter,
                   QString::fromStdString(caption));
  // Each pane keeps the A4 portrait proportions in its half of the page.
  const int panes = pages.paneCount(page);
  const int slotWidth = whole.width() / 2;
  const int height =
      std::min(whole.height() - captionHeight, slotWidth * kPanePictureHeight / kPanePictureWidth);
  const int width = height * kPanePictureWidth / kPanePictureHeight;
  for (int pane = 0; pane < panes; ++pane) {
    const QImage picture = renderPane(pages, page, pane, QSize(width, height));
    const int left = whole.left() + pane * slotWidth + (slotWidth - width) / 2;
    painter.drawImage(QPoint(left, whole.top() + captionHeight), picture);
  }
}

}  // namespace vorax::vibsim::ui
