// The "Spread View" dialog: the five receiver test-value maps, the time slice and the
// frequency slice over the spread, with their controls; BMP and Print save and print the
// picture shown. A pointer over a box reads out that receiver.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "spread/frequency_slice.h"
#include "spread/spread_layout.h"
#include "spread/spread_map.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vorax::app::ui {
class GraphicArea;
}

namespace vorax::spread::ui {

class SliceRunner;

class SpreadViewDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the Errors map of the state's record at once.
  explicit SpreadViewDialog(app::AppState& state, QWidget* parent = nullptr);

  void showMap(MapKind kind);
  const SpreadMap& map() const { return map_; }
  const SpreadLayout& layout() const { return layout_; }
  app::ui::GraphicArea& graphicArea() { return *area_; }
  SliceRunner& slices() { return *runner_; }
  QPushButton* button(const QString& caption) const;
  QSlider& positionSlider() { return *position_; }
  QSlider& delaySlider() { return *delay_; }
  QLabel& statusLabel() { return *status_; }
  QLabel& readoutLabel() { return *readout_; }
  QLabel& positionLabel() { return *positionValue_; }

  // What "FSlice" does: From and To from their boxes (kept in the settings), then the slice.
  void runFrequencySlice();
  // The Position slider let go: one frame at its frequency; From and To are not changed.
  void showPositionFrequency();

 protected:
  void done(int result) override;

 private:
  enum class Scene { Map, TimeSlice, FrequencySlice };

  QWidget* buildControls();
  QWidget* buildSliceControls();
  void restoreSliceSettings();
  void drawScene(app::Canvas& canvas);
  void showTimeFrame(std::int32_t sample);
  void showFrequencyFrame(std::int32_t bin, double hz);
  void pointerMoved(QPointF pixel);
  PeakReference chosenReference() const;

  app::AppState& state_;
  SpreadLayout layout_;
  SpreadMap map_;
  std::vector<float> timeSlicePeaks_;  // worked out on the first "TSlice"
  Scene scene_ = Scene::Map;
  std::int32_t frame_ = 0;  // the sample or bin of the slice frame shown

  app::ui::GraphicArea* area_;
  SliceRunner* runner_;
  QLabel* readout_;
  QLabel* status_;
  QLabel* positionValue_;
  QSlider* position_;
  QSlider* delay_;
  QProgressBar* progress_;
  QRadioButton* tracePeak_;
  QRadioButton* spreadPeak_;
  QLineEdit* from_;
  QLineEdit* to_;
  QPushButton* pause_;
};

// Opens the spread view over the state's record, modal, and calls `closed` when it ends.
// A record without live traces is refused with a message box (then `closed` runs at once).
SpreadViewDialog* openSpreadView(app::AppState& state, QWidget* parent,
                                 std::function<void()> closed);

}  // namespace vorax::spread::ui
