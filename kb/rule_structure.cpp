// Reading the rules' structure from the keywords.
#include "kb/rule_structure.h"

#include <utility>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

bool isFormulaWord(std::u16string_view w) { return !w.empty() && w[0] == u'='; }

bool isSectionEnd(std::u16string_view line) {
  return firstWord(line) + u" " + secondWord(line) + u" " == kSectionEndPrefix;
}

// A line that no rule body reaches into: the start of a rule or a section, or a section's end.
bool endsBody(std::u16string_view line) { return startsSectionOrRule(line) || isSectionEnd(line); }

// Reads the words of a rule body, line by line; positions are 1-based, as every scan of the text.
class BodyCursor {
 public:
  BodyCursor(const Lines& lines, std::size_t first, std::size_t end)
      : lines_(&lines), line_(first), end_(end) {}

  bool atEnd() const { return line_ >= end_; }
  std::size_t line() const { return line_; }
  const Line& text() const { return (*lines_)[line_]; }
  std::size_t& pos() { return pos_; }

  // The next word of the current line; empty at its end.
  Line wordOnLine() { return atEnd() ? Line() : readWord(text(), pos_); }

  // The next word, going on over lines; empty at the end of the body.
  Line word() {
    while (!atEnd()) {
      Line w = readWord(text(), pos_);
      if (!w.empty()) return w;
      nextLine();
    }
    return Line();
  }

  void nextLine() {
    ++line_;
    pos_ = 1;
  }
  void moveTo(std::size_t line, std::size_t pos) {
    line_ = line;
    pos_ = pos;
  }

 private:
  const Lines* lines_;
  std::size_t line_;
  std::size_t end_;
  std::size_t pos_ = 1;
};

// The terms of a condition, from the word after its IF up to (not including) the THEN or ELSE
// that ends it.
void readTerms(BodyCursor& c, RuleCondition& cond) {
  Line connective;
  bool negated = false;
  while (true) {
    BodyCursor before = c;
    Line w = c.word();
    if (w.empty()) return;
    if (w == kThen || w == kElse) {
      c = before;
      return;
    }
    if (w == kAnd || w == kOr) {
      connective = w;
      continue;
    }
    if (w == kNot) {
      negated = true;
      continue;
    }
    ConditionTerm t;
    t.connective = std::exchange(connective, Line());
    t.negated = std::exchange(negated, false);
    t.line = c.line();
    if (w == kOpen) {
      t.kind = ConditionTerm::Kind::Open;
    } else if (w == kClose) {
      t.kind = ConditionTerm::Kind::Close;
    } else if (isFormulaWord(w)) {
      t.kind = ConditionTerm::Kind::Comparison;
      t.comparison = std::move(w);
    } else {
      t.parameter = std::move(w);
      BodyCursor beforeValue = c;
      t.value = c.wordOnLine();
      if (t.value == kThen || t.value == kElse) {
        t.value.clear();
        c = beforeValue;
      }
    }
    cond.terms.push_back(std::move(t));
  }
}

// Where a conclusion list goes on after a comma ending at `pos`: the next word of the line, or the
// next line when nothing (or one character) follows. False at the end of the body.
bool nextListItem(BodyCursor& c, std::size_t pos, std::size_t bodyEnd) {
  pos = skipSpaces(c.text(), pos);
  if (pos < c.text().size()) {
    c.pos() = pos;
    return true;
  }
  if (c.line() + 1 >= bodyEnd) return false;
  c.moveTo(c.line() + 1, 1);
  return true;
}

RuleConclusion formulaItem(Line text) {
  RuleConclusion r;
  r.formula = true;
  r.text = std::move(text);
  return r;
}

// A conclusion list or formula list whose first word `first` has just been read. Consumes the
// rest of its line and the lines a trailing comma continues it on.
std::vector<RuleConclusion> readList(BodyCursor& c, Line first, std::size_t bodyEnd) {
  std::vector<RuleConclusion> items;
  if (isFormulaWord(first)) {  // a formula list: every word of the line is a formula
    for (Line w = std::move(first); !w.empty(); w = c.wordOnLine()) {
      if (w.back() == u',') w.pop_back();
      items.push_back(formulaItem(std::move(w)));
    }
    return items;
  }
  Line item = std::move(first);
  while (!item.empty()) {
    const Line& text = c.text();
    std::size_t& pos = c.pos();
    if (isFormulaWord(item)) {
      bool more = item.back() == u',';
      if (more) item.pop_back();
      items.push_back(formulaItem(item));
      if (!more || !nextListItem(c, pos, bodyEnd)) return items;
    } else {
      RuleConclusion r;
      r.cls = std::move(item);
      r.value = readWord(text, pos);
      pos = skipSpaces(text, pos + 1) + 1;  // the "[" is passed over, whatever it is
      pos = skipSpaces(text, pos);
      std::size_t factorStart = pos;
      r.factor = readWord(text, pos);
      items.push_back(std::move(r));
      if (charAt(text, factorStart + items.back().factor.size() + 1) != u',') return items;
      if (!nextListItem(c, factorStart + items.back().factor.size() + 2, bodyEnd)) return items;
    }
    item = c.wordOnLine();
  }
  return items;
}

