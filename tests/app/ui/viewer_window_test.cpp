// The main window driven as a user drives it, on a synthetic record.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <fstream>

#include "app/display_zoom.h"
#include "app/startup.h"
#include "app/ui/configure_dialog.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/main_window.h"
#include "app/ui/multi_trace_window.h"
#include "app/ui/trace_attributes_box.h"
#include "decode/record_opener.h"
#include "decode/synth/sercel_synth.h"
#include "decode/synth/synth_writer.h"
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
    while (window->loading() && timer.elapsed() < 20000)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
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

  void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers) {
    QWidget& area = window->graphicArea();
    Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, area.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&area, &event);
  }
  void wheel(int notches, Qt::KeyboardModifiers modifiers) {
    QWidget& area = window->graphicArea();
    const QPointF at(area.width() / 2.0, area.height() / 2.0);
    QWheelEvent event(at, area.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&area, &event);
  }
  std::filesystem::path sercelRecord() {
    decode::synth::SercelSynthOptions options;
    options.seismicTraces = 20;
    options.samplesPerTrace = 201;
    const std::filesystem::path path = dir / "sercel.segd";
    EXPECT_EQ(decode::synth::writeSercelRecords(path, options, {}), "");
    return path;
  }
  TraceRange shown() const { return {state.display.firstTrace, state.display.lastTrace}; }
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

// A record of many traces shows its first page before the rest has loaded; a page asked for
// meanwhile is shown once the whole record is in.
TEST_F(ViewerWindow, ALargeRecordShowsItsFirstPageWhileTheRestLoads) {
  decode::synth::SynthOptions options;
  options.seismicTraces = 1500;
  options.auxTraces = 0;
  options.samplesPerTrace = 201;
  const std::filesystem::path large = dir / "large.segd";
  ASSERT_EQ(decode::synth::writeSyntheticRecord(large, options), "");
  QImage early;
  QString earlyTitle;
  QObject::connect(window.get(), &MainWindow::earlyPageShown, [&] {
    early = window->graphicArea().picture().copy();
    earlyTitle = window->windowTitle();
    EXPECT_TRUE(window->loading());
    window->page(PagingMode::Next);
  });
  openAndWait(large);
  ASSERT_FALSE(early.isNull());
  EXPECT_EQ(earlyTitle, "VORAX Viewer - large.segd");
  EXPECT_EQ(shown(), (TraceRange{60, 120}));
  window->page(PagingMode::First);
  EXPECT_EQ(window->graphicArea().picture(), early);
}

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
  EXPECT_EQ(window->displayGeometry().x0, 69);  // a spacing left of trace 70
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
  EXPECT_TRUE(
      window->overlay().readout.starts_with("Seis Channel : 12  Time : 200.0mS  Amplitude : "));
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
  for (const char* caption : {"Print", "Numerics", "Labels", "Exit"})
    EXPECT_NE(buttonOf(*view, caption), nullptr);
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
  const QImage onScreen =
      window->graphicArea().grab().toImage().convertToFormat(QImage::Format_RGB32);
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
  while (window->loading() && timer.elapsed() < 20000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
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

// Whatever fails or warns while a record opens, the record on screen, its page and the title
// stay; only a record that loaded with traces to show replaces it.
TEST_F(ViewerWindow, AFailedOrEmptyOpenLeavesTheRecordOnScreenAndTheTitle) {
  openAndWait(record);
  buttonOf(*window, "Next>")->click();
  const QImage before = window->graphicArea().picture();
  const std::vector<std::uint8_t> bytes = test::readFileBytes(record);
  const std::filesystem::path garbage = dir / "garbage.segd";
  std::ofstream(garbage) << std::string(400, '*');
  // The headers alone, up to the first trace: it opens, but holds no traces.
  const std::filesystem::path headersOnly = dir / "headers.segd";
  decode::SegdRecord headers;
  decode::CollectingMessages quiet;
  decode::OpenOptions headersOnlyOptions;
  headersOnlyOptions.loadTraces = false;
  const decode::OpenResult opened =
      decode::openRecord(record, headers, quiet, state.debugLog, headersOnlyOptions);
  ASSERT_GT(opened.firstTracePosition, 1);
  std::ofstream(headersOnly, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), opened.firstTracePosition - 1);
  std::vector<std::filesystem::path> failures{garbage, headersOnly};
  const char* realDir = std::getenv("VORAX_REALDATA_DIR");
  const std::filesystem::path smartSolo = std::filesystem::path(realDir ? realDir : "") /
                                          "PH5_453005513.2.2021.05.08.20.06.00.000.E.segd";
  if (realDir != nullptr && std::filesystem::exists(smartSolo)) failures.push_back(smartSolo);
  for (const std::filesystem::path& failure : failures) {
    messages.messages.clear();
    openAndWait(failure);
    EXPECT_FALSE(messages.messages.empty()) << failure;
    EXPECT_TRUE(state.recordLoaded);
    EXPECT_EQ(state.record.loadedTraceCount(), 130);
    EXPECT_EQ(window->windowTitle(), "VORAX Viewer - shot.segd") << failure;
    EXPECT_EQ(shown(), (TraceRange{60, 120}));
    EXPECT_EQ(window->graphicArea().picture(), before) << failure;
  }
  EXPECT_NE(messages.messages.back().find("holds no traces"), std::string::npos);
}

