// The "File Splitter" dialog: choose a multi-record Sercel file and split it into one file
// per record beside it, showing the record being copied and the progress of the record and
// of the whole input.
#pragma once

#include <QDialog>

#include "app/app_state.h"
#include "app/ui/message_boxes.h"
#include "tools/tool_support.h"
#include "tools/ui/tool_run.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vorax::tools::ui {

class FileSplitterDialog : public QDialog {
  Q_OBJECT

 public:
  FileSplitterDialog(app::AppState& state, QWidget* parent = nullptr);

  // Splits `input` as "Select File" does once the file is chosen.
  void split(const QString& input);
  // Where messages go; message boxes unless replaced (tests).
  void setMessageSink(decode::MessageSink& sink) { messages_ = &sink; }
  // Replaces the question asked before an existing file is replaced (tests answer it).
  void setReplaceQuestion(ReplaceQuestion question) { replaceQuestion_ = std::move(question); }

 protected:
  void reject() override;

 private:
  void chooseAndSplit();

  app::AppState& state_;
  app::ui::MessageBoxSink boxes_;
  decode::MessageSink* messages_;
  QLineEdit* fileNumber_;
  QLineEdit* tracesInFile_;
  QLineEdit* currentTrace_;
  QProgressBar* fileProgress_;
  QProgressBar* overallProgress_;
  QLabel* complete_;
  QPushButton* select_;
  ToolRun run_;
  ReplaceQuestion replaceQuestion_;  // empty: a message box asks
};

}  // namespace vorax::tools::ui
