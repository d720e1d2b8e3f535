// The window that ends a similarity run: the fleet table (one row per vibrator, the limits
// used, PASS/FAIL in green or red), with "Save CSV", "Print" and "Close".
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "vibsim/verdict_views.h"

class QPrinter;

namespace vorax::app::ui {
class GraphicArea;
}

namespace vorax::vibsim::ui {

class FleetTableWindow : public QWidget {
  Q_OBJECT

 public:
  // `folder` is where "Save CSV" starts.
  FleetTableWindow(std::vector<FleetEntry> entries, VerdictLimits limits, std::string title,
                   std::string subtitle, std::string folder, QWidget* parent = nullptr);

  const std::vector<FleetEntry>& entries() const { return entries_; }
  const QImage& picture() const;

  // "Save CSV" without its file dialog: ".CSV" appended unless the name holds it; an existing
  // file is replaced only when `mayReplace` agrees. Returns an error text.
  std::string saveCsvTo(const std::string& typedName);
  // The table on one landscape sheet, as vectors at the printer's resolution.
  void printOn(QPrinter& printer) const;

  // Asked before an existing file is replaced (a question box unless replaced, for tests).
  std::function<bool(const std::string& path)> mayReplace;

 private:
  void draw(app::Canvas& canvas) const;

  std::vector<FleetEntry> entries_;
  VerdictLimits limits_;
  std::string title_;
  std::string subtitle_;
  std::string folder_;
  app::ui::GraphicArea* table_;
};

// Opens the fleet table of a finished run (deleted when closed), or nothing when no vibrator
// was judged (a pulse test, or every vibrator skipped).
FleetTableWindow* openFleetTable(QWidget* parent, const std::vector<FleetEntry>& entries,
                                 const SimParams& params, const std::string& title,
                                 const std::string& subtitle, const std::string& folder);

}  // namespace vorax::vibsim::ui
