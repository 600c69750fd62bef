// The declaration lists: the names and values that the declaration dialogs edit and that the
// editor's context menu offers for insertion. Kept as data so that they can be tested and shown
// by any window; the operations below are the dialogs' and the refreshes' behaviour without the
// widgets (a window only forwards its field text and shows the lists afterwards).
#ifndef VEKSA_KB_DECLARATIONS_H_
#define VEKSA_KB_DECLARATIONS_H_

#include <cstddef>
#include <vector>

#include "kb/text.h"

namespace veksa {

// One entry of the class, parameter or variable menu. A value sub-entry has the value as its
// caption and the owning class or parameter as its hint; a variable entry has an empty hint.
struct MenuEntry {
  Line caption;
  Line hint;
  std::vector<MenuEntry> values;
};

// Hypothesis classes and parameters are declared alike, each kind through two dialogs: a name
// dialog (the class dialog TForm6, the parameter dialog TForm7) that keeps the list of names, and
// a values dialog (the class-elements dialog TForm13, the parameter-values dialog TForm8) that
// edits the values of one name and writes its declaration line.
enum class DeclarationKind { Class, Parameter };

struct DeclarationLists {
  Lines classList;        // class dialog's list, kept sorted
  Lines parameterList;    // parameter dialog's list, kept sorted
  Lines classChoice;      // class-elements dialog's upper list, in the order of addition
  Lines parameterChoice;  // parameter-values dialog's upper list, in the order of addition
  Lines classValues;      // class-elements dialog's lower list, kept sorted
  Lines parameterValues;  // parameter-values dialog's lower list, kept sorted
  // The text of the class-elements and parameter-values dialogs' choice fields (set by
  // chooseName). The refresh of classes and parameters empties them together with the value
  // lists, so that a write after it cannot replace a declaration's values by a partial list.
  Line classChosen;
  Line parameterChosen;
  std::vector<MenuEntry> classMenu;
  std::vector<MenuEntry> parameterMenu;
  std::vector<MenuEntry> variableMenu;
  Line remembered;  // the entry last picked from a drop-down, renamed by "Редактировать"
};

// The lists of one kind of declaration, as its two dialogs and its menu hold them.
struct KindLists {
  Lines& names;                  // the name dialog's list, kept sorted
  Lines& choice;                 // the values dialog's upper list, in the order of addition
  Lines& values;                 // the values dialog's lower list, kept sorted
  Line& chosen;                  // the values dialog's choice field
  std::vector<MenuEntry>& menu;  // the class or parameter menu
};
KindLists listsOf(DeclarationLists& d, DeclarationKind kind);

// Read access to knowledge-base lines, so that the refreshes also run over the diagnostics'
// working copy of the text.
class LineSource {
 public:
  virtual ~LineSource() = default;
  virtual std::size_t lineCount() const = 0;
  virtual const Line& lineAt(std::size_t index) const = 0;
};

// A LineSource over a plain list of lines.
class LinesSource : public LineSource {
 public:
  explicit LinesSource(const Lines& lines) : lines_(lines) {}
  std::size_t lineCount() const override { return lines_.size(); }
  const Line& lineAt(std::size_t index) const override { return lines_[index]; }

