// The engine, which reads the text once per run into symbols, beside its former reading of the
// text word by word: on generated knowledge bases (every rule form, groups, comparisons, formula
// and conclusion lists over several lines, CASE blocks with and without END, sections, odd spacing
// and brackets, factors and values that do not convert), under every method, in trace runs and
// in runs that end with a run-time error, both leave the same tables, messages, trace steps and
// errors after every pass of a timing loop.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/answers_host.h"
#include "engine/interpreter.h"
#include "engine/testing/text_reading.h"
#include "kb/number.h"

namespace veksa {
namespace {

struct Generated {
  Lines lines;
  Lines path;
  std::vector<Table::Row> facts;
};

// Words a rule line is made of; keywords more often than others.
const std::vector<Line> kWords = {
    u"IF",     u"IF",      u"THEN",  u"THEN",   u"ELSE",   u"ELSE",   u"AND",   u"OR",
    u"NOT",    u"(",       u")",     u"CASE",   u"END",    u"a",      u"b",     u"c",
    u"1",      u"2",       u"1",     u"2",      u"h",      u"g",      u"x",     u"y",
    u"[0,8]",  u"[-0,5],", u"[1]",   u"[0.5]",  u"[0,3]]", u"[0,7],", u"=X>40", u"=Y<>2",
    u"=X:=50", u"=X+1",    u"=Y*2,", u"=X^2",   u"=Z/Z",   u"=Q+1",   u"=X+1,", u"]",
    u"x[0,6]", u"]x",      u",",     u"РАЗДЕЛ", u"NAME",   u"R1",     u"[",     u"=X"};

// Terms joined by AND, OR and their NOT forms (mostly), some in groups, some comparisons.
Line conditionTerms(std::mt19937& rng) {
  static const Line joins[] = {u" AND ",   u" OR ",   u" AND NOT ", u" OR NOT ",  u" AND ",
                               u" OR ",    u" AND ",  u" OR ",      u" AND NOT ", u" OR NOT ",
                               u" AND ( ", u" OR ( ", u" ) AND ",   u" ) OR ",    u" ( "};
  static const Line terms[] = {u"a 1", u"a 2", u"b 1", u"b 2",   u"c 1",   u"c 2",   u"a 1",
                               u"b 2", u"c 1", u"d 1", u"=X>40", u"=Y<>3", u"( a 1", u"a 1 )"};
  Line line = terms[rng() % 14];
  const int more = static_cast<int>(rng() % 4);
  for (int k = 0; k < more; ++k) line += joins[rng() % 15] + terms[rng() % 14];
  if (rng() % 6 == 0) line += u" )";
  return line;
}

// A condition line: a keyword or none, then terms.
Line conditionLine(std::mt19937& rng) {
  static const Line starts[] = {u"IF ",     u"IF ",      u"AND ",     u"OR ", u"AND NOT ",
                                u"OR NOT ", u"THEN IF ", u"ELSE IF ", u"",    u"IF NOT "};
  return starts[rng() % 10] + conditionTerms(rng);
}

// A rule body as students write it: an IF line, lines of further terms, THEN and ELSE lines.
Lines ruleBody(std::mt19937& rng) {
  static const Line branches[] = {u"THEN h x [0,8]", u"THEN h x [0,5], g y [-0,4]", u"THEN =X+1",
                                  u"THEN g y [0,9],", u"h y [1]"};
  Lines body = {u"IF " + conditionTerms(rng)};
  const int more = static_cast<int>(rng() % 3);
  for (int k = 0; k < more; ++k) body.push_back(conditionLine(rng));
  body.push_back(branches[rng() % 5]);
  if (rng() % 2 == 0) body.push_back(u"ELSE h y [0,6]");
  return body;
}

Line randomLine(std::mt19937& rng) {
  if (rng() % 5 < 2) return conditionLine(rng);
  const int shape = static_cast<int>(rng() % 14);
  switch (shape) {
    case 0:
      return u"THEN h x [0,8], g y [-0,4]";
    case 1:
      return u"THEN h x [0,5],";
    case 2:
      return u"ELSE g x [0,6], =X+5, h y [0,2]";
    case 3:
      return u"CASE a";
    case 4:
      return u"END";
    case 5:
      return u"";
    case 6:
      return u"THEN IF b 2";
    default:
      break;
  }
  Line line;
  const int words = static_cast<int>(rng() % 8);
  for (int k = 0; k < words; ++k) {
    if (!line.empty() || rng() % 5 == 0) line += rng() % 6 == 0 ? u"  " : u" ";
    line += kWords[rng() % kWords.size()];
  }
  return line;
}

Generated generate(std::mt19937& rng) {
  Generated g;
  g.lines = {u"ГИПОТЕЗЫ:", u"h {x, y}", u"ПАРАМЕТРЫ:", u"a {1, 2}", u"ПЕРЕМЕННЫЕ:"};
  if (rng() % 6 != 0) g.lines.insert(g.lines.end(), {u"X 50", u"Y 3", u"Z 0"});
  if (rng() % 8 == 0) g.lines.push_back(u"W 5.5");
  const int rules = 1 + static_cast<int>(rng() % 6);
  for (int r = 0; r < rules; ++r) {
    if (rng() % 5 == 0) g.lines.push_back(u"РАЗДЕЛ S" + Line(1, static_cast<char16_t>(u'0' + r)));
    g.lines.push_back(u"NAME R" + Line(1, static_cast<char16_t>(u'0' + r % 4)));
    if (rng() % 2 == 0) {
      Lines body = ruleBody(rng);
      g.lines.insert(g.lines.end(), body.begin(), body.end());
    } else if (rng() % 2 == 0) {
      g.lines.insert(g.lines.end(),
                     {u"CASE a", u"1 h x [0,7]", u"2 g y [0,4], h y [0,1]", u"x =X+1"});
    }
    const int body = static_cast<int>(rng() % 6);
    for (int k = 0; k < body; ++k) g.lines.push_back(randomLine(rng));
    if (rng() % 4 != 0) g.lines.push_back(u"END");
  }
  const int entries = static_cast<int>(rng() % 7);
  for (int e = 0; e < entries; ++e) {
    g.path.push_back(rng() % 8 == 0 ? Line(u"R9")
                                    : u"R" + Line(1, static_cast<char16_t>(u'0' + rng() % 4)));
  }
  const Line certainties[] = {u"-1", u"-0,5", u"0", u"0,3", u"0,7", u"1", u"0,35"};
  for (const char16_t* p : {u"a", u"b", u"c", u"h", u"x"}) {
    for (const char16_t* v : {u"1", u"2", u"x"}) {
      const int rows = static_cast<int>(rng() % 4);
      for (int k = 0; k < rows; ++k) g.facts.push_back({p, v, certainties[rng() % 7]});
    }
  }
  if (rng() % 25 == 0) g.facts.push_back({u"a", u"1", u"0.5"});
  return g;
}

// What a workspace and its host show after a pass.
std::vector<Lines> observed(const Workspace& ws, const AnswersHost& host, const Line& error) {
  std::vector<Lines> out;
  for (const Table* t :
       {static_cast<const Table*>(&ws.results), static_cast<const Table*>(&ws.facts),
        static_cast<const Table*>(&ws.protocol), static_cast<const Table*>(&ws.variables)}) {
    Lines cells;
    for (const Table::Row& row : t->rows()) cells.insert(cells.end(), row.begin(), row.end());
    out.push_back(cells);
  }
  out.push_back(host.transcript);
  out.push_back({error, Line(1, static_cast<char16_t>(u'0' + host.resultsShown % 10))});
  return out;
}

TEST(Differential, TheEngineReadsAsTheTextWasRead) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 2500; ++trial) {
    const Generated g = generate(rng);
    const InferenceMethod method = std::vector<InferenceMethod>{
        InferenceMethod::ForwardBreadth, InferenceMethod::BackwardBreadth,
        InferenceMethod::FirstConclusion}[trial % 3];
    const bool trace = trial % 7 == 0;
    Workspace engine, former;
    AnswersHost engineHost(engine), formerHost(former);
    for (Workspace* ws : {&engine, &former}) {
      ws->lines = g.lines;
      ws->RulePath = g.path;
      ws->method = method;
      ws->TraceMode = trace;
      ws->traceRule = u"R1";
      for (const Table::Row& row : g.facts) ws->facts.append(row);
    }
    RunCache cache(engine, engineHost);
    // As the timing loop runs them: a pass, the tables emptied but the facts, a pass; twice.
    for (int pass = 0; pass < 4; ++pass) {
      Line engineError, formerError;
      try {
        Button15Click(engine, engineHost, &cache);
      } catch (const RunError& e) {
        engineError = e.message();
      }
      try {
        testing::textReadingPass(former, formerHost);
      } catch (const RunError& e) {
        formerError = e.message();
      }
      ASSERT_EQ(observed(engine, engineHost, engineError),
                observed(former, formerHost, formerError))
          << "trial " << trial << " pass " << pass;
      if (pass % 2 == 0) {
        for (Workspace* ws : {&engine, &former}) {
          ws->results.clear();
          ws->protocol.clear();
          ws->variables.clear();
        }
      }
    }
  }
}

}  // namespace
}  // namespace veksa
