// One diagnostics pass: the state that the driver and its checks share, and the checks
// themselves. The public entry points are in diagnostics/diagnostics.h; the checks are declared
// here so that the tests can run each of them on its own.
#ifndef VEKSA_DIAGNOSTICS_PASS_H_
#define VEKSA_DIAGNOSTICS_PASS_H_

#include <cstddef>
#include <optional>
#include <unordered_set>
#include <vector>

#include "diagnostics/declaration_index.h"
#include "diagnostics/text_buffer.h"
#include "engine/workspace.h"
#include "kb/declarations.h"
#include "kb/text.h"

namespace veksa {

// The refresh of the declaration lists that the rule check repeats for every rule, done again
// only when the text changed where the refresh looked.
class DeclarationRefresh {
 public:
  explicit DeclarationRefresh(TextBuffer& text) : text_(text) { text.addWatch(&watch_); }
  void refresh(DeclarationLists& d);

 private:
  TextBuffer& text_;
  TextBuffer::Watch watch_;
  bool done_ = false;
  RefreshTrace trace_;
};

// The most fault lines one pass writes. Some faulty texts make the checks report
// a fault of one line under many rules (a CASE rule without END is walked up to the next END, so
// every CASE rule of a text without END reports every later line), so that the report would grow
// with the square of the text. Beyond this many fault lines the pass writes no more faults (the
// heading lines are always written, so the pass still ends with faults) and skips the checks that
// only write faults; the repairs go on.
inline constexpr std::size_t kFaultLineLimit = 100000;

struct Pass {
  // Takes the workspace's lines into the pass; the destructor gives them back.
  explicit Pass(Workspace& ws);
  ~Pass();
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;

  // A fault line.
  void say(Line message) {
    if (faults >= kFaultLineLimit) return;
    ++faults;
    ws.report.push_back(std::move(message));
  }
  // A heading line ("Раздел  ...", "Правило  ...").
  void heading(Line line) { ws.report.push_back(std::move(line)); }
  // True once the pass writes no more faults: the checks that only write faults need not run.
  bool full() const { return faults >= kFaultLineLimit; }

  Workspace& ws;
  TextBuffer text;
  std::unordered_set<Line> declaredNames;  // class and parameter names met so far (diagn11)
  std::size_t expected = 3;                // expected report line count
  std::size_t faults = 0;                  // fault lines written
  bool hypothesesSeen = false, parametersSeen = false, rulesSeen = false;
  DeclarationIndex declarations{text};
  DeclarationRefresh refresh{text};
};

// ---- Shared scanning helpers -------------------------------------------------------------------

// A line that is neither empty nor made of spaces only.
bool hasWords(std::u16string_view line);
// The word at or after `pos` as GetLeks reads it, as a view into the line; `pos` moves
// just past it, or past the end of the line when there is none (the word is then empty).
std::u16string_view wordView(std::u16string_view line, std::size_t& pos);
// The first word of a line as a view (empty when the line has none).
std::u16string_view firstWordView(std::u16string_view line);
// Number text as the diagnostics test it: optional leading spaces, an optional sign,
// digits with an optional part after a point, an optional exponent, nothing after it.
bool isDiagnosticsNumber(std::u16string_view text);

// ---- The checks
// ---------------------------------------------------------------

// diagn1: declaration layout of the lines from i + 1 on, "Отсутствует класс".
void diagn1(Pass& pass, std::size_t i);
// diagn11: repeated class names and repeated values on the lines from i + 1 on.
void diagn11(Pass& pass, std::size_t i);
// diagn2: the variable declarations after the header at index `header`.
void diagn2(Pass& pass, std::size_t header);
// diagn12: the section opened at line `line`: its closing line, NAME and END balance.
void diagn12(Pass& pass, std::size_t line, const Line& name);

// diagn31: keyword separation of every line from `start` on.
void diagn31(Pass& pass, std::size_t start);
// The keyword separation of line `i`.
void separateKeywords(TextBuffer& text, std::size_t i);
// diagn32: the keyword counts of the rule whose NAME line is `nameLine`.
void diagn32(Pass& pass, std::size_t nameLine);

// diagn34: formula layout of the whole text (spaces before "=", formulas as one word).
void diagn34(Pass& pass, std::size_t start);
// The formula layout of line `i`: spaces before "=" (not on the first line), then each formula as
// one word.
void formulaLayout(TextBuffer& text, std::size_t i);
// diagn33: the content checks of the rule whose NAME line is `nameLine`: diagn35, the
// certainty-factor pass, diagn331, diagn332.
void diagn33(Pass& pass, std::size_t nameLine);
// diagn35: the formulas of the rule body that begins at `first`.
void diagn35(Pass& pass, std::size_t first);
// The certainty factors of the rule body that begins at `first`.
void certaintyFactorPass(Pass& pass, std::size_t first);
// diagn331: continuation-line joins of the rule body that begins at `first`.
void diagn331(Pass& pass, std::size_t first);

// diagn332: premises, conclusions and CASE body of the rule body that begins at `first`.
void diagn332(Pass& pass, std::size_t first);
// diagn333: the premise whose parameter word is at `pos` of line `line`.
void diagn333(Pass& pass, std::size_t line, std::size_t pos);
// diagn334: the conclusion (and the list it begins) whose class word is at `pos` of line `line`.
// Returns the line on which the list came to its end, or nothing when the check stopped
// otherwise.
std::optional<std::size_t> diagn334(Pass& pass, std::size_t line, std::size_t pos);
// diagn335: the CASE rule whose parameter word is at `pos` of line `line`.
void diagn335(Pass& pass, std::size_t line, std::size_t pos);

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_PASS_H_