TEST_F(ViewerWindow, ConfigureRefusesAWindowThatEndsBeforeItStartsAndAppliesATraceCountAtOnce) {
  openAndWait(record);
  buttonOf(*window, "Next>")->click();
  ConfigureDialog* dialog = window->openConfigure();
  dialog->startEdit()->setText("300");
  dialog->endEdit()->setText("100");
  clickDialogButton(*dialog, "OK");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->problem(),
            "The Display Start Time (300 ms) must be before the Display EndTime (100 ms).");
  EXPECT_EQ(state.settings.displayStartTime(), "0");
  dialog->startEdit()->setText("0");
  dialog->tracesEdit()->setText("24");
  clickDialogButton(*dialog, "OK");
  QApplication::processEvents();
  EXPECT_EQ(shown(), (TraceRange{60, 84}));
  EXPECT_EQ(window->displayGeometry().x1, 85);
  EXPECT_EQ(window->displayGeometry().s1, 50);  // 100 ms at 2 ms
}

TEST_F(ViewerWindow, MenusStatusBarAndGainShowWhatTheWindowDoes) {
  QStringList menus;
  for (QAction* menu : window->menuBar()->actions()) menus << menu->text().remove('&');
  EXPECT_EQ(menus, (QStringList{"File", "View", "Tools", "Help"}));
  std::map<QString, QString> shortcuts;  // action text without "&" and "..." -> its first key
  for (QAction* menu : window->menuBar()->actions())
    for (QAction* action : menu->menu()->actions())
      shortcuts[action->text().remove('&').remove("...")] = action->shortcut().toString();
  for (const char* action :
       {"Open", "Open Recent", "Save Picture", "Print", "Quit", "Gain Up 3 dB", "Gain Down 3 dB",
        "Next Page", "Configure", "Tools", "Filters", "Keys and Mouse", "About VORAX Viewer"})
    EXPECT_EQ(shortcuts.count(action), 1u) << action;
  EXPECT_EQ(shortcuts["Save Picture"], "Ctrl+S");
  EXPECT_EQ(shortcuts["Print"], "Ctrl+P");
  EXPECT_EQ(shortcuts["Open"], "Ctrl+O");
  EXPECT_EQ(platformFileFilter(kRecordFileFilter),
            "SEG-D Files (*.segd *.sgd *.fcnt);;SEG-2 Files (*.seg2 *.sg2 *.dat);;All Files (*)");

  EXPECT_EQ(window->statusLine(), "No record");
  openAndWait(record);
  EXPECT_EQ(window->statusLine().toStdString(),
            "shot.segd | Traces 1-60 of 130 | Gain 18 dB | 0-400 ms | record 1 of 1");
  buttonOf(*window, "-")->click();
  mouse(QEvent::MouseMove, pixelOf(12, 100), Qt::NoButton, Qt::NoModifier);
  // 201 samples at 2 ms end at 400 ms; the read-out's amplitude is tested on its own.
  EXPECT_TRUE(window->statusLine().startsWith(
      "shot.segd | Traces 1-60 of 130 | Gain 15 dB | 0-400 ms | record 1 of 1 | Seis Channel : "
      "12  Time : 200.0mS  Amplitude : "))
      << window->statusLine().toStdString();
  bool gainShown = false;
  for (QLabel* label : buttonOf(*window, "+")->parentWidget()->findChildren<QLabel*>())
    gainShown = gainShown || label->text() == "Gain 15 dB";
  EXPECT_TRUE(gainShown);
}

