// The "Tools" dialog: one button per tool. A button first ends the dialog, then opens its
// tool; a tool not built into this program is shown disabled, saying so.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <map>

namespace vorax::app::ui {

// The tool buttons in their order.
inline constexpr const char* kToolCaptions[] = {
    "Spread View",     "Split Proc File", "Fix Radio Sim File",
    "Record Sum/Diff", "Multi Vib Sim",   "Radio Sims",
    "Filters",         "Panels",          "Survey QC"};

using ToolOpener = std::function<void()>;

class ToolsDialog : public QDialog {
  Q_OBJECT

 public:
  // `openers` by caption; captions without one are disabled.
  ToolsDialog(const std::map<QString, ToolOpener>& openers, QWidget* parent = nullptr);
};

}  // namespace vorax::app::ui
