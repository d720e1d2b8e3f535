// The multi trace view's dialogs and the picture files and pages of the views.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "app/settings.h"
#include "app/ui/graphic_area.h"
#include "app/ui/multi_trace_window.h"
#include "app/ui/picture_output.h"
#include "app/ui/trace_labels_dialog.h"
#include "test_support.h"

namespace vorax::app::ui {
namespace {

void clickOk(QDialog& dialog) {
  for (QPushButton* button : dialog.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
    if (button->text() == "OK") return button->click();
  ADD_FAILURE() << "no OK";
}

TEST(TraceLabelsDialog, StoresTitleLabelsAndSidesIntoTheSettings) {
  ViewerSettings settings;
  ApplyDefaultSettings(settings);
  TraceLabelsDialog dialog(settings);
  EXPECT_EQ(dialog.windowTitle(), "Trace Labels");
  EXPECT_EQ(dialog.labelEdit(2)->text(), "Trace 3");
  EXPECT_TRUE(dialog.titlePositionButton(1)->isChecked());
  dialog.titleEdit()->setText("  Shot 12 ");
  dialog.titlePositionButton(0)->setChecked(true);
  dialog.labelEdit(4)->setText("Pilot");
  dialog.rightButton(4)->setChecked(true);
  clickOk(dialog);
  EXPECT_EQ(settings.multiTraceTitle(), "Shot 12");
  EXPECT_EQ(settings.titlePosition(0), 1);
  EXPECT_EQ(settings.titlePosition(1), 0);
  EXPECT_EQ(settings.traceLabel(4), "Pilot");
  EXPECT_EQ(settings.traceLabelSide(4, 0), 0);
  EXPECT_EQ(settings.traceLabelSide(4, 1), 1);
  EXPECT_EQ(settings.traceLabelSide(3, 0), 1);
}

TEST(MultiTraceWindow, NumericsChangeThePictureOfAShortWindow) {
  AppState state;
  ApplyDefaultSettings(state.settings);
  state.record.summary.sampleIntervalUs = 2000;
  state.record.sampleIntervalMs = 2;
  state.record.samples.reset(2, 20);
  state.record.traceInfo.resize(3);
  for (std::int32_t j = 0; j < 20; ++j) state.record.samples.at(1, j) = (j % 5) / 5.0f;
  state.display.pickedTraces = {1};
  state.display.displayEndMs = 38;  // samples 0..19: fewer than 50
  MultiTraceWindow view(state);
  view.resize(800, 600);
  view.show();
  QApplication::processEvents();
  const QImage plain = view.graphicArea().picture();
  view.setNumerics(true);
  EXPECT_NE(view.graphicArea().picture(), plain);
  view.setNumerics(false);
  EXPECT_EQ(view.graphicArea().picture(), plain);
}

TEST(PictureOutput, SavesBmpOrPngWholeAndReportsAFolderThatIsNotThere) {
  test::TempDir dir;
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(qRgb(10, 200, 30));
  const std::string bmp = (dir / "a.BMP").string();
  EXPECT_EQ(savePicture(picture, bmp, PictureFormat::Bmp), "");
  const std::vector<std::uint8_t> bytes = test::readFileBytes(bmp);
  ASSERT_GT(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(QImage(QString::fromStdString(bmp)).convertToFormat(QImage::Format_RGB32), picture);
  const std::string png = (dir / "a.PNG").string();
  EXPECT_EQ(savePicture(picture, png, PictureFormat::Png), "");
  EXPECT_EQ(test::readFileBytes(png)[1], 'P');
  EXPECT_NE(savePicture(picture, (dir / "no" / "a.BMP").string(), PictureFormat::Bmp), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// The quick encoder's rows go unfiltered and run-length coded: colours in every channel and
// runs of one colour must come back as they were, and a failed write must leave no file.
TEST(PictureOutput, QuickPngKeepsEveryPixelAndReportsAFailedWrite) {
  test::TempDir dir;
  QImage picture(300, 7, QImage::Format_RGB32);
  picture.fill(Qt::white);
  for (int x = 0; x < 256; ++x) {
    picture.setPixel(x, 1, qRgb(x, 255 - x, (x * 7) % 256));
    picture.setPixel(x, 4, qRgb((x * 13) % 256, x, 3));
  }
  const std::string png = (dir / "q.png").string();
  EXPECT_EQ(savePicture(picture, png, PictureFormat::Png, PngEffort::Quick), "");
  EXPECT_EQ(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_NE(
      savePicture(picture, (dir / "no" / "q.png").string(), PictureFormat::Png, PngEffort::Quick),
      "");
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_NE(savePicture(picture, "/dev/full", PictureFormat::Png, PngEffort::Quick), "");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PictureOutput, PrintingFillsOneLandscapePage) {
  test::TempDir dir;
  QImage picture(200, 100, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "page.pdf").string()));
  printer.setPageOrientation(QPageLayout::Landscape);
  printPicture(printer, picture);
  const std::vector<std::uint8_t> pdf = test::readFileBytes(dir / "page.pdf");
  ASSERT_GT(pdf.size(), 100u);
  const std::string text(pdf.begin(), pdf.end());
  EXPECT_NE(text.find("/Count 1"), std::string::npos);
}

}  // namespace
}  // namespace vorax::app::ui
