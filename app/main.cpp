// veksa: the desktop program. "veksa FILE" opens FILE at start; without it the program starts
// with a new knowledge base, "new.vks".
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("VEKSA");
  // Number conversions never depend on the C locale; keep it neutral anyway.
  std::setlocale(LC_NUMERIC, "C");
  // Qt's own dialogs (files, printing, the replace question) in Russian, when the translation is
  // installed.
  QTranslator qtTranslation;
  if (qtTranslation.load(QLocale(QLocale::Russian), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qtTranslation);
  }
  veksa::MainWindow window;
  window.showMaximized();
  const QStringList args = app.arguments();
  if (args.size() > 1) window.openFile(args.at(1));
  return app.exec();
}
