// Condition evaluation (IdenIf, IdenC) and the combination of certainties (SumCt).
#include "engine/conditions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/variables.h"
#include "kb/keywords.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

long double checkedCertainty(long double v) {
  if (std::isnan(v)) throw RunError(Line(kInvalidOperation));
  if (std::isinf(v)) throw RunError(Line(kOverflow));
  return v;
}

SumCtFormula sumCtFormula(long double a, long double b) {
  if (a > 0 && b > 0) return SumCtFormula::BothPositive;
  if (a < 0 && b < 0) return SumCtFormula::BothNegative;
  if ((a > 0 && b < 0) || (a < 0 && b > 0)) {
    return std::fabs(a) == 1 || std::fabs(b) == 1 ? SumCtFormula::OppositeWithOne
                                                  : SumCtFormula::OppositeSigns;
  }
  return SumCtFormula::Zero;
}

long double SumCt(Host& host, long double a, long double b) {
  long double result = 0;
  switch (sumCtFormula(a, b)) {
    case SumCtFormula::BothPositive:
      result = a + b - checkedCertainty(a * b);
      break;
    case SumCtFormula::BothNegative:
      result = a + b + checkedCertainty(a * b);
      break;
    case SumCtFormula::OppositeSigns:
      result = (a + b) / (1 - std::min(std::fabs(a), std::fabs(b)));
      break;
    case SumCtFormula::OppositeWithOne:
      host.message(Line(kBadKnowledgeBase));
      result = 0;
      break;
    case SumCtFormula::Zero:
      result = a == 0 ? b : a;  // both 0 give 0
      break;
  }
  return checkedCertainty(result);
}

namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// The sign class of a certainty: 0 below zero, 1 at zero, 2 above.
int signClass(long double x) { return x < 0 ? 0 : x == 0 ? 1 : 2; }
int signOf(long double x) { return x < 0 ? -1 : x == 0 ? 0 : 1; }

using Rest = ConditionEvaluator::Rest;

Rest identity() {
  Rest r;
  r.lo = -kInfinity;
  r.hi = kInfinity;
  return r;
}

long double applyRest(const Rest& r, long double x) {
  return x < r.lo ? r.lo : x > r.hi ? r.hi : x;
}

// The segment `a` (one line, ending past its end) followed by the rest `b`.
Rest compose(const Rest& a, const Rest& b) {
  Rest r;
  r.lo = applyRest(b, a.lo);
  r.hi = applyRest(b, a.hi);
  for (int s = 0; s < 3; ++s) {
    // The sign of a's result for a start of class s: the median of the signs (a clamp is monotone).
    int x = s - 1, lo = signOf(a.lo), hi = signOf(a.hi);
    int after = std::max(lo, std::min(x, hi));
    r.zero[s] = a.zero[s] || b.zero[after + 1];
  }
  r.end = b.end;
  r.comparison = b.comparison;
  r.error = b.error;
  return r;
}

}  // namespace

namespace {

// How a group's certainty joins what encloses it: a group that begins a step replaces the
// certainty, one after "AND" keeps the smaller of the two, one after "OR" the larger.
enum class Join { Replace, Smaller, Larger };

// The parts of a step, in order. A nested group suspends a step at the end of one of them.
enum class Part {
  FirstWord,   // the first word: a comparison, "THEN", ")" or "("
  SecondWord,  // the second word, and "AND ("
  OrGroup,     // "OR ("
  Terms,       // the terms, then the test for 0 and for the end of the line
};

// What a part of a step leads to.
enum class Outcome { Next, GroupOpened, GroupEnds, ConditionEnds, LineEnds };

// A condition or a group being read.
struct Frame {
  bool condition = false;         // the condition itself (IdenIf) rather than a group (IdenC)
  Join join = Join::Replace;      // how this group joins what encloses it
  std::size_t close = 0;          // where what encloses it goes on after this group
  long double cert = 0;           // a group's certainty (a condition uses the walk's certainty)
  Symbol w[5] = {};               // the word slots w1..w5; a word not found leaves its slot
  Part resume = Part::FirstWord;  // where this evaluation goes on after a nested group
  int reread = 0;                 // the slots it reads again first (w1, or w1 and w2)
};

}  // namespace

