#include "app/ui/trace_selection_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"
#include "decode/conversions.h"

namespace vorax::app::ui {

namespace {

constexpr double kScreenShare = 0.75;

QString msText(double ms) {
  return QString::fromStdString(decode::shortestText(static_cast<float>(ms)));
}

}  // namespace

TraceSelectionDialog::TraceSelectionDialog(AppState& state, const SelectionRectangle& selection,
                                           bool fromSingleTrace, QWidget* parent)
    : QDialog(parent),
      state_(state),
      statistics_(analyseSelection(state.record, selection, state.fft)),
      fromSingleTrace_(fromSingleTrace),
      graphicArea_(new GraphicArea(this)),
      fields_(new QFormLayout),
      options_(new QVBoxLayout) {
  setWindowTitle("Trace Selection");
  upperBin_ = statistics_.spectrum.empty() ? 0 : statistics_.spectrum.size() - 1;

  addField("First Trace", QString::number(statistics_.range.firstTrace));
  addField("Last Trace", QString::number(statistics_.range.lastTrace));
  addField("MinimumTime", msText(statistics_.startMs));
  addField("Maximum Time", msText(statistics_.endMs));
  addField("Selection RMS", QString::fromStdString(microvoltText(statistics_.rms)));
  addField("Selection Peak", QString::fromStdString(microvoltText(statistics_.peak)));
  addField("Cursor", "");
  addOption("dB Scale", state_.settings.selectionDbScale() == 1);
  addOption("Title", state_.settings.selectionTitle() == 1);
  addOption("Values", state_.settings.selectionValues() == 1);
  QCheckBox* onGraphic = addOption("On Graphic", false);
  disconnect(onGraphic, nullptr, graphicArea_, nullptr);
  connect(onGraphic, &QCheckBox::toggled, graphicArea_, &GraphicArea::refreshOverlay);

  auto* buttons = new QHBoxLayout;
  auto addButton = [&](const char* caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    buttons->addWidget(button);
    return button;
  };
  connect(addButton("Close"), &QPushButton::clicked, this, &QDialog::accept);
  connect(addButton("BMP"), &QPushButton::clicked, this,
          [this] { SaveViewAsBmp(this, graphicArea_->picture(), state_.StartFolder); });
  connect(addButton("Print"), &QPushButton::clicked, this,
          [this] { PrintView(this, graphicArea_->picture()); });
  connect(addButton("<"), &QPushButton::clicked, this, &TraceSelectionDialog::widen);
  connect(addButton(">"), &QPushButton::clicked, this, &TraceSelectionDialog::narrow);
  buttons->addStretch(1);

  auto* side = new QVBoxLayout;
  side->addLayout(fields_);
  side->addLayout(options_);
  side->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(graphicArea_, 1);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  if (const QScreen* screen = this->screen())
    resize(screen->availableGeometry().size() * kScreenShare);
  connect(graphicArea_, &GraphicArea::mouseMoved, this,
          [this](QPointF position) { pointerAt(position); });
  graphicArea_->setOverlay([this](Canvas& canvas) { drawCursor(canvas); });
  graphicArea_->setPainter([this](Canvas& canvas) { draw(canvas); });
}

QLineEdit* TraceSelectionDialog::addField(const QString& caption, const QString& text) {
  auto* edit = new QLineEdit(text);
  edit->setReadOnly(true);
  edit->setObjectName(caption);
  fields_->addRow(caption, edit);
  return edit;
}

QCheckBox* TraceSelectionDialog::addOption(const QString& caption, bool on) {
  auto* box = new QCheckBox(caption);
  box->setChecked(on);
  options_->addWidget(box);
  connect(box, &QCheckBox::toggled, graphicArea_, &GraphicArea::redraw);
  return box;
}

QLineEdit& TraceSelectionDialog::field(const QString& caption) {
  return *findChild<QLineEdit*>(caption);
}

QCheckBox& TraceSelectionDialog::option(const QString& caption) {
  for (QCheckBox* box : findChildren<QCheckBox*>())
    if (box->text() == caption) return *box;
  return *findChild<QCheckBox*>();
}

void TraceSelectionDialog::widen() {
  upperBin_ =
      widenUpperBin(upperBin_, statistics_.spectrum.empty() ? 0 : statistics_.spectrum.size() - 1);
  graphicArea_->redraw();
}

void TraceSelectionDialog::narrow() {
  upperBin_ =
      narrowUpperBin(upperBin_, statistics_.spectrum.empty() ? 0 : statistics_.spectrum.size() - 1);
  graphicArea_->redraw();
}

// The check boxes are read back into the settings before every drawing.
void TraceSelectionDialog::draw(Canvas& canvas) {
  state_.settings.setSelectionDbScale(option("dB Scale").isChecked() ? 1 : 0);
  state_.settings.setSelectionTitle(option("Title").isChecked() ? 1 : 0);
  state_.settings.setSelectionValues(option("Values").isChecked() ? 1 : 0);
  SelectionPlotOptions options;
  options.dbScale = state_.settings.selectionDbScale() == 1;
  options.title = state_.settings.selectionTitle() == 1;
  options.values = state_.settings.selectionValues() == 1;
  options.fromSingleTrace = fromSingleTrace_;
  options.upperBin = upperBin_;
  plot_ = drawSelectionSpectrum(canvas, statistics_, options);
  cursor_.reset();
}

void TraceSelectionDialog::pointerAt(QPointF position) {
  const QImage& picture = graphicArea_->picture();
  cursor_ = spectrumCursorAt(statistics_, plot_, picture.width(), picture.height(),
                             {position.x(), position.y()}, option("dB Scale").isChecked());
  field("Cursor").setText(cursor_ ? QString::fromStdString(cursor_->text) : QString());
  graphicArea_->refreshOverlay();
}

// "On Graphic": a dotted line at the bin under the pointer with its read-out beside it.
void TraceSelectionDialog::drawCursor(Canvas& canvas) {
  if (!cursor_ || !plot_.hasData || !option("On Graphic").isChecked()) return;
  canvas.setWorldWindow(plot_.world);
  const double x = static_cast<double>(cursor_->bin) * statistics_.binHz;
  canvas.setPen(kMagenta, 1, PenStyle::Dotted, false);
  canvas.line({x, plot_.data.bottom}, {x, plot_.data.top});
  canvas.setFont("Small Fonts", 12, false);
  canvas.setTextColour(kMagenta);
  const bool leftHalf = x < (plot_.data.left + plot_.data.right) / 2;
  canvas.text({x, plot_.data.top}, " " + cursor_->text + " ",
              leftHalf ? HAlign::Left : HAlign::Right, VAlign::Top);
}

}  // namespace vorax::app::ui
