#include "app/ui/trace_labels_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorax::app::ui {

namespace {

QString qtext(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TraceLabelsDialog::TraceLabelsDialog(ViewerSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      title_(new QLineEdit(qtext(settings.multiTraceTitle()))) {
  setWindowTitle("Trace Labels");
  title_->setMaxLength(40);

  auto* titleBox = new QGroupBox("Main Title");
  auto* titleLayout = new QHBoxLayout(titleBox);
  titleLayout->addWidget(title_, 1);
  auto* titleGroup = new QButtonGroup(this);
  const char* positions[] = {"Left", "Middle", "Right"};
  for (std::size_t p = 0; p < 3; ++p) {
    titlePosition_[p] = new QRadioButton(positions[p]);
    titleGroup->addButton(titlePosition_[p]);
    titleLayout->addWidget(titlePosition_[p]);
    titlePosition_[p]->setChecked(settings.titlePosition(p) == 1);
  }
  if (titleGroup->checkedButton() == nullptr) titlePosition_[1]->setChecked(true);

  auto* grid = new QGridLayout;
  for (std::size_t k = 0; k < kMaxPickedTraces; ++k) {
    const int row = static_cast<int>(k);
    labels_[k] = new QLineEdit(qtext(settings.traceLabel(k)));
    labels_[k]->setMaxLength(20);
    left_[k] = new QRadioButton("Left");
    right_[k] = new QRadioButton("Right");
    auto* side = new QButtonGroup(this);
    side->addButton(left_[k]);
    side->addButton(right_[k]);
    left_[k]->setChecked(settings.traceLabelSide(k, 0) == 1);
    right_[k]->setChecked(!left_[k]->isChecked());
    grid->addWidget(new QLabel(QString("Trace %1").arg(row + 1)), row, 0);
    grid->addWidget(labels_[k], row, 1);
    grid->addWidget(left_[k], row, 2);
    grid->addWidget(right_[k], row, 3);
  }

  auto* buttons = new QDialogButtonBox;
  buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &TraceLabelsDialog::store);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleBox);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void TraceLabelsDialog::store() {
  settings_.setMultiTraceTitle(title_->text().trimmed().toStdString());
  for (std::size_t p = 0; p < 3; ++p)
    settings_.setTitlePosition(p, titlePosition_[p]->isChecked() ? 1 : 0);
  for (std::size_t k = 0; k < kMaxPickedTraces; ++k) {
    settings_.setTraceLabel(k, labels_[k]->text().trimmed().toStdString());
    settings_.setTraceLabelSide(k, 0, left_[k]->isChecked() ? 1 : 0);
    settings_.setTraceLabelSide(k, 1, right_[k]->isChecked() ? 1 : 0);
  }
  accept();
}

}  // namespace vorax::app::ui
