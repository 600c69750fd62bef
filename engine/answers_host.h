// A host without windows: answers questions from a script (the answers file of veksa-cli run) and
// keeps a transcript of what a person would have seen, in the output-line form of veksa-cli run.
// The command line prints the transcript as it grows; the tests read it.
#ifndef VEKSA_ENGINE_ANSWERS_HOST_H_
#define VEKSA_ENGINE_ANSWERS_HOST_H_

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// A fault in a script (an answers file, or an answer naming a value the dialog does not offer).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line of a script file (an answers or expectations file) split into its words.
struct ScriptLine {
  std::size_t number;  // 1-based
  Lines words;
};

// The lines of a script file (UTF-8, an optional byte-order mark, LF or CR LF line ends) split at
// spaces; empty lines, lines of spaces and lines starting with "#" are left out.
std::vector<ScriptLine> scriptLines(std::string_view text);

// One scripted answer: the button, the track-bar position and the values to tick (each ticks
// every offered item equal to it).
struct ScriptedAnswer {
  AnswerButton button = AnswerButton::Escape;
  int position = 0;
  Lines values;
};

// Reads an answers file (UTF-8 text): one line per parameter, words separated by spaces, lines
// starting with "#" and empty lines ignored:
//   PARAM да CERTAINTY VALUE... | PARAM все CERTAINTY VALUE... | PARAM стоп | PARAM esc
// CERTAINTY is a multiple of 0.05 from -1 to 1 written with "," or ".". Throws ScriptError naming
// the line on a malformed line or a parameter answered twice.
std::map<Line, ScriptedAnswer> parseAnswers(std::string_view text);

// The track-bar position of a CERTAINTY word, or nothing when it is not a multiple of 0.05 from
// -1 to 1.
std::optional<int> trackPosition(std::u16string_view certainty);

class AnswersHost : public Host {
 public:
  explicit AnswersHost(const Workspace& ws) : ws_(ws) {}
  const Workspace& workspace() const { return ws_; }

  // The answers; a parameter that is asked but not here is answered with Esc.
  std::map<Line, ScriptedAnswer> answers;

  // "[question] PARAM", "[message] TEXT", "[trace] INDEX TEXT", in the order they happened.
  Lines transcript;
  // The questions asked, with the values offered.
  std::vector<Question> questions;
  int resultsShown = 0;                // showResults calls
  std::vector<int> gauge;              // progress values
  std::vector<bool> timingVisibility;  // showTiming calls
  bool timingVisible = false;

  // Throws ScriptError when an answer ticks a value the dialog does not offer.
  Answer ask(const Question& question) override;
  void message(const Line& text) override;
  void traceStep(std::size_t lineIndex) override;
  void showResults() override { ++resultsShown; }
  void progress(int percent) override { gauge.push_back(percent); }
  void showTiming(bool visible) override {
    timingVisibility.push_back(visible);
    timingVisible = visible;
  }

 protected:
  // Called with every transcript line as it is added.
  virtual void emit(const Line& /*line*/) {}

 private:
  void add(Line line);
  const Workspace& ws_;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_ANSWERS_HOST_H_
