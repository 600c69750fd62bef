// The declaration lists: refreshes from the text and the operations of the declaration dialogs.
#include "kb/declarations.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// ---- Order of the sorted lists --------------------------------------------------------------

char16_t foldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 32);  // А..Я
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 80);  // Ѐ..Џ, Ё among them
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<char16_t>(c + 32);
  return c;
}

// The sort weight of a character: its folded code, with "ё" just after "е".
std::uint32_t sortWeight(char16_t c) {
  c = foldCase(c);
  if (c == 0x0451) return 0x0435u * 2 + 1;
  return static_cast<std::uint32_t>(c) * 2;
}

void insertSorted(Lines& list, Line text) {
  auto at = std::upper_bound(list.begin(), list.end(), text,
                             [](const Line& a, const Line& b) { return listLess(a, b); });
  list.insert(at, std::move(text));
}

void sortList(Lines& list) {
  std::sort(list.begin(), list.end(), [](const Line& a, const Line& b) { return listLess(a, b); });
}

// Of two equal entries the one with the higher position goes.
void removeDuplicates(Lines& list) {
  std::unordered_set<Line> seen;
  Lines kept;
  kept.reserve(list.size());
  for (Line& entry : list) {
    if (seen.insert(entry).second) kept.push_back(std::move(entry));
  }
  list = std::move(kept);
}

void removeDuplicates(std::vector<MenuEntry>& menu) {
  std::unordered_set<Line> seen;
  std::vector<MenuEntry> kept;
  kept.reserve(menu.size());
  for (MenuEntry& entry : menu) {
    if (seen.insert(withoutAmpersands(entry.caption)).second) kept.push_back(std::move(entry));
  }
  menu = std::move(kept);
}

void removeEqual(Lines& list, std::u16string_view text) {
  list.erase(std::remove(list.begin(), list.end(), text), list.end());
}

void removeEqual(std::vector<MenuEntry>& menu, std::u16string_view name) {
  menu.erase(std::remove_if(menu.begin(), menu.end(),
                            [&](const MenuEntry& e) { return sameCaption(e.caption, name); }),
             menu.end());
}

bool contains(const Lines& list, std::u16string_view text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// ---- The refreshes ----------------------------------------------------------------------------

// Reads lines for a refresh, keeping the last line read (the remembered entry) and how far the
// refresh looked.
class RefreshReader {
 public:
  RefreshReader(const LineSource& lines, DeclarationLists& d, RefreshTrace* trace)
      : lines_(lines), d_(d), trace_(trace) {}
  std::size_t size() const { return lines_.lineCount(); }
  // The first word of line i; the line counts as read.
  Line first(std::size_t i) {
    last_ = i;
    any_ = true;
    return firstWord(lines_.lineAt(i));
  }
  const Line& line(std::size_t i) const { return lines_.lineAt(i); }
  // The refresh ends: the remembered entry becomes the last line read, and the trace records that
  // the lines before `contentEnd` mattered and, from there on, the absence of `absent`.
  void finish(std::size_t contentEnd, unsigned absent = 0) {
    if (!any_) return;
    d_.remembered = lines_.lineAt(last_);
    if (trace_ == nullptr) return;
    trace_->contentEnd = std::max(trace_->contentEnd, contentEnd);
    trace_->absentFirstWords |= absent;
    trace_->rememberedIsLastLine = last_ + 1 == size();
  }

 private:
  const LineSource& lines_;
  DeclarationLists& d_;
  RefreshTrace* trace_;
  std::size_t last_ = 0;
  bool any_ = false;
};

// The values of a declaration line read as the refresh of values reads them: from position
// length(name) + 3 on, each word without its last character, empty ones skipped.
void addMenuValues(MenuEntry& entry, const Line& line, const Line& name) {
  std::size_t pos = name.size() + 3;
  while (pos <= line.size()) {
    pos = skipSpaces(line, pos);
    Line w;
    if (!GetLeks(line, pos, line.size(), w)) break;
    if (w.size() > 1) entry.values.push_back({w.substr(0, w.size() - 1), name, {}});
    pos += w.size() + 1;
  }
}

// The values of one block of declarations (the classes, or the parameters): every line from `from`
// up to the first line whose first word ends the block adds its values under each menu entry
// whose caption, without "&", is the line's first word; a line naming no entry adds nothing.
// Returns the index of the line that ended the block (the line count when the text ended first).
template <typename Ends>
std::size_t addStretchValues(RefreshReader& r, std::vector<MenuEntry>& menu, std::size_t from,
                             Ends ends) {
  std::unordered_map<Line, std::vector<std::size_t>> byName;
  for (std::size_t k = 0; k < menu.size(); ++k) {
    byName[withoutAmpersands(menu[k].caption)].push_back(k);
  }
  std::size_t i = from;
  for (; i < r.size(); ++i) {
    Line name = r.first(i);
    if (ends(name)) break;
    if (name.empty()) continue;
    auto it = byName.find(withoutAmpersands(name));
    if (it == byName.end()) continue;
    for (std::size_t k : it->second) addMenuValues(menu[k], r.line(i), name);
  }
  return i;
}

}  // namespace