 private:
  const Lines& lines_;
};

// ---- Sorting and comparing names -------------------------------------------------------------

// The order of the sorted lists, as a sorted list control keeps them: case-insensitive (Latin and
// Cyrillic; "ё" between "е" and "ж"), ties broken by exact comparison.
bool listLess(std::u16string_view a, std::u16string_view b);
// The text without its accelerator marks "&".
Line withoutAmpersands(std::u16string_view text);
// A menu caption compared with a name: both without "&".
bool sameCaption(std::u16string_view caption, std::u16string_view name);

// ---- The refreshes ----------------------------------------------------------------

// Bits naming the first words that end or start the stretches of the declaration head.
enum HeadKeyword : unsigned {
  kHeadHypotheses = 1u,  // "ГИПОТЕЗЫ:"
  kHeadParameters = 2u,  // "ПАРАМЕТРЫ:"
  kHeadVariables = 4u,   // "ПЕРЕМЕННЫЕ:"
  kHeadSection = 8u,     // "РАЗДЕЛ"
  kHeadName = 16u,       // "NAME"
};
// The bit of a word (0 for any other word).
unsigned headKeywordBit(std::u16string_view word);
// A line's first word that ends the parameter declarations: "РАЗДЕЛ", "NAME" or "ПЕРЕМЕННЫЕ:".
bool endsParameters(std::u16string_view firstWord);

// What a refresh depended on, for callers that cache its outcome while the text changes: the
// lines before `contentEnd` (their text and their number), and the absence of any line whose
// first word is one of `absentFirstWords` from `contentEnd` on. When `rememberedIsLastLine` the
// remembered entry is the text's last line, whatever it holds.
struct RefreshTrace {
  std::size_t contentEnd = 0;
  unsigned absentFirstWords = 0;
  bool rememberedIsLastLine = false;
};

// The class and parameter dialogs that a refresh of classes and parameters closed: a window that
// shows them hides those.
struct ClosedDialogs {
  bool classDialog = false;
  bool parameterDialog = false;
};

// N55Click: refresh of classes and parameters. Empties the three menus, the six dialog lists and
// the two choice fields, fills the class list from the lines between "ГИПОТЕЗЫ:" and "ПАРАМЕТРЫ:",
// closes the class dialog (closeNameDialog), fills the parameter list from the lines after
// "ПАРАМЕТРЫ:" up to "РАЗДЕЛ", "NAME" or "ПЕРЕМЕННЫЕ:" and closes the parameter dialog; stops where
// the text ends first, leaving the dialog it has not reached open. The remembered entry becomes
// the last line read.
ClosedDialogs N55Click(const LineSource& lines, DeclarationLists& d, RefreshTrace* trace = nullptr);
ClosedDialogs N55Click(const Lines& lines, DeclarationLists& d);

// N56Click: refresh of values and variables. Adds value sub-entries under the class and parameter
// entries from their declaration lines and one variable entry per declared variable; adds to what
// is there. The remembered entry becomes the last line read.
void N56Click(const LineSource& lines, DeclarationLists& d, RefreshTrace* trace = nullptr);
void N56Click(const Lines& lines, DeclarationLists& d);

// The context menu's preparation (and the diagnostics'): N55Click, then N56Click.
ClosedDialogs refreshDeclarations(const Lines& lines, DeclarationLists& d);

// The three submenus of the editor's context menu.
struct ContextMenu {
  std::vector<MenuEntry> hypotheses;  // "гипотезы": class entries with their value entries
  std::vector<MenuEntry> parameters;  // "параметры"
  std::vector<MenuEntry> variables;   // "переменные"
  ClosedDialogs closed;               // the dialogs that the refresh before it closed
};

// PopupMenu1Popup: refreshes the lists (N55Click, N56Click) and returns the submenus as the
// context menu shows them: a copy of each class and parameter entry (same caption) with copies
// of its value entries (same caption, the class or parameter entry's caption as hint), and a copy
// of each variable entry. A value or variable entry inserts valueInsertionText when chosen.
ContextMenu PopupMenu1Popup(const Lines& lines, DeclarationLists& d);

// Open empties the six dialog lists and the class and parameter menus.
void clearForOpen(DeclarationLists& d);

// ---- The dialogs -------------------------------------------------------------------

// The outcome of a name check and of the operations that apply it.
enum class NameStatus {
  Done,      // the operation took place
  Empty,     // the field was empty: nothing happens
  Present,   // the list already holds the text: nothing happens, no message
  HasSpace,  // the text holds a space: the message below, nothing else
  Unchanged  // rename to the remembered entry itself: nothing
};
inline constexpr std::u16string_view kNoSpacesMessage = u"Пробелы не допустимы!";

// The name checks in their order against one list.
NameStatus checkName(const Lines& list, std::u16string_view text);

// The name dialogs (TForm6, TForm7), on the lists of their kind. Add puts the name into the name
// list, the menu and the choice list and removes duplicates; delete removes every equal entry from
// the three; rename adds the text and then deletes the remembered entry; close rebuilds the menu
// and the choice list from the name list when the menu is empty. None touches the knowledge base.
NameStatus addName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name);
void deleteName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name);
NameStatus renameName(DeclarationLists& d, DeclarationKind kind, std::u16string_view text);
void closeNameDialog(DeclarationLists& d, DeclarationKind kind);

// Picking an entry from the drop-down of any of the four editable lists.
void pickEntry(DeclarationLists& d, std::u16string_view entry);

// The values dialogs (TForm13, TForm8): choosing a name keeps it as the chosen text and fills the
// value list from the value sub-entries of every menu entry of that name; values are added
// (sorted, duplicates removed), deleted and renamed on the value list alone.
void chooseName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name);
NameStatus addValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view value);
void deleteValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view value);
NameStatus renameValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view text);

// The declaration line that the write inserts: name + " {" + values joined by ", " + "}".
Line declarationLine(std::u16string_view name, const Lines& values);

// The write of a declaration ("Добавить в базу знаний класса гипотез", "Добавить в базу знаний
// параметры"): nothing when the name is empty or the value list of its kind is empty. First the
// earlier declarations of the name go:
// - a class: its lines from line 0 to the first line "ПАРАМЕТРЫ:"; without such a line, those
//   between "ГИПОТЕЗЫ:" and the end of the declaration head;
// - a parameter: the first line of the text when it declares it, and its lines between the last
//   line "ПАРАМЕТРЫ:" and the first later line whose first word is "ПЕРЕМЕННЫЕ:", "РАЗДЕЛ" or
//   "NAME".
// Then for each menu entry of the name, the declaration line goes directly below the last line
// "ГИПОТЕЗЫ:" (a class) or "ПАРАМЕТРЫ:" (a parameter), at 0 when there is none, and the entry's
// value sub-entries are replaced by the values; a name without an entry gets its line all the
// same. The line holds each value of the value list once, in the order of first occurrence.
// Returns true when it wrote (the lines then changed or were written again as they were).
bool writeDeclaration(Lines& lines, DeclarationLists& d, DeclarationKind kind,
                      std::u16string_view name);

// The text that a click on a value sub-entry or a variable entry inserts at the caret: the hint
// and the caption without "&", each followed by a space ("дерево берёза ", " X ").
Line valueInsertionText(const MenuEntry& entry);

}  // namespace veksa

#endif  // VEKSA_KB_DECLARATIONS_H_