// One run of a condition's steps over one line, or of a whole group with the groups nested in it.
// The condition's certainty is a number (`certainty`) or, with `rest`, followed as a function of
// the certainty it starts with; a group's certainty is always a number of its own.
class ConditionEvaluator::Walk {
 public:
  Walk(ConditionEvaluator& e, std::size_t line, std::size_t pos, long double* certainty, Rest* rest)
      : e_(e), line_(line), pos_(pos), certainty_(certainty), rest_(rest) {}

  // Runs the condition's steps with the slots `slots` as the previous line left them (w1..w5).
  // Returns true when a step ended past the end of the line, with the slots left in `slots`.
  bool condition(Symbol* slots) {
    Frame& f = stack_.emplace_back();
    f.condition = true;
    for (int k = 0; k < 5; ++k) f.w[k] = slots[k];
    if (!run()) return false;
    for (int k = 0; k < 5; ++k) slots[k] = stack_.back().w[k];
    return true;
  }

  // Runs a group from just after its "(" and returns its certainty.
  long double group() {
    Frame& f = stack_.emplace_back();
    f.close = e_.text_.closeAfter(line_, pos_);
    run();
    return groupResult_;
  }

 private:
  // Runs steps until the condition or the outermost group ends, or (a condition only) a step
  // ends past the end of the line: then true.
  bool run() {
    Part part = Part::FirstWord;
    while (true) {
      Frame& f = stack_.back();
      Outcome outcome = Outcome::Next;
      switch (part) {
        case Part::FirstWord:
          outcome = firstWord(f);
          break;
        case Part::SecondWord:
          outcome = secondWord(f);
          break;
        case Part::OrGroup:
          outcome = orGroup(f);
          break;
        case Part::Terms:
          outcome = terms(f);
          break;
      }
      switch (outcome) {
        case Outcome::Next:
          part =
              part == Part::Terms ? Part::FirstWord : static_cast<Part>(static_cast<int>(part) + 1);
          break;
        case Outcome::GroupOpened:
          part = Part::FirstWord;
          break;
        case Outcome::GroupEnds:
          if (!closeGroup()) return false;
          part = stack_.back().resume;
          break;
        case Outcome::ConditionEnds:
          return false;
        case Outcome::LineEnds:
          return true;
      }
    }
  }

  // The first word of a step. In a condition, a comparison word ("=X>5") decides the condition:
  // whether it holds (1 or -1) becomes the certainty, and the condition ends; "THEN" ends the
  // condition. In a group both are looked up like parameter names, and ")" ends the group. "("
  // opens a group whose certainty replaces the certainty.
  Outcome firstWord(Frame& f) {
    read(f.w[0]);
    if (f.condition) {
      if (e_.text_.isExpression(f.w[0])) {
        comparison(f.w[0]);
        return Outcome::ConditionEnds;
      }
      if (f.w[0] == kSymThen) {
        if (rest_ != nullptr) rest_->end = Rest::End::Then;
        return Outcome::ConditionEnds;
      }
    } else if (f.w[0] == kSymClose) {
      return Outcome::GroupEnds;
    }
    if (f.w[0] == kSymOpen) return openGroup(f, Join::Replace, Part::SecondWord, 1);
    return Outcome::Next;
  }

  // The second word of a step; "AND (" opens a group that can only lower the certainty.
  Outcome secondWord(Frame& f) {
    read(f.w[1]);
    if (f.w[0] == kSymAnd && f.w[1] == kSymOpen)
      return openGroup(f, Join::Smaller, Part::OrGroup, 2);
    return Outcome::Next;
  }

  // "OR (" (also right after an "AND (" group) opens a group that can only raise the certainty.
  Outcome orGroup(Frame& f) {
    if (f.w[0] == kSymOr && f.w[1] == kSymOpen) return openGroup(f, Join::Larger, Part::Terms, 2);
    return Outcome::Next;
  }

