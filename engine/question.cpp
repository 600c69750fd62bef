// The question pass and the answer logic of the question dialog.
#include "engine/question.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/interpreter.h"
#include "kb/keywords.h"
#include "kb/scan.h"

namespace veksa {

Line certaintyText(int position, char16_t separator) {
  position = std::clamp(position, kTrackMin, kTrackMax);
  int hundredths = position * 5;  // the certainty in hundredths, exactly
  int magnitude = hundredths < 0 ? -hundredths : hundredths;
  std::string digits = std::to_string(magnitude / 100);
  int fraction = magnitude % 100;
  if (fraction != 0) {
    std::string f = std::to_string(fraction);
    if (f.size() < 2) f.insert(0, "0");
    if (f.back() == '0') f.pop_back();
    digits += '.';
    digits += f;
  }
  Line text;
  if (hundredths < 0) text.push_back(u'-');
  for (char c : digits) text.push_back(c == '.' ? separator : static_cast<char16_t>(c));
  return text;
}

Question prepareQuestion(const Workspace& ws, const Line& parameter) {
  return Question{parameter, SpisZnach(ws.lines, parameter)};
}

void applyAnswer(Workspace& ws, const Question& question, const Answer& answer) {
  auto ticked = [&](std::size_t i) { return i < answer.ticked.size() && answer.ticked[i]; };
  switch (answer.button) {
    case AnswerButton::Yes: {
      Line certainty = certaintyText(answer.position, ws.decimalSeparator);
      for (std::size_t i = 0; i < question.values.size(); ++i) {
        if (ticked(i)) ws.facts.append({question.parameter, question.values[i], certainty});
      }
      ws.continueFlag = 1;
      break;
    }
    case AnswerButton::All: {
      Line certainty = certaintyText(answer.position, ws.decimalSeparator);
      Line negated = certaintyText(-answer.position, ws.decimalSeparator);
      for (std::size_t i = 0; i < question.values.size(); ++i) {
        ws.facts.append({question.parameter, question.values[i], ticked(i) ? certainty : negated});
      }
      ws.continueFlag = 1;
      break;
    }
    case AnswerButton::Stop:
      ws.continueFlag = 0;
      break;
    case AnswerButton::Escape:
      break;
  }
}

namespace {

bool isFormula(const Line& w) { return !w.empty() && w[0] == u'='; }
bool isTermWord(const Line& w) { return w == kIf || w == kAnd || w == kOr; }

// The declaration lines of the knowledge base by their first word, found once per question pass,
// so that offering the values of a parameter (SpisZnach) costs no walk over all lines.
class DeclarationIndex {
 public:
  explicit DeclarationIndex(const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!lines[i].empty()) lines_[firstWord(lines[i])].push_back(i);
    }
  }
  Lines values(const Lines& lines, const Line& name) const {
    auto it = lines_.find(name);
    if (it == lines_.end()) return {};
    Lines declarations;
    for (std::size_t i : it->second) declarations.push_back(lines[i]);
    return SpisZnach(declarations, name);
  }

 private:
  std::unordered_map<Line, std::vector<std::size_t>> lines_;
};

// IdenLeks and Rule over one workspace, with the declaration index of a question pass (or
// SpisZnach over all lines when there is none).
class Asker {
 public:
  Asker(Workspace& ws, Host& host, const DeclarationIndex* index)
      : ws_(ws), host_(host), index_(index) {}

  void IdenLeks(const Line& parameter) {
    if (ws_.memo.contains(parameter)) return;
    ws_.memo.append(parameter);
    Question question{parameter, index_ != nullptr ? index_->values(ws_.lines, parameter)
                                                   : SpisZnach(ws_.lines, parameter)};
    Answer answer = host_.ask(question);
    recordAnswer(question, answer);
    applyAnswer(ws_, question, answer);
    // The pass that "стоп" starts is the run's last pass: it is recorded.
    if (ws_.continueFlag == 0) Button15Click(ws_, host_, nullptr, &ws_.lastRun.lastPass);
  }

