// veksa: the desktop program. "veksa FILE" opens FILE at start; without it the program starts
// with a new knowledge base, "new.vks". "--help" and "--version" answer without opening a window.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "ui/main_window.h"
#include "ui/recovery_keeper.h"
#include "veksa_version.h"

namespace {

// Answers --help and --version (before Qt needs a display). Returns true when it did.
bool answerInformation(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("VEKSA %s\n", VEKSA_VERSION);
    return true;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::printf(
        "usage: veksa [FILE]\n"
        "       veksa --help | --version\n"
        "VEKSA %s, the educational shell for small rule-based expert systems.\n"
        "Opens the knowledge base FILE (*.vks), or a new one, \"new.vks\", without it.\n"
        "The headless checker and runner is veksa-cli; see veksa(1) and veksa-cli(1).\n",
        VEKSA_VERSION);
    return true;
  }
  return false;
}

// The window icon, drawn from the program's SVG at the sizes window managers ask for.
QIcon programIcon() {
  QSvgRenderer svg(QStringLiteral(":/veksa.svg"));
  QIcon icon;
  for (int size : {16, 22, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  if (answerInformation(argc, argv)) return 0;
  QApplication app(argc, argv);
  app.setApplicationName("VEKSA");
  app.setApplicationVersion(QStringLiteral(VEKSA_VERSION));
  app.setDesktopFileName(QStringLiteral("veksa"));
  app.setWindowIcon(programIcon());
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
  // Unsaved work is copied as it is typed and offered again after a crash.
  veksa::RecoveryKeeper recovery(window,
                                 veksa::RecoveryStore(veksa::RecoveryStore::defaultFolder()));
  window.showMaximized();
  const QStringList args = app.arguments();
  if (args.size() > 1) window.openFile(args.at(1));
  return app.exec();
}
