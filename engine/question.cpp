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

void applyAnswer(Workspace& ws, const Question& question, const Answer& answer, bool& asking) {
  auto ticked = [&](std::size_t i) { return i < answer.ticked.size() && answer.ticked[i]; };
  switch (answer.button) {
    case AnswerButton::Yes: {
      Line certainty = certaintyText(answer.position, ws.decimalSeparator);
      for (std::size_t i = 0; i < question.values.size(); ++i) {
        if (ticked(i)) ws.facts.append({question.parameter, question.values[i], certainty});
      }
      asking = true;
      break;
    }
    case AnswerButton::All: {
      Line certainty = certaintyText(answer.position, ws.decimalSeparator);
      Line negated = certaintyText(-answer.position, ws.decimalSeparator);
      for (std::size_t i = 0; i < question.values.size(); ++i) {
        ws.facts.append({question.parameter, question.values[i], ticked(i) ? certainty : negated});
      }
      asking = true;
      break;
    }
    case AnswerButton::Stop:
      asking = false;
      break;
    case AnswerButton::Escape:
      break;
  }
}

namespace {

bool isFormula(const Line& w) { return !w.empty() && w[0] == u'='; }
// The words that begin a term whose parameter is asked: IF, AND, OR.
bool isTermWord(const Line& w) { return w == kIf || w == kAnd || w == kOr; }

}  // namespace

QuestionPass::QuestionPass(Workspace& ws, Host& host) : ws_(ws), host_(host) {
  for (std::size_t i = 0; i < ws.lines.size(); ++i) {
    if (!ws.lines[i].empty()) declarations_[firstWord(ws.lines[i])].push_back(i);
  }
}

Lines QuestionPass::valuesOf(const Line& parameter) const {
  auto it = declarations_.find(parameter);
  if (it == declarations_.end()) return {};
  Lines lines;
  for (std::size_t i : it->second) lines.push_back(ws_.lines[i]);
  return SpisZnach(lines, parameter);
}

void QuestionPass::IdenLeks(const Line& parameter) {
  if (ws_.memo.contains(parameter)) return;
  ws_.memo.append(parameter);
  Question question{parameter, valuesOf(parameter)};
  Answer answer = host_.ask(question);
  recordAnswer(question, answer);
  applyAnswer(ws_, question, answer, asking_);
  if (!asking_) {
    // The pass that "стоп" starts is the run's last pass: it is recorded.
    Button15Click(ws_, host_, nullptr, &ws_.lastRun.lastPass);
    ++ws_.lastRun.passes;
  }
}

void QuestionPass::Rule(std::size_t first) {
  // "(" is never asked as if it were a parameter.
  auto ask = [&](const Line& name) {
    if (name != kOpen) IdenLeks(name);
  };
  for (std::size_t i = first; i < ws_.lines.size(); ++i) {
    // A copy: the line stays valid whatever the host does while a question is shown.
    const Line text = ws_.lines[i];
    if (text == kEnd) return;
    std::size_t pos = 1;
    // Each line is read in windows of up to three words w1 w2 w3.
    while (pos <= text.size()) {
      Line w1 = readWord(text, pos);
      if (w1 == kEnd) return;
      if (w1 == kClose) continue;  // a ")" first in a window is a window of its own
      // "THEN IF" and "ELSE IF" are read as IF (and a conclusion's class as w1, asking nothing).
      if (w1 == kThen || w1 == kElse) w1 = readWord(text, pos);
      // A comparison or formula word as w2 or w3 ends the questions of this rule.
      Line w2 = readWord(text, pos);
      if (isFormula(w2)) return;
      std::size_t afterW3 = pos;
      Line w3 = readWord(text, afterW3);
      if (isFormula(w3)) return;
      // The parameter of "CASE P", "IF P V", "IF NOT P V", "AND P V" and "OR P V".
      if (w1 == kCase) ask(w2);
      if (w1 == kIf && w2 != kNot) ask(w2);
      if (w1 == kIf && w2 == kNot) ask(w3);
      if (isTermWord(w1) && w2 != kOpen && w2 != kNot) ask(w2);
      pos = afterW3;
      // Nested groups: the parameter follows the innermost "(" ("IF ( ( a b ) )" asks a).
      while (isTermWord(w1) && w2 == kOpen && w3 == kOpen && pos <= text.size()) {
        w3 = readWord(text, pos);
        if (isFormula(w3)) return;
      }
      // "AND NOT P V", "OR NOT P V": P is asked and its value passed over.
      if (isTermWord(w1) && w2 == kNot) {
        ask(w3);
        w3 = readWord(text, pos);
      }
      // A group's first term "( P V": P is asked and its value passed over.
      if (isTermWord(w1) && w2 == kOpen && w3 != kNot) {
        ask(w3);
        w3 = readWord(text, pos);
      }
      // A group's first term "( NOT P V": the same, after the NOT.
      if (isTermWord(w1) && w2 == kOpen && w3 == kNot) {
        Line parameter = readWord(text, pos);
        if (isFormula(parameter)) return;
        ask(parameter);
        Line value = readWord(text, pos);
        if (isFormula(value)) return;
      }
      if (!asking_) return;  // "стоп" ends the questions
    }
  }
}

void QuestionPass::recordAnswer(const Question& question, const Answer& answer) {
  RecordedAnswer& r = ws_.lastRun.answers.emplace_back();
  r.parameter = question.parameter;
  r.button = answer.button;
  r.position = answer.position;
  for (std::size_t i = 0; i < question.values.size() && i < answer.ticked.size(); ++i) {
    if (answer.ticked[i]) r.ticked.push_back(question.values[i]);
  }
}

bool questionPass(Workspace& ws, Host& host) {
  // The "NAME" lines by the rule's name, in text order.
  std::unordered_map<Line, std::vector<std::size_t>> rules;
  for (std::size_t i = 0; i < ws.lines.size(); ++i) {
    std::size_t pos = 1;
    if (readWord(ws.lines[i], pos) == kName) rules[readWord(ws.lines[i], pos)].push_back(i);
  }
  QuestionPass questions(ws, host);
  for (std::size_t e = 0; e < ws.RulePath.size(); ++e) {
    const Line entry = ws.RulePath[e];
    if (ws.TraceMode && entry != ws.traceRule) continue;
    auto named = rules.find(entry);
    if (named == rules.end()) continue;
    for (std::size_t nameLine : named->second) {
      questions.Rule(nameLine + 1);
      if (!questions.asking()) return false;
    }
  }
  return true;
}

}  // namespace veksa
