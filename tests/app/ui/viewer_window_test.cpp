// The main window driven as a user drives it, on a synthetic record.
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/ui/configure_dialog.h"
#include "app/ui/graphic_area.h"
#include "app/ui/main_window.h"
#include "app/ui/multi_trace_window.h"
#include "app/ui/trace_attributes_box.h"
#include "decode/synth_writer.h"
#include "test_support.h"

namespace vorax::app::ui {
namespace {

QPushButton* buttonOf(QWidget& parent, const QString& caption) {
  for (QPushButton* button : parent.findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  ADD_FAILURE() << "no button " << caption.toStdString();
  return nullptr;
}

void clickDialogButton(QDialog& dialog, const QString& caption) {
  for (QPushButton* button : dialog.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
    if (button->text() == caption) return button->click();
  ADD_FAILURE() << "no dialog button " << caption.toStdString();
}

class ViewerWindow : public ::testing::Test {
 protected:
  ViewerWindow() {
    startUp(state, dir.path().string(), false);
    decode::synth::SynthOptions options;
    options.seismicTraces = 130;  // 0..60, 60..120, then 70..130
    options.auxTraces = 0;
    options.samplesPerTrace = 201;  // 400 ms at 2 ms
    EXPECT_EQ(decode::synth::writeSyntheticRecord(record, options), "");
    window = std::make_unique<MainWindow>(state);  // after start-up, as the program does
    window->setMessageSink(messages);
    window->show();
    window->resize(1200, 800);
  }
  ~ViewerWindow() override { window->close(); }

  void openAndWait(const std::filesystem::path& path) {
    window->openRecordFile(path);
    QElapsedTimer timer;
    timer.start();
    while (window->loading() && timer.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    ASSERT_FALSE(window->loading());
  }

  // The graphic area's pixel of a trace and sample of the current display.
  QPointF pixelOf(std::int32_t trace, std::int32_t sample) {
    const QImage& picture = window->graphicArea().picture();
    WorldMapping mapping{window->displayGeometry().world, static_cast<double>(picture.width()),
                         static_cast<double>(picture.height())};
    PointF p = mapping.toDevice({static_cast<double>(trace), static_cast<double>(sample)});
    return {p.x, p.y};
  }

  void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QWidget& area = window->graphicArea();
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, area.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&area, &event);
  }
  void ctrlClick(std::int32_t trace, std::int32_t sample) {
    mouse(QEvent::MouseButtonPress, pixelOf(trace, sample), Qt::LeftButton, Qt::ControlModifier);
    mouse(QEvent::MouseButtonRelease, pixelOf(trace, sample), Qt::LeftButton, Qt::ControlModifier);
  }

  test::TempDir dir;
  std::filesystem::path record = dir / "shot.segd";
  AppState state;
  decode::CollectingMessages messages;
  std::unique_ptr<MainWindow> window;
};

TEST_F(ViewerWindow, OpensARecordAndPagesThroughItByNumber) {
  openAndWait(record);
  EXPECT_TRUE(state.recordLoaded);
  EXPECT_EQ(window->windowTitle(), "VORAX Viewer - shot.segd");
  EXPECT_EQ(state.LastDataFolder, dir.path().string());
  EXPECT_EQ(state.display.firstTrace, 0);
  EXPECT_EQ(state.display.lastTrace, 60);
  EXPECT_TRUE(window->displayGeometry().hasTraces);

  buttonOf(*window, "Next>")->click();
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{60, 120}));
  buttonOf(*window, "Next>")->click();
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{70, 130}));
  buttonOf(*window, "<Prev")->click();
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{10, 70}));
  buttonOf(*window, "<<First")->click();
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{0, 60}));
  buttonOf(*window, "Last>>")->click();
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{70, 130}));
  EXPECT_EQ(window->displayGeometry().x0, 70);
}

TEST_F(ViewerWindow, PlusFourTimesRaisesTheGainByTwelveDecibelsAndRedraws) {
  openAndWait(record);
  const QImage before = window->graphicArea().picture();
  for (int n = 0; n < 4; ++n) buttonOf(*window, "+")->click();
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 18 + 12);
  EXPECT_NE(window->graphicArea().picture(), before);
  buttonOf(*window, "-")->click();
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 27);
}

