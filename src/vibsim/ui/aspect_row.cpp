#include "vibsim/ui/aspect_row.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace vorax::vibsim::ui {

namespace {

constexpr int kSmallestHeight = 200;

}  // namespace

AspectRow::AspectRow(std::vector<QWidget*> children, double aspect, int preferredHeight,
                     QWidget* parent)
    : QWidget(parent),
      children_(std::move(children)),
      aspect_(aspect),
      preferredHeight_(preferredHeight) {
  for (QWidget* child : children_) child->setParent(this);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize AspectRow::sizeHint() const {
  const int width = static_cast<int>(std::lround(preferredHeight_ * aspect_));
  return {width * static_cast<int>(children_.size()), preferredHeight_};
}

QSize AspectRow::minimumSizeHint() const {
  const int width = static_cast<int>(std::lround(kSmallestHeight * aspect_));
  return {width * static_cast<int>(children_.size()), kSmallestHeight};
}

void AspectRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int count = std::max<int>(1, static_cast<int>(children_.size()));
  const double width = std::min(static_cast<double>(event->size().width()) / count,
                                event->size().height() * aspect_);
  const int w = static_cast<int>(std::floor(width));
  const int h = static_cast<int>(std::floor(width / aspect_));
  const int left = (event->size().width() - w * count) / 2;
  const int top = (event->size().height() - h) / 2;
  for (int i = 0; i < count && i < static_cast<int>(children_.size()); ++i)
    children_[static_cast<std::size_t>(i)]->setGeometry(left + i * w, top, w, h);
}

}  // namespace vorax::vibsim::ui
