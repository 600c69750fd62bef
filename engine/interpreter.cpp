// The rule interpreter.
#include "engine/interpreter.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "engine/variables.h"
#include "kb/keywords.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// Skips spaces from `pos` and reads the word there: `start` receives its position and `pos` the
// position just past it. No word: the empty word, `start` and `pos` just past the line's end.
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

bool isFormula(const Line& w) { return !w.empty() && w[0] == u'='; }

// The next list item from `pos` of line `line`, spaces skipped; when that is the line's last
// character or beyond, position 1 of the next line (no item when there is none).
Interpreter::NextItem nextItem(const Lines& lines, std::size_t line, std::size_t pos) {
  pos = skipSpaces(lines[line], pos);
  if (pos >= lines[line].size()) {
    ++line;
    pos = 1;
  }
  if (line >= lines.size()) return {};
  return {true, line, pos};
}

}  // namespace

RuleIndex::RuleIndex(const Lines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t pos = 1;
    if (readWord(lines[i], pos) == kName) rules_[readWord(lines[i], pos)].push_back(i);
  }
}

const std::vector<std::size_t>& RuleIndex::find(const Line& name) const {
  static const std::vector<std::size_t> kNone;
  auto it = rules_.find(name);
  return it == rules_.end() ? kNone : it->second;
}

namespace {
RunCache* validCache(Workspace& ws, RunCache* cache) {
  return cache != nullptr && cache->factsGeneration == ws.facts.generation() ? cache : nullptr;
}
}  // namespace

Interpreter::Interpreter(Workspace& ws, Host& host, RunCache* cache, PassRecord* record)
    : ws_(ws),
      host_(host),
      cache_(validCache(ws, cache)),
      ownConditions_(cache_ != nullptr
                         ? std::nullopt
                         : std::optional<ConditionEvaluator>(std::in_place, ws, host)),
      conditions_(cache_ != nullptr ? cache_->conditions : *ownConditions_),
      record_(record) {}

void Interpreter::Trass(std::size_t line) {
  if (ws_.TraceMode == 1) host_.traceStep(line);
}

const std::vector<std::size_t>& Interpreter::factsOf(const Line& parameter) {
  static const std::vector<std::size_t> kNone;
  if (!factsIndexed_) {
    for (std::size_t r = 0; r < ws_.facts.size(); ++r) {
      factsByParameter_[ws_.facts.cell(r, 0)].push_back(r);
    }
    factsIndexed_ = true;
  }
  auto it = factsByParameter_.find(parameter);
  return it == factsByParameter_.end() ? kNone : it->second;
}

PassResult Interpreter::Button15Click() {
  VVar(ws_);
  FirstConclusionClass.clear();
  FirstConclusionValue.clear();
  ConclusionCount = 0;
  if (record_ != nullptr) {
    record_->clear();
    record_->recorded = true;
  }
  std::optional<RuleIndex> ownRules;
  if (cache_ == nullptr) ownRules.emplace(ws_.lines);
  const RuleIndex& rules = cache_ != nullptr ? cache_->rules : *ownRules;
  std::vector<std::size_t> allEntries;
  const std::vector<std::size_t>* entries = &allEntries;
  if (cache_ != nullptr) {
    if (cache_->pathSize != ws_.RulePath.size()) {
      cache_->namedEntries.clear();
      for (std::size_t e = 0; e < ws_.RulePath.size(); ++e) {
        if (!rules.find(ws_.RulePath[e]).empty()) cache_->namedEntries.push_back(e);
      }
      cache_->pathSize = ws_.RulePath.size();
    }
    entries = &cache_->namedEntries;
  } else {
    allEntries.resize(ws_.RulePath.size());
    for (std::size_t e = 0; e < allEntries.size(); ++e) allEntries[e] = e;
  }
  for (std::size_t e : *entries) {
    const Line& entry = ws_.RulePath[e];
    if (ws_.TraceMode == 1 && entry != ws_.traceRule) continue;
    for (std::size_t nameLine : rules.find(entry)) {
      certainty_ = 0;
      IfCount = 0;
      ElseCount = 0;
      ws_.protocol.append({entry, u"", u""});
      ++counts_.rulesExecuted;
      currentRule_ = &entry;
      currentNameLine_ = nameLine;
      const int firedBefore = ConclusionCount;
      PrRale(nameLine + 1);
      if (record_ != nullptr && ConclusionCount > firedBefore) record_->firedRules.insert(entry);
      if (ws_.InferenceMethod == kMethodFirstConclusion && ConclusionCount > 0) {
        host_.showResults();
        return finish();
      }
    }
  }
  return finish();
}

