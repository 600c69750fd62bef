// The knowledge-base generator.
#include "bench/kb_generator.h"

#include <algorithm>

namespace veksa::bench {

namespace {
Line num(long long n) { return fromUtf8(std::to_string(n)); }
}  // namespace

GeneratedKb generateKnowledgeBase(int rules) {
  const int parameters = std::max(10, rules / 10);
  const int classes = std::max(5, rules / 20);
  const int sections = std::max(1, rules / 500);
  auto p = [&](long long i) { return u"п" + num(i % parameters); };
  auto v = [&](long long i) { return u"з" + num(i % 3); };
  auto h = [&](long long i) { return u"г" + num(i % classes); };

  GeneratedKb kb;
  Lines& l = kb.lines;
  l.push_back(u"ГИПОТЕЗЫ:");
  for (int i = 0; i < classes; ++i) l.push_back(h(i) + u" {a, b, c, d}");
  l.push_back(u"ПАРАМЕТРЫ:");
  for (int i = 0; i < parameters; ++i) l.push_back(p(i) + u" {з0, з1, з2}");
  l.push_back(u"ПЕРЕМЕННЫЕ:");
  l.push_back(u"X 50");
  l.push_back(u"Y 3");
  int perSection = (rules + sections - 1) / sections;
  for (int i = 0; i < rules; ++i) {
    if (i % perSection == 0) l.push_back(u"РАЗДЕЛ Р" + num(i / perSection));
    l.push_back(u"NAME П" + num(i));
    switch (i % 4) {
      case 0:
        l.push_back(u"IF " + p(i) + u" " + v(i));
        l.push_back(u"AND " + p(7LL * i + 1) + u" " + v(i + 1));
        l.push_back(u"OR NOT " + p(3LL * i + 2) + u" " + v(i + 2));
        l.push_back(u"THEN " + h(i) + u" a [0,8], " + h(i + 1) + u" b [0,4]");
        l.push_back(u"ELSE " + h(i) + u" c [0,5]");
        break;
      case 1:
        l.push_back(u"CASE " + p(i));
        l.push_back(u"з0 " + h(i) + u" a [0,9]");
        l.push_back(u"з1 " + h(i) + u" b [0,7], " + h(i + 2) + u" d [-0,3]");
        l.push_back(u"з2 =X+1");
        break;
      case 2:
        l.push_back(u"IF =X>40");
        l.push_back(u"THEN IF " + p(5LL * i) + u" " + v(i));
        l.push_back(u"THEN " + h(i) + u" d [0,6]");
        l.push_back(u"ELSE " + h(i) + u" a [0,3]");
        l.push_back(u"ELSE =Y:=2");
        break;
      case 3:
        l.push_back(u"IF ( " + p(i) + u" " + v(i) + u" AND " + p(11LL * i + 3) + u" " + v(i + 1) +
                    u" ) OR " + p(13LL * i + 4) + u" " + v(i + 2));
        l.push_back(u"THEN " + h(i) + u" b [0,7]");
        break;
    }
    l.push_back(u"END");
    if (i % perSection == perSection - 1 || i == rules - 1) {
      l.push_back(u"КОНЕЦ РАЗДЕЛА Р" + num(i / perSection));
      l.push_back(u"");
    }
  }
  for (int i = 0; i < parameters; ++i) {
    // Track-bar positions -19..19 by parameter; "все" for every third one.
    int position = (i * 7) % 39 - 19;
    std::string certainty = (position < 0 ? "-" : "") +
                            std::to_string(std::abs(position) * 5 / 100) + "," +
                            (std::abs(position) * 5 % 100 < 10 ? "0" : "") +
                            std::to_string(std::abs(position) * 5 % 100);
    kb.answers +=
        toUtf8(p(i)) + (i % 3 == 0 ? " все " : " да ") + certainty + " " + toUtf8(v(i)) + "\n";
  }
  return kb;
}

}  // namespace veksa::bench
