#include "app/ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "app/display_settings.h"
#include "app/no_record_frame.h"
#include "app/recent_files.h"
#include "app/record_folder.h"
#include "app/startup.h"
#include "app/status_line.h"
#include "app/ui/configure_dialog.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/multi_trace_window.h"
#include "app/ui/picture_output.h"
#include "app/ui/record_loading.h"
#include "app/ui/trace_attributes_box.h"
#include "app/utilities.h"
#include "decode/conversions.h"

namespace vorax::app::ui {

namespace {

constexpr double kGraphicWidthShare = 0.87;
constexpr int kMargin = 6;  // pixels around the graphic area and the buttons

// A record the display can draw: traces with samples and a sample interval.
bool showable(const decode::SegdRecord& record) {
  return record.loadedTraceCount() > 0 && record.samples.samplesPerTrace() > 0 &&
         record.summary.sampleIntervalUs > 0 && std::isfinite(record.summary.sampleIntervalUs);
}

}  // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      messageBoxes_(this),
      messages_(&messageBoxes_),
      pane_(new QWidget(this)),
      graphicArea_(new GraphicArea(pane_)),
      buttonColumn_(new QWidget(pane_)),
      attributes_(new TraceAttributesBox),
      progress_(new QProgressBar),
      loader_(new RecordLoader(this)) {
  setWindowTitle("VORAX Viewer");
  setAcceptDrops(true);
  setCentralWidget(pane_);
  pane_->installEventFilter(this);
  graphicArea_->setFocusPolicy(Qt::StrongFocus);
  state_.display.tracesPerScreen = decode::numericInt(state_.settings.tracesToDisplay());
  recentFiles_ = loadRecentFiles(state_.startFolderFile(kRecentFilesName));
  buildButtons();
  buildMenus();
  buildStatusBar();

  connect(loader_, &RecordLoader::progressed, progress_, &QProgressBar::setValue);
  connect(loader_, &RecordLoader::loaded, this, &MainWindow::recordLoaded);
  connect(loader_, &RecordLoader::earlyTracesLoaded, this, &MainWindow::earlyTracesLoaded);
  connect(graphicArea_, &GraphicArea::mousePressed, this, &MainWindow::mousePressed);
  connect(
      graphicArea_, &GraphicArea::mouseMoved, this,
      [this](QPointF position, Qt::MouseButtons, Qt::KeyboardModifiers) { mouseMoved(position); });
  connect(graphicArea_, &GraphicArea::mouseReleased, this,
          [this](QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers) {
            mouseReleased(position, button);
          });
  connect(graphicArea_, &GraphicArea::pointerLeft, this, &MainWindow::pointerLeft);
  connect(graphicArea_, &GraphicArea::wheelTurned, this, &MainWindow::wheelTurned);
  graphicArea_->setPainter([this](Canvas& canvas) { drawDisplay(canvas); });
  graphicArea_->setOverlay([this](Canvas& canvas) { drawOverlay(canvas); });
  updateStatus();
  placeOnDesktop();
  focusDisplay();
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::addButton(const QString& caption, QVBoxLayout* column) {
  auto* button = new QPushButton(caption, buttonColumn_);
  button->setFocusPolicy(Qt::NoFocus);
  column->addWidget(button);
  return button;
}

QPushButton* MainWindow::addButtonPair(const QString& left, const QString& right,
                                       QVBoxLayout* column, QPushButton** rightButton) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  auto* first = new QPushButton(left, buttonColumn_);
  *rightButton = new QPushButton(right, buttonColumn_);
  for (QPushButton* b : {first, *rightButton}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(10);
    row->addWidget(b);
  }
  column->addLayout(row);
  return first;
}

void MainWindow::buildButtons() {
  auto* column = new QVBoxLayout(buttonColumn_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  connect(addButton("Open", column), &QPushButton::clicked, this, &MainWindow::askAndOpen);
  connect(addButton("Configure", column), &QPushButton::clicked, this, &MainWindow::openConfigure);

  QPushButton* right = nullptr;
  QPushButton* left = addButtonPair("<<First", "Last>>", column, &right);
  connect(left, &QPushButton::clicked, this, [this] { page(PagingMode::First); });
  connect(right, &QPushButton::clicked, this, [this] { page(PagingMode::Last); });
  left = addButtonPair("<Prev", "Next>", column, &right);
  connect(left, &QPushButton::clicked, this, [this] { page(PagingMode::Prev); });
  connect(right, &QPushButton::clicked, this, [this] { page(PagingMode::Next); });
  left = addButtonPair("+", "-", column, &right);
  connect(left, &QPushButton::clicked, this, [this] { changeGain(kGainStepDb); });
  connect(right, &QPushButton::clicked, this, [this] { changeGain(-kGainStepDb); });
  gainLabel_ = new QLabel(buttonColumn_);
  gainLabel_->setAlignment(Qt::AlignCenter);
  column->addWidget(gainLabel_);

  showButton_ = addButton("Show", column);
  showButton_->hide();
  connect(showButton_, &QPushButton::clicked, this, &MainWindow::showMultiTraceView);
  connect(addButton("Tools", column), &QPushButton::clicked, this, &MainWindow::openTools);
  left = addButtonPair("BMP", "Print", column, &right);
  connect(left, &QPushButton::clicked, this, &MainWindow::askAndSavePicture);
  connect(right, &QPushButton::clicked, this, &MainWindow::printDisplay);

  column->addWidget(attributes_);
  column->addStretch(1);
  progress_->setRange(0, 100);
  progress_->hide();
  column->addWidget(progress_);
  connect(addButton("End", column), &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::buildStatusBar() {
  for (int n = 0; n < 6; ++n) {
    auto* label = new QLabel(this);
    if (n < 5) {
      label->setTextInteractionFlags(Qt::TextSelectableByMouse);
      statusBar()->addWidget(label);
    } else {
      statusBar()->addWidget(label, 1);  // the read-out takes the rest
    }
    statusLabels_.push_back(label);
  }
}

void MainWindow::placeOnDesktop() {
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // Once shown, the frame's size is known: the whole window, frame included, fills the
  // working area from its top left corner.
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(area.size() - frame);
    move(area.topLeft());
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pane_ && event->type() == QEvent::Resize) layoutPane();
  return QMainWindow::eventFilter(watched, event);
}

// The graphic area takes 0.87 of the width and the whole height; the controls' column the
// rest, but never less than its controls need, so that they stay readable on small screens.
void MainWindow::layoutPane() {
  const int width = pane_->width();
  const int height = pane_->height();
  const int columnNeeds = buttonColumn_->minimumSizeHint().width();
  const int graphicWidth = std::max(
      0, std::min(static_cast<int>(width * kGraphicWidthShare), width - columnNeeds - 3 * kMargin));
  graphicArea_->setGeometry(kMargin, kMargin, graphicWidth, std::max(0, height - 2 * kMargin));
  const int columnLeft = kMargin + graphicWidth + kMargin;
  buttonColumn_->setGeometry(columnLeft, kMargin, std::max(0, width - columnLeft - kMargin),
                             std::max(0, height - 2 * kMargin));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  saveSettingsOnce();
  event->accept();
}

bool MainWindow::endOnce(ShutdownResult& result) {
  if (ended_) return false;
  ended_ = true;
  result = saveSettingsAtEnd(state_);
  return true;
}

void MainWindow::endUnattended() {
  ShutdownResult ignored;  // saveSettingsAtEnd logs a failure
  endOnce(ignored);
}

void MainWindow::saveSettingsOnce() {
  ShutdownResult result;
  if (!endOnce(result)) return;
  if (result.outcome == ShutdownResult::Outcome::Failed) {
    QMessageBox::warning(this, "VORAX Viewer",
                         QString("The settings could not be saved.\n%1")
                             .arg(QString::fromStdString(result.message)));
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  openRecordFile(urls.first().toLocalFile().toStdString());
}

void MainWindow::askAndOpen() {
  if (loading()) return;
  const std::string name =
      SHOWOPEN(this, kRecordFileFilter, "Select File To Open", state_.LastDataFolder);
  focusDisplay();
  const QString trimmed = QString::fromStdString(name).trimmed();
  if (trimmed.isEmpty()) return;
  openRecordFile(trimmed.toStdString());
}

void MainWindow::askAndSavePicture() {
  const PictureTarget target = askPictureTarget(this, state_.StartFolder);
  focusDisplay();
  if (!target.typedName.empty()) saveDisplayPicture(target.typedName, target.format);
}

void MainWindow::printDisplay() {
  PrintView(this, graphicArea_->picture());
  focusDisplay();
}

bool MainWindow::loading() const {
  return loader_->busy();
}

void MainWindow::openRecordMarkingTraces(const std::filesystem::path& path,
                                         std::vector<TraceMark> marks) {
  if (loading()) return;
  openRecordFile(path);
  pendingMarks_ = std::move(marks);
}

void MainWindow::openRecordFile(const std::filesystem::path& path) {
  if (loading()) return;
  keepView_ = false;
  startLoading(path);
}

void MainWindow::startLoading(const std::filesystem::path& path, std::int32_t recordNumber) {
  pendingMarks_.clear();
  state_.LastDataFolder = FolderOfPath(path.string());
  progress_->setValue(0);
  progress_->show();
  loader_->start(path, state_.debugLog,
                 earlyTraceCount(state_.settings, state_.display.tracesPerScreen), recordNumber);
}

void MainWindow::earlyTracesLoaded(const std::shared_ptr<LoadedRecord>& outcome) {
  if (!loading() || !showable(outcome->record)) return;
  EarlyView early{std::move(outcome->record), state_.display};
  if (keepView_) {
    early.display.clearPicks();
  } else {
    startRecordDisplay(state_.settings, early.record, early.display);
  }
  if (!firstPageWithin(early.record, early.display)) return;  // wait for the whole record
  early_ = std::move(early);
  pendingPaging_.clear();
  updateTitle();
  redrawDisplay();
  emit earlyPageShown();
}

void MainWindow::recordLoaded(const std::shared_ptr<LoadedRecord>& outcome) {
  progress_->hide();
  const bool earlyShown = early_.has_value();
  early_.reset();
  std::vector<PagingMode> paging = std::exchange(pendingPaging_, {});
  for (const std::string& message : outcome->messages) messages_->show(message, false);
  // Whatever went wrong, the record on screen stays as it was, title and page included.
  switch (outcome->result.status) {
    case decode::OpenStatus::FileError:
      messages_->show(outcome->result.error, false);
      break;
    case decode::OpenStatus::DecoderFatal:
      break;  // the decoder's message has been shown
    case decode::OpenStatus::Ok:
      if (showable(outcome->record)) {
        rememberRecentFile(outcome->path.string());
        fileRecordCount_ = outcome->result.recordCount;
        fileRecordNumber_ = outcome->result.recordNumber;
        rebuildFileRecordsMenu();
        showNewRecord(std::move(outcome->record), std::exchange(pendingMarks_, {}));
        for (PagingMode mode : paging) page(mode);  // pressed while only the first page was in
        focusDisplay();
        return;
      } else {
        messages_->show(outcome->path.filename().string() + " holds no traces that can be shown.",
                        false);
      }
      break;
  }
  if (earlyShown) {  // back to the record that stays
    updateTitle();
    redrawDisplay();
  }
  focusDisplay();
}

void MainWindow::showNewRecord(decode::SegdRecord&& record, std::vector<TraceMark> marks) {
  state_.record = std::move(record);
  marks_ = std::move(marks);
  clearInteraction();
  state_.display.clearPicks();
  showButton_->hide();
  if (keepView_) {
    state_.display.displayGainDb = state_.settings.initialGainDb();
  } else {
    startRecordDisplay(state_.settings, state_.record, state_.display);
    state_.display.zoomHistory.clear();
  }
  const std::optional<FolderPlace> place = placeInFolder(state_.record.fileName);
  folderPlace_ = place ? folderPlaceText(*place) : std::string();
  attributes_->showAttributes(traceAttributes(state_.record, 0));
  state_.recordLoaded = true;
  updateTitle();
  redrawDisplay();
  emit recordOpened();
}

void MainWindow::rememberRecentFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  recentFiles_ = withRecentFile(recentFiles_, error ? path : full.string());
  saveRecentFiles(state_.startFolderFile(kRecentFilesName), recentFiles_);
  rebuildRecentMenu();
}

const decode::SegdRecord& MainWindow::shownRecord() const {
  return early_ ? early_->record : state_.record;
}

void MainWindow::updateTitle() {
  std::string name = std::filesystem::path(shownRecord().fileName).filename().string();
  if (!early_ && fileRecordCount_ > 1)
    name += ", " + fileRecordText(fileRecordNumber_, fileRecordCount_);
  setWindowTitle(name.empty() ? "VORAX Viewer" : QString::fromStdString("VORAX Viewer - " + name));
}

void MainWindow::drawDisplay(Canvas& canvas) {
  if (early_) {
    geometry_ = DrawRecordDisplay(canvas, early_->record, early_->display,
                                  displayOptionsFrom(state_.settings));
    return;
  }
  if (!state_.recordLoaded) {
    drawStartScreen(canvas);
    geometry_ = RecordDisplayGeometry{};
    geometry_.world = canvas.worldWindow();
    return;
  }
  geometry_ =
      DrawRecordDisplay(canvas, state_.record, state_.display, displayOptionsFrom(state_.settings));
  drawDisplayAnnotations(canvas, geometry_, {state_.display.pickedTraces, velocityText_, marks_});
}

void MainWindow::redrawDisplay() {
  velocityText_.clear();
  graphicArea_->redraw();
  updateStatus();
}

void MainWindow::updateStatus() {
  const StatusTexts texts = early_
                                ? statusTexts(early_->record, early_->display, true)
                                : statusTexts(state_.record, state_.display, state_.recordLoaded);
  const std::string values[] = {
      texts.file,      texts.traces, texts.gain, texts.timeWindow, early_ ? "" : folderPlace_,
      overlay_.readout};
  for (std::size_t n = 0; n < statusLabels_.size(); ++n) {
    statusLabels_[n]->setText(QString::fromStdString(values[n]));
    statusLabels_[n]->setVisible(!values[n].empty());
  }
  gainLabel_->setText(
      QString::fromStdString(gainText((early_ ? early_->display : state_.display).displayGainDb)));
}

QString MainWindow::statusLine() const {
  QStringList texts;
  for (const QLabel* label : statusLabels_)
    if (!label->text().isEmpty()) texts << label->text();
  return texts.join(" | ");
}

void MainWindow::focusDisplay() {
  graphicArea_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::page(PagingMode mode) {
  if (early_) pendingPaging_.push_back(mode);
  if (loading()) return;
  const TraceRange next = pageTraces(mode, displaySelectionFrom(state_.settings),
                                     {state_.display.firstTrace, state_.display.lastTrace},
                                     state_.display.tracesPerScreen, pagingRecordOf(state_.record));
  state_.display.firstTrace = next.first;
  state_.display.lastTrace = next.last;
  clearInteraction();
  redrawDisplay();
}

void MainWindow::changeGain(float db) {
  if (loading()) return;
  state_.display.displayGainDb += db;
  state_.settings.setInitialGainDb(state_.display.displayGainDb);
  redrawDisplay();
}

ConfigureDialog* MainWindow::openConfigure() {
  std::optional<float> length;
  if (state_.recordLoaded) length = state_.record.startTimeMs + state_.record.recordLengthMs;
  auto* dialog = new ConfigureDialog(state_.settings, length, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this] {
    if (!state_.recordLoaded) {
      takeDisplaySettings(state_.settings, state_.display);
      updateStatus();
      return;
    }
    applyConfiguredDisplay(state_.settings, state_.record, state_.display);
    state_.display.zoomHistory.clear();
    clearInteraction();
    redrawDisplay();
  });
  connect(dialog, &QDialog::accepted, this, &MainWindow::syncViewMenu);
  connect(dialog, &QDialog::finished, this, &MainWindow::focusDisplay);
  dialog->open();
  return dialog;
}

ToolsDialog* MainWindow::openTools() {
  std::map<QString, ToolOpener> openers;
  for (const auto& [name, open] : tools_) {
    if (open) openers[name] = [this, caption = name] { openTool(caption); };
  }
  auto* dialog = new ToolsDialog(openers, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, &MainWindow::focusDisplay);
  dialog->open();
  return dialog;
}

void MainWindow::openTool(const QString& caption) {
  const auto found = tools_.find(caption);
  if (found == tools_.end() || !found->second) return;
  hide();
  found->second();
}

void MainWindow::setToolOpener(const QString& caption, ToolOpener opener) {
  tools_[caption] = std::move(opener);
}

void MainWindow::returnToMainWindow() {
  saveSettingsNow(state_);  // a failure is in the debug log; End reports it
  show();
  raise();
  clearInteraction();  // a tool may have replaced the record under the marks
  marks_.clear();
  updateTitle();
  redrawDisplay();
  focusDisplay();
}

void MainWindow::setSingleTraceViewOpener(std::function<void(std::int32_t)> opener) {
  openSingleTraceView_ = std::move(opener);
}

void MainWindow::setTraceSelectionOpener(std::function<void(const TraceSelection&)> opener) {
  openTraceSelection_ = std::move(opener);
}

MultiTraceWindow* MainWindow::showMultiTraceView() {
  if (multiTraceWindow_.isNull()) multiTraceWindow_ = new MultiTraceWindow(state_, this);
  multiTraceWindow_->setModal(true);
  connect(multiTraceWindow_, &QDialog::finished, this, &MainWindow::focusDisplay,
          Qt::UniqueConnection);
  multiTraceWindow_->show();
  multiTraceWindow_->graphicArea().redraw();
  showButton_->hide();
  return multiTraceWindow_;
}

void MainWindow::saveDisplayPicture(const std::string& typedName, PictureFormat format) {
  const std::string path = pictureFileName(typedName, format);
  const std::string error = savePicture(graphicArea_->picture(), path, format);
  if (!error.empty())
    messages_->show("The picture could not be saved to " + path + ".\n" + error, false);
}

}  // namespace vorax::app::ui
