// File > Export SEG-Y, offscreen: the menu entry, an export of the open record's file, the
// question before replacing a file, and an export that fails.
#include "interchange/ui/segy_export_dialog.h"

#include <gtest/gtest.h>
#include <segyio/segy.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "app/startup.h"
#include "decode/synth/synth_writer.h"
#include "test_support.h"

namespace vorax::interchange::ui {
namespace {

class SegyExportWindow : public ::testing::Test {
 protected:
  SegyExportWindow() {
    app::startUp(state, dir.path().string(), false);
    decode::synth::SynthOptions options;
    options.seismicTraces = 12;
    options.samplesPerTrace = 51;
    EXPECT_EQ(decode::synth::writeSyntheticRecord(dir / "shot.segd", options), "");
    state.record.fileName = (dir / "shot.segd").string();
    state.recordLoaded = true;
  }
  int tracesIn(const std::filesystem::path& path) {
    segy_file* f = segy_open(path.string().c_str(), "rb");
    if (f == nullptr) return -1;
    char binary[SEGY_BINARY_HEADER_SIZE];
    segy_binheader(f, binary);
    int traces = 0;
    const int samples = segy_samples(binary);
    segy_traces(f, &traces, segy_trace0(binary), segy_trsize(SEGY_IEEE_FLOAT_4_BYTE, samples));
    segy_close(f);
    return traces;
  }
  test::TempDir dir;
  app::AppState state;
  decode::CollectingMessages messages;
};

TEST_F(SegyExportWindow, TheFileMenuOpensTheDialogAboveQuit) {
  app::ui::MainWindow window(state);
  addSegyExport(window, state);
  QMenu* file = window.menuBar()->findChild<QMenu*>();
  ASSERT_NE(file, nullptr);
  QStringList captions;
  for (QAction* a : file->actions()) captions << a->text();
  const auto exportAt = captions.indexOf("&Export SEG-Y...");
  ASSERT_GE(exportAt, 0) << captions.join(", ").toStdString();
  EXPECT_LT(exportAt, captions.indexOf("&Quit"));
  file->actions().at(exportAt)->trigger();
  auto* dialog = window.findChild<SegyExportDialog*>();
  ASSERT_NE(dialog, nullptr);
  dialog->close();
}

TEST_F(SegyExportWindow, ExportsTheOpenRecordAsTheCommandLineDoes) {
  SegyExportDialog dialog(state);
  dialog.setMessageSink(messages);
  dialog.setSort(SegySort::Channel);
  QSignalSpy finished(&dialog, &SegyExportDialog::finishedExport);
  dialog.exportFiles();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_TRUE(finished.at(0).at(0).toBool());
  const std::filesystem::path written = dir / "shot.sgy";  // beside the record by default
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "Wrote 14 traces of 1 record(s) to " + written.string());
  EXPECT_EQ(tracesIn(written), 14);
  EXPECT_EQ(test::runCli({"convert", (dir / "shot.segd").string(), "--sort", "channel", "-o",
                          (dir / "cli.sgy").string()})
                .exitCode,
            0);
  EXPECT_EQ(test::readFileBytes(written), test::readFileBytes(dir / "cli.sgy"));
}

// Answers the next question box with `button`, keeping its text.
void answerNextQuestion(QMessageBox::StandardButton button, QString& text) {
  QTimer::singleShot(0, [button, &text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    text = box->text();
    box->button(button)->click();
  });
}

TEST_F(SegyExportWindow, AsksBeforeReplacingAnExistingFile) {
  const std::filesystem::path existing = dir / "shot.sgy";
  const std::vector<std::uint8_t> users{1, 2, 3};
  test::writeFileBytes(existing, users);
  SegyExportDialog dialog(state);
  dialog.setMessageSink(messages);
  QSignalSpy finished(&dialog, &SegyExportDialog::finishedExport);
  QString question;
  answerNextQuestion(QMessageBox::No, question);
  dialog.exportFiles();
  EXPECT_EQ(question, QString::fromStdString(existing.string()) +
                          " already exists.\nDo you want to replace it?");
  EXPECT_EQ(finished.count(), 0);
  EXPECT_EQ(test::readFileBytes(existing), users);

  answerNextQuestion(QMessageBox::Yes, question);
  dialog.exportFiles();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(tracesIn(existing), 14);
}

TEST_F(SegyExportWindow, SaysWhyAnExportFailedAndWritesNothing) {
  SegyExportDialog dialog(state);
  dialog.setMessageSink(messages);
  dialog.addFiles({(dir / "absent.segd").string()});
  QSignalSpy finished(&dialog, &SegyExportDialog::finishedExport);
  dialog.exportFiles();
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_FALSE(finished.at(0).at(0).toBool());
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_NE(messages.messages.back().find("absent.segd"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "shot.sgy"));
}

}  // namespace
}  // namespace vorax::interchange::ui
