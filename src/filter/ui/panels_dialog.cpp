#include "filter/ui/panels_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <filesystem>

#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"
#include "decode/conversions.h"
#include "filter/panel_picture.h"

namespace vorax::filter::ui {

namespace {

constexpr float kGainStepDb = 3;

QString qtext(const std::string& text) {
  return QString::fromStdString(text);
}
std::string plain(const QLineEdit* edit) {
  return edit->text().trimmed().toStdString();
}
float number(const QLineEdit* edit) {
  return static_cast<float>(decode::numericValue(plain(edit)));
}
std::int32_t whole(const QLineEdit* edit) {
  return decode::numericInt(plain(edit));
}
QString numberText(float value) {
  return qtext(decode::shortestText(value));
}

QLineEdit* smallEdit() {
  auto* edit = new QLineEdit;
  edit->setMaximumWidth(60);
  return edit;
}

}  // namespace

PanelsDialog::PanelsDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      selectFolder_(new QPushButton("Select Folder")),
      files_(new QListWidget),
      generateBmp_(new QCheckBox("Generate BMP Files")),
      headerLine_(new QLineEdit),
      infoLine_(new QLineEdit),
      gain_(smallEdit()),
      clip_(smallEdit()),
      agc_(new QCheckBox("AGC")),
      agcWindow_(smallEdit()),
      status_(new QLabel),
      graphic_(new app::ui::GraphicArea) {
  setWindowTitle("Filter Panels");
  setModal(true);
  graphic_->setMinimumSize(600, 420);
  graphic_->setPainter([this](app::Canvas& canvas) {
    if (shown_) {
      drawPanel(canvas, *shown_, shownWith_);
    } else {
      canvas.clear(app::kWhite);
    }
  });
  auto* layout = new QHBoxLayout(this);
  // The controls scroll on a screen too low for them (they stand about 780 pixels tall).
  auto* controls = new QScrollArea;
  controls->setWidget(buildControls());
  controls->setWidgetResizable(true);
  controls->setFrameShape(QFrame::NoFrame);
  controls->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  controls->setMinimumWidth(controls->widget()->minimumSizeHint().width() +
                            controls->verticalScrollBar()->sizeHint().width());
  layout->addWidget(controls);
  layout->addWidget(graphic_, 1);
  showSettings(panelSettingsFrom(state_.settings));
  connect(&watcher_, &QFutureWatcher<void>::finished, this, [this] {
    setRunning(false);
    std::string lines;
    for (const std::string& line : panelRunLines(lastRun_))
      lines += (lines.empty() ? "" : "\n") + line;
    status_->setText(qtext(lines));
    emit runFinished();
  });
  // 1300 x 850 where the screen has room, no more than 85 % of a smaller one.
  QSize size(1300, 850);
  if (const QScreen* screen = this->screen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.85);
  resize(size);
}

PanelsDialog::~PanelsDialog() {
  cancelRequested_ = true;
  watcher_.waitForFinished();
}

QWidget* PanelsDialog::buildControls() {
  auto* controls = new QWidget;
  auto* column = new QVBoxLayout(controls);
  column->addWidget(selectFolder_);
  files_->setMaximumHeight(130);
  column->addWidget(files_);
  connect(selectFolder_, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, "Select Panel File Folder", folder_.empty() ? QDir::homePath() : qtext(folder_));
    if (!chosen.isEmpty()) selectFolder(chosen.toStdString());
  });
  column->addWidget(buildRangeBox());
  column->addWidget(buildFilterBox());
  column->addWidget(generateBmp_);
  auto* lines = new QFormLayout;
  headerLine_->setMaxLength(static_cast<int>(kPanelLineWidth));
  infoLine_->setMaxLength(static_cast<int>(kPanelLineWidth));
  lines->addRow("Header Line", headerLine_);
  lines->addRow("Info Line", infoLine_);
  column->addLayout(lines);
  column->addWidget(buildGainBox());
  column->addLayout(buildButtons());
  status_->setWordWrap(true);
  column->addWidget(status_);
  column->addStretch(1);
  return controls;
}

QGroupBox* PanelsDialog::buildRangeBox() {
  auto* range = new QGroupBox("Specify Range");
  auto* form = new QFormLayout(range);
  const char* captions[] = {"Trace From", "Trace To", "Time From (mS)", "Time To (mS)"};
  for (std::size_t i = 0; i < 4; ++i) form->addRow(captions[i], window_[i] = smallEdit());
  return range;
}

