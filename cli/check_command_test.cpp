// veksa-cli check FILE [-o OUT] (docs/CLI.md).
#include <algorithm>

#include "cli/cli_test_support.h"
#include "kb/kbfile.h"

namespace veksa::cli {
namespace {

class CheckCommand : public testing::CliTest {};
using testing::Result;

const char* const kHead =
    "Для корректного запуска вашей базы знаний\n"
    "необходимо исправить следующие ошибки:\n"
    "\n";

TEST_F(CheckCommand, CleanExamplePrintsTheReportAndTheMessage) {
  const std::string before = readBytes(example());
  std::string out = path("repaired.vks");
  Result r = cli({"check", example(), "-o", out});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, std::string(kHead) +
                       "Раздел  ГИПОТЕЗЫ:\nРаздел  ПАРАМЕТРЫ:\nРаздел  ПЕРЕМЕННЫЕ:\n"
                       "Раздел  ДЕРЕВЬЯ\nПравило  Правило1\nПравило  Правило2\nПравило  Правило3\n"
                       "Раздел  ЦВЕТЫ\nПравило  Правило4\nПравило  Правило5\nПравило  Правило6\n"
                       "[message] Тест на наличие ошибок пройден успешно\n");
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(readBytes(example()), before);  // FILE is never written

  // OUT holds the repaired lines in the save format: the continuation lines are joined.
  EXPECT_EQ(readBytes(out).rfind("{\\rtf", 0), 0u);
  Lines saved;
  std::string error;
  ASSERT_TRUE(loadKnowledgeBase(out, saved, error)) << error;
  Lines original;
  ASSERT_TRUE(loadKnowledgeBase(example(), original, error));
  EXPECT_EQ(saved.size(), original.size() - 3);
  EXPECT_NE(std::find(saved.begin(), saved.end(), u"IF оперение листья AND кора чёрно_белая"),
            saved.end());
  EXPECT_NE(std::find(saved.begin(), saved.end(), u"IF оперение иголки AND NOT хвоя короткая"),
            saved.end());
  EXPECT_NE(std::find(saved.begin(), saved.end(), u"IF цвет белый OR шипы нет"), saved.end());
}

TEST_F(CheckCommand, FaultsExitWithOne) {
  std::string kb = file("faulty.vks",
                        "ГИПОТЕЗЫ:\nдерево {ёлка, сосна, берёза}\nПАРАМЕТРЫ:\n"
                        "оперение {листья, иголки}\nX {a}\nNAME R\nIF окрас белый\n"
                        "THEN дерево берёза [0.9]\nELSE дерево ёлка [0,9]\nEND\n");
  const std::string before = readBytes(kb);
  std::string out = path("out.vks");
  Result r = cli({"check", kb, "-o", out});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, std::string(kHead) +
                       "Раздел  ГИПОТЕЗЫ:\nРаздел  ПАРАМЕТРЫ:\nПравило  R\n"
                       "Параметр окрас необъявлен\n");
  EXPECT_EQ(readBytes(kb), before);
  // The repairs are written to OUT even when faults remain.
  Lines saved;
  std::string error;
  ASSERT_TRUE(loadKnowledgeBase(out, saved, error)) << error;
  EXPECT_EQ(saved[7], u"THEN дерево берёза [0,9]");
}

TEST_F(CheckCommand, StoppedPassExitsWithOne) {
  std::string kb = file("stopped.vks", "ГИПОТЕЗЫ: дерево {ёлка}\nNAME R\nEND\n");
  Result r = cli({"check", kb});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out,
            std::string(kHead) + "Раздел  ГИПОТЕЗЫ:\nВыделите заголовок в отдельную строку\n");
}

