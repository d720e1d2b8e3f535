#include "vibsim/ui/setup_controls.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ui/file_dialogs.h"
#include "app/ui/qt_canvas.h"
#include "vibsim/similarity_setup.h"

namespace vorax::vibsim::ui {

namespace {

constexpr int kNumberBoxWidth = 60;

QString shortestNumber(float value) {
  return QString::number(static_cast<double>(value), 'g', 9);
}

}  // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent) {
  setFixedSize(40, 20);
  connect(this, &QPushButton::clicked, this, &ColourSwatch::choose);
}

void ColourSwatch::setColour(app::Colorref colour) {
  colour_ = colour;
  setStyleSheet(QString("background-color: %1; border: 1px solid black;")
                    .arg(app::ui::toQColor(colour).name()));
}

void ColourSwatch::choose() {
  const QColor chosen = QColorDialog::getColor(app::ui::toQColor(colour_), this, "Choose Colour");
  if (chosen.isValid()) setColour(app::rgb(chosen.red(), chosen.green(), chosen.blue()));
}

QCheckBox* SetupControls::tick(const SetupField& f) {
  auto* box =
      new QCheckBox(QString::fromUtf8(f.caption.data(), static_cast<int>(f.caption.size())));
  box->setObjectName(box->text());
  loaders_.push_back(
      [box, f](const app::ViewerSettings& s) { box->setChecked(fieldValue(s, f) == 1); });
  storers_.push_back(
      [box, f](app::ViewerSettings& s) { setFieldValue(s, f, box->isChecked() ? 1 : 0); });
  return box;
}

QRadioButton* SetupControls::option(const SetupField& f) {
  auto* button =
      new QRadioButton(QString::fromUtf8(f.caption.data(), static_cast<int>(f.caption.size())));
  button->setObjectName(button->text());
  loaders_.push_back(
      [button, f](const app::ViewerSettings& s) { button->setChecked(fieldValue(s, f) == 1); });
  storers_.push_back(
      [button, f](app::ViewerSettings& s) { setFieldValue(s, f, button->isChecked() ? 1 : 0); });
  return button;
}

QLineEdit* SetupControls::number(const SetupField& f) {
  auto* edit = new QLineEdit;
  edit->setFixedWidth(kNumberBoxWidth);
  edit->setObjectName(QString::fromUtf8(f.caption.data(), static_cast<int>(f.caption.size())));
  loaders_.push_back([edit, f](const app::ViewerSettings& s) {
    edit->setText(QString::number(fieldValue(s, f)));
  });
  storers_.push_back([edit, f](app::ViewerSettings& s) {
    setFieldValue(s, f, parseSetupInteger(edit->text().toStdString()));
  });
  return edit;
}

QLineEdit* SetupControls::single(const SetupField& f) {
  auto* edit = new QLineEdit;
  edit->setFixedWidth(kNumberBoxWidth);
  edit->setObjectName(QString::fromUtf8(f.caption.data(), static_cast<int>(f.caption.size())));
  loaders_.push_back([edit, f](const app::ViewerSettings& s) {
    edit->setText(shortestNumber(s.single(f.row, f.index)));
  });
  storers_.push_back([edit, f](app::ViewerSettings& s) {
    s.setSingle(f.row, parseSetupSingle(edit->text().toStdString()), f.index);
  });
  return edit;
}

QLineEdit* SetupControls::channel(const app::SettingRow& row, std::size_t index) {
  auto* edit = new QLineEdit;
  edit->setFixedWidth(44);
  loaders_.push_back([edit, row, index](const app::ViewerSettings& s) {
    const std::int32_t value = s.int32(row, index);
    edit->setText(value > 0 ? QString::number(value) : QString());
  });
  storers_.push_back([edit, row, index](app::ViewerSettings& s) {
    s.setInt32(row, parseSetupInteger(edit->text().toStdString()), index);
  });
  return edit;
}

QLineEdit* SetupControls::text(const app::SettingRow& row, std::size_t index) {
  auto* edit = new QLineEdit;
  edit->setMaxLength(static_cast<int>(row.width));
  loaders_.push_back([edit, row, index](const app::ViewerSettings& s) {
    const std::string_view v = s.text(row, index);
    edit->setText(QString::fromLatin1(v.data(), static_cast<int>(v.size())));
  });
  storers_.push_back([edit, row, index](app::ViewerSettings& s) {
    s.setText(row, edit->text().toLatin1().toStdString(), index);
  });
  return edit;
}