QGroupBox* PanelsDialog::buildFilterBox() {
  auto* filters = new QGroupBox(QString("Specify Filters to Try on Each ") + "File");
  auto* grid = new QGridLayout(filters);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    const int row = static_cast<int>(k);
    enabled_[k] = new QCheckBox(QString("BP Filter %1").arg(k + 1));
    grid->addWidget(enabled_[k], row, 0);
    for (std::size_t j = 0; j < 4; ++j) {
      corners_[k][j] = smallEdit();
      corners_[k][j]->setMaximumWidth(45);
      grid->addWidget(corners_[k][j], row, static_cast<int>(j) + 1);
    }
    auto* test = new QPushButton("Test");
    grid->addWidget(test, row, 5);
    connect(test, &QPushButton::clicked, this, [this, k] { this->test(k); });
  }
  return filters;
}

QGroupBox* PanelsDialog::buildGainBox() {
  auto* gains = new QGroupBox("Gains");
  auto* grid = new QGridLayout(gains);
  grid->addWidget(new QLabel("Initial Gain dB"), 0, 0);
  grid->addWidget(gain_, 0, 1);
  grid->addWidget(new QLabel("Trace Clip"), 1, 0);
  grid->addWidget(clip_, 1, 1);
  grid->addWidget(agc_, 2, 0);
  auto* windowRow = new QHBoxLayout;
  windowRow->addWidget(new QLabel("Window"));
  windowRow->addWidget(agcWindow_);
  grid->addLayout(windowRow, 2, 1);
  const std::pair<const char*, float> steps[] = {
      {"Gain +", kGainStepDb}, {"Gain -", -kGainStepDb}, {"Set", 0.0f}};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(steps[i].first);
    grid->addWidget(button, i, 2);
    const float db = steps[i].second;
    connect(button, &QPushButton::clicked, this, [this, db] { changeGain(db); });
  }
  return gains;
}

QGridLayout* PanelsDialog::buildButtons() {
  auto* buttons = new QGridLayout;
  auto add = [buttons](const char* caption, int row, int column) {
    auto* button = new QPushButton(caption);
    buttons->addWidget(button, row, column);
    return button;
  };
  connect(add("Go", 0, 0), &QPushButton::clicked, this, &PanelsDialog::go);
  connect(add("Cancel", 0, 1), &QPushButton::clicked, this, &PanelsDialog::reject);
  connect(add("Save", 1, 0), &QPushButton::clicked, this, [this] {
    storeSettings();
    const std::string name =
        app::ui::SHOWSAVEB(this, "Panel Files (*.PNL)|*.PNL", "Save File", folder_);
    if (!name.empty()) savePanelFileTo(name);
  });
  connect(add("Load", 1, 1), &QPushButton::clicked, this, [this] {
    const std::string name =
        app::ui::SHOWOPEN(this, "Panel Files |*.PNL", "Select File To Open", folder_);
    if (!name.empty()) loadPanelFileFrom(name);
  });
  return buttons;
}

PanelSettings PanelsDialog::settingsFromControls() const {
  PanelSettings p;
  p.traceFrom = whole(window_[0]);
  p.traceTo = whole(window_[1]);
  p.timeFromMs = whole(window_[2]);
  p.timeToMs = whole(window_[3]);
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    p.enabled[k] = enabled_[k]->isChecked();
    for (std::size_t j = 0; j < 4; ++j) p.corners[k][j] = number(corners_[k][j]);
  }
  p.generateBmp = generateBmp_->isChecked();
  p.headerLine = plain(headerLine_);
  p.infoLine = plain(infoLine_);
  p.folder = folder_;
  p.initialGainDb = number(gain_);
  p.traceClip = number(clip_);
  p.agc = agc_->isChecked();
  p.agcWindowSeconds = number(agcWindow_);
  return p;
}

void PanelsDialog::showSettings(const PanelSettings& p) {
  const std::array<std::int32_t, 4> window{p.traceFrom, p.traceTo, p.timeFromMs, p.timeToMs};
  for (std::size_t i = 0; i < 4; ++i) window_[i]->setText(QString::number(window[i]));
  for (std::size_t k = 0; k < kPanelFilterCount; ++k) {
    enabled_[k]->setChecked(p.enabled[k]);
    for (std::size_t j = 0; j < 4; ++j) corners_[k][j]->setText(numberText(p.corners[k][j]));
  }
  generateBmp_->setChecked(p.generateBmp);
  headerLine_->setText(qtext(p.headerLine));
  infoLine_->setText(qtext(p.infoLine));
  gain_->setText(numberText(p.initialGainDb));
  clip_->setText(numberText(p.traceClip));
  agc_->setChecked(p.agc);
  agcWindow_->setText(numberText(p.agcWindowSeconds));
  if (p.folder != folder_ && !p.folder.empty()) selectFolder(p.folder);
}

