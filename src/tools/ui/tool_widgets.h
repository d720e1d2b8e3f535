// Small widgets the record tool dialogs share.
#pragma once

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <initializer_list>

namespace vorax::tools::ui {

// A text box that only shows.
inline QLineEdit* readOnlyBox() {
  auto* box = new QLineEdit;
  box->setReadOnly(true);
  return box;
}

// A 0..100 progress bar at 0.
inline QProgressBar* percentBar() {
  auto* bar = new QProgressBar;
  bar->setRange(0, 100);
  bar->setValue(0);
  return bar;
}

inline QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QPushButton* b : buttons) row->addWidget(b);
  return row;
}

// A message box without a caption, as a few tool messages are shown.
inline void showUntitled(QWidget* owner, const QString& text) {
  QMessageBox(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, owner).exec();
}

}  // namespace vorax::tools::ui
