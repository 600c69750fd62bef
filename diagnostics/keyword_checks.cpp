// Rule keyword structure checks: keyword separation and the keyword counts of a rule.
#include <algorithm>
#include <array>
#include <cstdint>

#include "diagnostics/line_cursor.h"
#include "diagnostics/pass.h"
#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// The keywords of the separation, in the order in which they are tried.
constexpr std::array<std::u16string_view, 9> kSeparated = {
    kIf, kOr, kAnd, kNot, kEnd, kName, kCase, kThen, kElse};

// Separates the keywords of the word at the cursor (of `length` characters) and leaves the cursor
// just after the grown word.
void separateWord(LineCursor& c, std::size_t length) {
  // p is the 1-based position in the word; the cursor stands on it.
  for (std::size_t p = 1; p < length; ++p) {
    for (std::u16string_view k : kSeparated) {
      // Before: the keyword stands at p, p is not 1, and the character before p is no space.
      if (p + k.size() - 1 <= length && c.matches(0, k) && p != 1 && c.before() != u' ') {
        c.insert(0, u' ');
        ++length;
      }
      // After: the keyword stands at p, does not end at the word's last character, and the
      // character after it is no space.
      if (p + k.size() - 1 <= length && c.matches(0, k) && p + k.size() - 1 != length &&
          c.at(k.size()) != u' ') {
        c.insert(k.size(), u' ');
        ++length;
      }
    }
    c.advance(1);
  }
  c.advance(1);  // the last character of the word
}

// True when the separation may change the line: some word it walks (as separateKeywords walks
// them) holds a keyword other than as the whole word. A keyword inside a word always gets a
// space before it (it does not begin the word, so a character of the word precedes it) or after it
// (it begins the word and ends before the word does); a word that is a keyword gets neither. Most
// lines hold no such word, and this look at them needs no copy.
bool mayChange(std::u16string_view line) {
  // A keyword begins with one of the letters I, O, A, N, E, C, T; most lines hold none of them.
  constexpr std::uint32_t kFirstLetters = 1u << ('I' - 'A') | 1u << ('O' - 'A') | 1u << 0 |
                                          1u << ('N' - 'A') | 1u << ('E' - 'A') |
                                          1u << ('C' - 'A') | 1u << ('T' - 'A');
  auto beginsKeyword = [](char16_t c) {
    const unsigned k = static_cast<unsigned>(c) - u'A';
    return k < 26 && ((kFirstLetters >> k) & 1) != 0;
  };
  if (std::none_of(line.begin(), line.end(), beginsKeyword)) return false;
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (true) {
    while (i < n && line[i] == u' ') ++i;
    if (i >= n) return false;
    std::size_t length = 1;
    while (i + length < n && line[i + length] != u' ' && line[i + length] != u']') ++length;
    if (length > 1) {
      const std::u16string_view word = line.substr(i, length);
      if (std::any_of(word.begin(), word.end(), beginsKeyword)) {
        for (std::u16string_view k : kSeparated) {
          if (word != k && word.find(k) != std::u16string_view::npos) return true;
        }
      }
    }
    i += length + 1;  // the next word is read one position after the word
  }
}

}  // namespace

void separateKeywords(TextBuffer& text, std::size_t i) {
  const Line& line = text[i];
  if (line.size() <= 1 || !mayChange(line)) return;
  LineCursor c(line);
  while (true) {
    c.skipSpaces();
    if (c.atEnd()) break;
    std::size_t length = c.wordLength();
    if (length == 1) {
      c.advance(1);
    } else {
      separateWord(c, length);
    }
    c.advance(1);  // the next word is read one position after the word
  }
  text.set(i, c.finish());
}

void diagn31(Pass& pass, std::size_t start) {
  for (std::size_t i = start; i < pass.text.size(); ++i) separateKeywords(pass.text, i);
}

void diagn32(Pass& pass, std::size_t nameLine) {
  pass.refresh.refresh(pass.ws.declarations);
  if (pass.full()) return;
  TextBuffer& text = pass.text;

  if (nameLine + 1 < text.size() && !text[nameLine + 1].empty()) {
    Line first = firstWord(text[nameLine + 1]);
    if (first == kEnd) {
      pass.say(u"Отсутствует тело правила");
      return;
    }
    if (first != kIf && first != kCase) {
      pass.say(u"Отсутствует ключевое слово IF или CASE в начале правила");
      return;
    }
  }

  int nCase = 0, nIf = 0, nThen = 0, nElse = 0;
  auto endTests = [&](bool counts) {
    if (nCase == 1 && nIf == 1) pass.say(u"Недопустимое сочетания CASE и IF-THEN-ELSE");
    if (!counts) return;
    if (nIf < nThen || nIf < nElse) pass.say(u"Не хватает ключевого слова IF");
    if (nThen < nIf || nThen < nElse) pass.say(u"Не хватает ключевого слова THEN");
    if (nElse < nThen || nElse < nIf) pass.say(u"Не хватает ключевого слова ELSE");
  };
  for (std::size_t i = nameLine + 1; i < text.size(); ++i) {
    const Line& line = text[i];
    if (line.size() <= 1) continue;
    std::size_t pos = 1;
    while (true) {
      std::u16string_view w = wordView(line, pos);
      if (w.empty()) break;
      ++pos;  // every word in turn: past the word and one more position
      if (w == kEnd) {
        endTests(true);
        return;
      }
      if (w == kName) {
        endTests(nCase == 0);
        pass.say(u"Отсутствует конец правила");
        return;
      }
      if (w == kCase) ++nCase;
      if (w == kIf) ++nIf;
      if (w == kThen) ++nThen;
      if (w == kElse) ++nElse;
    }
  }
}

}  // namespace veksa