TEST_F(ViewerWindow, WheelPagesAndCtrlWheelChangesTheGain) {
  openAndWait(record);
  wheel(-1, Qt::NoModifier);  // towards the user: the next page
  EXPECT_EQ(shown(), (TraceRange{60, 120}));
  wheel(1, Qt::NoModifier);
  EXPECT_EQ(shown(), (TraceRange{0, 60}));
  wheel(2, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 24);
  EXPECT_EQ(shown(), (TraceRange{0, 60}));
}

TEST_F(ViewerWindow, StartScreenHintsHowToOpenARecord) {
  const QImage& picture = window->graphicArea().picture();
  const int middle = picture.height() / 2;
  int text = 0;
  for (int y = middle - 15; y <= middle + 15; ++y)
    for (int x = picture.width() / 4; x < 3 * picture.width() / 4; ++x)
      text += picture.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_GT(text, 100);
}

// Trace Attributes name what Sercel records hold and are cleared when another record opens;
// at 1024 x 700 every value is shown whole.
TEST_F(ViewerWindow, AttributesFollowTheRecordAndStayReadableAt1024By700) {
  window->resize(1024, 700);
  openAndWait(record);
  mouse(QEvent::MouseMove, pixelOf(12, 100), Qt::NoButton, Qt::NoModifier);
  TraceAttributesBox& box = window->traceAttributesBox();
  EXPECT_EQ(box.value(0), "12");
  EXPECT_EQ(box.caption(9), "Cable #");

  openAndWait(sercelRecord());
  EXPECT_EQ(box.value(0), "");
  EXPECT_EQ(box.caption(9), "Resistance");
  mouse(QEvent::MouseMove, pixelOf(5, 100), Qt::NoButton, Qt::NoModifier);
  EXPECT_EQ(box.value(0), "5");
  QApplication::processEvents();
  const QRect inside = window->centralWidget()->rect();
  for (QLabel* label : box.findChildren<QLabel*>()) {
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    const QRect area(label->mapTo(window->centralWidget(), QPoint(0, 0)), label->size());
    EXPECT_TRUE(inside.contains(area)) << label->text().toStdString();
  }
  EXPECT_TRUE(
      inside.contains(QRect(buttonOf(*window, "End")->mapTo(window->centralWidget(), QPoint(0, 0)),
                            buttonOf(*window, "End")->size())));
}

TEST_F(ViewerWindow, SercelRecordsTakeTheDisplayGain) {
  openAndWait(sercelRecord());
  const QImage before = window->graphicArea().picture();
  for (int n = 0; n < 4; ++n) buttonOf(*window, "-")->click();
  EXPECT_NE(window->graphicArea().picture(), before);
  EXPECT_NE(window->statusLine().indexOf("Gain 6 dB"), -1);
}

TEST_F(ViewerWindow, KeyboardFocusReturnsToTheDisplayWhenADialogCloses) {
  openAndWait(record);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  ConfigureDialog* dialog = window->openConfigure();
  dialog->tracesEdit()->setFocus();
  clickDialogButton(*dialog, "Cancel");
  QApplication::processEvents();
  EXPECT_EQ(window->focusWidget(), &window->graphicArea());
  ToolsDialog* tools = window->openTools();
  tools->reject();
  QApplication::processEvents();
  EXPECT_EQ(window->focusWidget(), &window->graphicArea());
  window->page(PagingMode::Next);
  EXPECT_EQ(window->focusWidget(), &window->graphicArea());
}

TEST_F(ViewerWindow, OpenedRecordsAreOfferedAgainUnderOpenRecent) {
  openAndWait(record);
  ASSERT_EQ(window->recentFiles().size(), 1u);
  EXPECT_EQ(window->recentFiles()[0], std::filesystem::absolute(record).string());
  openAndWait(dir / "missing.segd");
  EXPECT_EQ(window->recentFiles().size(), 1u);  // only records that opened
  MainWindow again(state);
  EXPECT_EQ(again.recentFiles(), window->recentFiles());
  again.close();
}

