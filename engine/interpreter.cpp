// The rule interpreter.
#include "engine/interpreter.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

RunCache::RunCache(Workspace& ws, Host& host)
    : text(ws.lines, ws.symbols(), ws.decimalSeparator),
      expressions(ws.symbols()),
      conditions(ws, host, text, expressions),
      factsGeneration_(ws.facts.generation()) {
  for (auto& [name, value] : variableDeclarations(ws.lines)) {
    variables.emplace_back(ws.symbols().intern(name), ws.variables.cellOf(1, value));
  }
  // The facts by parameter, in row order (a counting sort over the parameter symbols).
  factStart_.assign(ws.symbols().size() + 1, 0);
  for (std::size_t r = 0; r < ws.facts.size(); ++r) ++factStart_[ws.facts.at(r, 0).a + 1];
  for (std::size_t s = 1; s < factStart_.size(); ++s) factStart_[s] += factStart_[s - 1];
  factRows_.resize(ws.facts.size());
  std::vector<std::uint32_t> next(factStart_.begin(), factStart_.end() - 1);
  for (std::size_t r = 0; r < ws.facts.size(); ++r) {
    factRows_[next[ws.facts.at(r, 0).a]++] = static_cast<std::uint32_t>(r);
  }
}

bool RunCache::validFor(const Workspace& ws) const {
  return factsGeneration_ == ws.facts.generation();
}

std::span<const std::uint32_t> RunCache::factsOf(Symbol parameter) const {
  if (parameter + 1 >= factStart_.size()) return {};
  return {factRows_.data() + factStart_[parameter], factRows_.data() + factStart_[parameter + 1]};
}

const std::vector<RunCache::RuleStep>& RunCache::ruleSequence(const Lines& path) {
  if (pathSize_ != path.size()) {
    sequence_.clear();
    for (std::size_t e = 0; e < path.size(); ++e) {
      Symbol name = text.symbols().find(path[e]);
      if (name == kNoSymbol) continue;
      for (std::uint32_t nameLine : text.rules(name)) {
        sequence_.push_back({static_cast<std::uint32_t>(e), nameLine, name});
      }
    }
    pathSize_ = path.size();
  }
  return sequence_;
}

bool RunCache::pairsOf(std::size_t line, std::span<Pair>& pairs) {
  constexpr std::uint32_t kUnread = ~std::uint32_t{0}, kEnd = ~std::uint32_t{0};
  if (linePairs_.empty()) linePairs_.assign(text.size(), {kUnread, 0});
  auto& [first, count] = linePairs_[line];
  if (first == kUnread) {
    first = static_cast<std::uint32_t>(pairs_.size());
    const std::size_t length = text.length(line);
    std::size_t pos = 1;
    while (pos <= length) {
      Pair pair{text.read(line, pos), kSymEmpty, 0, 0};
      pair.afterFirst = static_cast<std::uint32_t>(pos);
      pair.w2 = text.read(line, pos);
      pair.after = static_cast<std::uint32_t>(++pos);
      if (pair.w1 == kSymIf || pair.w1 == kSymThen || pair.w1 == kSymElse || pair.w1 == kSymCase) {
        pairs_.push_back(pair);
      }
    }
    count = text.isEndLine(line) ? kEnd : static_cast<std::uint32_t>(pairs_.size() - first);
  }
  if (count == kEnd) return false;
  pairs = {pairs_.data() + first, count};
  return true;
}

Interpreter::Interpreter(Workspace& ws, Host& host, RunCache* cache, PassRecord* record)
    : ws_(ws), host_(host), run_(cache), record_(record) {
  if (run_ == nullptr || !run_->validFor(ws)) run_ = &ownRun_.emplace(ws, host);
}

void Interpreter::Trass(std::size_t line) {
  if (ws_.TraceMode) host_.traceStep(line);
}

