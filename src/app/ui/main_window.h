// The viewer's main window: the record display in the graphic area on the left (0.87 of the
// window's width unless the controls need more, the full height) and, on its right, the
// buttons, the display gain, the "Trace Attributes" read-out and the loading progress bar;
// a menu bar above and a status bar below.
//
// Hooks for the views and tools built elsewhere, each one line where the program starts:
// setToolOpener (Tools dialog and menu), setSingleTraceViewOpener (right click),
// setTraceSelectionOpener (Alt-drag).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/display_overlay.h"
#include "app/display_zoom.h"
#include "app/picture_file_name.h"
#include "app/record_display.h"
#include "app/startup.h"
#include "app/ui/message_boxes.h"
#include "app/ui/tools_dialog.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace vorax::app::ui {

class ConfigureDialog;
class GraphicArea;
class MultiTraceWindow;
class RecordLoader;
class TraceAttributesBox;
struct LoadedRecord;

// The rectangle of an Alt-drag, in traces and samples, first <= last.
struct TraceSelection {
  std::int32_t firstTrace = 0;
  std::int32_t lastTrace = 0;
  std::int32_t startSample = 0;
  std::int32_t endSample = 0;
};

// One press of "+" or "-", one notch of Ctrl+wheel.
inline constexpr float kGainStepDb = 3;