bool endsParameters(std::u16string_view firstWord) {
  return firstWord == kSectionWord || firstWord == kName || firstWord == kVariablesHeader;
}

bool listLess(std::u16string_view a, std::u16string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t wa = sortWeight(a[i]), wb = sortWeight(b[i]);
    if (wa != wb) return wa < wb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

Line withoutAmpersands(std::u16string_view text) {
  Line out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c != u'&') out.push_back(c);
  }
  return out;
}

bool sameCaption(std::u16string_view caption, std::u16string_view name) {
  if (caption.find(u'&') == std::u16string_view::npos &&
      name.find(u'&') == std::u16string_view::npos) {
    return caption == name;
  }
  return withoutAmpersands(caption) == withoutAmpersands(name);
}

unsigned headKeywordBit(std::u16string_view word) {
  if (word == kHypothesesHeader) return kHeadHypotheses;
  if (word == kParametersHeader) return kHeadParameters;
  if (word == kVariablesHeader) return kHeadVariables;
  if (word == kSectionWord) return kHeadSection;
  if (word == kName) return kHeadName;
  return 0;
}

ClosedDialogs N55Click(const LineSource& lines, DeclarationLists& d, RefreshTrace* trace) {
  d.classMenu.clear();
  d.parameterMenu.clear();
  d.variableMenu.clear();
  d.classList.clear();
  d.parameterList.clear();
  d.classChoice.clear();
  d.parameterChoice.clear();
  d.classValues.clear();
  d.parameterValues.clear();
  d.classChosen.clear();
  d.parameterChosen.clear();
  ClosedDialogs closed;
  RefreshReader r(lines, d, trace);
  const std::size_t n = r.size();
  if (n == 0) return closed;

  std::size_t i = 0;
  while (i < n && r.first(i) != kHypothesesHeader) ++i;
  if (i == n) {
    r.finish(0, kHeadHypotheses);
    return closed;
  }

  for (++i; i < n; ++i) {
    Line name = r.first(i);
    if (name == kParametersHeader) break;
    if (!name.empty()) d.classList.push_back(std::move(name));
  }
  sortList(d.classList);
  if (i == n) {
    r.finish(n);
    return closed;
  }
  closeNameDialog(d, DeclarationKind::Class);
  closed.classDialog = true;

  for (++i; i < n; ++i) {
    Line name = r.first(i);
    if (endsParameters(name)) break;
    if (!name.empty()) d.parameterList.push_back(std::move(name));
  }
  sortList(d.parameterList);
  if (i == n) {
    r.finish(n);
    return closed;
  }
  closeNameDialog(d, DeclarationKind::Parameter);
  closed.parameterDialog = true;
  r.finish(i + 1);
  return closed;
}

void N56Click(const LineSource& lines, DeclarationLists& d, RefreshTrace* trace) {
  RefreshReader r(lines, d, trace);
  const std::size_t n = r.size();
  if (d.classMenu.empty() || n == 0) return;

  std::size_t i = 0;
  while (i < n && r.first(i) != kHypothesesHeader) ++i;
  if (i == n) return r.finish(0, kHeadHypotheses);

  i = addStretchValues(r, d.classMenu, i + 1, [](const Line& w) { return w == kParametersHeader; });
  if (i == n) return r.finish(n);
  if (d.parameterMenu.empty()) return r.finish(i + 1);

  i = addStretchValues(r, d.parameterMenu, i + 1, endsParameters);
  if (i == n) return r.finish(n);
  const std::size_t stretchEnd = i;

  while (i < n && r.first(i) != kVariablesHeader) ++i;
  if (i == n) return r.finish(stretchEnd + 1, kHeadVariables);
  for (++i; i < n; ++i) {
    Line name = r.first(i);
    if (name == kSectionWord || name == kName) break;
    if (!name.empty()) d.variableMenu.push_back({std::move(name), Line(), {}});
  }
  r.finish(i == n ? n : i + 1);
}