// The alternatives of a CASE block that opens on the cursor's line, up to the body's end or two
// empty lines.
void readCase(BodyCursor& c, const Line& parameter, RuleStructure& rule, std::size_t bodyEnd) {
  RuleCondition cond;
  cond.label = kCase;
  cond.isCase = true;
  cond.line = c.line();
  c.nextLine();
  while (!c.atEnd()) {
    if (c.text().empty()) {
      c.nextLine();
      if (c.atEnd() || c.text().empty()) break;
    }
    std::size_t line = c.line();
    Line value = c.wordOnLine();
    Line first = c.wordOnLine();
    if (!value.empty()) {
      ConditionTerm& t = cond.terms.emplace_back();
      t.parameter = parameter;
      t.value = value;
      t.line = cond.line;
      RuleBranch& b = rule.branches.emplace_back();
      b.label = Line(kCase) + u" " + value;
      b.line = line;
      if (!first.empty()) b.items = readList(c, std::move(first), bodyEnd);
    }
    c.nextLine();
  }
  rule.conditions.push_back(std::move(cond));
}

// An IF whose condition follows: its frame for the ELSE that belongs to it.
struct IfFrame {
  Line path;  // the branches above it, each followed by a space
  bool elseSeen = false;
};

// Reads the body of one rule, lines [first, bodyEnd).
void readBody(const Lines& lines, std::size_t first, std::size_t bodyEnd, RuleStructure& rule) {
  BodyCursor c(lines, first, bodyEnd);
  std::vector<IfFrame> frames;
  auto readIf = [&](Line path) {
    RuleCondition cond;
    cond.label = path + Line(kIf);
    cond.line = c.line();
    readTerms(c, cond);
    rule.conditions.push_back(std::move(cond));
    frames.push_back({std::move(path), false});
  };
  while (true) {
    Line w = c.word();
    if (w.empty()) return;
    if (w == kIf) {
      readIf(Line());
    } else if (w == kThen || w == kElse) {
      Line path;
      if (w == kElse) {  // it belongs to the innermost IF that has no ELSE yet
        while (!frames.empty() && frames.back().elseSeen) frames.pop_back();
        if (!frames.empty()) frames.back().elseSeen = true;
      }
      if (!frames.empty()) path = frames.back().path;
      Line label = path + w;
      std::size_t line = c.line();
      BodyCursor before = c;
      Line next = c.wordOnLine();
      if (next == kIf) {
        readIf(label + u" ");
      } else if (next.empty() || next == kThen || next == kElse || next == kEnd) {
        c = before;  // an empty alternative
      } else {
        std::vector<RuleConclusion> items = readList(c, std::move(next), bodyEnd);
        rule.branches.push_back({std::move(label), line, std::move(items)});
        c.nextLine();
      }
    } else if (w == kCase) {
      readCase(c, c.wordOnLine(), rule, bodyEnd);
      return;
    }
  }
}

}  // namespace

std::vector<RuleStructure> readRuleStructures(const Lines& lines) {
  std::vector<RuleStructure> rules;
  Line section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t pos = 1;
    Line first = readWord(lines[i], pos);
    if (first == kSectionWord) {
      section = readWord(lines[i], pos);
      continue;
    }
    if (isSectionEnd(lines[i])) {
      section.clear();
      continue;
    }
    if (first != kName) continue;
    RuleStructure& rule = rules.emplace_back();
    rule.name = readWord(lines[i], pos);
    rule.nameLine = i;
    rule.section = section;
    std::size_t end = i + 1;
    while (end < lines.size() && lines[end] != kEnd && !endsBody(lines[end])) ++end;
    rule.endLine = (end < lines.size() && lines[end] == kEnd) ? end : end - 1;
    readBody(lines, i + 1, end, rule);
  }
  return rules;
}

}  // namespace veksa
