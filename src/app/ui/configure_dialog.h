// The "VORAX Viewer Configure" dialog: the display options of the settings record. Opening
// it forces the stored clip and gain into range; "OK" applies the range rules to every field
// and stores them all, unless the start time is not before the end time: then it stores
// nothing and says so in the dialog. "Cancel" stores nothing.
#pragma once

#include <QDialog>
#include <optional>

#include "app/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vorax::app::ui {

class ConfigureDialog : public QDialog {
  Q_OBJECT

 public:
  // `recordLengthMs` is given when a record is loaded: the times are then kept inside it.
  ConfigureDialog(ViewerSettings& settings, std::optional<float> recordLengthMs,
                  QWidget* parent = nullptr);

  QLineEdit* tracesEdit() const { return traces_; }
  QLineEdit* startEdit() const { return start_; }
  QLineEdit* endEdit() const { return end_; }
  QLineEdit* clipEdit() const { return clip_; }
  QLineEdit* gainEdit() const { return gain_; }
  QRadioButton* densityButton() const { return density_; }
  QRadioButton* rmsBalancedButton() const { return rmsBalanced_; }
  // Why "OK" was refused (an impossible time window); empty while there is nothing to say.
  QString problem() const;

 private:
  void fillFromSettings();
  void storeAndClose();

  ViewerSettings& settings_;
  std::optional<float> recordLengthMs_;
  QLineEdit* traces_;
  QLineEdit* start_;
  QLineEdit* end_;
  QRadioButton* byLine_;
  QRadioButton* byNumber_;
  QRadioButton* all_;
  QCheckBox* ignoreTilt_;
  QLineEdit* oilCompany_;
  QLineEdit* contractor_;
  QLineEdit* crew_;
  QRadioButton* fixedGain_;
  QRadioButton* normalised_;
  QRadioButton* rmsBalanced_;
  QRadioButton* wiggle_;
  QRadioButton* variableArea_;
  QRadioButton* density_;
  QCheckBox* agc_;
  QLineEdit* agcWindow_;
  QLineEdit* clip_;
  QLineEdit* gain_;
  QLabel* problem_;
};

}  // namespace vorax::app::ui
