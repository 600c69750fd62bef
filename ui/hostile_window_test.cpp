// Hostile files in the window: a binary file, Rich Text nested 100,000 groups deep, a conclusion
// list of 100,000 items and 100,000 nested groups open, check and run without a crash, and the
// program stays usable afterwards with the full text in the editor.
// clang-format off
#include "engine/answers_host.h"  // before Qt: it has a member named like a Qt macro
// clang-format on

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "ui/qt_text.h"
#include "ui/report_window.h"
#include "ui/result_windows.h"
#include "ui/run_test_support.h"

using namespace veksa;

namespace {

const Lines kHead = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"цветок {роза}", u"ПАРАМЕТРЫ:",
                     u"цвет {белый}", u"ПЕРЕМЕННЫЕ:",  u"X 2"};

Lines withRule(Lines rule) {
  Lines lines = kHead;
  lines.insert(lines.end(), rule.begin(), rule.end());
  return lines;
}

}  // namespace

class HostileWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;

  // A trace run of rule П with every question answered "да" on its first value at 0,5.
  void traceRun(MainWindow& window) {
    ModalScript script;
    script.expect("TForm10", [](QWidget* w) { answerQuestion(w, {"белый"}, 10, "Button2"); });
    window.workspace().TraceMode = true;
    window.workspace().traceRule = u"П";
    for (int i = 0; i < 400; ++i) script.expect("TForm15", [](QWidget* w) {
      QTest::keyClick(w, Qt::Key_Return);
    });
    pressKey(window, Qt::Key_F9);
    QVERIFY(!window.workspace().TraceMode);
  }

 private slots:
  void binaryAndDeepRichText() {
    std::string binary;
    for (unsigned i = 0; i < (1u << 20); ++i) binary.push_back(static_cast<char>((i * 7919u) >> 3));
    const QString path = dir_.filePath("binary.vks");
    std::ofstream(path.toStdString(), std::ios::binary) << binary;
    window_ = openWindow(dialogs_, dir_, {u"x"});
    window_->openFile(path);
    QVERIFY(!editorText(*window_).isEmpty());
    pressKey(*window_, Qt::Key_F6);  // the diagnostics find faults and show their report
    QVERIFY(window_->findChild<ReportWindow*>("TForm18")->isVisible());

    const QString deep = dir_.filePath("deep.vks");
    std::ofstream(deep.toStdString(), std::ios::binary)
        << "{\\rtf1 " + std::string(100000, '{') + "\\'c3\\'c8\\'cf:" + std::string(100000, '}') + "}";
    window_->openFile(deep);
    QCOMPARE(editorText(*window_), QString("ГИП:"));
  }

  void longListAndDeepGroups() {
    Line list = u"THEN дерево ель [0,5]";
    for (int i = 0; i < 100000; ++i) list += u", дерево ель [0,1]";
    Lines listKb = withRule({u"NAME П", u"IF цвет белый", list, u"END"});
    window_ = openWindow(dialogs_, dir_, listKb, "list.vks");
    trigger(*window_, {"&Настройки", "Диагностика", "Отключить"});
    traceRun(*window_);
    QCOMPARE(window_->workspace().results.size(), 1u);
    QCOMPARE(splitLines(editorText(*window_)), listKb);
    QVERIFY(!window_->editor()->text()->isReadOnly());

    Line nested = u"IF ";
    for (int i = 0; i < 100000; ++i) nested += u"( ";
    nested += u"цвет белый";
    for (int i = 0; i < 100000; ++i) nested += u" )";
    Lines nestedKb = withRule({u"NAME П", nested, u"THEN дерево ель [0,9]", u"END"});
    window_ = openWindow(dialogs_, dir_, nestedKb, "nested.vks");
    trigger(*window_, {"&Настройки", "Диагностика", "Отключить"});
    traceRun(*window_);
    QCOMPARE(window_->workspace().results.size(), 1u);
    QCOMPARE(splitLines(editorText(*window_)), nestedKb);
  }
};

QTEST_MAIN(HostileWindowTest)
#include "hostile_window_test.moc"
