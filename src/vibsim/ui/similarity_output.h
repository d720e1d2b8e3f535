// Similarity pages into picture files and onto paper.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <vector>

#include "vibsim/similarity_pages.h"

class QPrinter;

namespace vorax::vibsim::ui {

// A pane drawn into a new picture of `size` pixels.
QImage renderPane(SimilarityPages& pages, int page, int pane, QSize size);

// The run's pictures of a page: every pane saved as BMP in the pages' picture folder under
// its picture name, replacing a file of that name. Returns the error texts (empty: all saved).
std::vector<std::string> saveRunPictures(SimilarityPages& pages, int page);

// One printed page, landscape. Low resolution: the given pane pictures stretched over it.
// High resolution: `caption` at the top and the panes drawn again at the printer's resolution
// side by side below it.
void printSimilarityPage(QPrinter& printer, SimilarityPages& pages, int page, bool highRes,
                         const std::string& caption, const std::vector<QImage>& panePictures);

}  // namespace vorax::vibsim::ui
