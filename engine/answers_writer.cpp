// The answers file of the last run.
#include "engine/answers_writer.h"

#include <algorithm>

#include "engine/question.h"
#include "kb/kbfile.h"

namespace veksa {

std::string answersFileText(const Workspace& ws) {
  std::string text = "# Ответы прогона: ПАРАМЕТР кнопка УВЕРЕННОСТЬ ЗНАЧЕНИЕ...\n";
  for (const RecordedAnswer& a : ws.lastRun.answers) {
    Line line = a.parameter;
    switch (a.button) {
      case AnswerButton::Yes:
      case AnswerButton::All: {
        line += a.button == AnswerButton::Yes ? u" да " : u" все ";
        line += certaintyText(a.position, ws.decimalSeparator);
        Lines written;
        for (const Line& v : a.ticked) {
          if (std::find(written.begin(), written.end(), v) != written.end()) continue;
          line += u" " + v;
          written.push_back(v);
        }
        break;
      }
      case AnswerButton::Stop:
        line += u" стоп";
        break;
      case AnswerButton::Escape:
        line += u" esc";
        break;
    }
    text += toUtf8(line);
    text += '\n';
  }
  return text;
}

bool saveAnswers(const Workspace& ws, const std::string& path, std::string& error) {
  return writeFileAtomically(path, answersFileText(ws), error);
}

}  // namespace veksa