  // The terms of a step, one after another: each tests the words the one before it left. Then the
  // step ends the evaluation when the certainty is exactly 0, and the line when it is read out
  // (a condition goes on on the next line; a group never does).
  Outcome terms(Frame& f) {
    firstTerm(f);
    read(f.w[2]);
    notTerm(f);
    connectedTerm(f, kSymAnd, Join::Smaller);
    connectedTerm(f, kSymOr, Join::Larger);
    read(f.w[3]);
    negatedConnectedTerm(f, kSymAnd, Join::Smaller);
    negatedConnectedTerm(f, kSymOr, Join::Larger);
    if (endsAtZero(f)) return f.condition ? Outcome::ConditionEnds : Outcome::GroupEnds;
    if (pos_ > e_.text_.lines()[line_].size()) {
      return f.condition ? Outcome::LineEnds : Outcome::GroupEnds;
    }
    return Outcome::Next;
  }

  // A first term "P V" (a step whose first word is not NOT, "(", AND or OR): for each fact P V,
  // its certainty replaces the certainty, and the two words after the term are read in its place.
  // This takes a condition's first term, and a term after an AND or OR term whose fact is missing.
  void firstTerm(Frame& f) {
    Symbol* w = f.w;
    if (w[0] == kSymNot || w[0] == kSymOpen || w[0] == kSymAnd || w[0] == kSymOr) return;
    for (std::size_t row : e_.ws_.facts.find(w[0], w[1])) {
      assign(f, certaintyOf(row));
      read(w[0]);
      read(w[1]);
    }
  }

  // "NOT P V": for each fact P V, its negated certainty replaces the certainty; the three words
  // after the term are read in its place.
  void notTerm(Frame& f) {
    Symbol* w = f.w;
    if (w[0] != kSymNot) return;
    for (std::size_t row : e_.ws_.facts.find(w[1], w[2])) {
      assign(f, -certaintyOf(row));
      read(w[0]);
      read(w[1]);
      read(w[2]);
    }
  }

  // "AND P V" keeps the smaller of the certainty and each fact's certainty, "OR P V" the larger;
  // the three words after the term are read in its place, so an OR term right after an AND term is
  // tested next.
  void connectedTerm(Frame& f, Symbol keyword, Join join) {
    Symbol* w = f.w;
    if (w[0] != keyword || w[1] == kSymOpen || w[1] == kSymNot) return;
    for (std::size_t row : e_.ws_.facts.find(w[1], w[2])) {
      combine(f, join, certaintyOf(row));
      read(w[0]);
      read(w[1]);
      read(w[2]);
    }
  }

  // "AND NOT P V" and "OR NOT P V": the same with each fact's negated certainty; the five words
  // after the term are read in its place.
  void negatedConnectedTerm(Frame& f, Symbol keyword, Join join) {
    Symbol* w = f.w;
    if (w[0] != keyword || w[1] != kSymNot || w[2] == kSymOpen) return;
    for (std::size_t row : e_.ws_.facts.find(w[2], w[3])) {
      combine(f, join, -certaintyOf(row));
      for (int k = 0; k < 5; ++k) read(w[k]);
    }
  }

  // A group that begins just after the "(" read last; `f` goes on at `resume` after reading
  // `reread` of its slots again.
  Outcome openGroup(Frame& f, Join join, Part resume, int reread) {
    f.resume = resume;
    f.reread = reread;
    std::size_t close = e_.text_.closeAfter(line_, pos_);
    Frame& g = stack_.emplace_back();  // `f` is not used after this
    g.join = join;
    g.close = close;
    return Outcome::GroupOpened;
  }

  // Ends the innermost group: what encloses it takes its certainty as the group's "(" says and
  // goes on just past its ")". False when it was the walk's outermost group.
  bool closeGroup() {
    const long double result = stack_.back().cert;
    const std::size_t close = stack_.back().close;
    const Join join = stack_.back().join;
    stack_.pop_back();
    if (stack_.empty()) {
      groupResult_ = result;
      return false;
    }
    pos_ = close;
    Frame& parent = stack_.back();
    combine(parent, join, result);
    for (int k = 0; k < parent.reread; ++k) read(parent.w[k]);
    return true;
  }

