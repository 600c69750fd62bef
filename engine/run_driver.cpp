// The run driver.
#include "engine/run_driver.h"

#include <string>
#include <unordered_map>

#include "engine/interpreter.h"
#include "engine/question.h"
#include "engine/reset.h"
#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

void chooseMethod(Workspace& ws, InferenceMethod method) {
  const MethodTraits& m = traitsOf(method);
  ws.method = method;
  ws.RepeatCount = m.repeatCount;
  ws.methodText = Line(m.fieldText);
}

void ppath(Workspace& ws) {
  if (ws.lines.empty() || ws.ProjectState == kProjectNone) return;
  for (const Line& line : ws.lines) {
    std::size_t pos = 1;
    if (readWord(line, pos) == kName) ws.RulePath.push_back(readWord(line, pos));
  }
}

bool sequentialPathCommand(Workspace& ws, Host& host) {
  if (ws.ProjectState == kProjectNone) {
    host.message(Line(kNoProject));
    return false;
  }
  ws.RulePath.clear();
  ppath(ws);
  return true;
}

bool userPathCommand(Workspace& ws, Host& host) {
  if (ws.ProjectState == kProjectNone) {
    host.message(Line(kNoProject));
    return false;
  }
  ws.RulePath.clear();
  return true;
}

bool deletePathCommand(Workspace& ws, Host& host) {
  if (!ws.RulePath.empty() && ws.ProjectState != kProjectNone) {
    ws.RulePath.clear();
    return true;
  }
  host.message(Line(kNoProject));
  return false;
}

bool tickSections(SectionChoice& choice, const Lines& names, Line* unknown) {
  for (const Line& name : names) {
    bool offered = false;
    for (const Line& item : choice.items) offered = offered || item == name;
    if (!offered) {
      if (unknown != nullptr) *unknown = name;
      return false;
    }
  }
  for (std::size_t i = 0; i < choice.items.size(); ++i) {
    bool named = false;
    for (const Line& name : names) named = named || choice.items[i] == name;
    choice.checked[i] = named;
  }
  return true;
}

namespace {

// The sections of the text, located once: for every name, the last pair of a line equal to
// "РАЗДЕЛ " + name and a later line equal to "КОНЕЦ РАЗДЕЛА " + name (the last closing line and the
// last opening line before it), as findSection gives it, for any number of sections in linear time.
class SectionIndex {
 public:
  explicit SectionIndex(const Lines& lines) {
    const Line open = Line(kSectionWord) + u" ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const Line& line = lines[i];
      if (line.compare(0, open.size(), open) == 0) {
        opens_[line.substr(open.size())].push_back(i);
      } else if (line.compare(0, kSectionEndPrefix.size(), kSectionEndPrefix) == 0) {
        lastClose_[line.substr(kSectionEndPrefix.size())] = i;
      }
    }
  }
  std::optional<std::pair<std::size_t, std::size_t>> find(const Line& name) const {
    auto close = lastClose_.find(name);
    auto open = opens_.find(name);
    if (close == lastClose_.end() || open == opens_.end()) return std::nullopt;
    const auto& indexes = open->second;
    for (std::size_t k = indexes.size(); k-- > 0;) {
      if (indexes[k] < close->second) return std::make_pair(indexes[k], close->second);
    }
    return std::nullopt;
  }

 private:
  std::unordered_map<Line, std::vector<std::size_t>> opens_;
  std::unordered_map<Line, std::size_t> lastClose_;
};

// Leaves the full knowledge base behind after a run: the file's text, or the copy for "new.vks"
// (and when the file can no longer be read).
void restoreFullText(Workspace& ws, Host& host, const Lines& fullText) {
  if (ws.hasFile()) {
    std::string error;
    if (ws.reloadFromFile(error)) return;
    host.message(fromUtf8(error));
  }
  ws.lines = fullText;
}

}  // namespace

Run1Result Run1(Workspace& ws, Host& host) {
  if (!host.saveBeforeRun(ws)) return {};
  std::string error;
  if (!resetKeepingPath(ws, error)) {
    host.message(fromUtf8(error));
    return {};
  }
  if (ws.RulePath.empty()) ppath(ws);
  if (ws.ProjectState == kProjectNone || ws.RulePath.empty()) return {};
  SectionChoice choice;
  choice.items.push_back(Line(kAllSections));
  for (Line& name : sectionNames(ws.lines)) choice.items.push_back(std::move(name));
  choice.checked.assign(choice.items.size(), false);
  choice.checked[0] = true;
  if (ws.TraceMode) return {std::nullopt, SectionChoiceDone(ws, host, std::move(choice))};
  return {std::move(choice), RunEnd::NotRun};
}

