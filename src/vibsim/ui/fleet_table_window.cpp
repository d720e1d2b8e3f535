#include "vibsim/ui/fleet_table_window.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/picture_file_name.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/message_boxes.h"
#include "app/ui/qt_canvas.h"
#include "base/atomic_file.h"
#include "vibsim/pane_canvas.h"
#include "vibsim/printed_sheet.h"
#include "vibsim/ui/aspect_row.h"

namespace vorax::vibsim::ui {

namespace {

constexpr double kTableAspect = static_cast<double>(kFleetPictureWidth) / kFleetPictureHeight;
constexpr int kTableHeight = 620;

}  // namespace

FleetTableWindow::FleetTableWindow(std::vector<FleetEntry> entries, VerdictLimits limits,
                                   std::string title, std::string subtitle, std::string folder,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      entries_(std::move(entries)),
      limits_(limits),
      title_(std::move(title)),
      subtitle_(std::move(subtitle)),
      folder_(std::move(folder)),
      table_(new app::ui::GraphicArea) {
  setWindowTitle(QString::fromStdString(title_));
  mayReplace = [this](const std::string& path) { return app::ui::askToReplace(this, path); };
  table_->setPainter([this](app::Canvas& canvas) { draw(canvas); });

  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton("Save CSV");
  auto* print = new QPushButton("Print");
  auto* close = new QPushButton("Close");
  buttons->addStretch(1);
  for (auto* b : {save, print, close}) buttons->addWidget(b);
  connect(save, &QPushButton::clicked, this, [this] {
    const std::string name =
        app::ui::SHOWSAVEB(this, "CSV Files (*.CSV)|*.CSV", "Save File", folder_);
    if (name.empty()) return;
    if (const std::string error = saveCsvTo(name); !error.empty())
      QMessageBox::warning(this, "VORAX Viewer", QString::fromStdString(error));
  });
  connect(print, &QPushButton::clicked, this, [this] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("VORAX Viewer Similarity");
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printOn(printer);
  });
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new AspectRow({table_}, kTableAspect, kTableHeight), 1);
  layout->addLayout(buttons);
}

const QImage& FleetTableWindow::picture() const {
  return table_->picture();
}

void FleetTableWindow::draw(app::Canvas& canvas) const {
  drawFleetTable(canvas, entries_, limits_, title_, subtitle_);
}

std::string FleetTableWindow::saveCsvTo(const std::string& typedName) {
  const std::string path = app::withExtensionOnce(typedName, ".CSV");
  if (mayReplace && !mayReplace(path)) return {};
  const std::string csv = fleetCsv(entries_, limits_);
  base::AtomicFileWriter writer(path);
  writer.write({reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()});
  writer.commit();
  return writer.error().empty()
             ? std::string()
             : "The table could not be saved to " + path + ".\n" + writer.error();
}

void FleetTableWindow::printOn(QPrinter& printer) const {
  app::ui::QtCanvas sheet(printer);
  PaneCanvas table(sheet, centredArea(sheet.pixelWidth(), sheet.pixelHeight(), kTableAspect),
                   leastPenPixels(printer.resolution()));
  draw(table);
}

FleetTableWindow* openFleetTable(QWidget* parent, const std::vector<FleetEntry>& entries,
                                 const SimParams& params, const std::string& title,
                                 const std::string& subtitle, const std::string& folder) {
  const bool judged =
      std::ranges::any_of(entries, [](const FleetEntry& e) { return e.verdict.has_value(); });
  if (!judged) return nullptr;
  auto* window =
      new FleetTableWindow(entries, verdictLimitsOf(params), title, subtitle, folder, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return window;
}

}  // namespace vorax::vibsim::ui
