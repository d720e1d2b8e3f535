// The "Sum/Difference of Records" dialog: two files, the operation, "Normalise to Trace
// Peak", three progress bars; "Go" combines the records and hands the result over to become
// the displayed record.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/ui/message_boxes.h"
#include "decode/segd_record.h"
#include "tools/ui/tool_run.h"

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vorax::tools::ui {

class SumDiffDialog : public QDialog {
  Q_OBJECT

 public:
  // `takeResult` receives the combined record after a successful "Go", before the dialog
  // closes.
  SumDiffDialog(app::AppState& state, std::function<void(decode::SegdRecord&&)> takeResult,
                QWidget* parent = nullptr);

  // Sets a file as its "Select File N" button does once it is chosen (n = 1 or 2).
  void setFile(int n, const std::string& path);
  void go();
  void setMessageSink(decode::MessageSink& sink) { messages_ = &sink; }

 protected:
  void reject() override;  // "Cancel"

 private:
  void chooseFile(int n);
  void storeRadioButtons();
  void storeOperation();
  void resetBars();
  // Shows a tool message: captioned "VORAX Viewer", or without a caption.
  void tell(const std::string& text, bool untitled);

  app::AppState& state_;
  std::function<void(decode::SegdRecord&&)> takeResult_;
  app::ui::MessageBoxSink boxes_;
  decode::MessageSink* messages_;
  std::string files_[2];
  QLineEdit* names_[2];
  QRadioButton* sum_;
  QRadioButton* difference_;
  QCheckBox* normalise_;
  QProgressBar* bars_[3];
  QPushButton* go_;
  ToolRun run_;
};

}  // namespace vorax::tools::ui