TEST_F(ViewerWindow, ConfigureKeepsItsFieldsInRange) {
  openAndWait(record);
  ConfigureDialog* dialog = window->openConfigure();
  EXPECT_EQ(dialog->windowTitle(), "VORAX Viewer Configure");
  dialog->tracesEdit()->setText("500");
  dialog->clipEdit()->setText("0.2");
  dialog->startEdit()->setText("5000");  // the record is 400 ms long
  dialog->gainEdit()->setText("200");
  clickDialogButton(*dialog, "OK");
  EXPECT_EQ(dialog->tracesEdit()->text(), "300");
  EXPECT_EQ(dialog->clipEdit()->text(), ".5");
  EXPECT_EQ(state.settings.tracesToDisplay(), "300");
  EXPECT_EQ(state.settings.displayStartTime(), "300");
  EXPECT_FLOAT_EQ(state.settings.traceClip(), 0.5f);
  EXPECT_FLOAT_EQ(state.settings.initialGainDb(), 160);
  EXPECT_EQ(state.display.tracesPerScreen, 300);
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 160);
  QApplication::processEvents();

  dialog = window->openConfigure();
  EXPECT_EQ(dialog->tracesEdit()->text(), "300");
  dialog->tracesEdit()->setText("1");
  clickDialogButton(*dialog, "OK");
  EXPECT_EQ(state.settings.tracesToDisplay(), "5");

  dialog = window->openConfigure();
  dialog->tracesEdit()->setText("77");
  clickDialogButton(*dialog, "Cancel");
  EXPECT_EQ(state.settings.tracesToDisplay(), "5");
}

TEST_F(ViewerWindow, PointerShowsTheTraceAttributesAndCtrlClicksPickForTheMultiTraceView) {
  openAndWait(record);
  mouse(QEvent::MouseMove, pixelOf(12, 100), Qt::NoButton, Qt::NoModifier);
  ASSERT_TRUE(window->overlay().cursor);
  EXPECT_EQ(*window->overlay().cursor, (TraceAndSample{12, 100}));
  EXPECT_EQ(window->overlay().readout, "Seis Channel : 12  Time : 200.0mS");
  EXPECT_EQ(window->traceAttributesBox().value(0), "12");

  QPushButton* show = buttonOf(*window, "Show");
  EXPECT_FALSE(show->isVisible());
  ctrlClick(10, 50);
  ctrlClick(20, 50);
  ctrlClick(30, 50);
  ctrlClick(20, 80);  // picked again: removed
  EXPECT_EQ(state.display.pickedTraces, (std::vector<std::int32_t>{10, 30}));
  EXPECT_TRUE(show->isVisible());

  show->click();
  EXPECT_FALSE(show->isVisible());
  MultiTraceWindow* view = window->findChild<MultiTraceWindow*>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->windowTitle(), "Multi Trace View");
  for (const char* caption : {"Print", "Numerics", "Labels", "Exit"}) EXPECT_NE(buttonOf(*view, caption), nullptr);
  const QImage& picture = view->graphicArea().picture();
  ASSERT_FALSE(picture.isNull());
  int black = 0;
  for (int x = 0; x < picture.width(); ++x)
    for (int y = 0; y < picture.height(); y += 3) black += picture.pixel(x, y) == qRgb(0, 0, 0);
  EXPECT_GT(black, 200);
  buttonOf(*view, "Exit")->click();
}

TEST_F(ViewerWindow, SavedPictureHasNoCrosshairWhileTheScreenShowsIt) {
  openAndWait(record);
  mouse(QEvent::MouseMove, pixelOf(30, 100), Qt::NoButton, Qt::NoModifier);
  const QImage onScreen = window->graphicArea().grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage drawn = window->graphicArea().picture();
  const QPoint cross = pixelOf(30, 100).toPoint();
  EXPECT_EQ(onScreen.pixel(cross.x() + 40, cross.y()), qRgb(255, 0, 0));
  EXPECT_NE(drawn.pixel(cross.x() + 40, cross.y()), qRgb(255, 0, 0));

  window->saveDisplayPicture((dir / "page").string(), PictureFormat::Bmp);
  const QImage saved(QString::fromStdString((dir / "page.BMP").string()));
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), drawn);
  EXPECT_NE(saved.convertToFormat(QImage::Format_RGB32), onScreen);
}

