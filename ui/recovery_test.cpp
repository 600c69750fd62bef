// Recovery copies: their names and ages, and the keeper that writes, removes and offers them in a
// main window answered by scripted dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/qt_text.h"
#include "ui/recovery_keeper.h"
#include "ui/scripted_dialogs.h"
#include "ui/window_test_support.h"

using namespace veksa;

namespace {

void setTime(const QString& path, const QDateTime& time) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

Lines loaded(const QString& path) {
  Lines lines;
  std::string error;
  loadKnowledgeBase(path.toStdString(), lines, error);
  return lines;
}

// The real box "Восстановление", answered by `act` once it is open: true for "Восстановить".
bool offered(const std::function<void(QMessageBox*)>& act) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QString("Восстановление"));
    act(box);
  });
  QtDialogs dialogs;
  return dialogs.offerRecovery(nullptr, "Найдена копия");
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString file(const QString& name) { return dir_.filePath(name); }

 private slots:
  void namesAndAges() {
    const RecoveryStore store(file("data/recovery"));
    QCOMPARE(store.copyPath("new.vks"), file("data/recovery/new.vks"));
    QDir(dir_.path()).mkpath("a");
    QDir(dir_.path()).mkpath("b");
    const QString kb = file("a/kb.vks");
    // Files of the same name in two folders have copies of their own; the same file reached by
    // a relative name has the same copy.
    QVERIFY(store.copyPath(kb) != store.copyPath(file("b/kb.vks")));
    QVERIFY(QFileInfo(store.copyPath(kb)).fileName().startsWith("kb-"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QCOMPARE(store.copyPath("a/kb.vks"), store.copyPath(kb));
    QDir::setCurrent(before);

    std::string error;
    QVERIFY(!store.pending(kb));
    QVERIFY(store.write(kb, {u"копия"}, error));  // makes the folder
    QCOMPARE(loaded(store.copyPath(kb)), Lines{u"копия"});
    QVERIFY(store.pending(kb));  // the file is not there
    QVERIFY(saveKnowledgeBase(kb.toStdString(), {u"файл"}, error));
    const QDateTime noon = QDateTime::currentDateTime().addDays(-1);
    setTime(kb, noon);
    setTime(store.copyPath(kb), noon);
    QVERIFY(!store.pending(kb));  // saved when the copy was written
    setTime(store.copyPath(kb), noon.addSecs(5));
    const auto copy = store.pending(kb);
    QVERIFY(copy);
    QCOMPARE(copy->path, store.copyPath(kb));
    QCOMPARE(copy->time, noon.addSecs(5));
    setTime(kb, noon.addSecs(60));  // saved after the copy
    QVERIFY(!store.pending(kb));
    QVERIFY(store.write("new.vks", {u"новая"}, error));
    QVERIFY(store.pending("new.vks"));

    // A folder that cannot be made: a failed write naming it.
    QVERIFY(saveKnowledgeBase(file("plain").toStdString(), {}, error));
    QVERIFY(!RecoveryStore(file("plain/recovery")).write(kb, {u"x"}, error));
    QVERIFY(QString::fromStdString(error).contains(file("plain/recovery")));
  }

  void theBoxLosesNothingOnEsc() {
    QVERIFY(!offered([](QMessageBox* box) { box->buttons().at(1)->click(); }));  // Удалить копию
    QVERIFY(offered([](QMessageBox* box) { box->buttons().at(0)->click(); }));
    QVERIFY(offered([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }));
    QVERIFY(offered([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }));
    QVERIFY(offered([](QMessageBox* box) { box->close(); }));
  }

  void keeperWritesRemovesAndOffers() {
    const RecoveryStore store(file("keeper"));
    const QString kb = file("keeper.vks");
    std::string error;
    QVERIFY(saveKnowledgeBase(kb.toStdString(), {u"ГИПОТЕЗЫ:", u"дерево {ель}"}, error));
    const QString copy = store.copyPath(kb);

    // Typing starts the timer; the copy holds the typed text; a save removes it.
    ScriptedDialogs dialogs;
    MainWindow window(&dialogs);
    RecoveryKeeper keeper(window, store);
    QVERIFY(window.openFile(kb));
    QCoreApplication::processEvents();
    QVERIFY(dialogs.shown.isEmpty());  // nothing to offer
    QVERIFY(!keeper.timer().isActive());
    window.editor()->text()->moveCursor(QTextCursor::End);
    window.editor()->text()->insertPlainText("\nцветок {роза}");
    QVERIFY(keeper.timer().isActive());
    keeper.writeNow();
    const Lines edited = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"цветок {роза}"};
    QCOMPARE(loaded(copy), edited);
    QVERIFY(window.SpeedButton13Click());
    QVERIFY(!QFile::exists(copy));
    QVERIFY(!keeper.timer().isActive());

    // The program dies with unsaved changes: the next start offers the copy, which comes back
    // unsaved.
    window.editor()->text()->insertPlainText(" [0,5]");
    keeper.writeNow();
    setTime(copy, QDateTime::currentDateTime().addSecs(5));
    ScriptedDialogs again;
    MainWindow restarted(&again);
    RecoveryKeeper recovery(restarted, store);
    QVERIFY(restarted.openFile(kb));
    QCoreApplication::processEvents();
    QCOMPARE(again.shown.size(), 1);
    QVERIFY(
        again.shown[0].startsWith("Восстановление: Найдена копия несохранённых изменений "
                                  "базы знаний keeper.vks от "));
    QCOMPARE(editorText(restarted), editorText(window));
    QVERIFY(restarted.editor()->isModified());
    QVERIFY(restarted.editor()->windowTitle().endsWith("*"));

    // "Удалить копию": the copy goes, the file's text stays.
    ScriptedDialogs third;
    third.answers << false;
    MainWindow declined(&third);
    RecoveryKeeper declining(declined, store);
    QVERIFY(declined.openFile(kb));
    QCoreApplication::processEvents();
    QCOMPARE(third.shown.size(), 1);
    QVERIFY(!QFile::exists(copy));
    QCOMPARE(editorText(declined), QString("ГИПОТЕЗЫ:\nдерево {ель}\nцветок {роза}"));
    QVERIFY(!declined.editor()->isModified());

    // "Не сохранять" removes the copy of the discarded text.
    recovery.writeNow();
    QVERIFY(QFile::exists(copy));
    again.choices << MainWindow::kDiscardChanges;
    restarted.newProject();
    QVERIFY(!QFile::exists(copy));

    // A new knowledge base's copy is offered at the next start.
    restarted.editor()->text()->moveCursor(QTextCursor::End);
    restarted.editor()->text()->insertPlainText("X 5");
    recovery.writeNow();
    QCOMPARE(loaded(store.copyPath("new.vks")).back(), Line(u"X 5"));
    ScriptedDialogs fourth;
    MainWindow fresh(&fourth);
    RecoveryKeeper freshRecovery(fresh, store);
    QCoreApplication::processEvents();
    QCOMPARE(fourth.shown.size(), 1);
    QVERIFY(fourth.shown[0].contains("базы знаний new.vks от "));
    QCOMPARE(editorText(fresh), editorText(restarted));

    // Started with a file, the program offers a new knowledge base's copy at "Новый проект".
    QVERIFY(store.write("new.vks", {u"ГИПОТЕЗЫ:", u"оставлено"}, error));
    ScriptedDialogs fifth;
    MainWindow withFile(&fifth);
    RecoveryKeeper fileRecovery(withFile, store);
    QVERIFY(withFile.openFile(kb));
    QCoreApplication::processEvents();
    QVERIFY(fifth.shown.isEmpty());
    withFile.newProject();
    QCoreApplication::processEvents();
    QCOMPARE(fifth.shown.size(), 1);
    QCOMPARE(editorText(withFile), QString("ГИПОТЕЗЫ:\nоставлено"));
  }
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