PassResult Interpreter::Button15Click() {
  for (const auto& [name, value] : run_->variables) ws_.variables.append({Cell::word(name), value});
  FirstConclusionClass = FirstConclusionValue = kSymEmpty;
  ConclusionCount = 0;
  if (record_ != nullptr) {
    record_->clear();
    record_->recorded = true;
  }
  const std::vector<RunCache::RuleStep>& sequence = run_->ruleSequence(ws_.RulePath);
  for (std::size_t r = 0; r < sequence.size(); ++r) {
    const auto [e, nameLine, name] = sequence[r];
    const Line& entry = ws_.RulePath[e];
    if (ws_.TraceMode && entry != ws_.traceRule) continue;
    certainty_ = 0;
    IfCount = 0;
    ElseCount = 0;
    ws_.protocol.append({Cell::word(name), Cell::word(kSymEmpty), Cell::word(kSymEmpty)});
    ++counts_.rulesExecuted;
    currentRule_ = &entry;
    currentNameLine_ = nameLine;
    const int firedBefore = ConclusionCount;
    PrRale(nameLine + 1);
    if (record_ != nullptr && ConclusionCount > firedBefore) record_->firedRules.insert(entry);
    if (traitsOf(ws_.method).endsAtFirstConclusion && ConclusionCount > 0) {
      host_.showResults();
      return finish();
    }
  }
  return finish();
}

PassResult Interpreter::finish() {
  if (record_ != nullptr) record_->counts = counts_;
  return {ConclusionCount, textOf(FirstConclusionClass), textOf(FirstConclusionValue), counts_};
}

void Interpreter::condition(std::size_t line, std::size_t pos, std::uint32_t& note) {
  ++IfCount;
  ++counts_.conditionsEvaluated;
  certainty_ = run_->conditions.IdenIf(line, pos, certainty_, note);
}

void Interpreter::nestedCondition(std::size_t line, std::size_t pos, std::uint32_t& note) {
  const long double outer = certainty_;
  certainty_ = 0;
  condition(line, pos, note);
  certainty_ = std::min(outer, certainty_);
}

void Interpreter::PrRale(std::size_t first) {
  RunText& text = run_->text;
  for (std::size_t i = first; i < text.size(); ++i) {
    // The line is read as pairs of words w1 w2; the rule ends at an END line.
    std::span<RunCache::Pair> pairs;
    if (!run_->pairsOf(i, pairs)) return;
    for (RunCache::Pair& pair : pairs) {
      const Symbol w1 = pair.w1, w2 = pair.w2;
      const std::size_t pos = pair.after;
      if (w1 == kSymIf) {
        Trass(i);
        // The pair scan goes on over the condition's words.
        condition(i, pair.afterFirst, pair.note);
      }
      if (w1 == kSymThen && certainty_ > 0) {
        if (w2 == kSymIf) {
          Trass(i);
          nestedCondition(i, pos, pair.note);
        } else {
          if (w2 == kSymEmpty || w2 == kSymThen || w2 == kSymElse) return;
          Trass(i);
          branchFired(i);
          fireBranch(run_->branches.items(text, i, pos, w2, pair.note), certainty_);
          return;
        }
        continue;
      }
      if (w1 == kSymElse) {
        // An ELSE fires only when as many ELSE words have been met as IF parts entered.
        ++ElseCount;
        if (certainty_ < 0 && ElseCount == IfCount) {
          if (w2 == kSymEmpty || w2 == kSymEnd || w2 == kSymElse) return;
          if (w2 == kSymIf) {
            Trass(i);
            certainty_ = -certainty_;
            nestedCondition(i, pos, pair.note);
          } else {
            Trass(i);
            branchFired(i);
            certainty_ = -certainty_;
            fireBranch(run_->branches.items(text, i, pos, w2, pair.note), certainty_);
            return;
          }
        }
      }
      if (w1 == kSymCase && !caseBlock(w2, i)) return;
    }
  }
}

void Interpreter::branchFired(std::size_t line) {
  ++ConclusionCount;
  if (record_ != nullptr && currentRule_ != nullptr) {
    record_->firedBranches.push_back({*currentRule_, line - currentNameLine_, ws_.lines[line]});
  }
}

void Interpreter::fireBranch(std::span<const BranchItem> items, long double conditionCertainty) {
  // A conclusion list: its first conclusion here, the rest in spisgip; a formula list: every
  // formula in spisgip.
  if (items.front().kind == BranchItem::Kind::FirstConclusion) {
    recordConclusion(items.front(), conditionCertainty);
    items = items.subspan(1);
  }
  spisgip(items, conditionCertainty);
}