PassResult Interpreter::finish() {
  if (record_ != nullptr) record_->counts = counts_;
  return {ConclusionCount, FirstConclusionClass, FirstConclusionValue, counts_};
}

void Interpreter::condition(std::size_t line, std::size_t pos) {
  ++IfCount;
  ++counts_.conditionsEvaluated;
  certainty_ = conditions_.IdenIf(line, pos, certainty_);
}

void Interpreter::nestedCondition(std::size_t line, std::size_t pos) {
  const long double outer = certainty_;
  certainty_ = 0;
  condition(line, pos);
  certainty_ = std::min(outer, certainty_);
}

void Interpreter::PrRale(std::size_t first) {
  const Lines& lines = ws_.lines;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const Line& text = lines[i];
    if (text == kEnd) return;
    std::size_t pos = 1;
    while (pos <= text.size()) {
      Line w1 = readWord(text, pos);
      if (w1 == kIf) {
        Trass(i);
        condition(i, pos);  // the pair scan goes on over the condition's words
      }
      Line w2 = readWord(text, pos);
      ++pos;
      if (w1 == kThen && certainty_ > 0) {
        if (w2 == kIf) {
          Trass(i);
          nestedCondition(i, pos);
        } else {
          if (w2.empty() || w2 == kThen || w2 == kElse) return;
          Trass(i);
          branchFired(i);
          fireBranch(w2, i, pos);
          return;
        }
        continue;
      }
      if (w1 == kElse) {
        ++ElseCount;
        if (certainty_ < 0 && ElseCount == IfCount) {
          if (w2.empty() || w2 == kEnd || w2 == kElse) return;
          if (w2 == kIf) {
            Trass(i);
            certainty_ = -certainty_;
            nestedCondition(i, pos);
          } else {
            Trass(i);
            branchFired(i);
            certainty_ = -certainty_;
            fireBranch(w2, i, pos);
            return;
          }
        }
      }
      if (w1 == kCase && !caseBlock(w2, i)) return;
    }
  }
}

void Interpreter::branchFired(std::size_t line) {
  ++ConclusionCount;
  if (record_ != nullptr && currentRule_ != nullptr) {
    record_->firedBranches.push_back({*currentRule_, line - currentNameLine_, ws_.lines[line]});
  }
}

void Interpreter::fireBranch(const Line& w, std::size_t line, std::size_t pos) {
  if (isFormula(w)) {
    formulaList(w, line, pos);
    return;
  }
  conclusion(w, line, pos, certainty_);
}

void Interpreter::formulaList(Line formula, std::size_t line, std::size_t pos) {
  const Line& text = ws_.lines[line];
  if (isFormula(formula)) formula.erase(0, 1);
  while (true) {
    if (!formula.empty() && formula.back() == u',') formula.pop_back();
    Idenex1(ws_, host_, formula);
    formula = readWord(text, pos);
    if (formula.empty()) return;
  }
}

void Interpreter::recordResult(const Line& cls, const Line& value, long double certainty,
                               const Line& text, bool mayAppend, ConclusionRecord* record) {
  const auto& rows = ws_.results.find(cls, value);
  if (!rows.empty()) {
    std::size_t row = rows.back();
    long double before = ws_.number(ws_.results.cell(row, 2));
    long double combined = SumCt(host_, before, certainty);
    certainty_ = combined;
    ws_.results.setCell(row, 2, ws_.format(combined));
    ++counts_.conclusionsRecorded;
    if (record != nullptr) record->combination = Combination{before, certainty, combined};
  } else if (mayAppend) {
    ws_.results.append({cls, value, text});
    ++counts_.conclusionsRecorded;
    if (record != nullptr) record->appended = true;
  }
}

