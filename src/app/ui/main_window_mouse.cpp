// The main window's mouse actions on the graphic area: the pointer read-out and crosshair,
// Shift-drag velocity, Ctrl-click picks, Alt-drag selection, the right click and the wheel
// (pages; with Ctrl, the gain). The
// crosshair and the rubber bands are an overlay over the cached picture, so they leave no
// marks on it.
#include <QPushButton>
#include <algorithm>
#include <cstdlib>

#include "app/display_zoom.h"
#include "app/ui/graphic_area.h"
#include "app/ui/main_window.h"
#include "app/ui/trace_attributes_box.h"

namespace vorax::app::ui {

bool MainWindow::acceptsMouse() const {
  return state_.recordLoaded && !loading() && geometry_.hasTraces;
}

std::optional<TraceAndSample> MainWindow::pointAt(QPointF position) const {
  const QImage& picture = graphicArea_->picture();
  const WorldMapping mapping{geometry_.world, static_cast<double>(picture.width()),
                             static_cast<double>(picture.height())};
  return traceAndSampleAt(geometry_, mapping, {position.x(), position.y()},
                          state_.record.loadedTraceCount());
}

void MainWindow::mousePressed(QPointF position, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers) {
  if (!acceptsMouse()) return;
  const std::optional<TraceAndSample> at = pointAt(position);
  if (!at) return;
  if (button == Qt::RightButton) {
    if (openSingleTraceView_) openSingleTraceView_(at->trace);
    return;
  }
  if (button != Qt::LeftButton) return;
  if (modifiers & Qt::ShiftModifier) {
    overlay_.drag = DisplayDrag::Velocity;
  } else if (modifiers & Qt::ControlModifier) {
    togglePick(at->trace);
    return;
  } else if (modifiers & Qt::AltModifier) {
    overlay_.drag = DisplayDrag::Selection;
  } else {
    overlay_.drag = DisplayDrag::Zoom;
  }
  overlay_.dragFrom = *at;
  overlay_.dragTo = *at;
  graphicArea_->refreshOverlay();
}

void MainWindow::mouseMoved(QPointF position) {
  if (!acceptsMouse()) return;
  const std::optional<TraceAndSample> at = pointAt(position);
  overlay_.cursor = at;
  if (at) {
    overlay_.readout = pointerReadoutText(state_.record, *at);
    attributes_->showAttributes(traceAttributes(state_.record, at->trace));
    if (overlay_.drag != DisplayDrag::None) overlay_.dragTo = *at;
  } else {
    overlay_.readout.clear();
  }
  graphicArea_->refreshOverlay();
  updateStatus();
}

// Turning the wheel away from the user goes back (as scrolling up does); with Ctrl it raises
// the gain, one step per notch; with Shift it zooms the time about the pointer, with Ctrl and
// Shift the traces (away from the user zooms in).
void MainWindow::wheelTurned(int notches, Qt::KeyboardModifiers modifiers) {
  if (!state_.recordLoaded || loading()) return;
  if (modifiers & Qt::ShiftModifier) {
    zoomAboutPointer(notches, (modifiers & Qt::ControlModifier) != 0);
    return;
  }
  if (modifiers & Qt::ControlModifier) {
    changeGain(kGainStepDb * static_cast<float>(notches));
    return;
  }
  const PagingMode mode = notches > 0 ? PagingMode::Prev : PagingMode::Next;
  for (int n = 0; n < std::abs(notches); ++n) page(mode);
}

void MainWindow::mouseReleased(QPointF position, Qt::MouseButton button) {
  if (button != Qt::LeftButton || overlay_.drag == DisplayDrag::None) return;
  const DisplayDrag drag = overlay_.drag;
  overlay_.drag = DisplayDrag::None;
  if (const std::optional<TraceAndSample> at = pointAt(position)) overlay_.dragTo = *at;
  const TraceAndSample from = overlay_.dragFrom;
  const TraceAndSample to = overlay_.dragTo;
  if (drag == DisplayDrag::Velocity) {
    velocityText_ = velocityText(state_.record, from, to);
    graphicArea_->redraw();
    return;
  }
  if (drag == DisplayDrag::Zoom) {
    graphicArea_->refreshOverlay();
    if (const std::optional<DisplayView> view =
            rectangleView(state_.record, from.trace, from.sample, to.trace, to.sample))
      zoomToView(*view);
    return;
  }
  graphicArea_->refreshOverlay();
  if (openTraceSelection_)
    openTraceSelection_({std::min(from.trace, to.trace), std::max(from.trace, to.trace),
                         std::min(from.sample, to.sample), std::max(from.sample, to.sample)});
}

void MainWindow::pointerLeft() {
  overlay_.cursor.reset();
  overlay_.readout.clear();
  graphicArea_->refreshOverlay();
  updateStatus();
}

void MainWindow::togglePick(std::int32_t trace) {
  state_.display.togglePick(trace);
  showButton_->setVisible(!state_.display.pickedTraces.empty());
  graphicArea_->redraw();
}

void MainWindow::clearInteraction() {
  overlay_ = DisplayOverlay{};
  graphicArea_->refreshOverlay();
}

void MainWindow::drawOverlay(Canvas& canvas) {
  if (state_.recordLoaded) drawDisplayOverlay(canvas, geometry_, overlay_);
}

}  // namespace vorax::app::ui
