// Saving a view's picture as a BMP (or PNG) file and printing it: both use the picture
// already drawn for the screen, without the pointer marks drawn over it.
#pragma once

#include <QImage>
#include <string>

#include "app/picture_file_name.h"
#include "app/ui/picture_writer.h"

class QPrinter;
class QWidget;

namespace vorax::app::ui {

struct PictureTarget {
  std::string typedName;  // as the user typed it; empty when cancelled
  PictureFormat format = PictureFormat::Bmp;
};

// The "Save File" dialog in `startFolder`, filter "BMP Files (*.BMP)|*.BMP" (the default)
// or "PNG Files (*.PNG)|*.PNG".
PictureTarget askPictureTarget(QWidget* owner, const std::string& startFolder);

// SaveViewAsBmp: asks for the name, applies the extension rule and saves; a failure is shown
// in a message box.
void SaveViewAsBmp(QWidget* owner, const QImage& picture, const std::string& startFolder);

// Draws the picture stretched over the whole printable page (the aspect ratio is not kept).
void printPicture(QPrinter& printer, const QImage& picture);

// PrintView: the print dialog for a landscape page, job name "VORAX Viewer", then one page.
void PrintView(QWidget* owner, const QImage& picture);

}  // namespace vorax::app::ui
