// The run driver: the method command (the row of engine/inference_method.h), the rule path and its
// commands (ppath), the preparation of a run (Run1), the section choice ("Готово", "Отмена") and
// the run itself (Run): questions, the timing loop, ordering, caption and the restoring of the full
// knowledge base.
#ifndef VEKSA_ENGINE_RUN_DRIVER_H_
#define VEKSA_ENGINE_RUN_DRIVER_H_

#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa {

// A method command of "Настройки" > "Выбор метода": sets the method, the repetition count and the
// method field text from the method's row.
void chooseMethod(Workspace& ws, InferenceMethod method);

inline constexpr std::u16string_view kNoProject = u"Не был создан проект";

// ppath: the sequential path: when the knowledge base has lines and a project exists, appends the
// second word of every line whose first word is "NAME" to the RulePath, in text order.
void ppath(Workspace& ws);

// The path commands. Each shows "Не был создан проект" through the host and returns false when it
// does nothing; otherwise it changes the RulePath and returns true (the path window is then shown).
bool sequentialPathCommand(Workspace& ws, Host& host);  // "Установка последовательного пути"
bool userPathCommand(Workspace& ws, Host& host);  // "Установка заданного пути"
bool deletePathCommand(Workspace& ws, Host& host);  // "Удаление текущего пути"

// The section choice ("Разделы"): "Все разделы" and the section names, with their marks.
struct SectionChoice {
  Lines items;
  std::vector<bool> checked;
};

// Ticks exactly the items equal to one of `names` ("Все разделы" included only when named).
// Returns false, with `unknown` set to the first name the choice does not offer, when a name is
// not offered; the marks are then unchanged.
bool tickSections(SectionChoice& choice, const Lines& names, Line* unknown = nullptr);

// How a run ended.
enum class RunEnd {
  NotRun,     // no run took place
  Completed,  // the passes ran and the caption was set
  Stopped,    // "стоп" ended the questions (after the one pass it starts)
};

// What Run1 leaves to its caller: the section choice to show, or none; in a trace run the choice
// is made at once ("Все разделы") and `end` tells how that run ended.
struct Run1Result {
  std::optional<SectionChoice> choice;
  RunEnd end = RunEnd::NotRun;
};

// Run1: saves (host.saveBeforeRun), resets keeping the RulePath, builds the sequential path when
// the path is empty and, unless ProjectState is 2 or the path is still empty, offers the section
// choice. A run-time error of a trace run propagates (as RunError) after the run is ended.
Run1Result Run1(Workspace& ws, Host& host);

// "Готово" (Button2Click, also "Далее" and Enter): assembles the checked sections (nothing checked
// counts as "Все разделы") and runs. A run-time error propagates after the run is ended.
RunEnd SectionChoiceDone(Workspace& ws, Host& host, SectionChoice choice);

// "Отмена" (and Esc): the reset N22Click; no run takes place.
void SectionChoiceCancel(Workspace& ws, Host& host);

// Run: the question pass, the timing loop of 2 x (RepeatCount + 1) passes (one pass in a trace
// run), ordering, the caption and the flag resets. ws.lastRun receives the answers and the record
// of the last pass. However it ends (normally, by "стоп" or by a
// run-time error, which then propagates), it leaves the full knowledge base behind: reloaded from
// its file, or for "new.vks" restored from `fullText` (the text before the sections were
// assembled; the lines as Run found them when none is given); TraceMode is off and the timing
// window hidden.
RunEnd Run(Workspace& ws, Host& host, const Lines* fullText = nullptr);

// The elapsed time of the timing loop as a time of day, H:MM:SS.
Line formatElapsed(std::chrono::steady_clock::duration elapsed);

}  // namespace veksa

#endif  // VEKSA_ENGINE_RUN_DRIVER_H_
