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

long double SumCt(Workspace& ws, Host& host, long double a, long double b) {
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
  ws.certainty = checkedCertainty(result);
  return ws.certainty;
}

std::size_t GroupIndex::closeAfter(std::size_t line, std::size_t posAfterOpen) {
  const Line& text = lines_[line];
  auto it = cache_.find(line);
  if (it == cache_.end()) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::vector<std::size_t> open;  // indexes into pairs of the groups not yet closed
    forEachWord(text, [&](const Line& w, std::size_t start) {
      if (w == u"(") {
        pairs.emplace_back(start + 1, text.size() + 1);
        open.push_back(pairs.size() - 1);
      } else if (w == u")" && !open.empty()) {
        pairs[open.back()].second = start + 1;
        open.pop_back();
      }
      return true;
    });
    it = cache_.emplace(line, std::move(pairs)).first;
  }
  const auto& pairs = it->second;
  auto found =
      std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(posAfterOpen, std::size_t{0}));
  if (found != pairs.end() && found->first == posAfterOpen) return found->second;
  // Not just after a "(" word: the first ")" at depth 0 from here.
  std::size_t depth = 0, result = text.size() + 1;
  std::size_t pos = posAfterOpen;
  while (true) {
    pos = skipSpaces(text, pos);
    if (pos > text.size()) break;
    Line w;
    GetLeks(text, pos, text.size(), w);
    pos += w.size();
    if (w == u"(") {
      ++depth;
    } else if (w == u")") {
      if (depth == 0) {
        result = pos;
        break;
      }
      --depth;
    }
  }
  return result;
}

namespace {

// How a group's result joins the partial result of what encloses it.
enum class Combine { Assign, Min, Max };

// Where an evaluation goes on: the steps of a condition, with the points at which a nested group
// returns.
enum class Stage {
  Start,          // step 1 (and 2, 3, 4 up to the nested group)
  AfterGroup,     // step 4 after the group: read w1 again
  SecondWord,     // step 5, then 6 up to the nested group
  AfterAndGroup,  // step 6 after the group: read w1 and w2 again
  OrGroup,        // step 7 up to the nested group
  AfterOrGroup,   // step 7 after the group: read w1 and w2 again
  Terms,          // steps 8 to 16
};

struct Frame {
  bool condition;        // the condition itself (IdenIf) rather than a group (IdenC)
  Combine combine;       // how this group joins the enclosing evaluation
  std::size_t close;     // where the enclosing evaluation goes on after this group
  long double cert = 0;  // the group certainty (a condition uses the current certainty)
  Line w[5];             // the word slots w1..w5; a word not found leaves its slot unchanged
  Stage resume = Stage::Start;
};

Frame newFrame(bool condition, Combine combine, std::size_t close) {
  Frame f;
  f.condition = condition;
  f.combine = combine;
  f.close = close;
  return f;
}

}  // namespace

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
  r.word = b.word;
  return r;
}

}  // namespace

std::size_t ConditionEvaluator::LineStartHash::operator()(const LineStart& s) const {
  std::uint64_t h = s.line * 0x9E3779B97F4A7C15ull;
  for (std::uint32_t w : s.w) h = (h ^ w) * 0xFF51AFD7ED558CCDull;
  return static_cast<std::size_t>(h ^ (h >> 32));
}

ConditionEvaluator::LineStart ConditionEvaluator::lineStart(std::size_t line, const Line* slots) {
  LineStart start{line, {0, 0, 0, 0}};
  for (int k = 0; k < 4; ++k) {
    auto [it, added] = wordIds_.try_emplace(slots[k], static_cast<std::uint32_t>(words_.size()));
    if (added) words_.push_back(slots[k]);
    start.w[k] = it->second;
  }
  return start;
}

