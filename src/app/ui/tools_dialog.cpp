#include "app/ui/tools_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vorax::app::ui {

ToolsDialog::ToolsDialog(const std::map<QString, ToolOpener>& openers, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Tools");
  auto* layout = new QVBoxLayout(this);
  for (const char* caption : kToolCaptions) {
    auto* button = new QPushButton(caption, this);
    layout->addWidget(button);
    const auto found = openers.find(caption);
    if (found == openers.end() || !found->second) {
      button->setEnabled(false);
      button->setToolTip("Not available yet");
      continue;
    }
    ToolOpener open = found->second;
    connect(button, &QPushButton::clicked, this, [this, open] {
      accept();
      open();
    });
  }
}

}  // namespace vorax::app::ui
