// The "Fix Radio Sim File" dialog: the repair's four settings, "Select File(s)" to choose
// records and repair them, and a status box saying what is being done.
#pragma once

#include <QDialog>
#include <QStringList>

#include "app/app_state.h"
#include "app/ui/message_boxes.h"
#include "tools/tool_support.h"
#include "tools/ui/tool_run.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vorax::tools::ui {

class RadioFixDialog : public QDialog {
  Q_OBJECT

 public:
  RadioFixDialog(app::AppState& state, QWidget* parent = nullptr);

  // Repairs `files` (full names) as "Select File(s)" does once they are chosen.
  void fix(const QStringList& files);
  void setMessageSink(decode::MessageSink& sink) { messages_ = &sink; }
  // Replaces the question asked before an existing file is replaced (tests answer it).
  void setReplaceQuestion(ReplaceQuestion question) { replaceQuestion_ = std::move(question); }

  QString status() const;

 protected:
  void reject() override;

 private:
  // Shows the no-prefix message without a caption, as its own box; the rest as the others.
  class Messages : public decode::MessageSink {
   public:
    explicit Messages(QWidget* owner) : owner_(owner), boxes_(owner) {}
    void show(std::string_view text, bool systemModal) override;

   private:
    QWidget* owner_;
    app::ui::MessageBoxSink boxes_;
  };

  void chooseAndFix();
  void storeAllSettings();
  void storeClosingSettings();  // all but the traces required

  app::AppState& state_;
  Messages boxes_;
  decode::MessageSink* messages_;
  QLineEdit* traces_;
  QLineEdit* endTime_;
  QLineEdit* prefix_;
  QCheckBox* deleteOriginal_;
  QLineEdit* status_;
  QPushButton* select_;
  ToolRun run_;
  ReplaceQuestion replaceQuestion_;  // empty: a message box asks
};

}  // namespace vorax::tools::ui
