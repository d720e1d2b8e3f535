// The main window's menu bar: File, View, Tools and Help. Every command is also a button or a
// key; the menus say which key.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "app/record_display.h"
#include "app/ui/main_window.h"

namespace vorax::app::ui {

namespace {

QAction* addCommand(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                    QObject* context, std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setShortcuts(keys);
  QObject::connect(action, &QAction::triggered, context, std::move(run));
  return action;
}

constexpr const char* kKeysHelp =
    "<table>"
    "<tr><td><b>Ctrl+O</b></td><td>Open a record (or drop a file on the window)</td></tr>"
    "<tr><td><b>Home / End</b></td><td>First / last page of traces</td></tr>"
    "<tr><td><b>Page Up / Page Down</b></td><td>Previous / next page (or turn the mouse "
    "wheel)</td></tr>"
    "<tr><td><b>+ / -</b></td><td>Display gain up / down 3 dB (or Ctrl + mouse wheel)</td></tr>"
    "<tr><td><b>Ctrl+Page Down / Up</b></td><td>Next / previous record of the folder</td></tr>"
    "<tr><td><b>Backspace</b></td><td>Back to the view before the last zoom</td></tr>"
    "<tr><td><b>Ctrl+Home</b></td><td>The whole record</td></tr>"
    "<tr><td><b>Ctrl+S</b></td><td>Save the display as a picture</td></tr>"
    "<tr><td><b>Ctrl+P</b></td><td>Print the display</td></tr>"
    "<tr><td><b>Ctrl+Q</b></td><td>Quit</td></tr>"
    "<tr><td colspan=2><br><b>Mouse on the display</b></td></tr>"
    "<tr><td>Move</td><td>Channel, time, amplitude (recorded units) and trace attributes under "
    "the pointer</td></tr>"
    "<tr><td>Drag</td><td>Zoom to the rectangle</td></tr>"
    "<tr><td>Shift + wheel</td><td>Zoom the time about the pointer</td></tr>"
    "<tr><td>Ctrl + Shift + wheel</td><td>Zoom the traces about the pointer</td></tr>"
    "<tr><td>Shift + drag</td><td>Velocity between two points</td></tr>"
    "<tr><td>Ctrl + click</td><td>Pick a trace for the multi trace view (\"Show\")</td></tr>"
    "<tr><td>Alt + drag</td><td>Statistics of a selection of traces</td></tr>"
    "<tr><td>Right click</td><td>Single trace view</td></tr>"
    "</table>";

}  // namespace

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  addCommand(file, "&Open...", {QKeySequence::Open}, this, [this] { askAndOpen(); });
  recentMenu_ = file->addMenu("Open &Recent");
  rebuildRecentMenu();
  addCommand(file, "&Next Record", {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, this,
             [this] { stepRecord(1); });
  addCommand(file, "Pre&vious Record", {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, this,
             [this] { stepRecord(-1); });
  fileRecordsMenu_ = file->addMenu("Recor&d");
  rebuildFileRecordsMenu();
  file->addSeparator();
  addCommand(file, "&Save Picture...", {QKeySequence(Qt::CTRL | Qt::Key_S)}, this,
             [this] { askAndSavePicture(); });
  addCommand(file, "&Print...", {QKeySequence(Qt::CTRL | Qt::Key_P)}, this,
             [this] { printDisplay(); });
  fileMenu_ = file;
  quitSeparator_ = file->addSeparator();
  addCommand(file, "&Quit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, this, [this] { close(); });

  QMenu* view = menuBar()->addMenu("&View");
  addCommand(view, "Gain &Up 3 dB", {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)}, this,
             [this] { changeGain(kGainStepDb); });
  addCommand(view, "Gain &Down 3 dB", {QKeySequence(Qt::Key_Minus)}, this,
             [this] { changeGain(-kGainStepDb); });
  view->addSeparator();
  addCommand(view, "&First Page", {QKeySequence(Qt::Key_Home)}, this,
             [this] { page(PagingMode::First); });
  addCommand(view, "P&revious Page", {QKeySequence(Qt::Key_PageUp)}, this,
             [this] { page(PagingMode::Prev); });
  addCommand(view, "&Next Page", {QKeySequence(Qt::Key_PageDown)}, this,
             [this] { page(PagingMode::Next); });
  addCommand(view, "&Last Page", {QKeySequence(Qt::Key_End)}, this,
             [this] { page(PagingMode::Last); });
  view->addSeparator();
  buildViewMenu(view);
  view->addSeparator();
  addCommand(view, "&Configure...", {}, this, [this] { openConfigure(); });

  buildToolsMenu(menuBar()->addMenu("&Tools"));

  QMenu* help = menuBar()->addMenu("&Help");
  addCommand(help, "&Keys and Mouse", {QKeySequence::HelpContents}, this,
             [this] { showKeysHelp(); });
  addCommand(help, "&About VORAX Viewer", {}, this, [this] { showAbout(); });
}

// The Tools dialog, then each tool; a tool is enabled once its opener is set.
void MainWindow::buildToolsMenu(QMenu* menu) {
  addCommand(menu, "&Tools...", {}, this, [this] { openTools(); });
  menu->addSeparator();
  std::vector<QAction*> actions;
  for (const char* caption : kToolCaptions)
    actions.push_back(addCommand(menu, caption, {}, this, [this, caption] { openTool(caption); }));
  connect(menu, &QMenu::aboutToShow, this, [this, actions] {
    for (QAction* action : actions) {
      const auto found = tools_.find(action->text());
      action->setEnabled(found != tools_.end() && found->second);
    }
  });
}

void MainWindow::addFileCommand(const QString& text, std::function<void()> run) {
  QAction* action = new QAction(text, fileMenu_);
  connect(action, &QAction::triggered, this, std::move(run));
  fileMenu_->insertAction(quitSeparator_, action);
}

void MainWindow::rebuildRecentMenu() {
  recentMenu_->clear();
  for (const std::string& name : recentFiles_) {
    const QString path = QString::fromStdString(name);
    addCommand(recentMenu_, path, {}, this, [this, name] { openRecordFile(name); });
  }
  recentMenu_->setEnabled(!recentFiles_.empty());
}

void MainWindow::showKeysHelp() {
  QMessageBox::information(this, "VORAX Viewer - Keys and Mouse", kKeysHelp);
  focusDisplay();
}

void MainWindow::showAbout() {
  QMessageBox::about(
      this, "About VORAX Viewer",
      QString("<b>%1</b><p>A viewer and quality-control tool for seismic field records "
              "(SEG-D, SEG-2).</p>")
          .arg(kBannerText));
  focusDisplay();
}

}  // namespace vorax::app::ui
