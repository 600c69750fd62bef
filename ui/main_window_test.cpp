// The main window opens with its caption.
#include <QtTest>

#include "ui/main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void caption() {
    veksa::MainWindow window;
    QCOMPARE(window.objectName(), QString("TForm1"));
    QCOMPARE(window.windowTitle(), QString("VEKSA"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
