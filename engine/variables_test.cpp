#include "engine/variables.h"

#include <gtest/gtest.h>

#include "engine/message_host.h"
#include "kb/number.h"

namespace veksa {
namespace {

class VariablesTest : public ::testing::Test {
 protected:
  void load(Lines lines) {
    ws.lines = std::move(lines);
    ws.variables.clear();
    VVar(ws);
  }
  Line value(std::u16string_view name) {
    const auto& rows = ws.variables.find(name);
    return rows.empty() ? u"<none>" : ws.variables.cell(rows.back(), 1);
  }
  Workspace ws;
  MessageHost host;
};

TEST_F(VariablesTest, DeclarationsLoadUpToTheRules) {
  load({u"ГИПОТЕЗЫ:", u"ПЕРЕМЕННЫЕ:", u"X  50", u"", u"{комментарий}", u"Y", u"X 7",
        u"NAME П", u"Z 1"});
  ASSERT_EQ(ws.variables.size(), 4u);
  EXPECT_EQ(ws.variables.row(0), (Table::Row{u"X", u"50"}));
  EXPECT_EQ(ws.variables.row(1), (Table::Row{u"{комментарий}", u""}));
  EXPECT_EQ(ws.variables.row(2), (Table::Row{u"Y", u""}));
  load({u"ПЕРЕМЕННЫЕ:", u"X 1"});  // the header is never the first line
  EXPECT_TRUE(ws.variables.empty());
}

TEST_F(VariablesTest, FormulasStoreAndWriteTheProtocol) {
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 50", u"A 3", u"D 0", u"X 9"});
  Idenex1(ws, host, u"=A+5");
  EXPECT_EQ(value(u"A"), u"8");
  ASSERT_EQ(ws.protocol.size(), 1u);
  EXPECT_EQ(ws.protocol.row(0), (Table::Row{u"Переменная", u"A", u"8"}));
  Idenex1(ws, host, u"=D:=A");
  EXPECT_EQ(value(u"D"), u"8");
  Idenex1(ws, host, u"A^2");  // without its "="
  EXPECT_EQ(value(u"A"), u"64");
  Idenex1(ws, host, u"=A^1");
  Idenex1(ws, host, u"=A^0");
  EXPECT_EQ(value(u"A"), u"64");
  Idenex1(ws, host, u"=D^2.5");  // a fractional exponent rounds up: 8^3
  EXPECT_EQ(value(u"D"), u"512");
  Idenex1(ws, host, u"=~D+12");  // the negated value computes, the variable receives
  EXPECT_EQ(value(u"D"), u"-500");
  Idenex1(ws, host, u"=D:=~A");
  EXPECT_EQ(value(u"D"), u"-64");
  Idenex1(ws, host, u"=D*-0.5");
  EXPECT_EQ(value(u"D"), u"32");
  Idenex1(ws, host, u"=D/3");
  EXPECT_EQ(value(u"D"), u"10,6666666666667");
  // Two rows of one name: reads take the later row, writes update both.
  Idenex1(ws, host, u"=X+1");
  EXPECT_EQ(ws.variables.cell(0, 1), u"10");
  EXPECT_EQ(ws.variables.cell(3, 1), u"10");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(VariablesTest, FormulaMessagesStoreNothing) {
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 3"});
  for (auto formula : {u"=X+Y", u"=X+5,5", u"=5+X", u"=X+5+3", u"=X", u"=Q+1"}) {
    Idenex1(ws, host, formula);
  }
  EXPECT_EQ(host.messages,
            (Lines{u"Переменная Y не объявлена!", u"Переменная 5,5 не объявлена!",
                   u"Переменная 5 не объявлена!", u"Переменная 5+3 не объявлена!",
                   u"Переменная  не объявлена!", u"Переменная Q не объявлена!"}));
  EXPECT_EQ(value(u"X"), u"3");
  EXPECT_TRUE(ws.protocol.empty());
  load({u"", u"ГИПОТЕЗЫ:"});
  host.messages.clear();
  Idenex1(ws, host, u"=X+1");
  Idenex2(ws, host, u"=X>1");
  EXPECT_EQ(host.messages, (Lines{u"Переменные не объявлены!", u"Переменные не объявлены!"}));
}

TEST_F(VariablesTest, RunTimeErrors) {
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 3", u"Z 0", u"P 5.5", u"B 1E5000", u"H 1E3000"});
  auto errorOf = [&](std::u16string_view formula) -> Line {
    try {
      Idenex1(ws, host, formula);
    } catch (const RunError& e) {
      return e.message();
    }
    return u"";
  };
  EXPECT_EQ(errorOf(u"=X/Z"), u"Floating point division by zero");
  EXPECT_EQ(errorOf(u"=Z/0"), u"Invalid floating point operation");
  EXPECT_EQ(errorOf(u"=P+1"), u"'5.5' is not a valid floating point value");
  EXPECT_EQ(errorOf(u"=H*H"), u"Floating point overflow");
  EXPECT_EQ(errorOf(u"=X^1E18"), u"Floating point overflow");  // ends quickly
  EXPECT_EQ(errorOf(u"=B+1"), u"'1E5000' is not a valid floating point value");
  EXPECT_EQ(repeatedPower(-1, 1e18L), 1);  // 1E18 factors of -1
  EXPECT_EQ(repeatedPower(0.5L, 1e18L), 0);
}

TEST_F(VariablesTest, AWordWithoutAnOperatorNeverMatchesARowWithAnEmptyName) {
  // A line of spaces in the variables section declares a row with an empty name.
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 3", u"   ", u"NAME П"});
  ASSERT_EQ(ws.variables.size(), 2u);
  EXPECT_EQ(ws.variables.row(1), (Table::Row{u"", u""}));
  Idenex1(ws, host, u"=X");
  EXPECT_EQ(Idenex2(ws, host, u"=X"), std::nullopt);
  EXPECT_EQ(host.messages, (Lines{u"Переменная  не объявлена!", u"Переменная  не объявлена!"}));
  EXPECT_EQ(value(u"X"), u"3");
  EXPECT_TRUE(ws.protocol.empty());
}

TEST_F(VariablesTest, ANumberTooLargeIsAConversionErrorNotAName) {
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 3"});
  for (auto expression : {u"=X+1E5000", u"=X>1E5000"}) {
    try {
      if (expression[2] == u'+') {
        Idenex1(ws, host, expression);
      } else {
        Idenex2(ws, host, expression);
      }
      ADD_FAILURE() << toUtf8(expression);
    } catch (const RunError& e) {
      EXPECT_EQ(e.message(), u"'1E5000' is not a valid floating point value");
    }
  }
  EXPECT_TRUE(host.messages.empty());
  Idenex1(ws, host, u"=X*1E-5000");  // too small: zero
  EXPECT_EQ(value(u"X"), u"0");
}

TEST_F(VariablesTest, Comparisons) {
  load({u"", u"ПЕРЕМЕННЫЕ:", u"X 6", u"Y 5,5"});
  // The certainty a condition at 0,25 has after the comparison.
  auto check = [&](std::u16string_view comparison) {
    return Idenex2(ws, host, comparison).value_or(0.25L);
  };
  EXPECT_EQ(check(u"=X>5.5"), 1);
  EXPECT_EQ(check(u"=Y>5.5"), -1);
  EXPECT_EQ(check(u"=Y>=5.5"), 1);
  EXPECT_EQ(check(u"=Y<=Y"), 1);
  EXPECT_EQ(check(u"=X<>5"), 1);
  EXPECT_EQ(check(u"=X:=6"), 1);  // equality, not assignment
  EXPECT_EQ(check(u"=~X<0"), 1);
  EXPECT_EQ(check(u"=X<>=5"), -1);  // no such operator: never holds
  EXPECT_EQ(check(u"=5<X"), 0.25L);
  EXPECT_EQ(check(u"=X>Q"), 0.25L);
  EXPECT_EQ(check(u"=X"), 0.25L);
  EXPECT_EQ(host.messages, (Lines{u"Переменная 5 не объявлена!", u"Переменная Q не объявлена!",
                                  u"Переменная  не объявлена!"}));
  EXPECT_EQ(value(u"X"), u"6");
}

}  // namespace
}  // namespace veksa
