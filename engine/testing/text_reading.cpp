// The former reading of the knowledge base, for the differential test.
#include "engine/testing/text_reading.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "engine/conditions.h"
#include "engine/interpreter.h"
#include "kb/expression_parts.h"
#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa::testing {
namespace {

long double checked(long double v) {
  if (std::isnan(v)) throw RunError(Line(kInvalidOperation));
  if (std::isinf(v)) throw RunError(Line(kOverflow));
  return v;
}

bool isFormula(const Line& w) { return !w.empty() && w[0] == u'='; }

Line undeclared(const Line& name) { return u"Переменная " + name + u" не объявлена!"; }

std::optional<long double> operandValue(const Workspace& ws, std::u16string_view text, Line& name,
                                        bool& isNumber) {
  bool negate = false;
  if (!text.empty() && text[0] == u'~') {
    negate = true;
    text.remove_prefix(1);
  }
  name.assign(text);
  isNumber = false;
  std::optional<long double> value = parseOperandNumber(text);
  if (value) {
    isNumber = true;
  } else if (hasNumberForm(text)) {
    throw conversionError(text);
  } else {
    const auto rows = ws.variables.find(text);
    if (rows.empty()) return std::nullopt;
    value = ws.number(ws.variables.cell(rows.back(), 1));
  }
  return negate ? -*value : *value;
}

// Both operands, or nothing after the message.
std::optional<std::pair<long double, long double>> operands(Workspace& ws, Host& host,
                                                            const ExpressionParts& p) {
  if (ws.variables.empty()) {
    host.message(u"Переменные не объявлены!");
    return std::nullopt;
  }
  Line leftName, rightName;
  bool leftIsNumber, rightIsNumber;
  auto left = operandValue(ws, p.left, leftName, leftIsNumber);
  if (!left || leftIsNumber) {
    host.message(undeclared(leftName));
    return std::nullopt;
  }
  if (p.op.empty()) {
    host.message(undeclared(Line()));
    return std::nullopt;
  }
  auto right = operandValue(ws, p.right, rightName, rightIsNumber);
  if (!right) {
    host.message(undeclared(rightName));
    return std::nullopt;
  }
  return std::make_pair(*left, *right);
}

void formula(Workspace& ws, Host& host, std::u16string_view text) {
  ExpressionParts p = splitFormula(text);
  auto values = operands(ws, host, p);
  if (!values) return;
  auto [l, r] = *values;
  long double result = l;
  if (p.op == u"+") {
    result = checked(l + r);
  } else if (p.op == u"-") {
    result = checked(l - r);
  } else if (p.op == u"*") {
    result = checked(l * r);
  } else if (p.op == u"/") {
    if (r == 0) throw RunError(Line(l == 0 ? kInvalidOperation : kDivisionByZero));
    result = checked(l / r);
  } else if (p.op == u":=") {
    result = r;
  } else if (p.op == u"^") {
    result = repeatedPower(l, r);
  }
  Line text2 = ws.format(result);
  const Line name = !p.left.empty() && p.left[0] == u'~' ? p.left.substr(1) : p.left;
  for (std::size_t row : ws.variables.find(name)) ws.variables.setCell(row, 1, text2);
  ws.protocol.append({u"Переменная", name, text2});
}

std::optional<long double> comparison(Workspace& ws, Host& host, std::u16string_view text) {
  ExpressionParts p = splitComparison(text);
  auto values = operands(ws, host, p);
  if (!values) return std::nullopt;
  auto [l, r] = *values;
  bool holds = false;
  if (p.op == u":=") {
    holds = l == r;
  } else if (p.op == u"<>") {
    holds = l != r;
  } else if (p.op == u"<") {
    holds = l < r;
  } else if (p.op == u">") {
    holds = l > r;
  } else if (p.op == u"<=") {
    holds = l <= r;
  } else if (p.op == u">=") {
    holds = l >= r;
  }
  return holds ? 1 : -1;
}

// Just past the ")" that closes the group whose "(" ends before `pos`, or the line's end + 1.
std::size_t closeAfter(const Line& text, std::size_t pos) {
  std::size_t depth = 0;
  while (true) {
    pos = skipSpaces(text, pos);
    if (pos > text.size()) return text.size() + 1;
    Line w;
    GetLeks(text, pos, text.size(), w);
    pos += w.size();
    if (w == kOpen) {
      ++depth;
    } else if (w == kClose) {
      if (depth == 0) return pos;
      --depth;
    }
  }
}

// The steps of a condition over one line, literally: word slots, the certainty, groups on a stack.
class LineSteps {
 public:
  LineSteps(Workspace& ws, Host& host, const Line& text, std::size_t pos, long double& certainty)
      : ws_(ws), host_(host), text_(text), pos_(pos), certainty_(certainty) {}

