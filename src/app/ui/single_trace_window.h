// The "408 Single Trace View" window: one trace with the zoom, pan and scale buttons, the
// "F vs T" and "FT An." analyses, numerics, BMP and print, and the "Time", "Sample" and
// frequency read-outs of the point under the pointer. It replaces the main window until
// "Close".
#pragma once

#include <QWidget>
#include <optional>

#include "app/app_state.h"
#include "app/frequency_vs_time.h"
#include "app/single_trace_view.h"
#include "app/trace_selection.h"

class QLayout;
class QLineEdit;
class QPushButton;

namespace vorax::app::ui {

class GraphicArea;

class SingleTraceWindow : public QWidget {
  Q_OBJECT

 public:
  SingleTraceWindow(AppState& state, std::int32_t trace, QWidget* parent = nullptr);

  const SingleTraceState& viewState() const { return view_; }
  GraphicArea& graphicArea() { return *graphicArea_; }
  QPushButton& numericsButton() { return *numericsButton_; }
  QLineEdit& timeField() { return *time_; }
  QLineEdit& sampleField() { return *sample_; }
  QLineEdit& frequencyField() { return *frequency_; }
  const PlotGeometry& geometry() const { return geometry_; }

  void press(ViewButton button);
  void setMode(SingleTraceMode mode);
  void toggleNumerics();

 signals:
  // "Close" (or the window's close box): the view is gone.
  void closed();
  // "FFT": the trace selection of the whole trace.
  void spectrumRequested(const SelectionRectangle& selection);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* addButton(const QString& caption, QLayout* row);
  void draw(Canvas& canvas);
  void updateNumericsButton();
  void showReadout(QPointF position);

  AppState& state_;
  SingleTraceState view_;
  PlotGeometry geometry_;
  std::optional<TimeFrequencyImage> image_;  // "FT An." of the trace, made once
  GraphicArea* graphicArea_;
  QPushButton* numericsButton_ = nullptr;
  QLineEdit* time_;
  QLineEdit* sample_;
  QLineEdit* frequency_;
};

}  // namespace vorax::app::ui
