#include "vibsim/ui/similarity_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "app/ui/file_dialogs.h"
#include "app/ui/graphic_area.h"
#include "app/ui/picture_output.h"
#include "vibsim/ui/aspect_row.h"
#include "vibsim/ui/similarity_output.h"

namespace vorax::vibsim::ui {

namespace {

constexpr double kPaneHeightShare = 0.82;  // of the screen's available height

QPushButton* addButton(QHBoxLayout* row, const QString& caption) {
  auto* button = new QPushButton(caption);
  row->addWidget(button);
  return button;
}

}  // namespace

SimilarityWindow::SimilarityWindow(const base::DebugLog& log, std::string destroyedLine,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      log_(log),
      destroyedLine_(std::move(destroyedLine)),
      panes_{new app::ui::GraphicArea, new app::ui::GraphicArea},
      status_(new QLabel) {
  setWindowTitle("Similarity");
  int height = 700;
  if (const QScreen* screen = this->screen())
    height = static_cast<int>(screen->availableGeometry().height() * kPaneHeightShare);
  // The panes keep the A4 portrait proportions and grow with the window.
  auto* paneRow = new AspectRow(
      {panes_[0], panes_[1]}, static_cast<double>(kPanePictureWidth) / kPanePictureHeight, height);

  auto* controls = new QHBoxLayout;
  QPushButton* previous = addButton(controls, "Previous Vibrator");
  QPushButton* next = addButton(controls, "Next Vibrator");
  for (int page = 1; page <= 4; ++page) {
    QPushButton* button = addButton(controls, QString("Page %1").arg(page));
    connect(button, &QPushButton::clicked, this, [this, page] {
      if (pages_ == nullptr) return;
      const std::vector<int> wanted = pages_->requestedPages();
      const bool pulse = !wanted.empty() && wanted.front() == kPulsePage;
      showPage(*pages_, pulse ? kPulsePage : std::min(page, 3));
    });
  }
  controls->addWidget(status_, 1);
  QPushButton* print = addButton(controls, "Print");
  QPushButton* bmp = addButton(controls, "BMP");
  QPushButton* cancel = addButton(controls, "Cancel");
  connect(previous, &QPushButton::clicked, this, &SimilarityWindow::previousVibrator);
  connect(next, &QPushButton::clicked, this, &SimilarityWindow::nextVibrator);
  connect(print, &QPushButton::clicked, this, &SimilarityWindow::printCurrentPage);
  connect(bmp, &QPushButton::clicked, this, &SimilarityWindow::askAndSavePictures);
  connect(cancel, &QPushButton::clicked, this, &SimilarityWindow::cancelled);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(paneRow, 1);
  layout->addLayout(controls);
}

SimilarityWindow::~SimilarityWindow() {
  if (log_.enabled()) log_.line(destroyedLine_);
}

void SimilarityWindow::closeEvent(QCloseEvent* event) {
  event->ignore();  // the run closes the window when it ends
  emit cancelled();
}

void SimilarityWindow::showPage(SimilarityPages& pages, int page) {
  pages_ = &pages;
  page_ = page;
  redrawPanes();
}

void SimilarityWindow::setStatus(const QString& text) {
  status_->setText(text);
}

const QImage& SimilarityWindow::panePicture(int pane) const {
  return panes_[pane == 0 ? 0 : 1]->picture();
}

void SimilarityWindow::redrawPanes() {
  for (int pane = 0; pane < 2; ++pane) {
    const bool used = pages_ != nullptr && pane < pages_->paneCount(page_);
    panes_[pane]->setPainter([this, pane, used](app::Canvas& canvas) {
      if (used) {
        pages_->drawPane(canvas, page_, pane);
      } else {
        canvas.clear(app::kWhite);
      }
    });
  }
}

std::string SimilarityWindow::saveTypedPictures(const std::string& typedName) const {
  if (pages_ == nullptr) return {};
  std::string base = typedName;
  std::string upper = base;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (const auto cut = upper.find(".BMP"); cut != std::string::npos) base.resize(cut);
  const int first = 2 * (std::clamp(page_, 1, 3) - 1) + 1;
  for (int pane = 0; pane < pages_->paneCount(page_); ++pane) {
    const std::string path = base + " Page " + std::to_string(first + pane) + ".BMP";
    const std::string error =
        app::ui::savePicture(panePicture(pane), path, app::PictureFormat::Bmp);
    if (!error.empty()) return "The picture could not be saved to " + path + ".\n" + error;
  }
  return {};
}

void SimilarityWindow::askAndSavePictures() {
  const std::string name = app::ui::SHOWSAVE(this, "BMP Files (*.BMP)|*.BMP", "Save File",
                                             pages_ ? pages_->pictureFolder() : "");
  if (name.empty()) return;
  const std::string error = saveTypedPictures(name);
  if (!error.empty()) QMessageBox::warning(this, "VORAX Viewer", QString::fromStdString(error));
}

void SimilarityWindow::printCurrentPage() {
  if (pages_ == nullptr) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName("VORAX Viewer");
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  SimilarityPrintJob job(printer);
  job.addPage(*pages_, page_, highResPrint_, pages_->printCaption(page_, true));
}

}  // namespace vorax::vibsim::ui