bool ConditionEvaluator::runLine(bool condition, Rest* rest, std::size_t lineIndex, std::size_t pos,
                                 Line* slots, long double& groupResult) {
  const Line& text = ws_.lines[lineIndex];
  std::vector<Frame> stack;
  stack.push_back(
      newFrame(condition, Combine::Assign, condition ? 0 : groups_.closeAfter(lineIndex, pos)));
  if (condition && slots != nullptr) {
    for (int k = 0; k < 5; ++k) stack.back().w[k] = slots[k];
  }
  Stage stage = Stage::Start;

  // Skip spaces and read a word of the line into a slot; past the end the slot stays.
  auto read = [&](Line& slot) {
    pos = skipSpaces(text, pos);
    if (pos > text.size()) return;
    Line word;
    GetLeks(text, pos, text.size(), word);
    pos += word.size();
    slot = std::move(word);
  };
  auto certaintyOf = [&](std::size_t row) { return ws_.number(ws_.facts.cell(row, 2)); };
  // The certainty operations of a frame: the condition's own certainty is followed as a function
  // when `rest` is given.
  auto assign = [&](Frame& f, long double c) {
    if (!f.condition) {
      f.cert = c;
    } else if (rest != nullptr) {
      rest->lo = rest->hi = c;
    } else {
      ws_.certainty = c;
    }
  };
  auto lower = [&](Frame& f, long double c) {  // keep the smaller
    if (!f.condition) {
      if (c < f.cert) f.cert = c;
    } else if (rest != nullptr) {
      rest->lo = std::min(rest->lo, c);
      rest->hi = std::min(rest->hi, c);
    } else if (c < ws_.certainty) {
      ws_.certainty = c;
    }
  };
  auto raise = [&](Frame& f, long double c) {  // keep the larger
    if (!f.condition) {
      if (c > f.cert) f.cert = c;
    } else if (rest != nullptr) {
      rest->lo = std::max(rest->lo, c);
      rest->hi = std::max(rest->hi, c);
    } else if (c > ws_.certainty) {
      ws_.certainty = c;
    }
  };
  // Step 16's test; a followed certainty records for which starts it is 0 and goes on.
  auto endsAtZero = [&](const Frame& f) {
    if (!f.condition) return f.cert == 0;
    if (rest == nullptr) return ws_.certainty == 0;
    rest->zero[0] = rest->zero[0] || rest->lo == 0;
    rest->zero[1] = rest->zero[1] || (rest->lo <= 0 && rest->hi >= 0);
    rest->zero[2] = rest->zero[2] || rest->hi == 0;
    return false;
  };

  while (true) {
    Frame& f = stack.back();
    Line* w = f.w;
    bool finished = false;
    Combine nested = Combine::Assign;
    bool startGroup = false;

    switch (stage) {
      case Stage::Start:
        read(w[0]);
        if (f.condition) {
          if (!w[0].empty() && w[0][0] == u'=') {
            if (rest != nullptr) {
              rest->end = Rest::End::Comparison;
              rest->word = w[0];
            } else {
              Idenex2(ws_, host_, w[0]);
            }
            return false;
          }
          if (w[0] == kThen) {
            if (rest != nullptr) rest->end = Rest::End::Then;
            return false;
          }
        } else if (w[0] == kClose) {
          finished = true;
          break;
        }
        if (w[0] == kOpen) {
          f.resume = Stage::AfterGroup;
          startGroup = true;
          nested = Combine::Assign;
          break;
        }
        stage = Stage::SecondWord;
        continue;
      case Stage::AfterGroup:
        read(w[0]);
        stage = Stage::SecondWord;
        continue;
      case Stage::SecondWord:
        read(w[1]);
        if (w[0] == kAnd && w[1] == kOpen) {
          f.resume = Stage::AfterAndGroup;
          startGroup = true;
          nested = Combine::Min;
          break;
        }
        stage = Stage::OrGroup;
        continue;
      case Stage::AfterAndGroup:
        read(w[0]);
        read(w[1]);
        stage = Stage::OrGroup;
        continue;
      case Stage::OrGroup:
        if (w[0] == kOr && w[1] == kOpen) {
          f.resume = Stage::AfterOrGroup;
          startGroup = true;
          nested = Combine::Max;
          break;
        }
        stage = Stage::Terms;
        continue;
      case Stage::AfterOrGroup:
        read(w[0]);
        read(w[1]);
        stage = Stage::Terms;
        continue;
      case Stage::Terms: {
        // Step 8: a first term is assigned, once per matching fact.
        if (w[0] != kNot && w[0] != kOpen && w[0] != kAnd && w[0] != kOr) {
          for (std::size_t row : ws_.facts.find(w[0], w[1])) {
            assign(f, certaintyOf(row));
            read(w[0]);
            read(w[1]);
          }
        }
        read(w[2]);          // step 9
        if (w[0] == kNot) {  // step 10
          for (std::size_t row : ws_.facts.find(w[1], w[2])) {
            assign(f, -certaintyOf(row));
            read(w[0]);
            read(w[1]);
            read(w[2]);
          }
        }
        if ((w[0] == kAnd || w[0] == kOr) && w[1] != kOpen && w[1] != kNot) {  // steps 11, 12
          bool isAnd = w[0] == kAnd;
          for (std::size_t row : ws_.facts.find(w[1], w[2])) {
            long double c = certaintyOf(row);
            isAnd ? lower(f, c) : raise(f, c);
            read(w[0]);
            read(w[1]);
            read(w[2]);
          }
        }
        read(w[3]);                                                            // step 13
        if (w[2] != kOpen && w[1] == kNot && (w[0] == kAnd || w[0] == kOr)) {  // steps 14, 15
          bool isAnd = w[0] == kAnd;
          for (std::size_t row : ws_.facts.find(w[2], w[3])) {
            long double c = -certaintyOf(row);
            isAnd ? lower(f, c) : raise(f, c);
            for (int k = 0; k < 5; ++k) read(w[k]);
          }
        }
        // Step 16.
        if (endsAtZero(f)) {
          if (f.condition) return false;
          finished = true;
          break;
        }
        if (pos > text.size()) {
          if (f.condition) {
            if (slots != nullptr) {
              for (int k = 0; k < 5; ++k) slots[k] = w[k];
            }
            return true;  // the next step begins on the next line
          }
          finished = true;  // a group never continues on the next line
          break;
        }
        stage = Stage::Start;
        continue;
      }
    }

    if (startGroup) {
      // pos is just after the "(": a nested group with its own certainty and slots.
      stack.push_back(newFrame(false, nested, groups_.closeAfter(lineIndex, pos)));
      stage = Stage::Start;
      continue;
    }
    if (finished) {
      // Only a group gets here.
      long double result = f.cert;
      std::size_t close = f.close;
      Combine combine = f.combine;
      ws_.groupCertainty = result;
      stack.pop_back();
      if (stack.empty()) {
        groupResult = result;
        return false;
      }
      pos = close;
      Frame& parent = stack.back();
      switch (combine) {
        case Combine::Assign:
          assign(parent, result);
          break;
        case Combine::Min:
          lower(parent, result);
          break;
        case Combine::Max:
          raise(parent, result);
          break;
      }
      stage = parent.resume;
    }
  }
}

