// Generated knowledge bases of any size, for the tests and the benchmarks: rules of four kinds
// spread over sections, with the declarations they use and an answers file (veksa-cli run) for
// every parameter. The kinds, by rule number modulo 4:
//   0: IF with AND and OR NOT terms on lines of their own (the diagnostics join them) and a
//      conclusion list;
//   1: CASE with a formula alternative;
//   2: a comparison with a nested THEN IF and an ELSE formula;
//   3: a parenthesised group (with `groups`), or else a NOT term with an OR line and a factor
//      written with a point, which the diagnostics repair.
// Without `variables` there is no "ПЕРЕМЕННЫЕ:" section, and the formulas and comparisons give
// way to conclusions and conditions. Without groups the text passes the diagnostics without a
// fault (the diagnostics take "(" for a parameter, and the group rule has no ELSE).
#ifndef VEKSA_DIAGNOSTICS_KB_GENERATOR_H_
#define VEKSA_DIAGNOSTICS_KB_GENERATOR_H_

#include <algorithm>
#include <cstdlib>
#include <string>

#include "kb/text.h"

namespace veksa::testing {

struct KbShape {
  int rules = 0;
  bool variables = true;  // "ПЕРЕМЕННЫЕ:" with X and Y, used by formulas and comparisons
  bool groups = true;     // rules of kind 3 use a parenthesised group
  int sections = 0;       // how many sections share the rules; 0: one per 500 rules
};

struct GeneratedKb {
  Lines lines;
  std::string answers;  // the answers file of veksa-cli run (UTF-8)
};

namespace generator {

inline Line num(long long n) { return fromUtf8(std::to_string(n)); }

// The names of the generated declarations: parameter i, value i, class i (all modulo their
// counts).
struct Names {
  int parameters, classes;
  Line p(long long i) const { return u"п" + num(i % parameters); }
  Line v(long long i) const { return u"з" + num(i % 3); }
  Line h(long long i) const { return u"г" + num(i % classes); }
};

inline void rule(Lines& l, const Names& n, const KbShape& shape, long long i) {
  switch (i % 4) {
    case 0:
      l.push_back(u"IF " + n.p(i) + u" " + n.v(i));
      l.push_back(u"AND " + n.p(7 * i + 1) + u" " + n.v(i + 1));
      l.push_back(u"OR NOT " + n.p(3 * i + 2) + u" " + n.v(i + 2));
      l.push_back(u"THEN " + n.h(i) + u" a [0,8], " + n.h(i + 1) + u" b [0,4]");
      l.push_back(u"ELSE " + n.h(i) + u" c [0,5]");
      break;
    case 1:
      l.push_back(u"CASE " + n.p(i));
      l.push_back(u"з0 " + n.h(i) + u" a [0,9]");
      l.push_back(u"з1 " + n.h(i) + u" b [0,7], " + n.h(i + 2) + u" d [-0,3]");
      l.push_back(shape.variables ? u"з2 =X+1" : u"з2 " + n.h(i) + u" c [0,2]");
      break;
    case 2:
      l.push_back(shape.variables ? u"IF =X>40" : u"IF " + n.p(2 * i) + u" " + n.v(i + 2));
      l.push_back(u"THEN IF " + n.p(5 * i) + u" " + n.v(i));
      l.push_back(u"THEN " + n.h(i) + u" d [0,6]");
      l.push_back(u"ELSE " + n.h(i) + u" a [0,3]");
      l.push_back(shape.variables ? u"ELSE =Y:=2" : u"ELSE");
      break;
    default:
      if (shape.groups) {
        l.push_back(u"IF ( " + n.p(i) + u" " + n.v(i) + u" AND " + n.p(11 * i + 3) + u" " +
                    n.v(i + 1) + u" ) OR " + n.p(13 * i + 4) + u" " + n.v(i + 2));
        l.push_back(u"THEN " + n.h(i) + u" b [0,7]");
      } else {
        l.push_back(u"IF NOT " + n.p(i) + u" " + n.v(i));
        l.push_back(u"OR " + n.p(13 * i + 4) + u" " + n.v(i + 2));
        l.push_back(u"THEN " + n.h(i) + u" b [0.7]");
        l.push_back(u"ELSE " + n.h(i) + u" c [0,5]");
      }
  }
}

// An answer for parameter i: track-bar positions -19..19 by parameter; "все" for every third one.
inline std::string answer(const Names& n, int i) {
  const int position = (i * 7) % 39 - 19;
  const int hundredths = std::abs(position) * 5;
  const std::string certainty = (position < 0 ? "-" : "") + std::to_string(hundredths / 100) +
                                "," + (hundredths % 100 < 10 ? "0" : "") +
                                std::to_string(hundredths % 100);
  return toUtf8(n.p(i)) + (i % 3 == 0 ? " все " : " да ") + certainty + " " + toUtf8(n.v(i)) +
         "\n";
}

}  // namespace generator

inline GeneratedKb generateKnowledgeBase(const KbShape& shape) {
  const int rules = shape.rules;
  const generator::Names n{std::max(10, rules / 10), std::max(5, rules / 20)};
  const int sections = shape.sections > 0 ? shape.sections : std::max(1, rules / 500);
  const int perSection = std::max(1, (rules + sections - 1) / sections);
  using generator::num;

  GeneratedKb kb;
  Lines& l = kb.lines;
  l.push_back(u"ГИПОТЕЗЫ:");
  for (int i = 0; i < n.classes; ++i) l.push_back(n.h(i) + u" {a, b, c, d}");
  l.push_back(u"ПАРАМЕТРЫ:");
  for (int i = 0; i < n.parameters; ++i) l.push_back(n.p(i) + u" {з0, з1, з2}");
  if (shape.variables) {
    l.push_back(u"ПЕРЕМЕННЫЕ:");
    l.push_back(u"X 50");
    l.push_back(u"Y 3");
  }
  for (int i = 0; i < rules; ++i) {
    if (i % perSection == 0) l.push_back(u"РАЗДЕЛ Р" + num(i / perSection));
    l.push_back(u"NAME П" + num(i));
    generator::rule(l, n, shape, i);
    l.push_back(u"END");
    if (i % perSection == perSection - 1 || i == rules - 1) {
      l.push_back(u"КОНЕЦ РАЗДЕЛА Р" + num(i / perSection));
      l.push_back(u"");
    }
  }
  for (int i = 0; i < n.parameters; ++i) kb.answers += generator::answer(n, i);
  return kb;
}

}  // namespace veksa::testing

#endif  // VEKSA_DIAGNOSTICS_KB_GENERATOR_H_