TEST_F(ViewerWindow, RightClickAndAltDragReachTheirViewsWithTracesAndSamples) {
  std::int32_t singleTrace = 0;
  TraceSelection selection;
  window->setSingleTraceViewOpener([&](std::int32_t trace) { singleTrace = trace; });
  window->setTraceSelectionOpener([&](const TraceSelection& s) { selection = s; });
  mouse(QEvent::MouseButtonPress, pixelOf(5, 10), Qt::RightButton, Qt::NoModifier);
  EXPECT_EQ(singleTrace, 0);  // no record yet: the mouse is ignored

  openAndWait(record);
  mouse(QEvent::MouseButtonPress, pixelOf(5, 10), Qt::RightButton, Qt::NoModifier);
  EXPECT_EQ(singleTrace, 5);
  mouse(QEvent::MouseButtonPress, pixelOf(40, 150), Qt::LeftButton, Qt::AltModifier);
  mouse(QEvent::MouseMove, pixelOf(20, 60), Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(window->overlay().drag, DisplayDrag::Selection);
  mouse(QEvent::MouseButtonRelease, pixelOf(20, 60), Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(window->overlay().drag, DisplayDrag::None);
  EXPECT_EQ(selection.firstTrace, 20);
  EXPECT_EQ(selection.lastTrace, 40);
  EXPECT_EQ(selection.startSample, 60);
  EXPECT_EQ(selection.endSample, 150);
}

TEST_F(ViewerWindow, AFileThatCannotBeOpenedIsReportedAndTheRecordStays) {
  openAndWait(record);
  openAndWait(dir / "missing.segd");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].find("missing.segd"), std::string::npos);
  EXPECT_TRUE(state.recordLoaded);
  EXPECT_EQ(state.record.loadedTraceCount(), 130);
}

TEST_F(ViewerWindow, ToolsAreDisabledUntilOneIsBuiltAndThenHideTheMainWindow) {
  ToolsDialog* tools = window->openTools();
  EXPECT_EQ(tools->windowTitle(), "Tools");
  QPushButton* filters = buttonOf(*tools, "Filters");
  EXPECT_FALSE(filters->isEnabled());
  EXPECT_FALSE(filters->toolTip().isEmpty());
  tools->close();

  bool opened = false;
  window->setToolOpener("Filters", [&] { opened = true; });
  tools = window->openTools();
  buttonOf(*tools, "Filters")->click();
  EXPECT_TRUE(opened);
  EXPECT_FALSE(window->isVisible());
  window->returnToMainWindow();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ViewerWindow, KeysPageAndChangeGainAndADroppedFileOpens) {
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(record.string()))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  QElapsedTimer timer;
  timer.start();
  while (window->loading() && timer.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_TRUE(state.recordLoaded);
  EXPECT_EQ(window->windowTitle(), "VORAX Viewer - shot.segd");

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const float gain = state.display.displayGainDb;
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{60, 120}));
  QTest::keyClick(window.get(), Qt::Key_End);
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{70, 130}));
  QTest::keyClick(window.get(), Qt::Key_PageUp);
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{10, 70}));
  QTest::keyClick(window.get(), Qt::Key_Home);
  EXPECT_EQ((TraceRange{state.display.firstTrace, state.display.lastTrace}), (TraceRange{0, 60}));
  QTest::keyClick(window.get(), Qt::Key_Plus);
  QTest::keyClick(window.get(), Qt::Key_Plus);
  QTest::keyClick(window.get(), Qt::Key_Minus);
  EXPECT_EQ(state.display.displayGainDb, gain + 3);
}

}  // namespace
}  // namespace vorax::app::ui