ClosedDialogs N55Click(const Lines& lines, DeclarationLists& d) {
  return N55Click(LinesSource(lines), d);
}
void N56Click(const Lines& lines, DeclarationLists& d) { N56Click(LinesSource(lines), d); }

ClosedDialogs refreshDeclarations(const Lines& lines, DeclarationLists& d) {
  const ClosedDialogs closed = N55Click(lines, d);
  N56Click(lines, d);
  return closed;
}

namespace {

// Mousekl and Mouseel: the entries of one menu copied, with their value entries.
std::vector<MenuEntry> copyMenu(const std::vector<MenuEntry>& menu) {
  std::vector<MenuEntry> copy;
  copy.reserve(menu.size());
  for (const MenuEntry& entry : menu) {
    MenuEntry e{entry.caption, Line(), {}};
    for (const MenuEntry& value : entry.values)
      e.values.push_back({value.caption, entry.caption, {}});
    copy.push_back(std::move(e));
  }
  return copy;
}

}  // namespace

ContextMenu PopupMenu1Popup(const Lines& lines, DeclarationLists& d) {
  ContextMenu menu;
  menu.closed = refreshDeclarations(lines, d);
  menu.hypotheses = copyMenu(d.classMenu);
  menu.parameters = copyMenu(d.parameterMenu);
  for (const MenuEntry& v : d.variableMenu) menu.variables.push_back({v.caption, v.hint, {}});
  return menu;
}

void clearForOpen(DeclarationLists& d) {
  d.classList.clear();
  d.parameterList.clear();
  d.classChoice.clear();
  d.parameterChoice.clear();
  d.classValues.clear();
  d.parameterValues.clear();
  d.classMenu.clear();
  d.parameterMenu.clear();
}

NameStatus checkName(const Lines& list, std::u16string_view text) {
  if (text.empty()) return NameStatus::Empty;
  if (contains(list, text)) return NameStatus::Present;
  if (text.find(u' ') != std::u16string_view::npos) return NameStatus::HasSpace;
  return NameStatus::Done;
}

KindLists listsOf(DeclarationLists& d, DeclarationKind kind) {
  if (kind == DeclarationKind::Class) {
    return {d.classList, d.classChoice, d.classValues, d.classChosen, d.classMenu};
  }
  return {d.parameterList, d.parameterChoice, d.parameterValues, d.parameterChosen,
          d.parameterMenu};
}

NameStatus addName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name) {
  KindLists l = listsOf(d, kind);
  NameStatus status = checkName(l.names, name);
  if (status != NameStatus::Done) return status;
  insertSorted(l.names, Line(name));
  l.menu.push_back({Line(name), Line(), {}});
  l.choice.push_back(Line(name));
  removeDuplicates(l.names);
  removeDuplicates(l.menu);
  removeDuplicates(l.choice);
  return NameStatus::Done;
}

void deleteName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name) {
  if (name.empty()) return;
  KindLists l = listsOf(d, kind);
  removeEqual(l.names, name);
  removeEqual(l.choice, name);
  removeEqual(l.menu, name);
}

NameStatus renameName(DeclarationLists& d, DeclarationKind kind, std::u16string_view text) {
  if (text.empty()) return NameStatus::Empty;
  if (text == d.remembered) return NameStatus::Unchanged;
  NameStatus status = addName(d, kind, text);
  if (status != NameStatus::Done) return status;
  const Line old = d.remembered;
  deleteName(d, kind, old);
  return NameStatus::Done;
}

void closeNameDialog(DeclarationLists& d, DeclarationKind kind) {
  KindLists l = listsOf(d, kind);
  if (!l.menu.empty()) return;
  for (const Line& name : l.names) {
    l.menu.push_back({name, Line(), {}});
    l.choice.push_back(name);
  }
}

void pickEntry(DeclarationLists& d, std::u16string_view entry) { d.remembered.assign(entry); }

