// The "Trace Attributes" group of the main window: the attributes of the trace under the
// pointer, one caption and value per row.
#pragma once

#include <QGroupBox>
#include <array>

#include "app/readouts.h"

class QLabel;

namespace vorax::app::ui {

class TraceAttributesBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit TraceAttributesBox(QWidget* parent = nullptr);

  // Captions and values; the attributes of trace 0 clear the values.
  void showAttributes(const std::array<TraceAttribute, kTraceAttributeCount>& attributes);
  QString caption(int row) const;
  QString value(int row) const;

 private:
  std::array<QLabel*, kTraceAttributeCount> captions_{};
  std::array<QLabel*, kTraceAttributeCount> values_{};
};

}  // namespace vorax::app::ui
