// The merge dialog.
#include "ui/merge_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/window_buttons.h"

namespace veksa {

namespace {

// A check list of file names, each unticked.
void appendUnticked(QListWidget* list, const QString& name) {
  auto* item = new QListWidgetItem(name, list);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
}

QListWidget* checkList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setMinimumSize(180, 200);
  return list;
}

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

MergeDialog::MergeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      files_(checkList("fileList", this)),
      project_(checkList("projectFiles", this)),
      projectName_(new QLineEdit(this)),
      dataFile_(new QComboBox(this)) {
  setObjectName("TForm9");
  offerCloseOnly(this);
  setWindowTitle(QStringLiteral("Объединение файлов в проект"));
  projectName_->setObjectName("projectName");
  dataFile_->setObjectName("dataFile");
  dataFile_->setEditable(true);
  dataFile_->setInsertPolicy(QComboBox::NoInsert);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  connect(addButton(QStringLiteral("добавить   > "), "addButton"), &QPushButton::clicked, this,
          &MergeDialog::addTicked);
  connect(addButton(QStringLiteral("добавить всё   >>"), "addAllButton"), &QPushButton::clicked,
          this, &MergeDialog::addAll);
  connect(addButton(QStringLiteral("<   удалить"), "removeButton"), &QPushButton::clicked, this,
          &MergeDialog::removeTicked);
  connect(addButton(QStringLiteral("<<   удалить всё"), "removeAllButton"),
          &QPushButton::clicked, project_, &QListWidget::clear);
  for (QPushButton* b : buttons_) middle->addWidget(b);
  middle->addStretch();

  QPushButton* yes = addButton(QStringLiteral("да"), "yesButton");
  QPushButton* cancel = addButton(QStringLiteral("отмена"), "cancelButton");
  connect(yes, &QPushButton::clicked, this, [this] {
    stayOpen_ = false;
    emit mergeConfirmed();
    if (!stayOpen_) reject();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    project_->clear();
    reject();
  });

  // The label of the file list begins with a Latin "C", as it always has.
  auto* grid = new QGridLayout(this);
  grid->addWidget(label(QStringLiteral("Cписок файлов"), files_, this), 0, 0);
  grid->addWidget(label(QStringLiteral("Файлы проекта"), project_, this), 0, 2);
  grid->addWidget(files_, 1, 0);
  grid->addLayout(middle, 1, 1);
  grid->addWidget(project_, 1, 2);
  grid->addWidget(label(QStringLiteral("Имя файла проекта:"), projectName_, this), 2, 0);
  grid->addWidget(label(QStringLiteral("Имя файла данных"), dataFile_, this), 2, 2);
  grid->addWidget(projectName_, 3, 0);
  grid->addWidget(dataFile_, 3, 2);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(yes);
  bottom->addWidget(cancel);
  grid->addLayout(bottom, 4, 0, 1, 3);

  const QStringList names = knowledgeBaseFiles();
  for (const QString& name : names) appendUnticked(files_, name);
  dataFile_->addItems(names);
  dataFile_->setEditText(QString());
}

QPushButton* MergeDialog::addButton(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  buttons_ << button;
  return button;
}

QStringList MergeDialog::knowledgeBaseFiles() {
  // Without QDir::Hidden and QDir::System, hidden files, devices, pipes and sockets stay out.
  return QDir::current().entryList({QStringLiteral("*.vks")}, QDir::Files, QDir::Name);
}

MergeRequest MergeDialog::request() const {
  MergeRequest r{toLine(projectName_->text()), toLine(dataFile_->currentText()), {}};
  for (int i = 0; i < project_->count(); ++i) r.projectFiles.push_back(toLine(project_->item(i)->text()));
  return r;
}

void MergeDialog::addTicked() {
  for (int i = 0; i < files_->count(); ++i) {
    if (files_->item(i)->checkState() == Qt::Checked) appendUnticked(project_, files_->item(i)->text());
  }
}

void MergeDialog::addAll() {
  for (int i = 0; i < files_->count(); ++i) appendUnticked(project_, files_->item(i)->text());
}

void MergeDialog::removeTicked() {
  for (int i = project_->count(); i-- > 0;) {
    if (project_->item(i)->checkState() == Qt::Checked) delete project_->takeItem(i);
  }
}

void MergeDialog::done(int result) {
  QDialog::done(result);
  emit closed();
}

}  // namespace veksa