const ConditionEvaluator::Rest& ConditionEvaluator::restFrom(const LineStart& start) {
  auto known = rests_.find(start);
  if (known != rests_.end()) return known->second;
  // Line by line to a line start already known or to the end of the condition, then back.
  if (rests_.empty()) rests_.reserve(ws_.lines.size());
  std::vector<std::pair<LineStart, Rest>> chain;
  LineStart at = start;
  std::optional<Rest> tail;
  while (true) {
    Rest segment = identity();
    Line slots[5] = {wordOf(at.w[0]), wordOf(at.w[1]), wordOf(at.w[2]), wordOf(at.w[3]), Line()};
    bool crossed = false;
    try {
      long double unused = 0;
      crossed = runLine(true, &segment, at.line, 1, slots, unused);
    } catch (const RunError& e) {
      segment.end = Rest::End::Error;
      segment.word = e.message();
    }
    chain.emplace_back(at, std::move(segment));
    if (!crossed) break;
    if (at.line + 1 >= ws_.lines.size()) {
      tail = identity();  // no lines remain: the certainty stays as it is
      break;
    }
    LineStart next = lineStart(at.line + 1, slots);
    auto found = rests_.find(next);
    if (found != rests_.end()) {
      tail = found->second;
      break;
    }
    at = next;
  }
  for (std::size_t k = chain.size(); k-- > 0;) {
    if (tail)
      tail = compose(chain[k].second, *tail);
    else
      tail = chain[k].second;
    rests_[chain[k].first] = *tail;
  }
  return rests_.at(start);
}

void ConditionEvaluator::IdenIf(std::size_t line, std::size_t pos) {
  if (line >= ws_.lines.size()) return;
  Line slots[5];
  long double unused = 0;
  if (!runLine(true, nullptr, line, pos, slots, unused)) return;
  if (!memoize_) {
    // Line by line, word by word.
    while (++line < ws_.lines.size()) {
      if (!runLine(true, nullptr, line, 1, slots, unused)) return;
    }
    return;
  }
  if (line + 1 >= ws_.lines.size()) return;
  const Rest& rest = restFrom(lineStart(line + 1, slots));
  long double x = ws_.certainty;
  if (rest.zero[signClass(x)]) {
    ws_.certainty = 0;
    return;
  }
  ws_.certainty = applyRest(rest, x);
  if (rest.end == Rest::End::Comparison) {
    Line comparison = rest.word;
    Idenex2(ws_, host_, comparison);
  } else if (rest.end == Rest::End::Error) {
    throw RunError(rest.word);
  }
}

std::size_t ConditionEvaluator::IdenC(std::size_t line, std::size_t pos) {
  if (line >= ws_.lines.size()) {
    ws_.groupCertainty = 0;
    return 0;
  }
  std::size_t close = groups_.closeAfter(line, pos);
  long double result = 0;
  runLine(false, nullptr, line, pos, nullptr, result);
  ws_.groupCertainty = result;
  return close > pos ? close - pos : 0;
}

void IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos) {
  ConditionEvaluator(ws, host).IdenIf(line, pos);
}

std::size_t IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos) {
  return ConditionEvaluator(ws, host).IdenC(line, pos);
}

}  // namespace veksa
