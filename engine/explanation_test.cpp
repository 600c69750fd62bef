// How-explanations of a run's hypotheses, from the record of its last pass. The expected lines are
// worked out by hand from the rules of the knowledge bases and SumCt.
#include "engine/explanation.h"

#include "engine/engine_test_support.h"
#include "engine/run_driver.h"
#include "kb/kbfile.h"

namespace veksa {
namespace {

class ExplanationTest : public testing::EngineTest {
 protected:
  // Runs the lines as the file "kb.vks" with the answers file's text, all sections.
  void run(const Lines& lines, std::string_view answers) {
    static_cast<MemoryFileStore&>(ws.files()).put(u"kb.vks", lines);
    ws.caption = u"kb.vks";
    ws.lines = lines;
    host.answers = parseAnswers(answers);
    Run1Result prepared = Run1(ws, host);
    ASSERT_TRUE(prepared.choice);
    ASSERT_EQ(SectionChoiceDone(ws, host, *prepared.choice), RunEnd::Completed);
  }
  void runExample() {
    std::string error, answers;
    Lines lines;
    const std::string dir = std::string(VEKSA_SOURCE_DIR) + "/examples/";
    ASSERT_TRUE(loadKnowledgeBase(dir + "trees_and_flowers.vks", lines, error)) << error;
    ASSERT_TRUE(readFileBytes(dir + "trees_and_flowers.answers", answers, error)) << error;
    run(lines, answers);
  }
  static std::string u8(const Lines& lines) {
    std::string s;
    for (const Line& l : lines) s += toUtf8(l) + "\n";
    return s;
  }
};

TEST_F(ExplanationTest, TwoConclusionsOfTheExampleCombinedWithEitherSign) {
  runExample();
  // Правило4's CASE fact шипы есть 0,7 gives роза 0,63; Правило6's comparison X > 52 holds (1)
  // and adds 0,5.
  EXPECT_EQ(u8(explainHypothesis(ws, u"цветок", u"роза")),
            "Гипотеза цветок роза: уверенность 0,815\n"
            "Правило4, альтернатива CASE: уверенность факта 0,7 × коэффициент 0,9 = 0,63\n"
            "  принято фильтром записи; новая строка результатов: 0,63\n"
            "Правило6: уверенность условия 1 × коэффициент 0,5 = 0,5\n"
            "  принято фильтром записи; объединение со строкой результатов (обе уверенности "
            "положительны): 0,63 + 0,5 - 0,63 × 0,5 = 0,815\n");
  // The fact шипы нет -0,7 gives ромашка -0,49; Правило5's OR takes max(0,5; -0,7) = 0,5.
  EXPECT_EQ(u8(explainHypothesis(ws, u"цветок", u"ромашка")),
            "Гипотеза цветок ромашка: уверенность -0,271428571428571\n"
            "Правило4, альтернатива CASE: уверенность факта -0,7 × коэффициент 0,7 = -0,49\n"
            "  принято фильтром записи; новая строка результатов: -0,49\n"
            "Правило5: уверенность условия 0,5 × коэффициент 0,6 = 0,3\n"
            "  принято фильтром записи; объединение со строкой результатов (уверенности разных "
            "знаков): (-0,49 + 0,3) / (1 - 0,3) = -0,271428571428571\n");

  // Backward: the record filter admits only the first conclusion, дерево берёза.
  chooseMethod(ws, InferenceMethod::BackwardBreadth);
  runExample();
  EXPECT_EQ(u8(explainHypothesis(ws, u"цветок", u"роза")),
            "Гипотеза цветок роза: нет в таблице результатов\n"
            "Правило4, альтернатива CASE: уверенность факта 0,7 × коэффициент 0,9 = 0,63\n"
            "  не принято фильтром записи; строки результатов нет, заключение не учтено\n"
            "Правило6: уверенность условия 1 × коэффициент 0,5 = 0,5\n"
            "  не принято фильтром записи; строки результатов нет, заключение не учтено\n");
  EXPECT_EQ(u8(explainHypothesis(ws, u"дерево", u"ёлка")),
            "Гипотеза дерево ёлка: нет в таблице результатов\n"
            "В последнем проходе нет заключений об этой гипотезе\n");
}

TEST_F(ExplanationTest, ThreeConclusionsAndListItems) {
  run({u"ГИПОТЕЗЫ:", u"к {v, w}", u"ПАРАМЕТРЫ:", u"p {a}", u"NAME R1", u"IF p a",
       u"THEN к v [0,5], к w [-0,5]", u"END", u"NAME R2", u"IF p a", u"THEN к v [0,4], к w [-0,4]",
       u"END", u"NAME R3", u"IF p a", u"THEN к v [-1]", u"END"},
      "p да 1 a\n");
  EXPECT_EQ(u8(explainHypothesis(ws, u"к", u"v")),
            "Гипотеза к v: уверенность 0\n"
            "R1: уверенность условия 1 × коэффициент 0,5 = 0,5\n"
            "  принято фильтром записи; новая строка результатов: 0,5\n"
            "R2: уверенность условия 1 × коэффициент 0,4 = 0,4\n"
            "  принято фильтром записи; объединение со строкой результатов (обе уверенности "
            "положительны): 0,5 + 0,4 - 0,5 × 0,4 = 0,7\n"
            "R3: уверенность условия 1 × коэффициент -1 = -1\n"
            "  принято фильтром записи; объединение со строкой результатов (уверенности разных "
            "знаков, одна из них по модулю 1): Некорректные данные в базе знаний: 0\n");
  EXPECT_EQ(u8(explainHypothesis(ws, u"к", u"w")),
            "Гипотеза к w: уверенность -0,7\n"
            "R1: уверенность условия 1 × коэффициент -0,5 = -0,5\n"
            "  принято фильтром записи; новая строка результатов: -0,5\n"
            "R2: уверенность условия 1 × коэффициент -0,4 = -0,4\n"
            "  принято фильтром записи; объединение со строкой результатов (обе уверенности "
            "отрицательны): -0,5 + -0,4 + -0,5 × -0,4 = -0,7\n");
}

}  // namespace
}  // namespace veksa