Interpreter::NextItem Interpreter::recordConclusion(const Line& cls, std::size_t line,
                                                    std::size_t pos, bool listItem,
                                                    long double conditionCertainty) {
  const Line& text = ws_.lines[line];
  Line value = readWord(text, pos);
  ++pos;
  if (!listItem && ConclusionCount == 1) {
    FirstConclusionClass = cls;
    FirstConclusionValue = value;
  }
  pos = skipSpaces(text, pos) + 1;  // the character reached is taken to be "[" and passed over
  std::size_t factorStart;
  Line factorText = readWordAt(text, pos, factorStart);
  long double factor = ws_.number(factorText);
  long double certainty = checkedCertainty(conditionCertainty * factor);
  // Firing a branch (THEN, ELSE or a CASE alternative) multiplies the current certainty by the
  // factor; the items of its list leave it to SumCt.
  if (!listItem) certainty_ = certainty;
  Line certaintyText = ws_.format(certainty);
  bool admitted = listItem || ws_.InferenceMethod < kMethodBackward ||
                  (cls == FirstConclusionClass && value == FirstConclusionValue);
  if (admitted) ws_.protocol.append({u"Гипотеза", cls + u" " + value, certaintyText});
  ConclusionRecord* record = nullptr;
  if (record_ != nullptr) {
    record = &record_->conclusions.emplace_back(
        ConclusionRecord{.rule = currentRule_ != nullptr ? *currentRule_ : Line(),
                         .cls = cls,
                         .value = value,
                         .caseAlternative = inCase_,
                         .conditionCertainty = conditionCertainty,
                         .factor = factor,
                         .certainty = certainty,
                         .admitted = admitted,
                         .appended = false,
                         .combination = std::nullopt});
  }
  recordResult(cls, value, certainty, certaintyText, admitted, record);
  // The list goes on when a comma follows the closing "]" directly.
  std::size_t close = factorStart + factorText.size();
  if (charAt(text, close + 1) != u',') return {};
  return nextItem(ws_.lines, line, close + 2);
}

void Interpreter::conclusion(const Line& cls, std::size_t line, std::size_t pos,
                             long double conditionCertainty) {
  NextItem next = recordConclusion(cls, line, pos, false, conditionCertainty);
  if (next.more) spisgip(next.pos, next.line, conditionCertainty);
}

void Interpreter::spisgip(std::size_t pos, std::size_t line, long double conditionCertainty) {
  // Item by item, without recursion however long the list.
  while (line < ws_.lines.size()) {
    std::size_t start;
    Line item = readWordAt(ws_.lines[line], pos, start);
    Interpreter::NextItem next;
    if (isFormula(item)) {
      if (item.back() != u',') {
        Idenex1(ws_, host_, item);
        return;
      }
      item.pop_back();
      Idenex1(ws_, host_, item);
      next = nextItem(ws_.lines, line, start + item.size() + 1);
    } else {
      next = recordConclusion(item, line, pos, true, conditionCertainty);
    }
    if (!next.more) return;
    line = next.line;
    pos = next.pos;
  }
}

