// Small widgets the record tool dialogs share.
#pragma once

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "tools/tool_support.h"

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

// Asks before a run replaces an existing file of the user's: "Yes", "Yes to All" (no more
// questions in this run) or "No" (the default, also Escape). One question per run.
inline ReplaceQuestion askBeforeReplacing(QWidget* owner) {
  auto replaceAll = std::make_shared<bool>(false);
  return [owner, replaceAll](const std::filesystem::path& existing) {
    if (*replaceAll) return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        owner, "VORAX Viewer",
        QString::fromStdString(existing.string() + " already exists.\nReplace it?"),
        QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No, QMessageBox::No);
    *replaceAll = answer == QMessageBox::YesToAll;
    return answer == QMessageBox::Yes || *replaceAll;
  };
}

}  // namespace vorax::tools::ui
