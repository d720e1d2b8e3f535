// Keeps what the user set from being lost between the start and the End of the program: the
// settings reach the disk (atomically, as at the end) after every dialog's OK, when the
// desktop session asks the program to save its data, and when the program is asked to
// terminate (SIGTERM, SIGHUP, SIGINT on Unix: a desktop logging out, a closed terminal).
#pragma once

#include <QObject>

#include "app/app_state.h"

class QSocketNotifier;

namespace vorax::app::ui {

class SettingsKeeper : public QObject {
  Q_OBJECT

 public:
  explicit SettingsKeeper(AppState& state, QObject* parent = nullptr);
  ~SettingsKeeper() override;

  // Every dialog of the application that is accepted ("OK") saves the settings.
  void watchDialogs();
  // The desktop session's request to save, and on Unix the termination signals, which are
  // caught from here on: each saves the settings; a signal then emits terminationRequested.
  // One keeper at a time catches the signals.
  void watchSessionEnd();

  // saveSettingsNow; a failure goes to the debug log, since nobody may be there to read a box.
  void saveNow();

 signals:
  // A termination signal arrived and the settings have been saved: the program should end.
  void terminationRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void signalArrived();

  AppState& state_;
  QSocketNotifier* signalNotifier_ = nullptr;
};

}  // namespace vorax::app::ui
