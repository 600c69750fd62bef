// The engine's window to the user. The engine never shows anything itself: the desktop program
// implements this with its dialogs, the command line and the tests with scripted answers.
#ifndef VEKSA_ENGINE_HOST_H_
#define VEKSA_ENGINE_HOST_H_

#include <cstddef>
#include <vector>

#include "kb/text.h"

namespace veksa {

class Workspace;

// The question dialog: a parameter and the values offered for it.
struct Question {
  Line parameter;
  Lines values;
};

// How the question dialog was closed.
enum class AnswerButton { Yes /* "да" or Enter */, All /* "все" */, Stop /* "стоп" */, Escape };

struct Answer {
  AnswerButton button = AnswerButton::Escape;
  int position = 0;          // track-bar position, -20..20 (certainty = position x 0.05)
  std::vector<bool> ticked;  // one mark per offered value (missing marks count as unticked)
};

class Host {
 public:
  virtual ~Host() = default;
  // Shows the question dialog modally and returns the answer.
  virtual Answer ask(const Question& question) = 0;
  // A modal message box with OK.
  virtual void message(const Line& text) = 0;
  // A trace step: shows the line in the trace window and selects it in the editor, then waits.
  virtual void traceStep(std::size_t lineIndex) = 0;
  // Makes the results window visible.
  virtual void showResults() = 0;
  // The timing window's gauge (0..100) and its visibility.
  virtual void progress(int percent) = 0;
  virtual void showTiming(bool visible) = 0;
  // The save before a run (SpeedButton13Click): to the caption's file, or through "Сохранить как"
  // when the knowledge base has none (a cancelled dialog saves nothing and the run goes on).
  // Returns false when the run must not go on (a write failed; the host has said why). The default
  // has no dialog: it writes through the workspace's file store when the knowledge base has a file
  // and otherwise saves nothing.
  virtual bool saveBeforeRun(Workspace& ws);
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_HOST_H_
