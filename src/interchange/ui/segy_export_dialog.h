// File > Export SEG-Y: the records to write (the open record's file first), the trace order
// and the SEG-Y file; "Export" writes them on a worker thread, as `vorax convert` does, and
// says how it went in a message box.
#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/message_boxes.h"
#include "interchange/segy_export.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorax::interchange::ui {

// What an export run hands back to the window's thread.
struct ExportOutcome {
  SegyResult result;
  std::vector<std::string> messages;  // the decoders' messages, in order
  std::size_t records = 0;
};

class SegyExportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SegyExportDialog(app::AppState& state, QWidget* parent = nullptr);

  void addFiles(const std::vector<std::string>& paths);
  void setOutput(const std::string& path);
  void setSort(SegySort sort);
  // "Export": starts the run (the dialog stays disabled until it ends, then closes when it
  // wrote the file). Asks first before replacing an existing file, unless it was chosen
  // with Browse (whose file dialog asked).
  void exportFiles();
  void setMessageSink(decode::MessageSink& sink) { messages_ = &sink; }

 signals:
  void finishedExport(bool written);

 private:
  void askForFiles();
  void askForOutput();
  void showOutcome(const ExportOutcome& outcome);

  app::AppState& state_;
  app::ui::MessageBoxSink boxes_;
  decode::MessageSink* messages_;
  QListWidget* files_;
  QComboBox* sort_;
  QLineEdit* output_;
  QPushButton* export_;
  QFutureWatcher<ExportOutcome> run_;
  std::string replaceAgreed_;  // the output the user agreed to replace in the file dialog
};

// Adds "Export SEG-Y..." to the window's File menu.
void addSegyExport(app::ui::MainWindow& window, app::AppState& state);

}  // namespace vorax::interchange::ui
