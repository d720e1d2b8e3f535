#include "app/ui/message_boxes.h"

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <system_error>

namespace vorax::app::ui {

void MessageBoxSink::show(std::string_view text, bool systemModal) {
  QMessageBox box(QMessageBox::NoIcon, "VORAX Viewer",
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, owner_);
  if (systemModal) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  box.exec();
}

bool askToReplace(QWidget* parent, const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  return QMessageBox::question(
             parent, "VORAX Viewer",
             QString::fromStdString(path) + " already exists.\nDo you want to replace it?",
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace vorax::app::ui
