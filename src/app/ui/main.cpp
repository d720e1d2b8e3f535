// vorax-viewer: the desktop program.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel window("VORAX Viewer");
  window.setWindowTitle("VORAX Viewer");
  window.show();
  return QApplication::exec();
}
