// The "Trace Labels" dialog of the multi trace view: the main title with its position and
// the six trace labels with their sides, stored into the settings on "OK".
#pragma once

#include <QDialog>
#include <array>

#include "app/display_state.h"
#include "app/settings.h"

class QLineEdit;
class QRadioButton;

namespace vorax::app::ui {

class TraceLabelsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TraceLabelsDialog(ViewerSettings& settings, QWidget* parent = nullptr);

  QLineEdit* titleEdit() const { return title_; }
  QLineEdit* labelEdit(std::size_t k) const { return labels_[k]; }
  QRadioButton* titlePositionButton(std::size_t position) const { return titlePosition_[position]; }
  QRadioButton* rightButton(std::size_t k) const { return right_[k]; }

 private:
  void store();

  ViewerSettings& settings_;
  QLineEdit* title_;
  std::array<QRadioButton*, 3> titlePosition_{};  // Left, Middle, Right
  std::array<QLineEdit*, kMaxPickedTraces> labels_{};
  std::array<QRadioButton*, kMaxPickedTraces> left_{};
  std::array<QRadioButton*, kMaxPickedTraces> right_{};
};

}  // namespace vorax::app::ui
