// The controls of the set-up dialogs, each bound to one element of the working set-up in the
// settings record: load() fills every control from the settings, store() writes every
// control back (numbers parsed as the set-up rules say).
#pragma once

#include <QPushButton>
#include <functional>
#include <vector>

#include "app/canvas.h"
#include "app/settings.h"
#include "vibsim/setup_fields.h"

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace vorax::vibsim::ui {

// A button showing a colour; a click opens the colour chooser ("Choose Colour").
class ColourSwatch : public QPushButton {
  Q_OBJECT

 public:
  explicit ColourSwatch(QWidget* parent = nullptr);
  app::Colorref colour() const { return colour_; }
  void setColour(app::Colorref colour);

 private:
  void choose();
  app::Colorref colour_ = 0;
};

class SetupControls {
 public:
  QCheckBox* tick(const SetupField& field);
  QRadioButton* option(const SetupField& field);
  QLineEdit* number(const SetupField& field);  // int32
  QLineEdit* single(const SetupField& field);
  // A channel number: 0 or below shows as an empty box.
  QLineEdit* channel(const app::SettingRow& row, std::size_t index);
  QLineEdit* text(const app::SettingRow& row, std::size_t index);
  ColourSwatch* colour(const app::SettingRow& row, std::size_t index);

  void load(const app::ViewerSettings& settings) const;
  void store(app::ViewerSettings& settings) const;

  // A group of number boxes with their captions, two columns of caption and box.
  QGroupBox* parameterGroup(const QString& title, const std::vector<SetupField>& numbers,
                            const std::vector<SetupField>& singles);
  // A group of ticks (or options) under a title, one per line.
  QGroupBox* tickGroup(const QString& title, const std::vector<SetupField>& ticks, bool options = false);

 private:
  std::vector<std::function<void(const app::ViewerSettings&)>> loaders_;
  std::vector<std::function<void(app::ViewerSettings&)>> storers_;
};

}  // namespace vorax::vibsim::ui