// A plain drag zooms to its rectangle; Shift+wheel zooms the time and Ctrl+Shift+wheel the
// traces about the pointer; Backspace steps back through the zooms, Ctrl+Home shows all.
TEST_F(ViewerWindow, DragAndShiftWheelZoomAndBackspaceStepsBack) {
  openAndWait(record);
  mouse(QEvent::MouseButtonPress, pixelOf(10, 50), Qt::LeftButton, Qt::NoModifier);
  mouse(QEvent::MouseMove, pixelOf(30, 100), Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(window->overlay().drag, DisplayDrag::Zoom);
  mouse(QEvent::MouseButtonRelease, pixelOf(30, 100), Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(shown(), (TraceRange{10, 30}));
  EXPECT_FLOAT_EQ(state.display.displayStartMs, 100);  // samples 50..100 at 2 ms
  EXPECT_FLOAT_EQ(state.display.displayEndMs, 200);
  EXPECT_EQ(window->displayGeometry().firstTrace, 10);

  mouse(QEvent::MouseMove, pixelOf(20, 75), Qt::NoButton, Qt::NoModifier);  // 150 ms
  wheel(1, Qt::ShiftModifier);  // 0.8 of 100 ms about 150 ms
  EXPECT_FLOAT_EQ(state.display.displayStartMs, 110);
  EXPECT_FLOAT_EQ(state.display.displayEndMs, 190);
  wheel(1, Qt::ShiftModifier | Qt::ControlModifier);  // 20 traces about trace 20: 16
  EXPECT_EQ(shown(), (TraceRange{12, 28}));

  QTest::keyClick(&window->graphicArea(), Qt::Key_Backspace);
  EXPECT_EQ(shown(), (TraceRange{10, 30}));
  EXPECT_FLOAT_EQ(state.display.displayStartMs, 110);
  QTest::keyClick(&window->graphicArea(), Qt::Key_Backspace);
  QTest::keyClick(&window->graphicArea(), Qt::Key_Backspace);
  EXPECT_EQ(shown(), (TraceRange{0, 60}));
  EXPECT_FLOAT_EQ(state.display.displayStartMs, 0);
  EXPECT_FLOAT_EQ(state.display.displayEndMs, 3000);
  QTest::keyClick(&window->graphicArea(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(shown(), (TraceRange{0, 130}));
  EXPECT_FLOAT_EQ(state.display.displayEndMs, 400);
  EXPECT_TRUE(state.display.zoomHistory.empty());

  // A click without a drag zooms nowhere; the other drags keep their meaning.
  mouse(QEvent::MouseButtonPress, pixelOf(40, 60), Qt::LeftButton, Qt::NoModifier);
  mouse(QEvent::MouseButtonRelease, pixelOf(40, 60), Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(shown(), (TraceRange{0, 130}));
}

// Ctrl+PgDown / Ctrl+PgUp open the neighbours of the record in its folder (by name, records
// only), keeping the page, the zoom and the gain; the status bar says where the record stands.
TEST_F(ViewerWindow, NextAndPreviousRecordKeepThePageZoomAndGain) {
  decode::synth::SynthOptions options;
  options.seismicTraces = 130;
  options.auxTraces = 0;
  options.samplesPerTrace = 201;
  ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / "shot2.segd", options), "");
  test::writeFileBytes(dir / "notes.txt", {'n', 'o'});
  openAndWait(record);
  EXPECT_TRUE(window->statusLine().contains("record 1 of 2")) << window->statusLine().toStdString();
  window->page(PagingMode::Next);
  window->changeGain(6);
  zoomTo({60, 120, 100, 300}, state.display);
  auto waitForLoad = [&] {
    QElapsedTimer timer;
    timer.start();
    while (window->loading() && timer.elapsed() < 20000)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  };
  QTest::keyClick(&window->graphicArea(), Qt::Key_PageDown, Qt::ControlModifier);
  waitForLoad();
  EXPECT_EQ(std::filesystem::path(state.record.fileName).filename(), "shot2.segd");
  EXPECT_TRUE(window->statusLine().contains("record 2 of 2"));
  EXPECT_EQ(shown(), (TraceRange{60, 120}));
  EXPECT_FLOAT_EQ(state.display.displayStartMs, 100);
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 24);
  QTest::keyClick(&window->graphicArea(), Qt::Key_PageDown, Qt::ControlModifier);  // the last
  waitForLoad();
  EXPECT_EQ(std::filesystem::path(state.record.fileName).filename(), "shot2.segd");
  QTest::keyClick(&window->graphicArea(), Qt::Key_PageUp, Qt::ControlModifier);
  waitForLoad();
  EXPECT_EQ(std::filesystem::path(state.record.fileName).filename(), "shot.segd");
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 24);
}

// A file of three records: File > Record K of N opens the one chosen, the title says which.
TEST_F(ViewerWindow, FileRecordMenuOpensTheRecordChosenOfAFileOfSeveral) {
  std::vector<std::uint8_t> three;
  for (const std::int32_t traces : {130, 50, 30}) {
    decode::synth::SynthOptions options;
    options.seismicTraces = traces;
    options.auxTraces = 0;
    options.samplesPerTrace = 201;
    ASSERT_EQ(decode::synth::writeSyntheticRecord(dir / "one.segd", options), "");
    const auto one = test::readFileBytes(dir / "one.segd");
    three.insert(three.end(), one.begin(), one.end());
  }
  std::filesystem::remove(dir / "one.segd");
  test::writeFileBytes(dir / "three.segd", three);
  auto entry = [&](const QString& text) -> QAction* {
    for (QAction* a : window->findChildren<QAction*>())
      if (a->text() == text) return a;
    return nullptr;
  };
  auto choose = [&](const QString& text) {
    QAction* action = entry(text);
    ASSERT_NE(action, nullptr) << text.toStdString();
    action->trigger();
    while (window->loading()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  };
  openAndWait(record);
  EXPECT_EQ(entry("Record 1 of 1"), nullptr);
  openAndWait(dir / "three.segd");
  EXPECT_EQ(state.record.loadedTraceCount(), 130);
  EXPECT_TRUE(entry("Record 1 of 3")->isChecked());
  EXPECT_EQ(window->windowTitle(), "VORAX Viewer - three.segd, Record 1 of 3");
  choose("Record 3 of 3");
  EXPECT_EQ(state.record.loadedTraceCount(), 30);
  EXPECT_TRUE(entry("Record 3 of 3")->isChecked());
  EXPECT_EQ(window->windowTitle(), "VORAX Viewer - three.segd, Record 3 of 3");
  choose("Record 2 of 3");
  EXPECT_EQ(state.record.loadedTraceCount(), 50);
  openAndWait(record);
  EXPECT_EQ(entry("Record 1 of 3"), nullptr);
  EXPECT_EQ(window->windowTitle(), "VORAX Viewer - shot.segd");
}

// The View menu switches the display mode, the balance and AGC, kept in the settings; the
// gain set with "+" is what Configure shows and what the next record opens with.
TEST_F(ViewerWindow, ViewMenuModesAndTheGainStayInTheSettings) {
  openAndWait(record);
  auto action = [&](const QString& text) -> QAction* {
    for (QAction* a : window->findChildren<QAction*>())
      if (a->text().remove('&') == text) return a;
    ADD_FAILURE() << "no action " << text.toStdString();
    return nullptr;
  };
  action("Variable Density")->trigger();
  EXPECT_EQ(state.settings.displayMode(), DisplayMode::Density);
  const QImage& picture = window->graphicArea().picture();
  int coloured = 0;  // red or blue cells of the colour map
  for (int x = 0; x < picture.width(); ++x) {
    const QColor c(picture.pixel(x, static_cast<int>(pixelOf(30, 100).y())));
    coloured += c.red() != c.blue() ? 1 : 0;
  }
  EXPECT_GT(coloured, picture.width() / 4);
  action("Variable Area")->trigger();
  EXPECT_EQ(state.settings.displayMode(), DisplayMode::VariableArea);
  action("Peak")->trigger();
  EXPECT_EQ(state.settings.traceBalance(), TraceBalance::Peak);
  EXPECT_EQ(state.settings.fixedGainDisplay(), 0);
  action("AGC")->trigger();
  EXPECT_EQ(state.settings.displayAgc(), 1);

  buttonOf(*window, "+")->click();
  EXPECT_FLOAT_EQ(state.settings.initialGainDb(), 21);
  ConfigureDialog* configure = window->openConfigure();
  EXPECT_EQ(configure->gainEdit()->text(), "21");
  EXPECT_FALSE(configure->densityButton()->isChecked());
  clickDialogButton(*configure, "OK");
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 21);
  EXPECT_EQ(state.settings.displayMode(), DisplayMode::VariableArea);
  openAndWait(record);
  EXPECT_FLOAT_EQ(state.display.displayGainDb, 21);
}

}  // namespace
}  // namespace vorax::app::ui
