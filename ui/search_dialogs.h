// The find and replace dialogs of the "&Правка" menu: a find text, for replace a replacement
// text, and their buttons. They carry no case, whole-word or direction options, since the
// commands do not consult them; the main window does the searching.
#ifndef VEKSA_UI_SEARCH_DIALOGS_H_
#define VEKSA_UI_SEARCH_DIALOGS_H_

#include <QDialog>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace veksa {

// The layout both dialogs share: labelled fields on the left, buttons on the right.
class SearchDialog : public QDialog {
  Q_OBJECT

 public:
  QLineEdit* findField() const { return find_; }
  QPushButton* findNextButton() const { return findNext_; }

 signals:
  void findNextRequested(const QString& what);

 protected:
  SearchDialog(const QString& formName, const QString& caption, QWidget* parent);
  QLineEdit* addField(const QString& label, const char* name);
  QPushButton* addButton(const QString& caption, const char* name);
  // Buttons that search are usable only with a find text.
  void enableWithFindText(QPushButton* button);

 private:
  QGridLayout* grid_;
  int fields_ = 0;
  int buttons_ = 0;
  QLineEdit* find_;
  QPushButton* findNext_;
};

class FindDialog : public SearchDialog {
  Q_OBJECT
 public:
  explicit FindDialog(QWidget* parent);
};

class ReplaceDialog : public SearchDialog {
  Q_OBJECT

 public:
  explicit ReplaceDialog(QWidget* parent);
  QLineEdit* replaceField() const { return replace_; }
  QPushButton* replaceButton() const { return replaceOne_; }
  QPushButton* replaceAllButton() const { return replaceAll_; }

 signals:
  // "Заменить": the first occurrence of the text.
  void replaceRequested(const QString& what, const QString& with);
  // "Заменить все": every occurrence.
  void replaceAllRequested(const QString& what, const QString& with);

 private:
  QLineEdit* replace_;
  QPushButton* replaceOne_;
  QPushButton* replaceAll_;
};

}  // namespace veksa

#endif  // VEKSA_UI_SEARCH_DIALOGS_H_
