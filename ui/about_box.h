// The About box (TAboutBox): the program's name, purpose, version and credits beside a picture.
// A new one is made by every "О программе"; Enter or Esc closes it.
#ifndef VEKSA_UI_ABOUT_BOX_H_
#define VEKSA_UI_ABOUT_BOX_H_

#include <QDialog>

namespace veksa {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace veksa

#endif  // VEKSA_UI_ABOUT_BOX_H_
