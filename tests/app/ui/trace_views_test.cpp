// The single trace view and Trace Selection as the user drives them from the main window.
#include "app/ui/trace_views.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "app/display_fixture.h"
#include "app/ui/graphic_area.h"
#include "app/ui/main_window.h"
#include "app/ui/picture_output.h"
#include "app/ui/single_trace_window.h"
#include "app/ui/trace_selection_dialog.h"
#include "test_support.h"

namespace vorax::app::ui {
namespace {

QPushButton& button(QWidget& parent, const QString& caption) {
  for (QPushButton* b : parent.findChildren<QPushButton*>())
    if (b->text() == caption) return *b;
  ADD_FAILURE() << "no button " << caption.toStdString();
  static QPushButton none;
  return none;
}

void moveTo(GraphicArea& area, QPointF at) {
  QMouseEvent event(QEvent::MouseMove, at, area.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&area, &event);
}

// Four traces of 1000 samples at 1 ms; trace 2 is a 50 Hz sine.
class TraceViews : public ::testing::Test {
 protected:
  TraceViews() {
    state.record = test::makeDisplayRecord(4, 1000, 1000);
    for (std::int32_t j = 0; j < 1000; ++j)
      state.record.samples.at(2, j) =
          static_cast<float>(std::sin(2 * 3.14159265358979 * 50 * j / 1000.0));
    state.recordLoaded = true;
    state.StartFolder = dir.path().string() + "/";
    window = std::make_unique<MainWindow>(state);
    window->show();
  }

  test::TempDir dir;
  AppState state;
  std::unique_ptr<MainWindow> window;
};

TEST_F(TraceViews, SingleTraceViewReplacesTheMainWindowUntilClose) {
  SingleTraceWindow* view = openSingleTraceView(*window, state, 2);
  view->resize(1000, 600);
  QApplication::processEvents();
  EXPECT_EQ(view->windowTitle(), "408 Single Trace View");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(view->viewState().viewTrace, 2);
  EXPECT_EQ(view->viewState().viewEndMs, 999);

  for (int n = 0; n < 3; ++n) button(*view, "|>").click();
  EXPECT_FLOAT_EQ(view->viewState().viewEndMs, 999.0f / 8);  // 125 samples: numerics offered
  EXPECT_TRUE(view->numericsButton().isEnabled());
  view->numericsButton().click();
  EXPECT_EQ(view->numericsButton().text(), "Numerics Off");
  button(*view, "|<").click();  // 250 samples
  EXPECT_FALSE(view->numericsButton().isEnabled());
  EXPECT_EQ(view->numericsButton().text(), "Display Numerics");

  const QImage trace = view->graphicArea().picture();
  button(*view, "F vs T").click();
  const QImage fvst = view->graphicArea().picture();
  EXPECT_NE(fvst, trace);
  const PlotGeometry plot = view->geometry();
  const PointF middle = WorldMapping{plot.world, static_cast<double>(fvst.width()),
                                     static_cast<double>(fvst.height())}
                            .toDevice({50, 25});
  moveTo(view->graphicArea(), {middle.x, middle.y});
  EXPECT_EQ(view->frequencyField().text(), "25.0Hz");
  button(*view, "FT An.").click();
  EXPECT_NE(view->graphicArea().picture(), fvst);

  button(*view, "Close").click();
  QApplication::processEvents();
  EXPECT_TRUE(window->isVisible());
  // Esc closes the view as Close does.
  view = openSingleTraceView(*window, state, 1);
  QApplication::processEvents();
  QTest::keyClick(view, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(TraceViews, FftOpensTheWholeTraceSpectrumAndCloseReturnsToTheView) {
  SingleTraceWindow* view = openSingleTraceView(*window, state, 2);
  button(*view, "FFT").click();
  auto* dialog = view->findChild<TraceSelectionDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(view->isVisible());
  EXPECT_EQ(dialog->statistics().range, (SelectionRectangle{2, 2, 0, 999}));
  EXPECT_EQ(dialog->field("First Trace").text(), "2");
  EXPECT_EQ(dialog->field("Maximum Time").text(), "999");
  // 1000 samples -> 1024 points; the 50 Hz sine peaks at bin 51 (51.2).
  const std::vector<float>& spectrum = dialog->statistics().spectrum;
  EXPECT_EQ(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin(), 51);
  button(*dialog, "Close").click();
  QApplication::processEvents();
  EXPECT_TRUE(view->isVisible());
  view->close();
}

TEST_F(TraceViews, SelectionOptionsGoToTheSettingsAndThePictureSavesAndPrints) {
  state.settings.setSelectionTitle(1);
  TraceSelectionDialog* dialog = openTraceSelection(*window, state, {3, 1, 200, 100});
  dialog->resize(900, 600);
  QApplication::processEvents();
  EXPECT_EQ(dialog->windowTitle(), "Trace Selection");
  EXPECT_EQ(dialog->field("First Trace").text(), "1");
  EXPECT_EQ(dialog->field("Last Trace").text(), "3");
  EXPECT_EQ(dialog->field("MinimumTime").text(), "100");
  EXPECT_TRUE(dialog->option("Title").isChecked());
  EXPECT_FALSE(dialog->option("dB Scale").isChecked());
  dialog->option("dB Scale").setChecked(true);
  EXPECT_EQ(state.settings.selectionDbScale(), 1);
  dialog->option("Title").setChecked(false);
  EXPECT_EQ(state.settings.selectionTitle(), 0);

  const std::size_t last = dialog->upperBin();
  EXPECT_EQ(last, 64u);  // 101 samples -> 128 points
  button(*dialog, ">").click();
  EXPECT_EQ(dialog->upperBin(), 58u);  // round(57.6)
  button(*dialog, "<").click();
  EXPECT_EQ(dialog->upperBin(), 64u);

  const QImage& picture = dialog->graphicArea().picture();
  EXPECT_EQ(savePicture(picture, (dir / "sel.BMP").string(), PictureFormat::Bmp), "");
  EXPECT_EQ(QImage(QString::fromStdString((dir / "sel.BMP").string()))
                .convertToFormat(QImage::Format_RGB32),
            picture);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "sel.pdf").string()));
  printPicture(printer, picture);
  EXPECT_GT(test::readFileBytes(dir / "sel.pdf").size(), 1000u);
  button(*dialog, "Close").click();
}

}  // namespace
}  // namespace vorax::app::ui
