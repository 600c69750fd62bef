// Header and section checks: declaration layout, repeated names and values, variables,
// sections.
#include "diagnostics/line_cursor.h"
#include "diagnostics/pass.h"
#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// The first words that end the class or parameter declarations (diagn1, diagn11): a header, a
// section or a rule.
bool endsDeclarations(const Line& w) {
  return w == kVariablesHeader || w == kHypothesesHeader || w == kParametersHeader ||
         w == kSectionWord || w == kName;
}

// The first words that end the variable declarations (diagn2): a header other than their own, a
// section or a rule.
bool endsVariables(const Line& w) {
  return w == kHypothesesHeader || w == kParametersHeader || w == kSectionWord || w == kName;
}

// One declaration line laid out as "name {value, value}": the "{" that opens the list gets a space
// before it when it is glued to the name; a second "{", a "}" inside a word (only the one that
// ends a word closes the list) and a "," just before "}" are deleted; every other "," gets a space
// after it. The last character of each word is never looked at.
Line layOutDeclaration(const Line& line) {
  LineCursor c(line);
  bool braceMet = false;
  while (true) {
    c.skipSpaces();
    if (c.atEnd()) break;
    const std::size_t length = c.wordLength();
    // The characters of the word as it was read, all but the last; the cursor stands on the
    // current one (insertions and deletions happen at the cursor).
    for (std::size_t k = 0; k + 1 < length; ++k) {
      char16_t ch = c.at(0);
      if (ch == u'}') {
        c.erase(0, 1);
      } else if (ch == u'{' && braceMet) {
        c.erase(0, 1);
      } else if (ch == u'{') {
        braceMet = true;
        if (k != 0) {
          c.insert(0, u' ');
          c.advance(1);
        }
        c.advance(1);
      } else if (ch == u',' && c.at(1) != u'}') {
        c.advance(1);
        c.insert(0, u' ');
        c.advance(1);
      } else if (ch == u',') {
        c.erase(0, 1);
      } else {
        c.advance(1);
      }
    }
    c.advance(1);  // the last character, never examined
  }
  return c.finish();
}

// One declaration line without the values it repeats: a value met before on the line is deleted
// with the character after it; a repeated last value goes with the separator before it, so that
// the list still ends with "}".
Line withoutRepeatedValues(const Line& line) {
  LineCursor c(line);
  c.skipSpaces();
  c.advance(c.wordLength());         // the name
  std::unordered_set<Line> scratch;  // the values met on this line
  while (true) {
    c.skipSpaces();
    if (c.atEnd()) break;
    const std::size_t length = c.wordLength();
    Line word = c.text(0, length);
    std::u16string_view value = word;
    bool opens = !value.empty() && value.front() == u'{';
    if (opens) value.remove_prefix(1);
    bool closes = !value.empty() && value.back() == u'}';
    if (!value.empty() && (value.back() == u',' || closes)) value.remove_suffix(1);
    if (value.empty()) {
      c.advance(length);
      continue;
    }
    if (scratch.insert(Line(value)).second) {
      c.advance(length);
      continue;
    }
    if (closes && !opens) {
      // The repeated last value goes with the separator before it; the closing brace stays.
      c.erase(0, length - 1);
      Line& done = c.done();
      while (!done.empty() && done.back() == u' ') done.pop_back();
      if (!done.empty() && done.back() == u',') done.pop_back();
    } else {
      // The word and the one character that follows it.
      c.erase(0, std::min(length + 1, c.remaining()));
    }
  }
  return c.finish();
}

}  // namespace

void diagn1(Pass& pass, std::size_t i) {
  for (std::size_t j = i + 1; j < pass.text.size(); ++j) {
    const Line& line = pass.text[j];
    if (!hasWords(line)) continue;
    Line first = firstWord(line);
    if (first.front() == u'{') pass.say(u"Отсутствует класс");
    if (endsDeclarations(first)) return;
    pass.text.set(j, layOutDeclaration(line));
  }
}

void diagn11(Pass& pass, std::size_t i) {
  for (std::size_t j = i + 1; j < pass.text.size(); ++j) {
    const Line& line = pass.text[j];
    if (!hasWords(line)) continue;
    Line first = firstWord(line);
    if (endsDeclarations(first)) return;
    if (!pass.declaredNames.insert(first).second) pass.say(u"Присутствует лишний класс " + first);
    pass.text.set(j, withoutRepeatedValues(line));
  }
}

void diagn2(Pass& pass, std::size_t header) {
  for (std::size_t j = header + 1; j < pass.text.size(); ++j) {
    if (!hasWords(pass.text[j])) continue;
    Line line = pass.text[j];
    std::size_t pos = 1;
    Line name = readWord(line, pos);
    if (endsVariables(name)) return;
    Line value = readWord(line, pos);
    const std::size_t valueStart = pos - value.size();  // 1-based
    Line third = readWord(line, pos);

    for (std::size_t k = 0; k < value.size(); ++k) {
      if (value[k] == u'.') line[valueStart - 1 + k] = u',';
    }
    pass.text.set(j, line);
    Line tested = value;
    for (char16_t& ch : tested) {
      if (ch == u',') ch = u'.';
    }
    if (value.empty()) pass.say(u"Отсутствует значение переменной " + name);
    if (!value.empty() && !isDiagnosticsNumber(tested)) {
      pass.say(u"Неправильное значение переменной " + name);
    }
    if (!third.empty()) pass.say(u"Переполнение строки");
  }
}

void diagn12(Pass& pass, std::size_t line, const Line& name) {
  if (pass.full()) return;
  const Line closing = Line(kSectionEndPrefix) + name;
  int names = 0, ends = 0;
  auto balance = [&] {
    if (names < ends) pass.say(u"Отсутствует ключевое слово - NAME");
    if (ends < names) pass.say(u"Отсутствует ключевое слово - END");
  };
  for (std::size_t j = line + 1; j < pass.text.size(); ++j) {
    const Line& text = pass.text[j];
    if (text.empty()) continue;
    if (text == closing) {
      balance();
      return;
    }
    std::u16string_view first = firstWordView(text);
    if (first == kName) ++names;
    if (first == kEnd) ++ends;
  }
  balance();
  pass.say(u"Отсутствует строка - КОНЕЦ РАЗДЕЛА " + name);
}

}  // namespace veksa
