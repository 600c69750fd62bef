// The main window: the frame of the program with its menus, tool bar and status bar.
#ifndef VEKSA_UI_MAIN_WINDOW_H_
#define VEKSA_UI_MAIN_WINDOW_H_

#include <QMainWindow>

namespace veksa {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace veksa

#endif  // VEKSA_UI_MAIN_WINDOW_H_
