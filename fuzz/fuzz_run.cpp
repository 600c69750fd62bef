// A whole headless run on arbitrary input: the method, trace mode, path and sections come from the
// first byte, then the knowledge base, a NUL, the answers file, a NUL and the rule path. The run
// either ends or raises a run-time error; either way the full knowledge base is left behind.
#include <cstdlib>
#include <string>

#include "engine/answers_host.h"
#include "engine/run_driver.h"
#include "fuzz/fuzz_input.h"
#include "kb/locate.h"
#include "kb/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  unsigned flags = data[0];
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string kb = rest.substr(0, rest.find('\0'));
  std::string answers, path;
  if (kb.size() < rest.size()) {
    std::string tail = rest.substr(kb.size() + 1);
    answers = tail.substr(0, tail.find('\0'));
    if (answers.size() < tail.size()) path = tail.substr(answers.size() + 1);
  }

  auto store = std::make_unique<veksa::MemoryFileStore>();
  veksa::Lines lines =
      veksa::fuzz::linesOf(reinterpret_cast<const std::uint8_t*>(kb.data()), kb.size());
  bool saved = flags & 0x40;
  if (saved) store->put(u"kb.vks", lines);
  veksa::Workspace ws(std::move(store));
  ws.lines = lines;
  ws.caption = saved ? u"kb.vks" : u"new.vks";
  ws.ProjectState = veksa::kProjectOpen;
  veksa::chooseMethod(ws, veksa::kInferenceMethods[flags % veksa::kInferenceMethods.size()].method);
  ws.RepeatCount = static_cast<int>((flags >> 3) & 1);  // keep each input quick
  veksa::AnswersHost host(ws);
  try {
    host.answers = veksa::parseAnswers(answers);
  } catch (const veksa::ScriptError&) {
  }
  if (!path.empty())
    ws.RulePath =
        veksa::fuzz::linesOf(reinterpret_cast<const std::uint8_t*>(path.data()), path.size());
  if (flags & 0x80) {
    ws.TraceMode = true;
    auto rules = veksa::ruleLines(ws.lines);
    if (!rules.empty()) ws.traceRule = rules[flags % rules.size()].name;
  }
  try {
    veksa::Run1Result prepared = veksa::Run1(ws, host);
    if (prepared.choice) {
      veksa::SectionChoice choice = *prepared.choice;
      for (std::size_t i = 0; i < choice.checked.size(); ++i)
        choice.checked[i] = (flags >> (i % 3)) & 1;
      veksa::SectionChoiceDone(ws, host, std::move(choice));
    }
  } catch (const veksa::RunError&) {
  } catch (const veksa::ScriptError&) {
  }
  // Whatever happened, the run leaves the full text and no trace mode behind.
  if (ws.TraceMode && !(flags & 0x80)) std::abort();
  if (ws.lines != lines) std::abort();
  return 0;
}