RunEnd SectionChoiceDone(Workspace& ws, Host& host, SectionChoice choice) {
  const Lines fullText = ws.lines;
  choice.checked.resize(choice.items.size(), false);
  bool any = false;
  for (bool c : choice.checked) any = any || c;
  if (!any) {
    for (std::size_t i = 0; i < choice.items.size(); ++i) {
      if (choice.items[i] == kAllSections) choice.checked[i] = true;
    }
  }
  bool allTaken = false;
  std::optional<SectionIndex> sections;
  for (std::size_t i = 0; i < choice.items.size() && !allTaken; ++i) {
    if (!choice.checked[i]) continue;
    const Line& item = choice.items[i];
    if (item == kAllSections) {
      std::string error;
      if (!ws.reloadFromFile(error)) host.message(fromUtf8(error));
      allTaken = true;
      sections.reset();
    }
    std::size_t head = PechGip(ws.lines);
    for (std::size_t k = 0; k < head; ++k) ws.memo.append(ws.lines[k]);
    if (!sections) sections.emplace(ws.lines);
    auto found = sections->find(item);
    if (found && found->first != 0 && found->second != 0) {
      for (std::size_t k = found->first; k <= found->second; ++k) ws.memo.append(ws.lines[k]);
      ws.memo.append(Line());
    }
  }
  if (!allTaken) ws.lines = ws.memo.take();
  return Run(ws, host, &fullText);
}

void SectionChoiceCancel(Workspace& ws, Host& host) {
  std::string error;
  if (!N22Click(ws, error)) host.message(fromUtf8(error));
}

Line formatElapsed(std::chrono::steady_clock::duration elapsed) {
  long long seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  if (seconds < 0) seconds = 0;
  long long h = (seconds / 3600) % 24, m = (seconds / 60) % 60, s = seconds % 60;
  std::string text = std::to_string(h) + ":" + (m < 10 ? "0" : "") + std::to_string(m) + ":" +
                     (s < 10 ? "0" : "") + std::to_string(s);
  return fromUtf8(text);
}

RunEnd Run(Workspace& ws, Host& host, const Lines* fullText) {
  const Lines copy = fullText != nullptr ? *fullText : ws.lines;
  try {
    ws.lastRun.clear();
    if (!questionPass(ws, host)) {
      ws.TraceMode = false;
      restoreFullText(ws, host, copy);
      return RunEnd::Stopped;
    }
    auto start = std::chrono::steady_clock::now();
    PassResult last;
    if (ws.TraceMode) {
      last = Button15Click(ws, host, nullptr, &ws.lastRun.lastPass);
      ws.lastRun.passes = 1;
    } else {
      int gauge = 0;
      host.progress(gauge);
      host.showTiming(true);
      RunCache cache(ws, host);  // the lines and the facts stay as they are for every pass
      const long long repetitions = static_cast<long long>(ws.RepeatCount) + 1;
      for (long long r = 0; r < repetitions; ++r) {
        if (gauge < 98) host.progress(++gauge);
        Button15Click(ws, host, &cache);
        ++ws.lastRun.passes;
        ws.results.clear();
        ws.protocol.clear();
        ws.variables.clear();
        // Only the last pass is recorded, and it stands for the run: each second pass starts from
        // empty results, protocol and variables (VVar reloads the declared values) with the same
        // lines and facts, so every one of them fires the same branches with the same
        // certainties, and the last one leaves the tables the user sees.
        last =
            Button15Click(ws, host, &cache, r + 1 == repetitions ? &ws.lastRun.lastPass : nullptr);
        ++ws.lastRun.passes;
      }
      host.progress(100);
    }
    ws.lastRun.elapsed = std::chrono::steady_clock::now() - start;
    host.showTiming(false);
    Line elapsed = formatElapsed(std::chrono::steady_clock::now() - start);
    // A pass that ended at its first conclusion has shown the results already.
    if (!traitsOf(ws.method).endsAtFirstConclusion || last.ConclusionCount == 0) {
      host.showResults();
    }
    Up(ws);
    if (ws.TraceMode) {
      ws.resultsCaption = u"Результат трассировки";
    } else {
      ws.resultsCaption = u"Найдено решение методом: " + ws.methodText + u" время выполнения: " +
                          elapsed + u" /100";
    }
    ws.ProjectState = kProjectOpen;
    ws.TraceMode = false;
    restoreFullText(ws, host, copy);
    return RunEnd::Completed;
  } catch (...) {
    ws.TraceMode = false;
    host.showTiming(false);
    restoreFullText(ws, host, copy);
    throw;
  }
}

}  // namespace veksa