ColourSwatch* SetupControls::colour(const app::SettingRow& row, std::size_t index) {
  auto* swatch = new ColourSwatch;
  loaders_.push_back([swatch, row, index](const app::ViewerSettings& s) {
    swatch->setColour(s.colour(row, index));
  });
  storers_.push_back(
      [swatch, row, index](app::ViewerSettings& s) { s.setColour(row, swatch->colour(), index); });
  return swatch;
}

void SetupControls::load(const app::ViewerSettings& settings) const {
  for (const auto& load : loaders_) load(settings);
  for (const auto& after : afterLoad_) after();
}

void SetupControls::store(app::ViewerSettings& settings) const {
  for (const auto& store : storers_) store(settings);
}

QGroupBox* SetupControls::parameterGroup(const QString& title,
                                         const std::vector<SetupField>& numbers,
                                         const std::vector<SetupField>& singles) {
  auto* group = new QGroupBox(title);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(2);
  int i = 0;
  const auto place = [&](const SetupField& f, QLineEdit* edit) {
    const int row = i % 8;
    const int column = (i / 8) * 2;
    grid->addWidget(
        new QLabel(QString::fromUtf8(f.caption.data(), static_cast<int>(f.caption.size()))), row,
        column);
    grid->addWidget(edit, row, column + 1);
    ++i;
  };
  for (const SetupField& f : numbers) place(f, number(f));
  for (const SetupField& f : singles) place(f, single(f));
  return group;
}

QGroupBox* SetupControls::optionsGroup(const SetupField& screenPause, const SetupField& delay,
                                       const SetupField& showZeroLines,
                                       const std::vector<SetupField>& more) {
  auto* group = new QGroupBox("Options");
  auto* grid = new QGridLayout(group);
  QCheckBox* pause = tick(screenPause);
  auto* delayCaption =
      new QLabel(QString::fromUtf8(delay.caption.data(), static_cast<int>(delay.caption.size())));
  QLineEdit* delayBox = number(delay);
  grid->addWidget(pause, 0, 0, 1, 2);
  grid->addWidget(delayCaption, 1, 0);
  grid->addWidget(delayBox, 1, 1);
  grid->addWidget(tick(showZeroLines), 2, 0, 1, 2);
  for (std::size_t i = 0; i < more.size(); ++i)
    grid->addWidget(option(more[i]), 3, static_cast<int>(i));
  const auto showDelay = [pause, delayCaption, delayBox] {
    delayCaption->setVisible(!pause->isChecked());
    delayBox->setVisible(!pause->isChecked());
  };
  QObject::connect(pause, &QCheckBox::toggled, group, showDelay);
  afterLoad_.push_back(showDelay);
  return group;
}

QHBoxLayout* SetupControls::setupButtons(QDialog* dialog, FileActions actions) {
  auto* row = new QHBoxLayout;
  auto* save = new QPushButton("Save Setup");
  auto* load = new QPushButton("Load Setup");
  auto* go = new QPushButton("Go");
  auto* close = new QPushButton("Close");
  for (auto* b : {save, load, go, close}) row->addWidget(b);
  const auto report = [dialog](const std::string& error) {
    if (!error.empty()) QMessageBox::warning(dialog, "VORAX Viewer", QString::fromStdString(error));
  };
  QObject::connect(save, &QPushButton::clicked, dialog, [dialog, actions, report] {
    const std::string name =
        app::ui::SHOWSAVEB(dialog, actions.saveFilter, "Save File", actions.folder());
    if (!name.empty()) report(actions.save(name));
  });
  QObject::connect(load, &QPushButton::clicked, dialog, [dialog, actions, report] {
    const std::string name =
        app::ui::SHOWOPEN(dialog, actions.loadFilter, "Select File To Open", actions.folder());
    if (!name.empty()) report(actions.load(name));
  });
  QObject::connect(go, &QPushButton::clicked, dialog, actions.go);
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
  return row;
}

QGroupBox* SetupControls::tickGroup(const QString& title, const std::vector<SetupField>& ticks,
                                    bool options) {
  auto* group = new QGroupBox(title);
  auto* column = new QVBoxLayout(group);
  column->setSpacing(2);
  for (const SetupField& f : ticks) {
    if (options) {
      column->addWidget(option(f));
    } else {
      column->addWidget(tick(f));
    }
  }
  return group;
}

}  // namespace vorax::vibsim::ui
