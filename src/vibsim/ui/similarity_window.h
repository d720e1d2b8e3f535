// The similarity display window (caption "Similarity", modeless): panes A and B side by side
// in the proportions of an A4 portrait sheet, "Previous Vibrator" / "Next Vibrator", "Page 1"
// .. "Page 4" ("Page 4" redraws page 3), a status line, "Print", "BMP" and "Cancel". It shows
// one vibrator's pages at a time; the run that owns it decides which.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "base/debug_log.h"
#include "vibsim/similarity_pages.h"

class QLabel;
class QPushButton;

namespace vorax::app::ui {
class GraphicArea;
}

namespace vorax::vibsim::ui {

class SimilarityWindow : public QWidget {
  Q_OBJECT

 public:
  // `destroyedLine` goes to the debug log when the window is destroyed.
  SimilarityWindow(const base::DebugLog& log, std::string destroyedLine, QWidget* parent = nullptr);
  ~SimilarityWindow() override;

  // Shows `page` of `pages` (not owned; kept until the next call).
  void showPage(SimilarityPages& pages, int page);
  void setHighResPrint(bool on) { highResPrint_ = on; }
  void setStatus(const QString& text);

  int currentPage() const { return page_; }
  SimilarityPages* pages() const { return pages_; }
  // The pane pictures as last drawn.
  const QImage& panePicture(int pane) const;

  // The window's "BMP": panes written as name + " Page 1.BMP" / " Page 2.BMP" (page 1),
  // " Page 3.BMP" / " Page 4.BMP" (page 2), " Page 5.BMP" / " Page 6.BMP" (page 3); any
  // ".BMP" in the upper-cased name is cut off there first. Returns an error text.
  std::string saveTypedPictures(const std::string& typedName) const;

 signals:
  void previousVibrator();
  void nextVibrator();
  void cancelled();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void redrawPanes();
  void printCurrentPage();
  void askAndSavePictures();

  base::DebugLog log_;  // a copy: the window may outlive whoever made it
  std::string destroyedLine_;
  app::ui::GraphicArea* panes_[2];
  QLabel* status_;
  SimilarityPages* pages_ = nullptr;
  int page_ = 1;
  bool highResPrint_ = false;
};

}  // namespace vorax::vibsim::ui
