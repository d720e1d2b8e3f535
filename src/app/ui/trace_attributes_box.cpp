#include "app/ui/trace_attributes_box.h"

#include <QGridLayout>
#include <QLabel>

namespace vorax::app::ui {

TraceAttributesBox::TraceAttributesBox(QWidget* parent) : QGroupBox("Trace Attributes", parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setVerticalSpacing(1);
  grid->setHorizontalSpacing(6);
  const auto empty = traceAttributes({}, 0);
  for (std::size_t row = 0; row < kTraceAttributeCount; ++row) {
    auto* caption = new QLabel(empty[row].caption, this);
    auto* value = new QLabel(this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameShape(QFrame::StyledPanel);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("12345678.9"));
    grid->addWidget(caption, static_cast<int>(row), 0);
    grid->addWidget(value, static_cast<int>(row), 1);
    values_[row] = value;
  }
  grid->setColumnStretch(1, 1);
}

void TraceAttributesBox::showAttributes(const std::array<TraceAttribute, kTraceAttributeCount>& attributes) {
  for (std::size_t row = 0; row < kTraceAttributeCount; ++row)
    values_[row]->setText(QString::fromStdString(attributes[row].value));
}

QString TraceAttributesBox::value(int row) const { return values_[static_cast<std::size_t>(row)]->text(); }

}  // namespace vorax::app::ui