void chooseName(DeclarationLists& d, DeclarationKind kind, std::u16string_view name) {
  KindLists l = listsOf(d, kind);
  l.chosen.assign(name);
  l.values.clear();
  for (const MenuEntry& entry : l.menu) {
    if (!sameCaption(entry.caption, name)) continue;
    for (const MenuEntry& value : entry.values) insertSorted(l.values, value.caption);
  }
}

NameStatus addValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view value) {
  Lines& values = listsOf(d, kind).values;
  NameStatus status = checkName(values, value);
  if (status != NameStatus::Done) return status;
  insertSorted(values, Line(value));
  removeDuplicates(values);
  return NameStatus::Done;
}

void deleteValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view value) {
  if (!value.empty()) removeEqual(listsOf(d, kind).values, value);
}

NameStatus renameValue(DeclarationLists& d, DeclarationKind kind, std::u16string_view text) {
  if (text.empty()) return NameStatus::Empty;
  if (text == d.remembered) return NameStatus::Unchanged;
  NameStatus status = addValue(d, kind, text);
  if (status != NameStatus::Done) return status;
  deleteValue(d, kind, Line(d.remembered));
  return NameStatus::Done;
}

Line declarationLine(std::u16string_view name, const Lines& values) {
  Line line(name);
  line += u" {";
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) line += u", ";
    line += values[k];
  }
  line += u"}";
  return line;
}

namespace {

std::optional<std::size_t> firstLineEqual(const Lines& lines, std::u16string_view text) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == text) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> lastLineEqual(const Lines& lines, std::u16string_view text) {
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (lines[i] == text) return i;
  }
  return std::nullopt;
}

// Removes the lines of [from, to) whose first word is the name.
void removeDeclarations(Lines& lines, std::size_t from, std::size_t to, std::u16string_view name) {
  for (std::size_t i = to; i-- > from;) {
    if (firstWord(lines[i]) == name) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// The insertion of a write, after the earlier declarations went: for each menu entry of the name,
// the declaration line below `header` (the last line equal to it; at 0 when there is none) and the
// entry's values replaced. A name without an entry gets its line once all the same, so that a
// write never removes a declaration without writing it again. Always changes the lines.
void insertDeclarations(Lines& lines, std::vector<MenuEntry>& menu, Lines values,
                        std::u16string_view name, std::u16string_view header) {
  removeDuplicates(values);
  auto insertLine = [&] {
    auto h = lastLineEqual(lines, header);
    std::size_t at = h ? *h + 1 : 0;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), declarationLine(name, values));
  };
  bool inserted = false;
  for (MenuEntry& entry : menu) {
    if (!sameCaption(entry.caption, name)) continue;
    insertLine();
    inserted = true;
    entry.values.clear();
    for (const Line& value : values) entry.values.push_back({value, Line(name), {}});
  }
  if (!inserted) insertLine();
}

}  // namespace

bool writeDeclaration(Lines& lines, DeclarationLists& d, DeclarationKind kind,
                      std::u16string_view name) {
  KindLists l = listsOf(d, kind);
  if (name.empty() || l.values.empty()) return false;
  if (kind == DeclarationKind::Class) {
    if (auto p = firstLineEqual(lines, kParametersHeader)) {
      removeDeclarations(lines, 0, *p + 1, name);
    } else {
      auto h = firstLineEqual(lines, kHypothesesHeader);
      std::size_t from = h ? *h + 1 : 0;
      std::size_t to = PechGip(lines);
      if (from < to) removeDeclarations(lines, from, to, name);
    }
  } else {
    if (!lines.empty() && firstWord(lines[0]) == name) lines.erase(lines.begin());
    if (auto p = lastLineEqual(lines, kParametersHeader)) {
      std::size_t end = *p + 1;
      while (end < lines.size() && !endsParameters(firstWord(lines[end]))) ++end;
      removeDeclarations(lines, *p + 1, end, name);
    }
  }
  const std::u16string_view header =
      kind == DeclarationKind::Class ? kHypothesesHeader : kParametersHeader;
  insertDeclarations(lines, l.menu, l.values, name, header);
  return true;
}

Line valueInsertionText(const MenuEntry& entry) {
  return withoutAmpersands(entry.hint) + u" " + withoutAmpersands(entry.caption) + u" ";
}

}  // namespace veksa
