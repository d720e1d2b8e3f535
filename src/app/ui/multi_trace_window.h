// The "Multi Trace View" window: the picked traces side by side in time, with the buttons
// "Print", "Numerics", "Labels", "BMP" and "Exit".
#pragma once

#include <QDialog>

#include "app/app_state.h"

class QPushButton;

namespace vorax::app::ui {

class GraphicArea;

class MultiTraceWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MultiTraceWindow(AppState& state, QWidget* parent = nullptr);

  GraphicArea& graphicArea() { return *graphicArea_; }
  bool numerics() const { return numerics_; }
  void setNumerics(bool on);
  // The "Trace Labels" dialog, opened window-modal; "OK" stores and redraws.
  void openLabels();

 private:
  AppState& state_;
  GraphicArea* graphicArea_;
  QPushButton* numericsButton_;
  bool numerics_ = false;
};

}  // namespace vorax::app::ui