TEST_F(CheckCommand, UsageAndFileErrors) {
  std::string kb = file("kb.vks", "ГИПОТЕЗЫ:\n");
  EXPECT_EQ(cli({"check"}).code, 2);
  Result several = cli({"check", kb, kb, "-o", path("out.vks")});
  EXPECT_EQ(several.code, 2);
  EXPECT_EQ(several.err.substr(0, several.err.find('\n')),
            "veksa-cli check: -o OUT cannot be used with several files");
  EXPECT_EQ(cli({"check", kb, "-o"}).code, 2);
  EXPECT_EQ(cli({"check", "-o", "x.vks"}).code, 2);
  Result missing = cli({"check", "/nonexistent/kb.vks"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("/nonexistent/kb.vks"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
  Result unwritable = cli({"check", kb, "-o", "/nonexistent/out.vks"});
  EXPECT_EQ(unwritable.code, 2);
  EXPECT_NE(unwritable.err.find("/nonexistent/out.vks"), std::string::npos);
}

TEST_F(CheckCommand, SeveralFilesEachInItsBlockThenTheSummary) {
  std::string clean = file("clean.vks",
                           "ГИПОТЕЗЫ:\nк {v}\nПАРАМЕТРЫ:\np {a}\nNAME R\nIF p a\n"
                           "THEN к v [0,5]\nELSE к v [-0,5]\nEND\n");
  // Two faults in a stopped pass count too: "Выделите ..." after its heading line.
  std::string stopped = file("stopped.vks", "ГИПОТЕЗЫ: дерево {ёлка}\nNAME R\nEND\n");
  std::string faulty = file("faulty.vks",
                            "ГИПОТЕЗЫ:\nдерево {ёлка}\nПАРАМЕТРЫ:\nоперение {листья}\nNAME R\n"
                            "IF окрас белый\nTHEN дерево ёлка [0,9]\nEND\n");
  const std::string cleanReport = std::string(kHead) +
                                  "Раздел  ГИПОТЕЗЫ:\nРаздел  ПАРАМЕТРЫ:\nПравило  R\n"
                                  "[message] Тест на наличие ошибок пройден успешно\n";
  Result r = cli({"check", clean, faulty, stopped});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "== " + clean + "\n" + cleanReport + "== " + faulty + "\n" + kHead +
                       "Раздел  ГИПОТЕЗЫ:\nРаздел  ПАРАМЕТРЫ:\nПравило  R\n"
                       "Не хватает ключевого слова ELSE\nПараметр окрас необъявлен\n"
                       "== " +
                       stopped + "\n" + kHead +
                       "Раздел  ГИПОТЕЗЫ:\nВыделите заголовок в отдельную строку\n"
                       "[summary]\n" +
                       clean + "\t0\tok\n" + faulty + "\t2\tошибки\n" + stopped + "\t1\tошибки\n");

  // A file that cannot be read: reported in its block and the summary; the others are still
  // checked, and the exit code is 2.
  const std::string missing = path("missing.vks");
  Result m = cli({"check", missing, clean});
  EXPECT_EQ(m.code, 2);
  EXPECT_NE(m.err.find(missing), std::string::npos);
  const std::string block = "== " + missing + "\n[error] ";
  ASSERT_EQ(m.out.rfind(block, 0), 0u) << m.out;
  EXPECT_NE(m.out.find("== " + clean + "\n" + cleanReport + "[summary]\n" + missing +
                       "\t\tфайл не прочитан\n" + clean + "\t0\tok\n"),
            std::string::npos)
      << m.out;
  EXPECT_EQ(cli({"check", clean, clean}).code, 0);
}

TEST_F(CheckCommand, TheProgramItself) {
  const std::string kb = file("kb.vks", "ГИПОТЕЗЫ:\n\nПАРАМЕТРЫ:\n\nПЕРЕМЕННЫЕ:\n\n");
  Result r = program({"check", kb});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, std::string(kHead) +
                       "Раздел  ГИПОТЕЗЫ:\nРаздел  ПАРАМЕТРЫ:\nРаздел  ПЕРЕМЕННЫЕ:\n"
                       "Отсутствует начало раздела правил\n");

  // Two files: the summary closes the output.
  r = program({"check", kb, kb});
  EXPECT_EQ(r.code, 1);
  const std::string summary = "[summary]\n" + kb + "\t1\tошибки\n" + kb + "\t1\tошибки\n";
  ASSERT_GE(r.out.size(), summary.size());
  EXPECT_EQ(r.out.substr(r.out.size() - summary.size()), summary);
}

}  // namespace
}  // namespace veksa::cli
