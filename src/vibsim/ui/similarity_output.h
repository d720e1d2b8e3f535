// Similarity pages into picture files and onto paper.
#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

#include "vibsim/similarity_pages.h"

class QPrinter;

namespace vorax::app::ui {
class QtCanvas;
}

namespace vorax::vibsim::ui {

// A pane drawn into a new picture of `size` pixels, its lines at least `leastPen` pixels.
QImage renderPane(SimilarityPages& pages, int page, int pane, QSize size, double leastPen = 1);

// The run's pictures of a page: every pane saved as BMP in the pages' picture folder under
// its picture name, replacing a file of that name. Returns the error texts (empty: all saved).
std::vector<std::string> saveRunPictures(SimilarityPages& pages, int page);

// One print job of any number of similarity pages, one landscape sheet each, all in one
// document (a PDF file keeps every page of the run). The document is finished when the job
// is destroyed.
class SimilarityPrintJob {
 public:
  explicit SimilarityPrintJob(QPrinter& printer);
  ~SimilarityPrintJob();
  SimilarityPrintJob(const SimilarityPrintJob&) = delete;
  SimilarityPrintJob& operator=(const SimilarityPrintJob&) = delete;

  // High resolution: `caption` at the top and the panes drawn again as vectors at the
  // printer's resolution. Low resolution: the pane pictures stretched over their places.
  // Either way no line is thinner than 0.25 mm on paper.
  void addPage(SimilarityPages& pages, int page, bool highRes, const std::string& caption);
  int sheets() const { return sheets_; }

 private:
  app::ui::QtCanvas& nextSheet();

  QPrinter& printer_;
  std::unique_ptr<app::ui::QtCanvas> canvas_;
  int sheets_ = 0;
};

}  // namespace vorax::vibsim::ui
