// The main window.
#include "ui/main_window.h"

namespace veksa {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TForm1");
  setWindowTitle("VEKSA");
}

}  // namespace veksa
