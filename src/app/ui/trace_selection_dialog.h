// The "Trace Selection" dialog: statistics and the spectrum plot of a rectangle of the record,
// with the "dB Scale", "Title" and "Values" options kept in the settings, "<" and ">" to
// widen or narrow the frequency range, and the "Cursor" read-out of the frequency and level
// under the pointer ("On Graphic" also marks it on the plot).
#pragma once

#include <QDialog>
#include <optional>

#include "app/app_state.h"
#include "app/trace_selection.h"

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QVBoxLayout;

namespace vorax::app::ui {

class GraphicArea;

class TraceSelectionDialog : public QDialog {
  Q_OBJECT

 public:
  // `fromSingleTrace`: opened by the single trace view's "FFT" (its title says so).
  TraceSelectionDialog(AppState& state, const SelectionRectangle& selection, bool fromSingleTrace,
                       QWidget* parent = nullptr);

  const SelectionStatistics& statistics() const { return statistics_; }
  GraphicArea& graphicArea() { return *graphicArea_; }
  QLineEdit& field(const QString& caption);
  QCheckBox& option(const QString& caption);
  std::size_t upperBin() const { return upperBin_; }
  void widen();   // "<"
  void narrow();  // ">"
  void pointerAt(QPointF position);

 private:
  QLineEdit* addField(const QString& caption, const QString& text);
  QCheckBox* addOption(const QString& caption, bool on);
  void draw(Canvas& canvas);
  void drawCursor(Canvas& canvas);

  AppState& state_;
  SelectionStatistics statistics_;
  bool fromSingleTrace_;
  std::size_t upperBin_ = 0;
  PlotGeometry plot_;
  std::optional<SpectrumCursor> cursor_;
  GraphicArea* graphicArea_;
  QFormLayout* fields_;
  QVBoxLayout* options_;
};

}  // namespace vorax::app::ui