  // A comparison word that ends the condition: the certainty becomes 1 when it holds and -1 when
  // not (unchanged after a message). A followed certainty leaves it to whoever applies the rest.
  void comparison(Symbol word) {
    if (rest_ != nullptr) {
      rest_->end = Rest::End::Comparison;
      rest_->comparison = word;
    } else if (std::optional<long double> holds =
                   Idenex2(e_.ws_, e_.host_, e_.expressions_.comparison(word))) {
      *certainty_ = *holds;
    }
  }

  // Skips spaces and reads a word of the line into a slot; past the end the slot stays.
  void read(Symbol& slot) { e_.text_.next(line_, pos_, slot); }

  long double certaintyOf(std::size_t row) const { return e_.ws_.facts.number(row, 2); }

  void assign(Frame& f, long double c) { combine(f, Join::Replace, c); }

  // Joins `c` into the certainty of `f`: replacing it, or keeping the smaller or the larger.
  void combine(Frame& f, Join join, long double c) {
    auto pick = [&](long double x) {
      if (join == Join::Replace) return c;
      return join == Join::Smaller ? std::min(x, c) : std::max(x, c);
    };
    if (!f.condition) {
      f.cert = pick(f.cert);
    } else if (rest_ != nullptr) {
      rest_->lo = pick(rest_->lo);
      rest_->hi = pick(rest_->hi);
    } else {
      *certainty_ = pick(*certainty_);
    }
  }

  // True when the certainty is exactly 0 at the end of a step. A followed certainty records for
  // which starts it is 0 and goes on.
  bool endsAtZero(const Frame& f) {
    if (!f.condition) return f.cert == 0;
    if (rest_ == nullptr) return *certainty_ == 0;
    rest_->zero[0] = rest_->zero[0] || rest_->lo == 0;
    rest_->zero[1] = rest_->zero[1] || (rest_->lo <= 0 && rest_->hi >= 0);
    rest_->zero[2] = rest_->zero[2] || rest_->hi == 0;
    return false;
  }

  ConditionEvaluator& e_;
  std::size_t line_;
  std::size_t pos_;
  long double* certainty_;
  Rest* rest_;
  std::vector<Frame> stack_;
  long double groupResult_ = 0;
};

namespace {
constexpr std::uint32_t kFree = 0xFFFFFFFFu;

std::size_t hashStart(std::uint32_t line, std::uint32_t pos, const Symbol* w) {
  std::uint64_t h = (std::uint64_t{line} << 32 | pos) * 0x9E3779B97F4A7C15ull;
  for (int k = 0; k < 4; ++k) h = (h ^ w[k]) * 0xFF51AFD7ED558CCDull;
  return static_cast<std::size_t>(h ^ (h >> 32));
}
}  // namespace

std::size_t ConditionEvaluator::slotOf(const Start& start) const {
  const std::size_t mask = memo_.size() - 1;
  for (std::size_t i = hashStart(start.line, start.pos, start.w) & mask;; i = (i + 1) & mask) {
    if (memo_[i] == kFree || starts_[memo_[i]] == start) return i;
  }
}

void ConditionEvaluator::growMemo() {
  memo_.assign(std::max<std::size_t>(1024, memo_.size() * 2), kFree);
  const std::size_t mask = memo_.size() - 1;
  for (std::uint32_t r = 0; r < starts_.size(); ++r) {
    const Start& s = starts_[r];
    std::size_t i = hashStart(s.line, s.pos, s.w) & mask;
    while (memo_[i] != kFree) i = (i + 1) & mask;
    memo_[i] = r;
  }
}

