#include "app/ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/display_settings.h"
#include "app/startup.h"
#include "app/utilities.h"
#include "app/ui/configure_dialog.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/multi_trace_window.h"
#include "app/ui/picture_output.h"
#include "app/ui/record_loading.h"
#include "app/ui/trace_attributes_box.h"
#include "decode/conversions.h"

namespace vorax::app::ui {

namespace {

constexpr double kGraphicWidthShare = 0.87;
constexpr double kGraphicHeightShare = 0.95;
constexpr int kMargin = 6;  // pixels around the graphic area and the buttons
constexpr float kGainStepDb = 3;

}  // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      messageBoxes_(this),
      messages_(&messageBoxes_),
      graphicArea_(new GraphicArea(this)),
      buttonColumn_(new QWidget(this)),
      attributes_(new TraceAttributesBox),
      progress_(new QProgressBar),
      loader_(new RecordLoader(this)) {
  setWindowTitle("VORAX Viewer");
  setAcceptDrops(true);
  state_.display.tracesPerScreen = decode::numericInt(state_.settings.tracesToDisplay());
  buildButtons();
  addShortcuts();

  connect(loader_, &RecordLoader::progressed, progress_, &QProgressBar::setValue);
  connect(loader_, &RecordLoader::loaded, this, &MainWindow::recordLoaded);
  connect(graphicArea_, &GraphicArea::mousePressed, this, &MainWindow::mousePressed);
  connect(graphicArea_, &GraphicArea::mouseMoved, this,
          [this](QPointF position, Qt::MouseButtons, Qt::KeyboardModifiers) { mouseMoved(position); });
  connect(graphicArea_, &GraphicArea::mouseReleased, this,
          [this](QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers) { mouseReleased(position, button); });
  connect(graphicArea_, &GraphicArea::pointerLeft, this, &MainWindow::pointerLeft);
  graphicArea_->setPainter([this](Canvas& canvas) { drawDisplay(canvas); });
  graphicArea_->setOverlay([this](Canvas& canvas) { drawOverlay(canvas); });
  placeOnDesktop();
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::addButton(const QString& caption, QVBoxLayout* column) {
  auto* button = new QPushButton(caption, buttonColumn_);
  button->setFocusPolicy(Qt::NoFocus);
  column->addWidget(button);
  return button;
}

QPushButton* MainWindow::addButtonPair(const QString& left, const QString& right, QVBoxLayout* column,
                                       QPushButton** rightButton) {
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

  showButton_ = addButton("Show", column);
  showButton_->hide();
  connect(showButton_, &QPushButton::clicked, this, &MainWindow::showMultiTraceView);
  connect(addButton("Tools", column), &QPushButton::clicked, this, &MainWindow::openTools);
  left = addButtonPair("BMP", "Print", column, &right);
  connect(left, &QPushButton::clicked, this, [this] {
    const PictureTarget target = askPictureTarget(this, state_.StartFolder);
    if (!target.typedName.empty()) saveDisplayPicture(target.typedName, target.format);
  });
  connect(right, &QPushButton::clicked, this, [this] { PrintView(this, graphicArea_->picture()); });

  column->addWidget(attributes_);
  column->addStretch(1);
  progress_->setRange(0, 100);
  progress_->hide();
  column->addWidget(progress_);
  connect(addButton("End", column), &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::addShortcuts() {
  auto shortcut = [this](const QKeySequence& keys, auto action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence::Open, [this] { askAndOpen(); });
  shortcut(QKeySequence(Qt::Key_Home), [this] { page(PagingMode::First); });
  shortcut(QKeySequence(Qt::Key_End), [this] { page(PagingMode::Last); });
  shortcut(QKeySequence(Qt::Key_PageUp), [this] { page(PagingMode::Prev); });
  shortcut(QKeySequence(Qt::Key_PageDown), [this] { page(PagingMode::Next); });
  shortcut(QKeySequence(Qt::Key_Plus), [this] { changeGain(kGainStepDb); });
  shortcut(QKeySequence(Qt::Key_Equal), [this] { changeGain(kGainStepDb); });
  shortcut(QKeySequence(Qt::Key_Minus), [this] { changeGain(-kGainStepDb); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
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

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int graphicWidth = static_cast<int>(width() * kGraphicWidthShare);
  const int graphicHeight = static_cast<int>(height() * kGraphicHeightShare);
  graphicArea_->setGeometry(kMargin, kMargin, graphicWidth, graphicHeight);
  const int columnLeft = kMargin + graphicWidth + kMargin;
  buttonColumn_->setGeometry(columnLeft, kMargin, std::max(0, width() - columnLeft - kMargin),
                             std::max(0, height() - 2 * kMargin));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  saveSettingsOnce();
  event->accept();
}

void MainWindow::saveSettingsOnce() {
  if (ended_) return;
  ended_ = true;
  const ShutdownResult result = saveSettingsAtEnd(state_);
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
  const std::string name = SHOWOPEN(this, "SEGD Files |*.*", "Select File To Open", state_.LastDataFolder);
  const QString trimmed = QString::fromStdString(name).trimmed();
  if (trimmed.isEmpty()) return;
  openRecordFile(trimmed.toStdString());
}

bool MainWindow::loading() const { return loader_->busy(); }

void MainWindow::openRecordFile(const std::filesystem::path& path) {
  if (loading()) return;
  state_.recordLoaded = false;
  clearInteraction();
  state_.display.clearPicks();
  showButton_->hide();
  state_.LastDataFolder = FolderOfPath(path.string());
  progress_->setValue(0);
  progress_->show();
  loader_->start(path, state_.debugLog);
}

void MainWindow::recordLoaded(const std::shared_ptr<LoadedRecord>& outcome) {
  progress_->hide();
  for (const std::string& message : outcome->messages) messages_->show(message, false);
  switch (outcome->result.status) {
    case decode::OpenStatus::FileError:
      // Nothing was read: the record on screen stays as it was.
      messages_->show(outcome->result.error, false);
      state_.recordLoaded = !state_.record.fileName.empty();
      redrawDisplay();
      return;
    case decode::OpenStatus::DecoderFatal:
      break;  // the previous record is kept, and shown from its first page
    case decode::OpenStatus::Ok:
      state_.record = std::move(outcome->record);
      break;
  }
  startRecordDisplay(state_.settings, state_.record, state_.display);
  state_.recordLoaded = true;
  updateTitle();
  redrawDisplay();
  emit recordOpened();
}

void MainWindow::updateTitle() {
  const std::string name = std::filesystem::path(state_.record.fileName).filename().string();
  setWindowTitle(name.empty() ? "VORAX Viewer" : QString::fromStdString("VORAX Viewer - " + name));
}

void MainWindow::drawDisplay(Canvas& canvas) {
  geometry_ = DrawRecordDisplay(canvas, state_.record, state_.display, displayOptionsFrom(state_.settings));
  drawDisplayAnnotations(canvas, geometry_, {state_.display.pickedTraces, velocityText_});
}

void MainWindow::redrawDisplay() {
  velocityText_.clear();
  graphicArea_->redraw();
}

void MainWindow::page(PagingMode mode) {
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
  redrawDisplay();
}

ConfigureDialog* MainWindow::openConfigure() {
  std::optional<float> length;
  if (state_.recordLoaded) length = state_.record.recordLengthMs;
  auto* dialog = new ConfigureDialog(state_.settings, length, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this] {
    takeDisplaySettings(state_.settings, state_.display);
    if (state_.recordLoaded) redrawDisplay();
  });
  dialog->open();
  return dialog;
}

ToolsDialog* MainWindow::openTools() {
  std::map<QString, ToolOpener> openers;
  for (const auto& [caption, open] : tools_) {
    ToolOpener opener = open;
    openers[caption] = [this, opener] {
      hide();
      opener();
    };
  }
  auto* dialog = new ToolsDialog(openers, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return dialog;
}

void MainWindow::setToolOpener(const QString& caption, ToolOpener opener) { tools_[caption] = std::move(opener); }

void MainWindow::returnToMainWindow() {
  show();
  raise();
  clearInteraction();  // a tool may have replaced the record under the marks
  updateTitle();
  redrawDisplay();
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
  multiTraceWindow_->show();
  multiTraceWindow_->graphicArea().redraw();
  showButton_->hide();
  return multiTraceWindow_;
}

void MainWindow::saveDisplayPicture(const std::string& typedName, PictureFormat format) {
  const std::string path = pictureFileName(typedName, format);
  const std::string error = savePicture(graphicArea_->picture(), path, format);
  if (!error.empty()) messages_->show("The picture could not be saved to " + path + ".\n" + error, false);
}

}  // namespace vorax::app::ui