  void Rule(std::size_t first) {
    // "(" is never asked as if it were a parameter.
    auto ask = [&](const Line& name) {
      if (name != kOpen) IdenLeks(name);
    };
    for (std::size_t i = first; i < ws_.lines.size(); ++i) {
      // A copy: the line stays valid whatever the host does while a question is shown.
      const Line text = ws_.lines[i];
      if (text == kEnd) return;
      std::size_t pos = 1;
      while (pos <= text.size()) {
        Line w1 = readWord(text, pos);  // step 1
        if (w1 == kEnd) return;
        if (w1 == kClose) continue;  // a ")" first in a window is a window of its own
        if (w1 == kThen || w1 == kElse) w1 = readWord(text, pos);  // step 2
        Line w2 = readWord(text, pos);                                 // step 3
        if (isFormula(w2)) return;
        std::size_t afterW3 = pos;
        Line w3 = readWord(text, afterW3);  // step 4
        if (isFormula(w3)) return;
        // Step 5.
        if (w1 == kCase) ask(w2);
        if (w1 == kIf && w2 != kNot) ask(w2);
        if (w1 == kIf && w2 == kNot) ask(w3);
        if (isTermWord(w1) && w2 != kOpen && w2 != kNot) ask(w2);
        pos = afterW3;  // step 6
        // Nested groups: the parameter follows the innermost "(" ("IF ( ( a b ) )" asks a).
        while (isTermWord(w1) && w2 == kOpen && w3 == kOpen && pos <= text.size()) {
          w3 = readWord(text, pos);
          if (isFormula(w3)) return;
        }
        if (isTermWord(w1) && w2 == kNot) {  // step 7
          ask(w3);
          w3 = readWord(text, pos);
        }
        if (isTermWord(w1) && w2 == kOpen && w3 != kNot) {  // step 8
          ask(w3);
          w3 = readWord(text, pos);
        }
        if (isTermWord(w1) && w2 == kOpen && w3 == kNot) {  // step 9
          Line parameter = readWord(text, pos);
          if (isFormula(parameter)) return;
          ask(parameter);
          Line value = readWord(text, pos);
          if (isFormula(value)) return;
        }
        if (ws_.continueFlag == 0) return;  // step 10
      }
    }
  }

 private:
  // Keeps the answer in the run's record, with the values it ticked.
  void recordAnswer(const Question& question, const Answer& answer) {
    RecordedAnswer& r = ws_.lastRun.answers.emplace_back();
    r.parameter = question.parameter;
    r.button = answer.button;
    r.position = answer.position;
    for (std::size_t i = 0; i < question.values.size() && i < answer.ticked.size(); ++i) {
      if (answer.ticked[i]) r.ticked.push_back(question.values[i]);
    }
  }

  Workspace& ws_;
  Host& host_;
  const DeclarationIndex* index_;
};

}  // namespace

void IdenLeks(Workspace& ws, Host& host, const Line& parameter) {
  Asker(ws, host, nullptr).IdenLeks(parameter);
}

void Rule(Workspace& ws, Host& host, std::size_t first) { Asker(ws, host, nullptr).Rule(first); }

bool questionPass(Workspace& ws, Host& host) {
  RuleIndex rules(ws.lines);
  DeclarationIndex declarations(ws.lines);
  Asker asker(ws, host, &declarations);
  for (std::size_t e = 0; e < ws.RulePath.size(); ++e) {
    const Line entry = ws.RulePath[e];
    if (ws.TraceMode == 1 && entry != ws.traceRule) continue;
    for (std::size_t nameLine : rules.find(entry)) {
      asker.Rule(nameLine + 1);
      if (ws.continueFlag == 0) return false;
    }
  }
  return true;
}

}  // namespace veksa
