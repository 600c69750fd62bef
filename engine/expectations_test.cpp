// Expected results: the file's forms and faults, and the check against the ResultTable.
#include "engine/expectations.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/answers_host.h"

namespace veksa {
namespace {

TEST(Expectations, FileForms) {
  const auto e =
      parseExpectations("\xEF\xBB\xBF# comment\n\nдерево берёза 0,6\r\nцветок роза -0.25 0,1\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].cls, u"дерево");
  EXPECT_EQ(e[0].value, u"берёза");
  EXPECT_EQ(e[0].certainty, 0.6L);
  EXPECT_EQ(e[0].tolerance, kDefaultTolerance);
  EXPECT_EQ(e[1].certainty, -0.25L);
  EXPECT_EQ(e[1].tolerance, 0.1L);
  EXPECT_TRUE(parseExpectations("").empty());
}

TEST(Expectations, MalformedLinesNameTheirNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"дерево берёза\n", "строка ожиданий 1:"},
      {"дерево берёза 0,6 0,1 x\n", "строка ожиданий 1:"},
      {"# ok\nдерево берёза x\n", "строка ожиданий 2:"},
      {"дерево берёза 0,6 -0,1\n", "строка ожиданий 1:"},              // a negative tolerance
      {"дерево берёза 1\nдерево берёза 0,5\n", "строка ожиданий 2:"},  // listed twice
  };
  for (const auto& [bad, where] : cases) {
    try {
      parseExpectations(bad);
      ADD_FAILURE() << bad;
    } catch (const ScriptError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(where, 0), 0u) << bad << " -> " << error.what();
    }
  }
}

TEST(Expectations, CheckedAgainstTheLastRowOfEachHypothesis) {
  Workspace ws;
  ws.results.append({u"дерево", u"берёза", u"0,54"});
  ws.results.append({u"цветок", u"роза", u"0,1"});
  ws.results.append({u"цветок", u"роза", u"0,815"});
  const Expectation atTolerance{u"дерево", u"берёза", 0.535L};  // off by the default tolerance
  const Expectation off{u"дерево", u"берёза", 0.6L};
  const Expectation lastRow{u"цветок", u"роза", 0.8L, 0.02L};  // the first row would be off
  const Expectation missing{u"дерево", u"ель", 0};
  EXPECT_EQ(unmetExpectations(ws, {atTolerance, lastRow}), Lines{});
  EXPECT_EQ(unmetExpectations(ws, {missing, atTolerance, off}),
            (Lines{u"дерево ель: нет в результатах",
                   u"дерево берёза: ожидалось 0,6, получено 0,54 (разница -0,06)"}));
}

}  // namespace
}  // namespace veksa