void PanelsDialog::storeSettings() {
  storePanelSettings(settingsFromControls(), state_.settings);
}

void PanelsDialog::selectFolder(const std::string& folder) {
  folder_ = folder;
  files_->clear();
  for (const std::string& name : panelFileList(folder)) files_->addItem(qtext(name));
  storeSettings();
}

QStringList PanelsDialog::listedFiles() const {
  QStringList names;
  for (int i = 0; i < files_->count(); ++i) names << files_->item(i)->text();
  return names;
}

bool PanelsDialog::savePanelFileTo(const std::string& typedName) {
  const std::filesystem::path path = panelFileName(typedName);
  const std::string error = savePanelFile(path, settingsFromControls());
  if (error.empty()) return true;
  QMessageBox::warning(
      this, "VORAX Viewer",
      qtext("The panel file could not be saved to " + path.string() + ".\n" + error));
  return false;
}

bool PanelsDialog::loadPanelFileFrom(const std::string& path) {
  const PanelFileLoad loaded = loadPanelFile(path, settingsFromControls());
  if (!loaded.settings) {
    QMessageBox::warning(this, "VORAX Viewer", qtext(loaded.error));
    return false;
  }
  showSettings(*loaded.settings);
  storeSettings();
  return true;
}

void PanelsDialog::showPanel(const Panel& panel, const PanelSettings& settings) {
  shown_ = panel;
  shownWith_ = settings;
  graphic_->redraw();
  if (!settings.generateBmp) return;
  const std::string path =
      (std::filesystem::path(settings.folder) / panelPictureName(settings, panel)).string();
  state_.debugLog.line(path);
  const std::string error =
      app::ui::savePicture(graphic_->picture(), path, app::PictureFormat::Bmp);
  if (!error.empty()) status_->setText(qtext("Not saved: " + path + " (" + error + ")"));
}

void PanelsDialog::setRunning(bool running) {
  for (QWidget* child : findChildren<QWidget*>()) {
    auto* button = qobject_cast<QPushButton*>(child);
    const bool stays = button != nullptr && button->text() == "Cancel";
    if (child != graphic_ && !stays &&
        (qobject_cast<QPushButton*>(child) || qobject_cast<QLineEdit*>(child) ||
         qobject_cast<QCheckBox*>(child) || qobject_cast<QListWidget*>(child)))
      child->setEnabled(!running);
  }
}

void PanelsDialog::go() {
  if (running()) return;
  storeSettings();
  const PanelSettings settings = settingsFromControls();
  std::vector<std::string> names;
  for (const QString& name : listedFiles()) names.push_back(name.toStdString());
  if (names.empty()) return;
  cancelRequested_ = false;
  setRunning(true);
  status_->setText("Working");
  watcher_.setFuture(QtConcurrent::run([this, settings, names] {
    lastRun_ = runPanelFiles(
        settings, names, state_.fft, state_.debugLog,
        [this, settings](const Panel& panel) {
          QMetaObject::invokeMethod(
              this, [this, panel, settings] { showPanel(panel, settings); }, Qt::QueuedConnection);
          return !cancelRequested_;
        },
        lastRead_);
    haveLastRead_ = haveLastRead_ || lastRead_.loadedTraceCount() > 0;
  }));
}

void PanelsDialog::test(std::size_t k) {
  if (running() || k >= kPanelFilterCount) return;
  storeSettings();
  const PanelSettings settings = settingsFromControls();
  const decode::SegdRecord& source = haveLastRead_ ? lastRead_ : state_.record;
  Panel panel = copyPanel(source, settings.traceFrom, settings.traceTo);
  panel.fileName = std::filesystem::path(source.fileName).filename().string();
  showPanel(bandPassPanel(panel, settings.corners[k], state_.fft), settings);
}

void PanelsDialog::changeGain(float db) {
  gain_->setText(numberText(number(gain_) + db));
  storeSettings();
  if (!shown_) return;
  PanelSettings redrawn = shownWith_;
  const PanelSettings boxes = settingsFromControls();
  redrawn.initialGainDb = boxes.initialGainDb;
  redrawn.traceClip = boxes.traceClip;
  redrawn.agc = boxes.agc;
  redrawn.agcWindowSeconds = boxes.agcWindowSeconds;
  shownWith_ = redrawn;
  graphic_->redraw();
}

void PanelsDialog::reject() {
  if (running()) {
    cancelRequested_ = true;
    status_->setText("Stopping");
    return;
  }
  storeSettings();
  QDialog::reject();
}

}  // namespace vorax::filter::ui
