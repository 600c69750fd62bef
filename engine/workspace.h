// The workspace: everything the system knows between commands. The windows show and edit it; the
// engine, the diagnostics and the command line work on it without windows.
#ifndef VEKSA_ENGINE_WORKSPACE_H_
#define VEKSA_ENGINE_WORKSPACE_H_

#include <memory>
#include <optional>
#include <string>

#include "engine/file_store.h"
#include "engine/inference_method.h"
#include "engine/memo_list.h"
#include "engine/run_record.h"
#include "engine/symbols.h"
#include "engine/table.h"
#include "kb/declarations.h"
#include "kb/text.h"

namespace veksa {

// ProjectState values.
inline constexpr int kProjectOpen = 0;
inline constexpr int kProjectMergeClosed = 1;
inline constexpr int kProjectNone = 2;
inline constexpr int kProjectMergeOrTree = 4;

class Workspace {
 public:
  Workspace();
  explicit Workspace(std::unique_ptr<FileStore> store);

  // The decimal separator of number cells.
  const char16_t decimalSeparator;

  // The knowledge base: its lines and its caption (file name; "new.vks" when it has no file).
  Lines lines;
  Line caption;
  bool hasFile() const { return caption != kNewCaption; }

  // Run-state flags. The method of the next run, its repetition count and the main window's
  // method field come from the method's row, but "Новый проект" sets the method to forward and
  // keeps the other two, so the three are kept apart.
  InferenceMethod method = InferenceMethod::ForwardBreadth;
  int RepeatCount = traitsOf(method).repeatCount;
  bool TraceMode = false;       // the next run traces `traceRule`
  bool DiagnosticsOff = false;  // "Диагностика" > "Отключить": F9 runs without them
  int ProjectState = kProjectNone;
  Line methodText = Line(traitsOf(method).fieldText);
  Line traceRule;  // the rule chosen in the trace dialog

  // True after "Закрыть" until the user edits the text or another text is loaded: a save to the
  // caption's file then leaves the file alone, so closing never empties a file by accident.
  bool emptiedByClose = false;

  // A knowledge base narrowed by the hierarchy tree shows part of its file: the file's lines before
  // and after that part are kept here, and every save writes them around the shown lines, so a
  // save while narrowed never cuts the file down to one rule or section.
  struct Narrowing {
    Lines before;
    Lines after;
    bool operator==(const Narrowing&) const = default;
  };
  std::optional<Narrowing> narrowing;
  // The text that a save writes: the lines, within the rest of the file when narrowed.
  Lines fileText() const;
  // Replaces the text by another whole text (a loaded file, a new or merged knowledge base):
  // ends the narrowing and the protection of `emptiedByClose`.
  void replaceText(Lines text);

  // The section-names dialog's list of new sections, in the order of addition.
  Lines newSectionNames;

  // The rule path, one rule name per line.
  Lines RulePath;
  // The editor's hidden memo (asked parameters, section buffer, merge buffer).
  MemoList memo;

  // The words of the run tables (and of the text a run reads) as symbols.
  Symbols& symbols() const { return *symbols_; }

 private:
  std::shared_ptr<Symbols> symbols_;

 public:
  FactTable facts;
  ResultTable results;
  ProtocolTable protocol;
  VariableTable variables;
  Line resultsCaption = u"Окно результатов";
  // What the last run recorded: its answers, and how its last pass reached the results.
  RunRecord lastRun;

  // The diagnostics report.
  Lines report;

  DeclarationLists declarations;

  // Empties the four run tables and forgets the symbols their words had.
  void clearTables();

  FileStore& files() { return *files_; }

  // Number cells in the general format with the workspace's separator.
  Line format(long double v) const;
  long double number(std::u16string_view text) const;

  // Reloads the lines from the caption's file when the knowledge base has one. Returns false with
  // a message naming the file when it cannot be read; the lines then stay as they were. A reloaded
  // text is the file's whole text again (replaceText).
  bool reloadFromFile(std::string& error);

 private:
  std::unique_ptr<FileStore> files_;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_WORKSPACE_H_
