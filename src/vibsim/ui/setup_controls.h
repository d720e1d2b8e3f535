// The controls of the set-up dialogs, each bound to one element of the working set-up in the
// settings record: load() fills every control from the settings, store() writes every
// control back (numbers parsed as the set-up rules say).
#pragma once

#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "app/canvas.h"
#include "app/settings.h"
#include "vibsim/setup_fields.h"

class QAbstractButton;
class QCheckBox;
class QDialog;
class QGridLayout;
class QHBoxLayout;
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
  // "Options": "Screen Pause", "Delay (S)" with its box (shown only while "Screen Pause" is not
  // ticked), "Show Zero Lines", then the `more` options side by side.
  QGroupBox* optionsGroup(const SetupField& screenPause, const SetupField& delay,
                          const SetupField& showZeroLines, const std::vector<SetupField>& more);

  // "Save Setup", "Load Setup", "Go", "Close" in a row. Save and Load ask for a file (filters
  // and titles as given, starting in `folder()`) and call `save` / `load` with it, showing
  // the error text they return (`save` asks before it replaces a file: the name it writes
  // may carry an extension the file dialog never saw); Go calls `go`; Close closes `dialog`.
  struct FileActions {
    const char* saveFilter;
    const char* loadFilter;
    std::function<std::string()> folder;
    std::function<std::string(const std::string&)> save;
    std::function<std::string(const std::string&)> load;
    std::function<void()> go;
  };
  QHBoxLayout* setupButtons(QDialog* dialog, FileActions actions);

  // A group of ticks (or options) under a title, one per line.
  QGroupBox* tickGroup(const QString& title, const std::vector<SetupField>& ticks,
                       bool options = false);

 private:
  std::vector<std::function<void(const app::ViewerSettings&)>> loaders_;
  std::vector<std::function<void(app::ViewerSettings&)>> storers_;
  std::vector<std::function<void()>> afterLoad_;
};

}  // namespace vorax::vibsim::ui
