// Formula, certainty-factor and continuation-line checks.
#include <array>

#include "diagnostics/line_cursor.h"
#include "diagnostics/pass.h"
#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa {

namespace {

bool endsRule(std::u16string_view first) { return first == kEnd || first == kName; }

bool isOperatorChar(char16_t c) {
  return c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u':' || c == u'^' || c == u'<' ||
         c == u'>';
}

// The operators that the diagnostics accept: the formula operators and every comparison operator
// of the engine ("<>", "<=" and ">=" are one operator each).
bool isOperator(std::u16string_view op) {
  static constexpr std::array<std::u16string_view, 11> kOperators = {
      u"+", u"-", u"*", u"/", u":=", u"^", u"<", u">", u"<>", u"<=", u">="};
  for (std::u16string_view o : kOperators) {
    if (op == o) return true;
  }
  return false;
}

// The end (0-based, exclusive) of the word that begins at 0-based index `from`: up to a space, a
// "]" or the end of the line.
std::size_t wordEnd(std::u16string_view line, std::size_t from) {
  std::size_t e = from + 1;
  while (e < line.size() && line[e] != u' ' && line[e] != u']') ++e;
  return e;
}

// A formula starts a word of its own: a space goes before every "=" that follows neither a space
// nor ":" (":=" is the assignment), except an "=" that ends the line.
Line spacesBeforeEquals(const Line& line) {
  const std::size_t n = line.size();
  Line out;
  out.reserve(n + 8);
  for (std::size_t k = 0; k < n; ++k) {
    if (line[k] == u'=' && k + 1 < n && (k == 0 || (line[k - 1] != u' ' && line[k - 1] != u':'))) {
      out.push_back(u' ');
    }
    out.push_back(line[k]);
  }
  return out;
}

// Each formula ("=X + 5") becomes one word ("=X+5"), as the engine reads it: the spaces before
// the words that follow the "=" word are deleted, up to "AND", "OR", the word after one ending
// with "," (the next item of a list) or the end of the line.
Line formulasAsOneWord(const Line& line) {
  const std::size_t n = line.size();
  Line out;
  out.reserve(n);
  std::size_t i = 0;
  while (i < n) {
    if (line[i] != u'=' || i + 1 >= n) {
      out.push_back(line[i++]);
      continue;
    }
    std::size_t j = wordEnd(line, i);  // F
    out.append(line, i, j - i);
    bool lastEndsWithComma = line[j - 1] == u',';
    while (true) {
      std::size_t s = j;
      while (s < n && line[s] == u' ') ++s;
      if (s >= n) {  // no next word: the search ends at the end of the line
        out.append(line, j, n - j);
        i = n;
        break;
      }
      std::size_t e = wordEnd(line, s);
      std::u16string_view next(line.data() + s, e - s);
      if (next == kAnd || next == kOr || lastEndsWithComma) {
        // The search goes on at the second character of the word that stopped the joining.
        out.append(line, j, s + 1 - j);
        i = s + 1;
        break;
      }
      out.append(next);  // the spaces before it are deleted
      lastEndsWithComma = line[e - 1] == u',';
      j = e;
    }
  }
  return out;
}

// The certainty factors ("[0,9]") of one line laid out and checked, word by word; a factor that is
// not a number is reported through `say`.
template <typename Say>
Line certaintyFactors(const Line& line, Say say) {
  LineCursor c(line);
  while (true) {
    c.skipSpaces();
    if (c.atEnd()) break;
    std::size_t n = c.wordLength();  // D
    if (c.at(n) == u']') {
      // A space after a "]" glued to what follows, unless that is a comma.
      if (n + 1 < c.remaining() && c.at(n + 1) != u' ' && c.at(n + 1) != u',')
        c.insert(n + 1, u' ');
      // A comma after the "]" (with spaces between, or glued to the next word) is written
      // directly after the bracket, with one space after it when it was glued.
      std::size_t q = n + 1;
      while (q < c.remaining() && c.at(q) == u' ') ++q;
      if (q < c.remaining() && c.at(q) == u',') {
        bool alone = q + 1 >= c.remaining() || c.at(q + 1) == u' ' || c.at(q + 1) == u']';
        c.erase(n + 1, q - n);
        c.insert(n + 1, u',');
        if (!alone) c.insert(n + 2, u' ');
      }
    }
    // A "[" inside the word starts a word of its own.
    for (std::size_t k = 1; k < n; ++k) {
      if (c.at(k) == u'[') {
        c.insert(k, u' ');
        n = k;
        break;
      }
    }
    // A certainty factor must be a number; its points become commas (only inside the factor,
    // never elsewhere on the line).
    if (c.at(0) == u'[') {
      Line value;
      for (std::size_t t = 1; t < n; ++t) value.push_back(c.at(t) == u',' ? u'.' : c.at(t));
      if (!isDiagnosticsNumber(value))
        say(u"Значение коэффициента уверенности должено быть числовым");
      for (std::size_t t = 0; t < n; ++t) {
        if (c.at(t) == u'.' && t + 1 != c.remaining()) c.setAt(t, u',');
      }
    }
    c.advance(n);
  }
  return c.finish();
}

}  // namespace

void formulaLayout(TextBuffer& text, std::size_t i) {
  if (text[i].find(u'=') == Line::npos) return;
  if (i >= 1) text.set(i, spacesBeforeEquals(text[i]));
  text.set(i, formulasAsOneWord(text[i]));
}

void diagn34(Pass& pass, std::size_t start) {
  for (std::size_t i = start; i < pass.text.size(); ++i) formulaLayout(pass.text, i);
}

void diagn33(Pass& pass, std::size_t nameLine) {
  diagn35(pass, nameLine + 1);
  certaintyFactorPass(pass, nameLine + 1);
  diagn331(pass, nameLine + 1);
  diagn332(pass, nameLine + 1);
}

