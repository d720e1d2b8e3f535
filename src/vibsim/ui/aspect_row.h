// Widgets side by side that keep one width-to-height ratio and grow with their window: the
// similarity panes (A4 portrait) and the fleet table (A4 landscape).
#pragma once

#include <QWidget>
#include <vector>

namespace vorax::vibsim::ui {

class AspectRow : public QWidget {
  Q_OBJECT

 public:
  // `aspect` is width / height of each child; `preferredHeight` sets the first size.
  AspectRow(std::vector<QWidget*> children, double aspect, int preferredHeight,
            QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QWidget*> children_;
  double aspect_;
  int preferredHeight_;
};

}  // namespace vorax::vibsim::ui
