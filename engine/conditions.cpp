// Condition evaluation (IdenIf, IdenC) and the combination of certainties (SumCt).
#include "engine/conditions.h"

#include <algorithm>
#include <cmath>

#include "engine/variables.h"
#include "kb/number.h"
#include "kb/scan.h"

namespace veksa {

long double checkedCertainty(long double v) {
  if (std::isnan(v)) throw RunError(Line(kInvalidOperation));
  if (std::isinf(v)) throw RunError(Line(kOverflow));
  return v;
}

long double SumCt(Workspace& ws, Host& host, long double a, long double b) {
  long double result;
  if (a > 0 && b > 0) {
    result = a + b - checkedCertainty(a * b);
  } else if (a < 0 && b < 0) {
    result = a + b + checkedCertainty(a * b);
  } else if ((a > 0 && b < 0) || (a < 0 && b > 0)) {
    long double ma = std::fabs(a), mb = std::fabs(b);
    if (ma == 1 || mb == 1) {
      host.message(Line(kBadKnowledgeBase));
      result = 0;
    } else {
      result = (a + b) / (1 - std::min(ma, mb));
    }
  } else {
    result = a == 0 ? b : a;  // both 0 give 0
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

constexpr std::u16string_view kAnd = u"AND", kOr = u"OR", kNot = u"NOT", kOpen = u"(",
                              kClose = u")", kThen = u"THEN";

// How a group's result joins the partial result of what encloses it.
enum class Combine { Assign, Min, Max };

// Where an evaluation goes on: the steps of Part 2.3, with the points at which a nested group
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

long double ConditionEvaluator::evaluate(bool condition, std::size_t lineIndex, std::size_t pos) {
  const Lines& lines = ws_.lines;
  std::vector<Frame> stack;
  stack.push_back(
      newFrame(condition, Combine::Assign, condition ? 0 : groups_.closeAfter(lineIndex, pos)));
  Stage stage = Stage::Start;

  while (true) {
    if (lineIndex >= lines.size()) return ws_.certainty;  // only a condition leaves its line
    const Line& text = lines[lineIndex];
    Frame& f = stack.back();
    long double& cert = f.condition ? ws_.certainty : f.cert;
    Line* w = f.w;
    // Skip spaces and read a word of the current line into a slot.
    auto read = [&](Line& slot) {
      pos = skipSpaces(text, pos);
      if (pos > text.size()) return;
      Line word;
      GetLeks(text, pos, text.size(), word);
      pos += word.size();
      slot = std::move(word);
    };
    auto certaintyOf = [&](std::size_t row) { return ws_.number(ws_.facts.cell(row, 2)); };
    bool finished = false;
    Combine nested = Combine::Assign;
    bool startGroup = false;

    switch (stage) {
      case Stage::Start:
        read(w[0]);
        if (f.condition) {
          if (!w[0].empty() && w[0][0] == u'=') {
            Idenex2(ws_, host_, w[0]);
            finished = true;
            break;
          }
          if (w[0] == kThen) {
            finished = true;
            break;
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
            cert = certaintyOf(row);
            read(w[0]);
            read(w[1]);
          }
        }
        read(w[2]);          // step 9
        if (w[0] == kNot) {  // step 10
          for (std::size_t row : ws_.facts.find(w[1], w[2])) {
            cert = -certaintyOf(row);
            read(w[0]);
            read(w[1]);
            read(w[2]);
          }
        }
        if ((w[0] == kAnd || w[0] == kOr) && w[1] != kOpen && w[1] != kNot) {  // steps 11, 12
          bool isAnd = w[0] == kAnd;
          for (std::size_t row : ws_.facts.find(w[1], w[2])) {
            long double c = certaintyOf(row);
            if (isAnd ? c < cert : c > cert) cert = c;
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
            if (isAnd ? c < cert : c > cert) cert = c;
            for (int k = 0; k < 5; ++k) read(w[k]);
          }
        }
        // Step 16.
        if (cert == 0) {
          finished = true;
          break;
        }
        if (pos > text.size()) {
          if (!f.condition) {
            finished = true;  // a group never continues on the next line
            break;
          }
          ++lineIndex;
          pos = 1;
          if (lineIndex >= lines.size()) return ws_.certainty;
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
      if (f.condition) return ws_.certainty;
      long double result = f.cert;
      std::size_t close = f.close;
      Combine combine = f.combine;
      ws_.groupCertainty = result;
      stack.pop_back();
      if (stack.empty()) return result;
      pos = close;
      Frame& parent = stack.back();
      long double& parentCert = parent.condition ? ws_.certainty : parent.cert;
      switch (combine) {
        case Combine::Assign:
          parentCert = result;
          break;
        case Combine::Min:
          if (result < parentCert) parentCert = result;
          break;
        case Combine::Max:
          if (result > parentCert) parentCert = result;
          break;
      }
      stage = parent.resume;
    }
  }
}

void ConditionEvaluator::IdenIf(std::size_t line, std::size_t pos) { evaluate(true, line, pos); }

std::size_t ConditionEvaluator::IdenC(std::size_t line, std::size_t pos) {
  if (line >= ws_.lines.size()) {
    ws_.groupCertainty = 0;
    return 0;
  }
  std::size_t close = groups_.closeAfter(line, pos);
  ws_.groupCertainty = evaluate(false, line, pos);
  return close > pos ? close - pos : 0;
}

void IdenIf(Workspace& ws, Host& host, std::size_t line, std::size_t pos) {
  ConditionEvaluator(ws, host).IdenIf(line, pos);
}

std::size_t IdenC(Workspace& ws, Host& host, std::size_t line, std::size_t pos) {
  return ConditionEvaluator(ws, host).IdenC(line, pos);
}

}  // namespace veksa