void diagn35(Pass& pass, std::size_t first) {
  TextBuffer& text = pass.text;
  auto declared = [&](const Line& name) { return !pass.ws.variables.find(name).empty(); };
  for (std::size_t i = first; i < text.size(); ++i) {
    if (!hasWords(text[i])) continue;
    if (endsRule(firstWordView(text[i]))) return;
    if (text[i].find(u'=') == Line::npos) continue;
    Line work = text[i];
    const std::size_t n = work.size();
    // 0-based k runs over the positions from the first word's to the last but one.
    for (std::size_t k = firstWordPos(work) - 1; k + 1 < n;) {
      if (work[k] != u'=') {
        ++k;
        continue;
      }
      const std::size_t e = wordEnd(work, k);
      const Line f = work.substr(k, e - k);  // F, f[0] is the "="
      // F splits into the left operand, the operator and the right operand.
      std::size_t opStart = f.size() - 1;  // no operator character before the last: the last
      for (std::size_t t = 1; t + 1 < f.size(); ++t) {
        if (isOperatorChar(f[t])) {
          opStart = t;
          break;
        }
      }
      Line left = f.size() > 1 ? f.substr(1, opStart - 1) : Line();
      Line op(1, f[opStart]);
      const char16_t after = opStart + 1 < f.size() ? f[opStart + 1] : u'\0';
      if (op == u":" && after != u'\0') {
        op.push_back(after);
      } else if ((op == u"<" && (after == u'>' || after == u'=')) ||
                 (op == u">" && after == u'=')) {
        op.push_back(after);
      }
      if (!isOperator(op)) {
        pass.say(u"Отсутствует операция");
        text.set(i, std::move(work));
        return;  // no further formula of the rule is examined
      }
      std::size_t rightStart = opStart + op.size();  // in F
      Line right = f.substr(std::min(rightStart, f.size()));
      // One leading "~" off each operand.
      if (!left.empty() && left.front() == u'~') left.erase(0, 1);
      if (!right.empty() && right.front() == u'~') {
        right.erase(0, 1);
        ++rightStart;
      }
      // A list comma after the formula: the next word must be a formula too.
      if (!right.empty() && right.back() == u',') {
        right.pop_back();
        std::size_t next = e;
        while (next < n && work[next] == u' ') ++next;
        if (next < n && work[next] != u'=') pass.say(u"В списке формул отсутствуют знаки \"=\"");
      }
      // One leading "=" off the right operand.
      if (!right.empty() && right.front() == u'=') {
        right.erase(0, 1);
        ++rightStart;
      }
      // Decimal commas of the right operand become points, in the line too.
      for (std::size_t t = 0; t < right.size(); ++t) {
        if (right[t] == u',') {
          right[t] = u'.';
          work[k + rightStart + t] = u'.';
        }
      }
      // The left operand must be a declared variable; the right one a number or a declared
      // variable.
      const bool leftIsNumber = isDiagnosticsNumber(left);
      if (leftIsNumber) pass.say(u"Первой в формуле должна стоять переменная, а не число");
      if (!leftIsNumber && !declared(left)) pass.say(u"Переменная " + left + u" не объявлена!");
      if (!isDiagnosticsNumber(right) && !declared(right)) {
        pass.say(u"Переменная " + right + u" не объявлена!");
      }
      k += f.size();  // the search goes on after F
    }
    text.set(i, std::move(work));
  }
}

void certaintyFactorPass(Pass& pass, std::size_t first) {
  TextBuffer& text = pass.text;
  for (std::size_t i = first; i < text.size(); ++i) {
    const Line& line = text[i];
    if (endsRule(firstWordView(line))) return;
    if (line.size() <= 1) continue;
    // Every repair acts at a "]" or a "[".
    if (line.find_first_of(u"[]") == Line::npos) continue;
    text.set(i, certaintyFactors(line, [&](std::u16string_view m) { pass.say(Line(m)); }));
  }
}

void diagn331(Pass& pass, std::size_t first) {
  TextBuffer& text = pass.text;
  for (std::size_t i = first; i < text.size(); ++i) {
    const std::u16string_view firstW = firstWordView(text[i]);
    if (endsRule(firstW)) return;
    std::size_t pos = 1;
    if ((firstW == kAnd || firstW == kOr) && i > first) {
      // Joined to the line before it; the examination goes on over the joined text (the words
      // of the earlier line are not the last words of the joined line any more). The first body
      // line is never joined to the rule's NAME line: the header keeps its line.
      const std::size_t oldLength = text[i - 1].size();
      Line moved = u" " + text[i];
      text.erase(i);
      --i;
      text.append(i, moved);
      pos = oldLength + 2;
    }
    while (true) {
      const Line& line = text[i];
      std::u16string_view w = wordView(line, pos);
      if (w.empty()) break;
      const bool thenOrElse = w == kThen || w == kElse;
      const bool isCase = w == kCase;
      if (!thenOrElse && !isCase) continue;
      if (skipSpaces(line, pos) <= line.size()) continue;  // not the last word of its line
      if (i + 1 >= text.size()) break;
      const Line& next = text[i + 1];
      if (!hasWords(next)) break;  // an empty line: nothing is joined
      const std::u16string_view nextFirst = firstWordView(next);
      // The next rule's header is never joined: that would swallow the next rule into this one.
      const bool keep =
          endsRule(nextFirst) || (!isCase && (nextFirst == kThen || nextFirst == kElse));
      if (keep) break;
      Line moved = u" " + next;
      text.erase(i + 1);
      text.append(i, moved);
      // The walk goes on with the words that the join brought.
    }
  }
}

}  // namespace veksa
