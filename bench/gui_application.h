// Text drawing needs a GUI application; the offscreen platform needs no display.
#pragma once

#include <QGuiApplication>
#include <cstdlib>

inline void ensureGuiApplication() {
  static int argc = 1;
  static char name[] = "vorax_bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QGuiApplication app(argc, argv);
}
