#include "vibsim/ui/aspect_row.h"

#include <QMessageBox>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

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

bool askToReplace(QWidget* parent, const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  return QMessageBox::question(
             parent, "VORAX Viewer",
             QString::fromStdString(path) + " already exists.\nDo you want to replace it?",
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace vorax::vibsim::ui