  // True when a step ended past the end of the line (the slots then hold what it left).
  bool run(Line* slots) {
    Frame& f = stack_.emplace_back();
    f.condition = true;
    for (int k = 0; k < 5; ++k) f.w[k] = slots[k];
    int part = 0;
    while (true) {
      Frame& g = stack_.back();
      Line* w = g.w;
      int next = part + 1;
      bool opened = false, ended = false;
      if (part == 0) {
        read(w[0]);
        if (g.condition && isFormula(w[0])) {
          if (auto holds = comparison(ws_, host_, w[0])) certainty_ = *holds;
          return false;
        }
        if (g.condition && w[0] == kThen) return false;
        if (!g.condition && w[0] == kClose) ended = true;
        if (!ended && w[0] == kOpen) opened = open(g, 0, 1, 1);
      } else if (part == 1) {
        read(w[1]);
        if (w[0] == kAnd && w[1] == kOpen) opened = open(g, 1, 2, 2);
      } else if (part == 2) {
        if (w[0] == kOr && w[1] == kOpen) opened = open(g, 2, 3, 2);
      } else {
        terms(g);
        next = 0;
        long double c = g.condition ? certainty_ : g.cert;
        if (c == 0 || pos_ > text_.size()) {
          if (g.condition) {
            if (c == 0) return false;
            for (int k = 0; k < 5; ++k) slots[k] = w[k];
            return true;
          }
          ended = true;
        }
      }
      if (opened) {
        part = 0;
        continue;
      }
      if (ended) {
        Frame done = stack_.back();
        stack_.pop_back();
        Frame& parent = stack_.back();
        pos_ = done.close;
        join(parent, done.join, done.cert);
        for (int k = 0; k < parent.reread; ++k) read(parent.w[k]);
        part = parent.resume;
        continue;
      }
      part = next;
    }
  }

 private:
  struct Frame {
    bool condition = false;
    int join = 0;  // 0 replace, 1 smaller, 2 larger
    std::size_t close = 0;
    long double cert = 0;
    Line w[5];
    int resume = 0, reread = 0;
  };

  bool open(Frame& f, int join, int resume, int reread) {
    f.resume = resume;
    f.reread = reread;
    std::size_t close = closeAfter(text_, pos_);
    Frame& g = stack_.emplace_back();
    g.join = join;
    g.close = close;
    return true;
  }

  void join(Frame& f, int how, long double c) {
    long double& x = f.condition ? certainty_ : f.cert;
    if (how == 0 || (how == 1 && c < x) || (how == 2 && c > x)) x = c;
  }

  void terms(Frame& f) {
    Line* w = f.w;
    if (w[0] != kNot && w[0] != kOpen && w[0] != kAnd && w[0] != kOr) {
      for (std::size_t row : ws_.facts.find(w[0], w[1])) {
        join(f, 0, fact(row));
        read(w[0]);
        read(w[1]);
      }
    }
    read(w[2]);
    if (w[0] == kNot) {
      for (std::size_t row : ws_.facts.find(w[1], w[2])) {
        join(f, 0, -fact(row));
        read(w[0]);
        read(w[1]);
        read(w[2]);
      }
    }
    for (int how : {1, 2}) {
      if (w[0] == (how == 1 ? kAnd : kOr) && w[1] != kOpen && w[1] != kNot) {
        for (std::size_t row : ws_.facts.find(w[1], w[2])) {
          join(f, how, fact(row));
          read(w[0]);
          read(w[1]);
          read(w[2]);
        }
      }
    }
    read(w[3]);
    for (int how : {1, 2}) {
      if (w[2] != kOpen && w[1] == kNot && w[0] == (how == 1 ? kAnd : kOr)) {
        for (std::size_t row : ws_.facts.find(w[2], w[3])) {
          join(f, how, -fact(row));
          for (int k = 0; k < 5; ++k) read(w[k]);
        }
      }
    }
  }

