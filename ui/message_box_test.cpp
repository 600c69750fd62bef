// Our message boxes: Russian buttons in the given order with Enter and Esc on the first and the
// last, a title that fits, and the window each opens over.
#include "ui/message_box.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace veksa;

namespace {

QStringList buttonTexts(const QMessageBox& box) {
  QStringList out;
  for (QAbstractButton* button : box.buttons()) out << button->text();
  return out;
}

// Shows a box and lets `act` answer it once it is open.
int answered(const QStringList& buttons, const std::function<void(QMessageBox*)>& act) {
  QTimer::singleShot(0, [act] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) act(box);
  });
  return showMessageBox(nullptr, QMessageBox::Question, "Вопрос", "Текст", buttons);
}

}  // namespace

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonsAndTitle() {
    auto box = makeMessageBox(nullptr, QMessageBox::Question, "Вопрос системы", "Выход из системы?",
                              {kOkText, kCancelText});
    QCOMPARE(buttonTexts(*box), QStringList({"ОК", "Отмена"}));
    QCOMPARE(box->defaultButton()->text(), QString("ОК"));
    QCOMPARE(box->escapeButton()->text(), QString("Отмена"));
    QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
    box->show();
    QFont bold = box->font();
    bold.setBold(true);
    // The title bar holds the title in bold, an icon, three buttons and margins.
    const QFontMetrics title(bold);
    QVERIFY(box->width() >= title.horizontalAdvance("Вопрос системы") + 5 * title.height() * 3 / 2);

    auto three = makeMessageBox(nullptr, QMessageBox::Question, "Несохранённые изменения", "?",
                                {"Сохранить", "Не сохранять", kCancelText});
    QCOMPARE(buttonTexts(*three), QStringList({"Сохранить", "Не сохранять", "Отмена"}));
  }

  void answers() {
    const QStringList three = {"Сохранить", "Не сохранять", kCancelText};
    QCOMPARE(answered(three, [](QMessageBox* box) { box->buttons().at(1)->click(); }), 1);
    QCOMPARE(answered(three, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), 2);
    QCOMPARE(answered(three, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }), 0);
    QCOMPARE(answered({kOkText}, [](QMessageBox* box) { box->close(); }), 0);
  }

  void opensOverTheWindowInUse() {
    QWidget main;
    main.show();
    QWidget tool(&main, Qt::Tool | Qt::WindowStaysOnTopHint);
    tool.show();
    QApplication::setActiveWindow(&tool);
    QVERIFY(QTest::qWaitForWindowActive(&tool));
    QCOMPARE(topWindowFor(&main), &tool);
    auto box = makeMessageBox(&main, QMessageBox::Information, "VEKSA", "Текст", {kOkText});
    QCOMPARE(box->parentWidget(), &tool);

    // An open modal dialog comes first; with no window of the program active, the fallback.
    QDialog modal(&main);
    modal.setModal(true);
    modal.show();
    QCOMPARE(topWindowFor(&main), &modal);
    modal.hide();
    tool.hide();
    main.hide();
    QCOMPARE(topWindowFor(&main), &main);
  }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
