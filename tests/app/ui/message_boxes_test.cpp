#include "app/ui/message_boxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace vorax::app::ui {
namespace {

struct SeenBox {
  QString caption;
  QString text;
  bool onTop = false;
  int buttons = 0;
};

// Shows one message and reads the box while it waits, then presses its button.
SeenBox showAndRead(std::string_view message, bool systemModal) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    seen.buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  MessageBoxSink sink;
  sink.show(message, systemModal);
  return seen;
}

TEST(MessageBoxSink, ShowsTheExactTextCaptionedVoraxViewerWithOk) {
  const SeenBox seen = showAndRead("Invalid Trace Descriptor - Should Be 4422", false);
  EXPECT_EQ(seen.caption, "VORAX Viewer");
  EXPECT_EQ(seen.text, "Invalid Trace Descriptor - Should Be 4422");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_FALSE(seen.onTop);
}

TEST(MessageBoxSink, SystemModalMessagesStayInFront) {
  EXPECT_TRUE(showAndRead("GH1", true).onTop);
}

}  // namespace
}  // namespace vorax::app::ui