// The filter of the "Open" dialog: SEG-D, SEG-2, then every file.
inline constexpr const char* kRecordFileFilter =
    "SEG-D Files (*.segd *.sgd *.fcnt)|*.segd;*.sgd;*.fcnt|"
    "SEG-2 Files (*.seg2 *.sg2 *.dat)|*.seg2;*.sg2;*.dat|All Files|*.*";

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(AppState& state, QWidget* parent = nullptr);
  ~MainWindow() override;

  GraphicArea& graphicArea() { return *graphicArea_; }
  TraceAttributesBox& traceAttributesBox() { return *attributes_; }
  const RecordDisplayGeometry& displayGeometry() const { return geometry_; }
  const DisplayOverlay& overlay() const { return overlay_; }
  // The status bar's texts joined by " | " (file, traces, gain, time window, read-out).
  QString statusLine() const;
  const std::vector<std::string>& recentFiles() const { return recentFiles_; }

  // Opens a record: "Open" asks for the file, then this loads it on a worker thread while
  // the window stays responsive. The record on screen and the title stay until the new
  // record has loaded and has traces to show; only then is it replaced and recordOpened()
  // emitted.
  void openRecordFile(const std::filesystem::path& path);
  // The same, and once that record is on screen its `marks` are drawn over it (a tool's
  // verdicts on its traces) until another record replaces it.
  void openRecordMarkingTraces(const std::filesystem::path& path, std::vector<TraceMark> marks);
  const std::vector<TraceMark>& traceMarks() const { return marks_; }
  bool loading() const;

  void page(PagingMode mode);
  // The "+" and "-" buttons: 3 dB a press, no limit. The gain is kept in the settings, so
  // that Configure, the next record and the next run start with it.
  void changeGain(float db);

  // Zooming (main_window_view.cpp): to a view, remembering the one it replaces; back one
  // zoom (Backspace); the whole record.
  void zoomToView(const DisplayView& view);
  void zoomOutOnce();
  void showWholeRecord();
  // Display mode, balance and AGC, kept in the settings.
  void setDisplayMode(DisplayMode mode);
  void setTraceBalance(TraceBalance balance);
  void setDisplayAgc(bool on);
  // The next (step 1) or previous (-1) record file of the open record's folder, opened with
  // the page, zoom and gain kept. Does nothing past either end or while a record loads.
  void stepRecord(int step);
  // File > Record K of N: record `number` (from 1) of a file holding several, view kept.
  void openRecordOfFile(std::int32_t number);

  // The dialogs open window-modal and return at once (the caller may fill and confirm them).
  ConfigureDialog* openConfigure();
  ToolsDialog* openTools();
  MultiTraceWindow* showMultiTraceView();

  // Saves the display's picture (without the pointer marks) under the typed name, the
  // extension rule applied.
  void saveDisplayPicture(const std::string& typedName, PictureFormat format);

  // Tools are opened from the Tools dialog or menu with the main window hidden; they call
  // returnToMainWindow() when they close, which saves the settings they changed.
  void setToolOpener(const QString& caption, ToolOpener opener);
  void returnToMainWindow();

  // The end without a user to answer (a termination request): the settings saved as "End"
  // saves them, once, a failure only in the debug log.
  void endUnattended();
  // Views opened from the display: the single trace view (right click on a trace) and the
  // trace selection (Alt-drag). Without one the action does nothing.
  void setSingleTraceViewOpener(std::function<void(std::int32_t trace)> opener);
  void setTraceSelectionOpener(std::function<void(const TraceSelection&)> opener);
  // Adds a command to the File menu above "Quit" (the composition root adds the exports).
  void addFileCommand(const QString& text, std::function<void()> run);
  // Where decoder messages and open errors go; message boxes unless replaced.
  void setMessageSink(decode::MessageSink& sink) { messages_ = &sink; }

 signals:
  void recordOpened();
  // The first page of a large record is on screen while the rest still loads.
  void earlyPageShown();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Every way of closing the window ends the program and saves the settings, once.
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Construction.
  QPushButton* addButton(const QString& caption, QVBoxLayout* column);
  QPushButton* addButtonPair(const QString& left, const QString& right, QVBoxLayout* column,
                             QPushButton** rightButton);
  void buildButtons();
  void buildStatusBar();
  void placeOnDesktop();
  void layoutPane();

  // Menus and their dialogs (main_window_menus.cpp).
  void buildMenus();
  void buildToolsMenu(QMenu* menu);
  void buildViewMenu(QMenu* menu);
  void syncViewMenu();
  void rebuildRecentMenu();
  void rebuildFileRecordsMenu();
  void showKeysHelp();
  void showAbout();

  // Records and drawing.
  void askAndOpen();
  // `recordNumber` 0: the file's first record, with a word when it holds several.
  void startLoading(const std::filesystem::path& path, std::int32_t recordNumber = 0);
  void askAndSavePicture();
  void printDisplay();
  void recordLoaded(const std::shared_ptr<LoadedRecord>& outcome);
  // The first page of a large record still loading is shown at once; paging waits for the rest.
  void earlyTracesLoaded(const std::shared_ptr<LoadedRecord>& outcome);
  const decode::SegdRecord& shownRecord() const;
  void showNewRecord(decode::SegdRecord&& record, std::vector<TraceMark> marks = {});
  void rememberRecentFile(const std::string& path);
  void drawDisplay(Canvas& canvas);
  void redrawDisplay();  // after paging, gain, Configure: the last velocity text goes
  void updateTitle();
  void updateStatus();
  void focusDisplay();  // the keys go to the display again after a dialog
  void openTool(const QString& caption);
  // The settings saved and "Program End" logged, once; false when this was done already.
  bool endOnce(ShutdownResult& result);
  void saveSettingsOnce();

  // Mouse on the graphic area (main_window_mouse.cpp); ignored without a record.
  bool acceptsMouse() const;
  std::optional<TraceAndSample> pointAt(QPointF position) const;
  void mousePressed(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void mouseMoved(QPointF position);
  void mouseReleased(QPointF position, Qt::MouseButton button);
  void wheelTurned(int notches, Qt::KeyboardModifiers modifiers);
  void zoomAboutPointer(int notches, bool traces);
  void pointerLeft();
  void togglePick(std::int32_t trace);
  void clearInteraction();
  void drawOverlay(Canvas& canvas);

  AppState& state_;
  MessageBoxSink messageBoxes_;
  decode::MessageSink* messages_;
  QWidget* pane_;
  GraphicArea* graphicArea_;
  QWidget* buttonColumn_;
  TraceAttributesBox* attributes_;
  QPushButton* showButton_ = nullptr;
  QLabel* gainLabel_ = nullptr;
  QProgressBar* progress_;
  RecordLoader* loader_;
  QPointer<MultiTraceWindow> multiTraceWindow_;  // closing the view deletes it

  QMenu* recentMenu_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* fileRecordsMenu_ = nullptr;  // File > Record K of N, for a file of several records
  std::int32_t fileRecordCount_ = 1;  // records the open file holds, and the one shown
  std::int32_t fileRecordNumber_ = 1;
  QAction* quitSeparator_ = nullptr;      // File menu commands added later go above it
  std::vector<QLabel*> statusLabels_;     // file, traces, gain, time window, folder place, read-out
  std::string folderPlace_;               // "record k of n" of the record shown
  bool keepView_ = false;                 // the record loading replaces the one shown, view kept
  std::vector<QAction*> modeActions_;     // wiggle, variable area, variable density
  std::vector<QAction*> balanceActions_;  // none, peak, RMS
  QAction* agcAction_ = nullptr;
  std::vector<std::string> recentFiles_;

  // The first traces of a record still loading and their first page, on screen until the
  // whole record is in; the pages asked for meanwhile.
  struct EarlyView {
    decode::SegdRecord record;
    DisplayState display;
  };
  std::optional<EarlyView> early_;
  std::vector<PagingMode> pendingPaging_;

  RecordDisplayGeometry geometry_;
  DisplayOverlay overlay_;
  std::string velocityText_;
  std::vector<TraceMark> marks_;         // of the record on screen
  std::vector<TraceMark> pendingMarks_;  // of the record loading
  std::map<QString, ToolOpener> tools_;
  std::function<void(std::int32_t)> openSingleTraceView_;
  std::function<void(const TraceSelection&)> openTraceSelection_;
  bool placed_ = false;
  bool ended_ = false;
};

}  // namespace vorax::app::ui
