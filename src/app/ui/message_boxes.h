// Decoder and tool messages shown to the user, one message box each, captioned
// "VORAX Viewer" with an OK button.
#pragma once

#include <string>
#include <string_view>

#include "base/messages.h"

class QWidget;

namespace vorax::app::ui {

class MessageBoxSink : public decode::MessageSink {
 public:
  // The boxes are centred on `owner` (the screen when null).
  explicit MessageBoxSink(QWidget* owner = nullptr) : owner_(owner) {}

  // Waits until the user presses OK. A system-modal message blocks every window of the
  // program and stays in front of them.
  void show(std::string_view text, bool systemModal) override;

 private:
  QWidget* owner_;
};

// Asks whether an existing file of the user's may be replaced ("<path> already exists. Do
// you want to replace it?", No by default); true at once when there is no such file.
bool askToReplace(QWidget* parent, const std::string& path);

}  // namespace vorax::app::ui
