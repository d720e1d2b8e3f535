#include "app/ui/trace_attributes_box.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

namespace vorax::app::ui {

TraceAttributesBox::TraceAttributesBox(QWidget* parent) : QGroupBox("Trace Attributes", parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setVerticalSpacing(0);
  grid->setHorizontalSpacing(6);
  const auto empty = traceAttributes({}, 0);
  // Room for the longest caption of any flavour, so that the box keeps its width when another
  // record opens.
  decode::SegdRecord named;
  named.flavour = decode::RecordFlavour::Sercel408;
  const auto namedCaptions = traceAttributes(named, 0);
  int captionWidth = 0;
  for (std::size_t row = 0; row < kTraceAttributeCount; ++row)
    for (const char* text : {empty[row].caption, namedCaptions[row].caption})
      captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(text));
  for (std::size_t row = 0; row < kTraceAttributeCount; ++row) {
    auto* caption = new QLabel(empty[row].caption, this);
    caption->setMinimumWidth(captionWidth);
    auto* value = new QLabel(this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameShape(QFrame::StyledPanel);
    // Room for the widest values: a coordinate, a nodal trace's type and start time.
    int valueWidth = 0;
    for (const char* widest : {"-1234567.891", "Seis Accel H2", "00:00:00.000000"})
      valueWidth = std::max(valueWidth, value->fontMetrics().horizontalAdvance(widest));
    value->setMinimumWidth(valueWidth + 2 * value->frameWidth() + 4);
    grid->addWidget(caption, static_cast<int>(row), 0);
    grid->addWidget(value, static_cast<int>(row), 1);
    captions_[row] = caption;
    values_[row] = value;
  }
  grid->setColumnStretch(1, 1);
}

void TraceAttributesBox::showAttributes(
    const std::array<TraceAttribute, kTraceAttributeCount>& attributes) {
  for (std::size_t row = 0; row < kTraceAttributeCount; ++row) {
    captions_[row]->setText(attributes[row].caption);
    values_[row]->setText(QString::fromStdString(attributes[row].value));
  }
}

QString TraceAttributesBox::caption(int row) const {
  return captions_[static_cast<std::size_t>(row)]->text();
}

QString TraceAttributesBox::value(int row) const {
  return values_[static_cast<std::size_t>(row)]->text();
}

}  // namespace vorax::app::ui