std::uint32_t ConditionEvaluator::restFrom(const Start& start) {
  if (memo_.empty()) growMemo();
  if (std::uint32_t known = memo_[slotOf(start)]; known != kFree) return known;
  // Line by line to a line start already known or to the end of the condition, then back.
  std::vector<std::pair<Start, Rest>> chain;
  Start at = start;
  std::optional<Rest> tail;
  while (true) {
    Rest segment = identity();
    Symbol slots[5] = {at.w[0], at.w[1], at.w[2], at.w[3], kSymEmpty};
    bool crossed = false;
    try {
      crossed = Walk(*this, at.line, at.pos, nullptr, &segment).condition(slots);
    } catch (const RunError& e) {
      segment.end = Rest::End::Error;
      segment.error = static_cast<std::uint32_t>(errors_.size());
      errors_.push_back(e.message());
    }
    chain.emplace_back(at, std::move(segment));
    if (!crossed) break;
    if (at.line + 1 >= text_.size()) {
      tail = identity();  // no lines remain: the certainty stays as it is
      break;
    }
    Start next{at.line + 1, 1, {slots[0], slots[1], slots[2], slots[3]}};
    if (std::uint32_t known = memo_[slotOf(next)]; known != kFree) {
      tail = rests_[known];
      break;
    }
    at = next;
  }
  for (std::size_t k = chain.size(); k-- > 0;) {
    tail = tail ? compose(chain[k].second, *tail) : chain[k].second;
    if ((rests_.size() + 1) * 2 > memo_.size()) growMemo();
    memo_[slotOf(chain[k].first)] = static_cast<std::uint32_t>(rests_.size());
    starts_.push_back(chain[k].first);
    rests_.push_back(*tail);
  }
  return static_cast<std::uint32_t>(rests_.size() - 1);
}

long double ConditionEvaluator::IdenIf(std::size_t line, std::size_t pos, long double certainty,
                                       std::uint32_t& note) {
  if (line >= text_.size()) return certainty;
  if (!memoize_) {
    // Line by line, word by word.
    Symbol slots[5] = {};
    for (; line < text_.size(); ++line, pos = 1) {
      if (!Walk(*this, line, pos, &certainty, nullptr).condition(slots)) break;
    }
    return certainty;
  }
  if (note == 0) {
    const auto at = static_cast<std::uint32_t>(line), from = static_cast<std::uint32_t>(pos);
    const std::uint32_t r = restFrom(Start{at, from, {0, 0, 0, 0}});
    if (notedOf_.size() <= r) notedOf_.resize(rests_.size(), 0);
    if (notedOf_[r] == 0) {
      noted_.push_back(rests_[r]);
      notedOf_[r] = static_cast<std::uint32_t>(noted_.size());
    }
    note = notedOf_[r];
  }
  const Rest& rest = noted_[note - 1];
  if (rest.zero[signClass(certainty)]) return 0;
  certainty = applyRest(rest, certainty);
  if (rest.end == Rest::End::Comparison) {
    const Expression& comparison = expressions_.comparison(rest.comparison);
    if (std::optional<long double> holds = Idenex2(ws_, host_, comparison)) certainty = *holds;
  } else if (rest.end == Rest::End::Error) {
    throw RunError(errors_[rest.error]);
  }
  return certainty;
}

ConditionEvaluator::Group ConditionEvaluator::IdenC(std::size_t line, std::size_t pos) {
  if (line >= text_.size()) return {};
  std::size_t close = text_.closeAfter(line, pos);
  long double certainty = Walk(*this, line, pos, nullptr, nullptr).group();
  return {close > pos ? close - pos : 0, certainty};
}

long double IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos,
                   long double certainty) {
  RunText text(ws.lines, ws.symbols(), ws.decimalSeparator);
  Expressions expressions(ws.symbols());
  return ConditionEvaluator(ws, host, text, expressions).IdenIf(line, pos, certainty);
}

ConditionEvaluator::Group IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos) {
  RunText text(ws.lines, ws.symbols(), ws.decimalSeparator);
  Expressions expressions(ws.symbols());
  return ConditionEvaluator(ws, host, text, expressions).IdenC(line, pos);
}

}  // namespace veksa