  long double fact(std::size_t row) { return ws_.number(ws_.facts.cell(row, 2)); }

  void read(Line& slot) {
    pos_ = skipSpaces(text_, pos_);
    if (pos_ > text_.size()) return;
    Line word;
    GetLeks(text_, pos_, text_.size(), word);
    pos_ += word.size();
    slot = std::move(word);
  }

  Workspace& ws_;
  Host& host_;
  const Line& text_;
  std::size_t pos_;
  long double& certainty_;
  std::vector<Frame> stack_;
};

long double condition(Workspace& ws, Host& host, std::size_t line, std::size_t pos,
                      long double certainty) {
  Line slots[5];
  for (; line < ws.lines.size(); ++line, pos = 1) {
    if (!LineSteps(ws, host, ws.lines[line], pos, certainty).run(slots)) break;
  }
  return certainty;
}

Line readWordAt(const Line& text, std::size_t& pos, std::size_t& start) {
  pos = skipSpaces(text, pos);
  start = pos;
  Line w;
  if (pos <= text.size() && GetLeks(text, pos, text.size(), w)) {
    pos += w.size();
  } else {
    pos = start = text.size() + 1;
  }
  return w;
}

// Where a conclusion list goes on.
struct ListPlace {
  bool more = false;
  std::size_t line = 0, pos = 0;
};

// Where a conclusion list goes on: spaces skipped; from the line's last character on, the start of
// the next line.
ListPlace listGoesOn(const Lines& lines, std::size_t line, std::size_t pos) {
  pos = skipSpaces(lines[line], pos);
  if (pos >= lines[line].size()) return {line + 1 < lines.size(), line + 1, 1};
  return {true, line, pos};
}

class Pass {
 public:
  Pass(Workspace& ws, Host& host) : ws_(ws), host_(host) {}

  int run() {
    VVar(ws_);
    for (const Line& entry : ws_.RulePath) {
      if (ws_.TraceMode && entry != ws_.traceRule) continue;
      for (std::size_t i = 0; i < ws_.lines.size(); ++i) {
        std::size_t pos = 1;
        if (readWord(ws_.lines[i], pos) != kName || readWord(ws_.lines[i], pos) != entry) continue;
        certainty_ = 0;
        ifCount_ = elseCount_ = 0;
        ws_.protocol.append({entry, u"", u""});
        rule(i + 1);
        if (traitsOf(ws_.method).endsAtFirstConclusion && fired_ > 0) {
          host_.showResults();
          return fired_;
        }
      }
    }
    return fired_;
  }

 private:
  void trace(std::size_t line) {
    if (ws_.TraceMode) host_.traceStep(line);
  }

  void nested(std::size_t line, std::size_t pos) {
    long double outer = certainty_;
    ++ifCount_;
    certainty_ = std::min(outer, condition(ws_, host_, line, pos, 0));
  }

  void rule(std::size_t first) {
    const Lines& lines = ws_.lines;
    for (std::size_t i = first; i < lines.size(); ++i) {
      const Line text = lines[i];
      if (text == kEnd) return;
      std::size_t pos = 1;
      while (pos <= text.size()) {
        Line w1 = readWord(text, pos);
        if (w1 == kIf) {
          trace(i);
          ++ifCount_;
          certainty_ = condition(ws_, host_, i, pos, certainty_);
        }
        Line w2 = readWord(text, pos);
        ++pos;
        if (w1 == kThen && certainty_ > 0) {
          if (w2 == kIf) {
            trace(i);
            nested(i, pos);
            continue;
          }
          if (w2.empty() || w2 == kThen || w2 == kElse) return;
          trace(i);
          ++fired_;
          fire(w2, i, pos);
          return;
        }
        if (w1 == kElse) {
          ++elseCount_;
          if (certainty_ < 0 && elseCount_ == ifCount_) {
            if (w2.empty() || w2 == kEnd || w2 == kElse) return;
            trace(i);
            certainty_ = -certainty_;
            if (w2 == kIf) {
              nested(i, pos);
            } else {
              ++fired_;
              fire(w2, i, pos);
              return;
            }
          }
        }
        if (w1 == kCase && !caseBlock(w2, i)) return;
      }
    }
  }