void Interpreter::spisgip(std::span<const BranchItem> items, long double conditionCertainty) {
  for (const BranchItem& item : items) {
    switch (item.kind) {
      case BranchItem::Kind::FirstFormula:
      case BranchItem::Kind::Formula:
        Idenex1(ws_, host_,
                run_->expressions.formula(item.word, item.kind == BranchItem::Kind::FirstFormula));
        break;
      case BranchItem::Kind::FirstConclusion:
      case BranchItem::Kind::Conclusion:
        recordConclusion(item, conditionCertainty);
        break;
    }
  }
}

void Interpreter::recordResult(const BranchItem& item, long double certainty, bool mayAppend,
                               ConclusionRecord* record) {
  ResultRows& rows = run_->results;
  const std::uint32_t row = rows.lastRow(ws_.results, item.result);
  if (row != ResultRows::kNone) {
    long double before = ws_.results.number(row, 2);
    long double combined = SumCt(host_, before, certainty);
    certainty_ = combined;
    ws_.results.setCell(row, 2, Cell::number(combined));
    rows.changed(ws_.results);
    ++counts_.conclusionsRecorded;
    if (record != nullptr) {
      record->combination = Combination{before, certainty, combined};
    }
  } else if (mayAppend) {
    ws_.results.append({Cell::word(item.word), Cell::word(item.value), Cell::number(certainty)});
    rows.appended(ws_.results, item.result, static_cast<std::uint32_t>(ws_.results.size() - 1));
    ++counts_.conclusionsRecorded;
    if (record != nullptr) record->appended = true;
  }
}

void Interpreter::recordConclusion(const BranchItem& item, long double conditionCertainty) {
  const Symbol cls = item.word, value = item.value;
  const bool listItem = item.kind == BranchItem::Kind::Conclusion;
  if (!listItem && ConclusionCount == 1) {
    FirstConclusionClass = cls;
    FirstConclusionValue = value;
  }
  long double factor = run_->text.number(item.factor);
  long double certainty = checkedCertainty(conditionCertainty * factor);
  // Firing a branch (THEN, ELSE or a CASE alternative) multiplies the current certainty by the
  // factor; the items of its list leave it to SumCt.
  if (!listItem) certainty_ = certainty;
  bool admitted = listItem || traitsOf(ws_.method).direction == Direction::Forward ||
                  (cls == FirstConclusionClass && value == FirstConclusionValue);
  if (admitted) {
    ws_.protocol.append(
        {Cell::word(kSymHypothesis), Cell::pair(cls, value), Cell::numberRoundedOnRead(certainty)});
  }
  ConclusionRecord* record = nullptr;
  if (record_ != nullptr) {
    record = &record_->conclusions.emplace_back(
        ConclusionRecord{.rule = currentRule_ != nullptr ? *currentRule_ : Line(),
                         .cls = textOf(cls),
                         .value = textOf(value),
                         .caseAlternative = inCase_,
                         .conditionCertainty = conditionCertainty,
                         .factor = factor,
                         .certainty = certainty,
                         .admitted = admitted,
                         .appended = false,
                         .combination = std::nullopt});
  }
  recordResult(item, certainty, admitted, record);
}

bool Interpreter::caseBlock(Symbol parameter, std::size_t caseLine) {
  RunText& text = run_->text;
  const Lines& lines = text.lines();
  Trass(caseLine);
  std::span<const std::uint32_t> rows = run_->factsOf(parameter);
  // The k-th fact of the parameter scans the block from the CASE line + k.
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const Symbol factValue = ws_.facts.at(rows[k], 1).a;
    std::size_t current = caseLine + k;
    while (current < lines.size() && !text.isEndLine(current)) {
      ++current;
      if (current < lines.size() && text.length(current) == 0) {
        ++current;
        if (current < lines.size() && text.length(current) == 0) return false;  // the rule ends
      }
      if (current >= lines.size()) break;
      if (text.firstWord(current) != factValue) continue;
      Trass(current);
      branchFired(current);
      std::span<const BranchItem> items = run_->branches.alternative(text, current);
      if (items.front().kind == BranchItem::Kind::FirstFormula) {
        fireBranch(items, 0);  // a formula list takes no certainty
        continue;
      }
      // The fact's certainty is the alternative's condition certainty.
      long double certainty = ws_.facts.number(rows[k], 2);
      inCase_ = true;
      fireBranch(items, certainty);
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
  for (std::size_t i = 0; i < n; ++i) c[i] = ws.results.number(i, 2);
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
