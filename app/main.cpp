// veksa: the desktop program.
#include <QApplication>
#include <clocale>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Number conversions never depend on the C locale; keep it neutral anyway.
  std::setlocale(LC_NUMERIC, "C");
  veksa::MainWindow window;
  window.showMaximized();
  return app.exec();
}
