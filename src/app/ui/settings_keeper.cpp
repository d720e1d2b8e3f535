#include "app/ui/settings_keeper.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>

#include "app/startup.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vorax::app::ui {

#ifdef Q_OS_UNIX
namespace {

constexpr std::array<int, 3> kTerminationSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler may do next to nothing: it writes one byte to a socket whose other end the
// event loop watches, and the keeper does the work there. The handler can reach only static
// data, hence these two.
int signalSockets[2] = {-1, -1};
std::array<struct sigaction, kTerminationSignals.size()> previousActions{};

extern "C" void onTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

}  // namespace
#endif

SettingsKeeper::SettingsKeeper(AppState& state, QObject* parent) : QObject(parent), state_(state) {}

SettingsKeeper::~SettingsKeeper() {
#ifdef Q_OS_UNIX
  if (signalNotifier_ == nullptr) return;
  for (std::size_t k = 0; k < kTerminationSignals.size(); ++k)
    ::sigaction(kTerminationSignals[k], &previousActions[k], nullptr);
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
#endif
}

void SettingsKeeper::watchDialogs() {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->installEventFilter(this);
}

void SettingsKeeper::watchSessionEnd() {
  if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(application, &QGuiApplication::commitDataRequest, this, &SettingsKeeper::saveNow);
#ifdef Q_OS_UNIX
  if (signalNotifier_ != nullptr || signalSockets[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0) {
    signalSockets[0] = signalSockets[1] = -1;
    state_.debugLog.line("The termination signals cannot be caught: no socket pair");
    return;
  }
  signalNotifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
  connect(signalNotifier_, &QSocketNotifier::activated, this, &SettingsKeeper::signalArrived);
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t k = 0; k < kTerminationSignals.size(); ++k)
    ::sigaction(kTerminationSignals[k], &action, &previousActions[k]);
#endif
}

void SettingsKeeper::saveNow() {
  // saveSettingsNow logs a failure itself.
  saveSettingsNow(state_);
}

bool SettingsKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    if (auto* dialog = qobject_cast<QDialog*>(watched))
      connect(dialog, &QDialog::accepted, this, &SettingsKeeper::saveNow, Qt::UniqueConnection);
  }
  return QObject::eventFilter(watched, event);
}

void SettingsKeeper::signalArrived() {
#ifdef Q_OS_UNIX
  char byte = 0;
  [[maybe_unused]] const ssize_t got = ::read(signalSockets[1], &byte, 1);
#endif
  saveNow();
  emit terminationRequested();
}

}  // namespace vorax::app::ui
