// The answers host and the answers file.
#include "engine/answers_host.h"

#include <string>

namespace veksa {

std::optional<int> trackPosition(std::u16string_view t) {
  // sign? digits ((","|".") digits)? in hundredths, exactly.
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
  long long whole = 0;
  std::size_t intDigits = 0;
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9' && intDigits < 6) {
    whole = whole * 10 + (t[i++] - u'0');
    ++intDigits;
  }
  long long hundredths = whole * 100;
  std::size_t fracDigits = 0;
  if (i < t.size() && (t[i] == u',' || t[i] == u'.')) {
    ++i;
    long long scale = 10;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
      int d = t[i++] - u'0';
      ++fracDigits;
      if (scale >= 1) {
        hundredths += d * scale;
        scale /= 10;
      } else if (d != 0) {
        return std::nullopt;  // finer than hundredths
      }
    }
    if (fracDigits == 0) return std::nullopt;
  }
  if (i != t.size() || intDigits + fracDigits == 0 || hundredths > 100 || hundredths % 5 != 0) {
    return std::nullopt;
  }
  int position = static_cast<int>(hundredths / 5);
  return negative ? -position : position;
}

std::vector<ScriptLine> scriptLines(std::string_view text) {
  std::vector<ScriptLine> lines;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::size_t number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (raw.empty() || raw[0] == '#') continue;
    Lines words;
    Line line = fromUtf8(raw);
    std::size_t pos = 0;
    while (pos < line.size()) {
      std::size_t next = line.find(u' ', pos);
      if (next == Line::npos) next = line.size();
      if (next > pos) words.push_back(line.substr(pos, next - pos));
      pos = next + 1;
    }
    if (!words.empty()) lines.push_back({number, std::move(words)});  // not spaces only
  }
  return lines;
}

std::map<Line, ScriptedAnswer> parseAnswers(std::string_view text) {
  std::map<Line, ScriptedAnswer> answers;
  for (const ScriptLine& l : scriptLines(text)) {
    const std::size_t number = l.number;
    const Lines& words = l.words;
    auto fail = [&](const std::string& why) {
      throw ScriptError("answers line " + std::to_string(number) + ": " + why);
    };
    if (words.size() < 2) fail("a parameter needs a button (да, все, стоп or esc)");
    ScriptedAnswer answer;
    const Line& button = words[1];
    if (button == u"да" || button == u"все") {
      answer.button = button == u"да" ? AnswerButton::Yes : AnswerButton::All;
      if (words.size() < 3) fail("\"" + toUtf8(button) + "\" needs a certainty");
      auto position = trackPosition(words[2]);
      if (!position)
        fail("the certainty \"" + toUtf8(words[2]) + "\" is not a multiple of 0.05 from -1 to 1");
      answer.position = *position;
      answer.values.assign(words.begin() + 3, words.end());
    } else if (button == u"стоп" || button == u"esc") {
      answer.button = button == u"стоп" ? AnswerButton::Stop : AnswerButton::Escape;
      if (words.size() > 2) fail("\"" + toUtf8(button) + "\" takes no certainty and no values");
    } else {
      fail("unknown button \"" + toUtf8(button) + "\" (да, все, стоп or esc)");
    }
    if (!answers.emplace(words[0], std::move(answer)).second) {
      fail("the parameter \"" + toUtf8(words[0]) + "\" is answered twice");
    }
  }
  return answers;
}

void AnswersHost::add(Line line) {
  transcript.push_back(line);
  emit(transcript.back());
}

Answer AnswersHost::ask(const Question& question) {
  questions.push_back(question);
  add(u"[question] " + question.parameter);
  Answer answer;
  auto it = answers.find(question.parameter);
  if (it == answers.end()) return answer;  // Esc
  const ScriptedAnswer& scripted = it->second;
  answer.button = scripted.button;
  answer.position = scripted.position;
  answer.ticked.assign(question.values.size(), false);
  for (const Line& value : scripted.values) {
    bool offered = false;
    for (std::size_t i = 0; i < question.values.size(); ++i) {
      if (question.values[i] == value) {
        answer.ticked[i] = true;
        offered = true;
      }
    }
    if (!offered) {
      throw ScriptError("the answer for \"" + toUtf8(question.parameter) + "\" ticks \"" +
                        toUtf8(value) + "\", which the question does not offer");
    }
  }
  return answer;
}

void AnswersHost::message(const Line& text) { add(u"[message] " + text); }

void AnswersHost::traceStep(std::size_t lineIndex) {
  Line text = lineIndex < ws_.lines.size() ? ws_.lines[lineIndex] : Line();
  add(u"[trace] " + fromUtf8(std::to_string(lineIndex)) + u" " + text);
}

}  // namespace veksa
