#include "app/ui/picture_output.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "app/ui/file_dialogs.h"

namespace vorax::app::ui {

namespace {

constexpr const char* kBmpFilter = "BMP Files (*.BMP)|*.BMP";
constexpr const char* kPngFilter = "PNG Files (*.PNG)|*.PNG";

}  // namespace

PictureTarget askPictureTarget(QWidget* owner, const std::string& startFolder) {
  const QString bmp = platformFileFilter(kBmpFilter);
  const QString png = platformFileFilter(kPngFilter);
  QString chosenFilter = bmp;
  const QString name = QFileDialog::getSaveFileName(
      owner, "Save File", QString::fromStdString(startFolder), bmp + ";;" + png, &chosenFilter);
  PictureTarget target;
  target.typedName = name.trimmed().toStdString();
  target.format = chosenFilter == png ? PictureFormat::Png : PictureFormat::Bmp;
  return target;
}

void SaveViewAsBmp(QWidget* owner, const QImage& picture, const std::string& startFolder) {
  const PictureTarget target = askPictureTarget(owner, startFolder);
  if (target.typedName.empty()) return;
  const std::string path = pictureFileName(target.typedName, target.format);
  const std::string error = savePicture(picture, path, target.format);
  if (!error.empty())
    QMessageBox::warning(
        owner, "VORAX Viewer",
        QString::fromStdString("The picture could not be saved to " + path + ".\n" + error));
}

void printPicture(QPrinter& printer, const QImage& picture) {
  QPainter painter(&printer);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(painter.viewport(), picture);
}

void PrintView(QWidget* owner, const QImage& picture) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName("VORAX Viewer");
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, owner);
  if (dialog.exec() != QDialog::Accepted) return;
  printPicture(printer, picture);
}

}  // namespace vorax::app::ui
