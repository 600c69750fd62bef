// The question pass: the parameters a rule tests (Rule), asking one parameter (IdenLeks), and the
// answer logic of the question dialog, which is the engine's and not the dialog's.
#ifndef VEKSA_ENGINE_QUESTION_H_
#define VEKSA_ENGINE_QUESTION_H_

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// The track bar's range.
inline constexpr int kTrackMin = -20;
inline constexpr int kTrackMax = 20;

// The certainty text of a track-bar position: position x 0.05 in the general format, computed in
// exact decimal with the workspace's separator (17 gives "0,85", -10 gives "-0,5", 0 gives "0").
// Positions outside -20..20 are taken as the nearest end.
Line certaintyText(int position, char16_t separator);

// The question dialog for a parameter: its name and the values SpisZnach offers.
Question prepareQuestion(const Workspace& ws, const Line& parameter);

// Applies an answer: "да" writes (parameter, value, certainty) for each ticked value in list
// order; "все" writes every value, a ticked one with the certainty and an unticked one with the
// negated certainty; both set `asking` (the question dialog's continue flag) to true; "стоп" writes
// nothing and sets it to false; Esc writes nothing and leaves it.
void applyAnswer(Workspace& ws, const Question& question, const Answer& answer, bool& asking);

// The questions of one run: each parameter the rules test, asked once, with the question dialog's
// continue flag, which is true while the user goes on answering and false after "стоп".
class QuestionPass {
 public:
  QuestionPass(Workspace& ws, Host& host);

  // IdenLeks: asks about one parameter unless the asked-parameters list (ws.memo) holds it and
  // keeps the answer in ws.lastRun; after "стоп" runs one inference pass at once with the facts
  // gathered so far, recorded in ws.lastRun.
  void IdenLeks(const Line& parameter);

  // Rule: asks about the parameters of one rule, read from `line` (the line after its "NAME" line)
  // up to its "END" line. Never asks "(" as a parameter (the parameter of a group is the word after
  // its innermost "("), and a ")" read as the first word of a window is a window of its own.
  void Rule(std::size_t line);

  // False after "стоп".
  bool asking() const { return asking_; }

 private:
  // Keeps the answer in the run's record, with the values it ticked.
  void recordAnswer(const Question& question, const Answer& answer);
  // The values the question dialog offers for a parameter (SpisZnach over its declaration lines).
  Lines valuesOf(const Line& parameter) const;

  Workspace& ws_;
  Host& host_;
  bool asking_ = true;
  // The declaration lines by their first word, so offering the values of a parameter costs no
  // walk over all lines.
  std::unordered_map<Line, std::vector<std::size_t>> declarations_;
};

// The question pass of a run: for each RulePath entry in order, Rule for every rule of that name
// (in a trace run only the chosen rule), each parameter asked once. False when "стоп" ended it
// (after the one inference pass that "стоп" starts).
bool questionPass(Workspace& ws, Host& host);

}  // namespace veksa

#endif  // VEKSA_ENGINE_QUESTION_H_
