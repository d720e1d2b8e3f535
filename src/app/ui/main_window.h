// The viewer's main window: the graphic area on the left (0.87 of the window's width, 0.95
// of its height) and a column of buttons on its right.
#pragma once

#include <QWidget>

#include "app/app_state.h"

class QPushButton;
class QVBoxLayout;

namespace vorax::app::ui {

class GraphicArea;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(AppState& state, QWidget* parent = nullptr);

  GraphicArea& graphicArea() { return *graphicArea_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Every way of closing the window ends the program and saves the settings, once.
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* addButton(const QString& caption);
  void placeOnDesktop();
  void saveSettingsOnce();

  AppState& state_;
  GraphicArea* graphicArea_;
  QWidget* buttonColumn_;
  QVBoxLayout* buttonLayout_;
  bool placed_ = false;
  bool ended_ = false;
};

}  // namespace vorax::app::ui