bool Interpreter::caseBlock(const Line& parameter, std::size_t caseLine) {
  const Lines& lines = ws_.lines;
  Trass(caseLine);
  const std::vector<std::size_t> rows = factsOf(parameter);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const Line factValue = ws_.facts.cell(rows[k], 1);
    std::size_t current = caseLine + k;
    while (current < lines.size() && lines[current] != kEnd) {
      ++current;
      if (current < lines.size() && lines[current].empty()) {
        ++current;
        if (current < lines.size() && lines[current].empty()) return false;  // the rule ends
      }
      if (current >= lines.size()) break;
      const Line& text = lines[current];
      std::size_t pos = 1;
      if (readWord(text, pos) != factValue) continue;
      Trass(current);
      branchFired(current);
      Line w = readWord(text, pos);
      if (isFormula(w)) {
        formulaList(w, current, pos);
        continue;
      }
      // The fact's certainty is the alternative's condition certainty.
      long double certainty = ws_.number(ws_.facts.cell(rows[k], 2));
      inCase_ = true;
      conclusion(w, current, pos, certainty);
      inCase_ = false;
    }
  }
  return true;
}

PassResult Button15Click(Workspace& ws, Host& host, RunCache* cache, PassRecord* record) {
  return Interpreter(ws, host, cache, record).Button15Click();
}

namespace {

// Counts of marked positions, for prefix sums in O(log n).
class Fenwick {
 public:
  explicit Fenwick(std::size_t n) : tree_(n + 1, 0) {}
  void mark(std::size_t pos) {
    for (std::size_t i = pos + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  // Marked positions below `end`.
  std::size_t below(std::size_t end) const {
    std::size_t sum = 0;
    for (std::size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }

 private:
  std::vector<std::size_t> tree_;
};

}  // namespace

std::vector<std::size_t> UpOrder(const std::vector<long double>& c) {
  // The walk of Up ends with the rows in descending order; only the order of rows of equal
  // certainty v depends on the exchanges. Restricted to the rows of certainty >= v, one step of the
  // walk takes the head run of v-rows (if the head is a v-row) and moves its first row behind the
  // other v-rows before the next larger row, which leaves the walk. So, over the rows in their
  // original order, the v-rows form a queue: each v-row joins at the back, and each larger row
  // after the first v-row moves the front row to the back. The v-rows leave in the queue's order.
  const std::size_t n = c.size();
  std::vector<std::size_t> byValue(n);
  for (std::size_t i = 0; i < n; ++i) byValue[i] = i;
  std::stable_sort(byValue.begin(), byValue.end(),
                   [&](std::size_t a, std::size_t b) { return c[a] > c[b]; });
  Fenwick larger(n);
  std::vector<std::size_t> order;
  order.reserve(n);
  std::deque<std::size_t> queue;
  for (std::size_t g = 0; g < n;) {
    std::size_t h = g;
    while (h < n && c[byValue[h]] == c[byValue[g]]) ++h;
    if (h - g == 1) {
      order.push_back(byValue[g]);
    } else {
      queue.clear();
      for (std::size_t k = g; k < h; ++k) {
        queue.push_back(byValue[k]);
        std::size_t next = k + 1 < h ? byValue[k + 1] : n;
        std::size_t turns = (larger.below(next) - larger.below(byValue[k] + 1)) % queue.size();
        for (std::size_t t = 0; t < turns; ++t) {
          queue.push_back(queue.front());
          queue.pop_front();
        }
      }
      order.insert(order.end(), queue.begin(), queue.end());
    }
    for (std::size_t k = g; k < h; ++k) larger.mark(byValue[k]);
    g = h;
  }
  return order;
}

void Up(Workspace& ws) {
  std::size_t n = ws.results.size();
  if (n < 2) return;
  std::vector<long double> c(n);
  for (std::size_t i = 0; i < n; ++i) c[i] = ws.number(ws.results.cell(i, 2));
  std::vector<std::size_t> order = UpOrder(c);
  // Put row order[i] at i with at most n exchanges.
  std::vector<std::size_t> where(n), at(n);  // row -> position, position -> row
  for (std::size_t i = 0; i < n; ++i) where[i] = at[i] = i;
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t from = where[order[i]];
    if (from == i) continue;
    ws.results.swapRows(i, from);
    std::size_t displaced = at[i];
    at[from] = displaced;
    where[displaced] = from;
    at[i] = order[i];
    where[order[i]] = i;
  }
}

}  // namespace veksa
