// Premise, conclusion and CASE checks. They only write messages.
#include "diagnostics/pass.h"
#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa {

namespace {

bool isAndOr(std::u16string_view w) { return w == kAnd || w == kOr; }

// Reads the word at or after `pos` and returns it with the position where it begins.
Line wordAt(const Line& line, std::size_t& pos, std::size_t& start) {
  Line w = readWord(line, pos);
  start = pos - w.size();
  return w;
}

}  // namespace

void diagn332(Pass& pass, std::size_t first) {
  TextBuffer& text = pass.text;
  for (std::size_t i = first; i < text.size() && !pass.full(); ++i) {
    const Line& line = text[i];
    if (!hasWords(line)) continue;
    std::size_t pos = 1;
    std::u16string_view t = wordView(line, pos);
    if (t == kEnd || t == kName) return;
    while (!t.empty()) {
      std::u16string_view u = wordView(line, pos);
      const std::size_t start = pos - u.size();
      if (!u.empty()) {
        if (t == kNot) {
          diagn333(pass, i, start);
        } else if (t == kCase) {
          diagn335(pass, i, start);
          return;  // the CASE check covers the rest of the rule
        } else if ((t == kIf || isAndOr(t)) && u != kNot) {
          diagn333(pass, i, start);
        } else if ((t == kThen || t == kElse) && u != kIf) {
          diagn334(pass, i, start);
        }
      }
      t = u;
    }
  }
}

void diagn333(Pass& pass, std::size_t line, std::size_t pos) {
  if (pass.full()) return;
  const Line& l = pass.text[line];
  Line p = readWord(l, pos);
  Line v = readWord(l, pos);
  Line x = readWord(l, pos);
  if (!p.empty() && p.front() == u'=') return;  // formulas belong to the formula check
  const Line kTwoWords = u"Проверьте структуру параметра - должно быть 2 лексемы";
  if (isAndOr(p)) pass.say(kTwoWords);
  if (isAndOr(v)) pass.say(kTwoWords);
  if (!x.empty() && !isAndOr(x)) pass.say(kTwoWords);
  if (const auto values = pass.declarations.parameter(p)) {
    if (!values->contains(v)) {
      pass.say(u"Значение " + v + u" параметра " + p + u" необъявлено");
    }
  } else {
    pass.say(u"Параметр " + p + u" необъявлен");
  }
}

std::optional<std::size_t> diagn334(Pass& pass, std::size_t line, std::size_t pos) {
  TextBuffer& text = pass.text;
  const Line kStructure = u"Ошибка в структуре гипотезы";
  // A conclusion list is examined conclusion by conclusion, without recursion.
  while (!pass.full()) {
    const Line& l = text[line];
    Line k = readWord(l, pos);
    if (k.empty() || k.front() == u'=') return std::nullopt;  // formulas belong to the formula check
    Line v = readWord(l, pos);
    if (v.empty()) {
      pass.say(kStructure);
      return std::nullopt;
    }
    Line f = readWord(l, pos);
    if (f.empty()) {
      pass.say(kStructure);
      return std::nullopt;
    }
    if (k.front() == u'[' || v.front() == u'[') {
      pass.say(u"Проверьте структуру гипотезы - должно быть 3 лексемы");
      return std::nullopt;
    }
    if (f.front() != u'[' || charAt(l, pos) != u']') {
      pass.say(u"Третья лексема - это коэффициент уверенности (в скобках-[])");
      return std::nullopt;
    }
    if (const auto values = pass.declarations.hypothesis(k)) {
      if (!values->contains(v)) {
        pass.say(u"Значение " + v + u" гипотезы " + k + u" необъявлено");
      }
    } else {
      pass.say(u"Гипотеза " + k + u" необъявлена");
    }
    // pos is at the "]"; the character after it decides.
    const char16_t after = charAt(l, pos + 1);
    if (after == u',') {
      std::size_t next = pos + 2;
      std::size_t start = 0;
      Line w = wordAt(l, next, start);
      if (!w.empty()) {
        pos = start;
        continue;
      }
      if (line + 1 >= text.size()) return std::nullopt;
      ++line;  // the list goes on at the first word of the next line
      pos = 1;
      continue;
    }
    if (after == u'\0' || after == u' ') {
      std::size_t next = pos + 1;
      Line w = readWord(l, next);
      if (w.empty()) return line;  // the list ends here
      pass.say(u"Перед лексемой " + w + u" не хватает запятой,");
      pass.say(u"либо лексема " + w + u" лишняя");
    }
    return std::nullopt;
  }
  return std::nullopt;
}

void diagn335(Pass& pass, std::size_t line, std::size_t pos) {
  TextBuffer& text = pass.text;
  Line p;
  {
    const Line& l = text[line];
    p = readWord(l, pos);
    if (!readWord(l, pos).empty()) pass.say(u"После оператора CASE должна быть одна лексема");
  }
  std::size_t j = line + 1;
  while (j < text.size() && !pass.full()) {
    const Line& l = text[j];
    if (!hasWords(l)) {
      ++j;
      continue;
    }
    std::size_t at = 1, start = 0;
    Line w = readWord(l, at);  // the case value
    if (w == kEnd) return;
    Line conclusion = wordAt(l, at, start);
    if (conclusion.empty()) {
      pass.say(u"Ошибка в структуре гипотезы");
      return;
    }
    if (conclusion.front() == u'=') return;  // a formula: the CASE check stops there
    std::optional<std::size_t> end = diagn334(pass, j, start);
    const std::size_t next = end ? *end + 1 : j + 1;
    // The case value against the CASE parameter's own declarations: one message for every
    // declaration line of P up to which the value has not been declared.
    const auto declared = pass.declarations.caseParameter(p);
    if (declared.lines() == 0) {
      pass.say(u"Параметр " + p + u" необъявлен");
    } else {
      const std::size_t missing = declared.linesWithout(w);
      for (std::size_t m = 0; m < missing; ++m) {
        pass.say(u"Значение " + w + u" параметра " + p + u" необъявлено");
      }
    }
    j = next;
  }
}

}  // namespace veksa