  void fire(const Line& w, std::size_t line, std::size_t pos) {
    if (isFormula(w)) {
      formulas(w, line, pos);
    } else {
      conclusion(w, line, pos, certainty_, false);
    }
  }

  void formulas(Line f, std::size_t line, std::size_t pos) {
    const Line text = ws_.lines[line];
    if (isFormula(f)) f.erase(0, 1);
    while (true) {
      if (!f.empty() && f.back() == u',') f.pop_back();
      formula(ws_, host_, f);
      f = readWord(text, pos);
      if (f.empty()) return;
    }
  }

  // One conclusion, then the rest of its list.
  void conclusion(Line cls, std::size_t line, std::size_t pos, long double condition,
                  bool listItem) {
    while (true) {
      const Line text = ws_.lines[line];
      Line value = readWord(text, pos);
      ++pos;
      if (!listItem && fired_ == 1) {
        firstClass_ = cls;
        firstValue_ = value;
      }
      pos = skipSpaces(text, pos) + 1;
      std::size_t factorStart;
      Line factorText = readWordAt(text, pos, factorStart);
      long double certainty = checked(condition * ws_.number(factorText));
      if (!listItem) certainty_ = certainty;
      Line certaintyText = ws_.format(certainty);
      bool admitted = listItem || traitsOf(ws_.method).direction == Direction::Forward ||
                      (cls == firstClass_ && value == firstValue_);
      if (admitted) ws_.protocol.append({u"Гипотеза", cls + u" " + value, certaintyText});
      auto rows = ws_.results.find(cls, value);
      if (!rows.empty()) {
        std::size_t row = rows.back();
        long double combined = SumCt(host_, ws_.number(ws_.results.cell(row, 2)), certainty);
        certainty_ = combined;
        ws_.results.setCell(row, 2, ws_.format(combined));
      } else if (admitted) {
        ws_.results.append({cls, value, certaintyText});
      }
      std::size_t close = factorStart + factorText.size();
      if (charAt(text, close + 1) != u',') return;
      listItem = true;
      // The next items: formulas until one without a comma, or the next conclusion.
      ListPlace next = listGoesOn(ws_.lines, line, close + 2);
      while (true) {
        if (!next.more) return;
        line = next.line;
        pos = next.pos;
        std::size_t start;
        Line item = readWordAt(ws_.lines[line], pos, start);
        if (!isFormula(item)) {
          cls = item;
          break;
        }
        if (item.back() != u',') {
          formula(ws_, host_, item);
          return;
        }
        item.pop_back();
        formula(ws_, host_, item);
        next = listGoesOn(ws_.lines, line, start + item.size() + 1);
      }
    }
  }

  bool caseBlock(const Line& parameter, std::size_t caseLine) {
    const Lines& lines = ws_.lines;
    trace(caseLine);
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < ws_.facts.size(); ++r) {
      if (ws_.facts.cell(r, 0) == parameter) rows.push_back(r);
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const Line factValue = ws_.facts.cell(rows[k], 1);
      std::size_t current = caseLine + k;
      while (current < lines.size() && lines[current] != kEnd) {
        ++current;
        if (current < lines.size() && lines[current].empty()) {
          ++current;
          if (current < lines.size() && lines[current].empty()) return false;
        }
        if (current >= lines.size()) break;
        const Line text = lines[current];
        std::size_t pos = 1;
        if (readWord(text, pos) != factValue) continue;
        trace(current);
        ++fired_;
        Line w = readWord(text, pos);
        if (isFormula(w)) {
          formulas(w, current, pos);
          continue;
        }
        conclusion(w, current, pos, ws_.number(ws_.facts.cell(rows[k], 2)), false);
      }
    }
    return true;
  }

  Workspace& ws_;
  Host& host_;
  long double certainty_ = 0;
  int ifCount_ = 0, elseCount_ = 0, fired_ = 0;
  Line firstClass_, firstValue_;
};

}  // namespace

int textReadingPass(Workspace& ws, Host& host) { return Pass(ws, host).run(); }

}  // namespace veksa::testing
