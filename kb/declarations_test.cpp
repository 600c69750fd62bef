// The declaration lists: the refreshes, the dialog operations and the writes of
// declaration lines.
#include "kb/declarations.h"

#include <gtest/gtest.h>

#include "kb/kbfile.h"

namespace veksa {
namespace {

constexpr DeclarationKind kClass = DeclarationKind::Class;
constexpr DeclarationKind kParameter = DeclarationKind::Parameter;

std::vector<std::string> u8(const Lines& lines) {
  std::vector<std::string> out;
  for (const Line& l : lines) out.push_back(toUtf8(l));
  return out;
}

Lines captions(const std::vector<MenuEntry>& menu) {
  Lines out;
  for (const MenuEntry& e : menu) out.push_back(e.caption);
  return out;
}

Lines hints(const std::vector<MenuEntry>& menu) {
  Lines out;
  for (const MenuEntry& e : menu) out.push_back(e.hint);
  return out;
}

Lines example() {
  Lines lines;
  std::string error;
  EXPECT_TRUE(loadKnowledgeBase(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                                lines, error))
      << error;
  return lines;
}

// ---- Order and names ----------------------------------------------------------------------------

TEST(DeclarationLists, SortedAsAListControlSorts) {
  EXPECT_TRUE(listLess(u"а", u"Б"));
  EXPECT_TRUE(listLess(u"apple", u"Banana"));
  EXPECT_TRUE(listLess(u"Ель", u"ель"));  // equal but for case: exact comparison
  EXPECT_FALSE(listLess(u"ель", u"Ель"));
  EXPECT_TRUE(listLess(u"ель", u"ёж"));
  EXPECT_TRUE(listLess(u"Ёж", u"жук"));
  EXPECT_TRUE(listLess(u"дуб", u"дуба"));
  EXPECT_FALSE(listLess(u"дуб", u"дуб"));

  DeclarationLists d;
  for (auto name : {u"Цветок", u"берёза", u"Ёж", u"ель", u"дерево", u"Ель"}) {
    EXPECT_EQ(addName(d, kClass, name), NameStatus::Done);
  }
  EXPECT_EQ(u8(d.classList), u8({u"берёза", u"дерево", u"Ель", u"ель", u"Ёж", u"Цветок"}));
  EXPECT_EQ(u8(d.classChoice), u8({u"Цветок", u"берёза", u"Ёж", u"ель", u"дерево", u"Ель"}));
  EXPECT_EQ(u8(captions(d.classMenu)), u8(d.classChoice));
}

TEST(DeclarationLists, NameChecks) {
  DeclarationLists d;
  EXPECT_EQ(addName(d, kClass, u""), NameStatus::Empty);
  EXPECT_EQ(addName(d, kClass, u"два слова"), NameStatus::HasSpace);
  EXPECT_EQ(kNoSpacesMessage, u"Пробелы не допустимы!");
  EXPECT_TRUE(d.classList.empty() && d.classMenu.empty() && d.classChoice.empty());
  // Already in the list: nothing, even when the text also holds a space.
  d.classList.push_back(u"два слова");
  EXPECT_EQ(checkName(d.classList, u"два слова"), NameStatus::Present);
}

TEST(DeclarationLists, AddingAClassTwiceKeepsOneEntryInEachList) {
  DeclarationLists d;
  EXPECT_EQ(addName(d, kClass, u"тип"), NameStatus::Done);
  EXPECT_EQ(addName(d, kClass, u"тип"), NameStatus::Present);
  EXPECT_EQ(u8(d.classList), u8({u"тип"}));
  EXPECT_EQ(u8(d.classChoice), u8({u"тип"}));
  EXPECT_EQ(u8(captions(d.classMenu)), u8({u"тип"}));
  // Duplicates that a refresh left in the lists go when a class is added: the later one goes.
  d.classChoice.push_back(u"тип");
  d.classMenu.push_back({u"&тип", u"", {}});
  EXPECT_EQ(addName(d, kClass, u"вид"), NameStatus::Done);
  EXPECT_EQ(u8(d.classChoice), u8({u"тип", u"вид"}));
  EXPECT_EQ(u8(captions(d.classMenu)), u8({u"тип", u"вид"}));
}

TEST(DeclarationLists, DeleteAndRename) {
  Lines lines = {u"ГИПОТЕЗЫ:", u"дерево {ёлка, сосна}", u"цветок {роза}", u"ПАРАМЕТРЫ:", u""};
  DeclarationLists d;
  refreshDeclarations(lines, d);
  EXPECT_EQ(u8(d.classList), u8({u"дерево", u"цветок"}));
  deleteName(d, kClass, u"дерево");
  EXPECT_EQ(u8(d.classList), u8({u"цветок"}));
  EXPECT_EQ(u8(d.classChoice), u8({u"цветок"}));
  EXPECT_EQ(u8(captions(d.classMenu)), u8({u"цветок"}));
  deleteName(d, kClass, u"");  // Delete with an empty field: nothing
  EXPECT_EQ(d.classList.size(), 1u);

  pickEntry(d, u"цветок");
  EXPECT_EQ(renameName(d, kClass, u"цветок"), NameStatus::Unchanged);
  EXPECT_EQ(renameName(d, kClass, u""), NameStatus::Empty);
  EXPECT_EQ(renameName(d, kClass, u"куст роз"), NameStatus::HasSpace);
  EXPECT_EQ(u8(d.classList), u8({u"цветок"}));
  EXPECT_EQ(renameName(d, kClass, u"куст"), NameStatus::Done);
  EXPECT_EQ(u8(d.classList), u8({u"куст"}));
  EXPECT_EQ(u8(d.classChoice), u8({u"куст"}));
  EXPECT_EQ(u8(captions(d.classMenu)), u8({u"куст"}));

  // The parameter dialog is the class dialog's twin.
  EXPECT_EQ(addName(d, kParameter, u"цвет"), NameStatus::Done);
  EXPECT_EQ(addName(d, kParameter, u"цвет"), NameStatus::Present);
  pickEntry(d, u"цвет");
  EXPECT_EQ(renameName(d, kParameter, u"окрас"), NameStatus::Done);
  EXPECT_EQ(u8(d.parameterList), u8({u"окрас"}));
  deleteName(d, kParameter, u"окрас");
  EXPECT_TRUE(d.parameterList.empty() && d.parameterChoice.empty() && d.parameterMenu.empty());
  // None of this touched the knowledge base.
  EXPECT_EQ(lines[1], u"дерево {ёлка, сосна}");
}

TEST(DeclarationLists, ClosingADialogRebuildsAnEmptyMenu) {
  DeclarationLists d;
  d.classList = {u"а", u"б"};
  closeNameDialog(d, kClass);
  EXPECT_EQ(u8(captions(d.classMenu)), u8({u"а", u"б"}));
  EXPECT_EQ(u8(d.classChoice), u8({u"а", u"б"}));
  d.classList.push_back(u"в");
  closeNameDialog(d, kClass);  // the menu is not empty: nothing
  EXPECT_EQ(d.classMenu.size(), 2u);
  d.parameterList = {u"п"};
  closeNameDialog(d, kParameter);
  EXPECT_EQ(u8(d.parameterChoice), u8({u"п"}));
}

TEST(DeclarationLists, ValuesOfTheElementsDialog) {
  DeclarationLists d;
  d.classMenu = {{u"дерево", u"", {{u"сосна", u"дерево", {}}, {u"ель", u"дерево", {}}}},
                 {u"цветок", u"", {{u"роза", u"цветок", {}}}},
                 {u"&дерево", u"", {{u"берёза", u"дерево", {}}}}};
  chooseName(d, kClass, u"дерево");
  EXPECT_EQ(u8(d.classValues), u8({u"берёза", u"ель", u"сосна"}));
  EXPECT_EQ(addValue(d, kClass, u"ель"), NameStatus::Present);
  EXPECT_EQ(addValue(d, kClass, u"дуб большой"), NameStatus::HasSpace);
  EXPECT_EQ(addValue(d, kClass, u""), NameStatus::Empty);
  EXPECT_EQ(addValue(d, kClass, u"дуб"), NameStatus::Done);
  EXPECT_EQ(u8(d.classValues), u8({u"берёза", u"дуб", u"ель", u"сосна"}));
  deleteValue(d, kClass, u"ель");
  pickEntry(d, u"сосна");
  EXPECT_EQ(renameValue(d, kClass, u"кедр"), NameStatus::Done);
  EXPECT_EQ(u8(d.classValues), u8({u"берёза", u"дуб", u"кедр"}));
  chooseName(d, kClass, u"нет такого");
  EXPECT_TRUE(d.classValues.empty());

  d.parameterMenu = {{u"цвет", u"", {{u"белый", u"цвет", {}}}}};
  chooseName(d, kParameter, u"цвет");
  EXPECT_EQ(addValue(d, kParameter, u"розовый"), NameStatus::Done);
  deleteValue(d, kParameter, u"белый");
  pickEntry(d, u"розовый");
  EXPECT_EQ(renameValue(d, kParameter, u"красный"), NameStatus::Done);
  EXPECT_EQ(u8(d.parameterValues), u8({u"красный"}));
}

// ---- Writes
// ---------------------------------------------------------------------------------------

TEST(DeclarationWrites, ClassLineDirectlyBelowTheHeaderAndReplacedOnTheNextWrite) {
  Lines lines = newKnowledgeBase();
  DeclarationLists d;
  addName(d, kClass, u"дерево");
  chooseName(d, kClass, u"дерево");
  for (auto v : {u"ель", u"берёза", u"сосна"}) addValue(d, kClass, v);
  EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"дерево"));
  EXPECT_EQ(u8(lines), u8({u"ГИПОТЕЗЫ:", u"дерево {берёза, ель, сосна}", u"", u"ПАРАМЕТРЫ:", u"",
                           u"ПЕРЕМЕННЫЕ:", u""}));
  ASSERT_EQ(d.classMenu.size(), 1u);
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"берёза", u"ель", u"сосна"}));
  EXPECT_EQ(u8(hints(d.classMenu[0].values)), u8({u"дерево", u"дерево", u"дерево"}));

  addValue(d, kClass, u"ясень");
  EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"дерево"));
  EXPECT_EQ(u8(lines), u8({u"ГИПОТЕЗЫ:", u"дерево {берёза, ель, сосна, ясень}", u"", u"ПАРАМЕТРЫ:",
                           u"", u"ПЕРЕМЕННЫЕ:", u""}));
  // Choosing the class again offers the written values.
  chooseName(d, kClass, u"дерево");
  EXPECT_EQ(d.classValues.size(), 4u);
}

TEST(DeclarationWrites, ClassWriteRemovesEarlierDeclarations) {
  // Above "ПАРАМЕТРЫ:", every line whose first word is the class goes; the line below stays.
  Lines lines = {u"ГИПОТЕЗЫ:",       u"цветок {роза}", u"дерево {дуб}",
                 u"  дерево {клён}", u"ПАРАМЕТРЫ:",    u"дерево {липа}"};
  DeclarationLists d;
  addName(d, kClass, u"дерево");
  d.classValues = {u"дуб", u"клён"};
  EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"дерево"));
  EXPECT_EQ(u8(lines), u8({u"ГИПОТЕЗЫ:", u"дерево {дуб, клён}", u"цветок {роза}", u"ПАРАМЕТРЫ:",
                           u"дерево {липа}"}));

  // Without "ПАРАМЕТРЫ:": between "ГИПОТЕЗЫ:" and the end of the declaration head.
  Lines noParameters = {u"дерево {а}", u"ГИПОТЕЗЫ:", u"дерево {б}", u"NAME R", u"дерево {в}"};
  d.classValues = {u"г"};
  EXPECT_TRUE(writeDeclaration(noParameters, d, kClass, u"дерево"));
  EXPECT_EQ(u8(noParameters),
            u8({u"дерево {а}", u"ГИПОТЕЗЫ:", u"дерево {г}", u"NAME R", u"дерево {в}"}));
}

TEST(DeclarationWrites, NothingWithoutAChoiceOrValues) {
  Lines lines = newKnowledgeBase();
  DeclarationLists d;
  addName(d, kClass, u"дерево");
  EXPECT_FALSE(writeDeclaration(lines, d, kClass, u"дерево"));  // no values
  d.classValues = {u"ель"};
  EXPECT_FALSE(writeDeclaration(lines, d, kClass, u""));
  EXPECT_EQ(lines, newKnowledgeBase());
}

// No write removes a declaration without writing it again, nor multiplies its values, nor writes
// a partial list over it after a refresh.
TEST(DeclarationWrites, NeverLoseADeclaration) {
  // A class or parameter without an entry in its menu gets its line with the listed values.
  Lines lines = {u"ГИПОТЕЗЫ:", u"сосна {a, b}", u"ПАРАМЕТРЫ:", u"шипы {есть}", u"ПЕРЕМЕННЫЕ:"};
  DeclarationLists d;
  chooseName(d, kClass, u"сосна");
  addValue(d, kClass, u"c");
  EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"сосна"));
  chooseName(d, kParameter, u"шипы");
  addValue(d, kParameter, u"нет");
  EXPECT_TRUE(writeDeclaration(lines, d, kParameter, u"шипы"));
  EXPECT_EQ(u8(lines),
            u8({u"ГИПОТЕЗЫ:", u"сосна {c}", u"ПАРАМЕТРЫ:", u"шипы {нет}", u"ПЕРЕМЕННЫЕ:"}));
  EXPECT_TRUE(d.classMenu.empty() && d.parameterMenu.empty());

  // A class declared twice: each of its lines is written with each value once, and writing again
  // after a refresh gives the same lines.
  lines = {u"ГИПОТЕЗЫ:", u"дерево {а}", u"дерево {б}", u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:"};
  const Lines written = {u"ГИПОТЕЗЫ:", u"дерево {а, б}", u"дерево {а, б}", u"ПАРАМЕТРЫ:",
                         u"ПЕРЕМЕННЫЕ:"};
  for (int cycle = 0; cycle < 2; ++cycle) {
    refreshDeclarations(lines, d);
    chooseName(d, kClass, u"дерево");
    EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"дерево"));
    EXPECT_EQ(u8(lines), u8(written)) << cycle;
  }
  d.classValues = {u"б", u"а", u"б"};  // first-occurrence order, not sorted
  writeDeclaration(lines, d, kClass, u"дерево");
  EXPECT_EQ(lines[1], u"дерево {б, а}");
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"б", u"а"}));

  // A refresh empties the choice fields with the value lists: a value added after it cannot be
  // written over the declaration under the name chosen before.
  chooseName(d, kClass, u"дерево");
  chooseName(d, kParameter, u"шипы");
  N55Click(lines, d);
  EXPECT_TRUE(d.classChosen.empty() && d.parameterChosen.empty());
  EXPECT_TRUE(d.classValues.empty() && d.parameterValues.empty());
}

TEST(DeclarationWrites, ParameterLineBelowItsHeaderAndReplaced) {
  Lines lines = newKnowledgeBase();
  DeclarationLists d;
  addName(d, kParameter, u"цвет");
  chooseName(d, kParameter, u"цвет");
  addValue(d, kParameter, u"розовый");
  addValue(d, kParameter, u"белый");
  EXPECT_TRUE(writeDeclaration(lines, d, kParameter, u"цвет"));
  EXPECT_EQ(u8(lines), u8({u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"цвет {белый, розовый}", u"",
                           u"ПЕРЕМЕННЫЕ:", u""}));
  addValue(d, kParameter, u"жёлтый");
  EXPECT_TRUE(writeDeclaration(lines, d, kParameter, u"цвет"));
  EXPECT_EQ(u8(lines), u8({u"ГИПОТЕЗЫ:", u"", u"ПАРАМЕТРЫ:", u"цвет {белый, жёлтый, розовый}", u"",
                           u"ПЕРЕМЕННЫЕ:", u""}));

  // The first line of the text is examined too; lines after "ПЕРЕМЕННЫЕ:" are not.
  Lines other = {u"цвет {x}", u"ПАРАМЕТРЫ:",  u"шипы {есть}",
                 u"цвет {y}", u"ПЕРЕМЕННЫЕ:", u"цвет 5"};
  d.parameterValues = {u"z"};
  EXPECT_TRUE(writeDeclaration(other, d, kParameter, u"цвет"));
  EXPECT_EQ(u8(other), u8({u"ПАРАМЕТРЫ:", u"цвет {z}", u"шипы {есть}", u"ПЕРЕМЕННЫЕ:", u"цвет 5"}));

  // No "ПАРАМЕТРЫ:" line: the line goes to the top.
  Lines none = {u"ГИПОТЕЗЫ:"};
  EXPECT_TRUE(writeDeclaration(none, d, kParameter, u"цвет"));
  EXPECT_EQ(u8(none), u8({u"цвет {z}", u"ГИПОТЕЗЫ:"}));
}

TEST(DeclarationWrites, AmpersandsInNames) {
  DeclarationLists d;
  addName(d, kClass, u"a&b");
  EXPECT_EQ(addName(d, kClass, u"a&b"), NameStatus::Present);
  d.classMenu[0].caption = u"&a&b";  // an accelerator mark added by the platform
  chooseName(d, kClass, u"a&b");
  addValue(d, kClass, u"x");
  Lines lines = newKnowledgeBase();
  EXPECT_TRUE(writeDeclaration(lines, d, kClass, u"a&b"));
  EXPECT_EQ(lines[1], u"a&b {x}");
  EXPECT_EQ(valueInsertionText(d.classMenu[0].values[0]), u"ab x ");
  deleteName(d, kClass, u"a&b");
  EXPECT_TRUE(d.classMenu.empty());
  // A refresh finds the class again: its caption and its values.
  refreshDeclarations(lines, d);
  ASSERT_EQ(d.classMenu.size(), 1u);
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"x"}));
  EXPECT_EQ(d.classMenu[0].values[0].hint, u"a&b");
}

// ---- Refreshes
// ------------------------------------------------------------------------------------

TEST(DeclarationRefresh, NewKnowledgeBaseGivesEmptyLists) {
  DeclarationLists d;
  addName(d, kClass, u"старый");
  refreshDeclarations(newKnowledgeBase(), d);
  EXPECT_TRUE(d.classList.empty() && d.parameterList.empty() && d.classChoice.empty());
  EXPECT_TRUE(d.classMenu.empty() && d.parameterMenu.empty() && d.variableMenu.empty());
  EXPECT_EQ(d.remembered, u"ПЕРЕМЕННЫЕ:");  // the last line read
}

TEST(DeclarationRefresh, Example) {
  DeclarationLists d;
  ContextMenu menu = PopupMenu1Popup(example(), d);
  EXPECT_TRUE(menu.closed.classDialog && menu.closed.parameterDialog);
  EXPECT_EQ(u8(d.classList), u8({u"дерево", u"цветок"}));
  EXPECT_EQ(u8(d.parameterList), u8({u"кора", u"оперение", u"хвоя", u"цвет", u"шипы"}));
  // The menus are rebuilt from the sorted lists when the dialogs close.
  EXPECT_EQ(u8(captions(d.parameterMenu)), u8(d.parameterList));
  EXPECT_EQ(u8(d.parameterChoice), u8(d.parameterList));
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"ёлка", u"сосна", u"берёза"}));
  EXPECT_EQ(u8(hints(d.classMenu[0].values)), u8({u"дерево", u"дерево", u"дерево"}));
  EXPECT_EQ(u8(captions(d.parameterMenu[3].values)), u8({u"белый", u"розовый"}));
  EXPECT_EQ(valueInsertionText(d.parameterMenu[3].values[0]), u"цвет белый ");
  EXPECT_EQ(u8(captions(d.variableMenu)), u8({u"X", u"Z"}));
  EXPECT_EQ(valueInsertionText(d.variableMenu[0]), u" X ");
  EXPECT_EQ(d.remembered, u"РАЗДЕЛ ДЕРЕВЬЯ");
  // The context menu shows copies.
  EXPECT_EQ(u8(captions(menu.hypotheses)), u8({u"дерево", u"цветок"}));
  EXPECT_EQ(u8(captions(menu.parameters[3].values)), u8({u"белый", u"розовый"}));
  EXPECT_EQ(u8(hints(menu.parameters[3].values)), u8({u"цвет", u"цвет"}));
  EXPECT_EQ(u8(captions(menu.variables)), u8({u"X", u"Z"}));
}

TEST(DeclarationRefresh, ValuesRefreshedTwiceAreDoubled) {
  Lines lines = example();
  DeclarationLists d;
  N55Click(lines, d);
  N56Click(lines, d);
  N56Click(lines, d);
  EXPECT_EQ(u8(captions(d.classMenu[1].values)), u8({u"ромашка", u"роза", u"ромашка", u"роза"}));
  EXPECT_EQ(u8(captions(d.variableMenu)), u8({u"X", u"Z", u"X", u"Z"}));
  // The first refresh empties everything again.
  N55Click(lines, d);
  EXPECT_TRUE(d.classMenu[1].values.empty());
  EXPECT_TRUE(d.variableMenu.empty());
}

TEST(DeclarationRefresh, TextEndingEarly) {
  DeclarationLists d;
  // No parameters header: every first word after "ГИПОТЕЗЫ:" is a class, and the menus stay empty
  // (the refresh closed neither dialog).
  ClosedDialogs closed = N55Click(Lines{u"ГИПОТЕЗЫ:", u"дерево {а}", u"", u"NAME R"}, d);
  EXPECT_TRUE(!closed.classDialog && !closed.parameterDialog);
  EXPECT_EQ(u8(d.classList), u8({u"NAME", u"дерево"}));
  EXPECT_TRUE(d.classMenu.empty());
  EXPECT_EQ(d.remembered, u"NAME R");
  // No hypotheses header at all.
  closed = N55Click(Lines{u"ПАРАМЕТРЫ:", u"шипы {есть}"}, d);
  EXPECT_TRUE(!closed.classDialog && !closed.parameterDialog);
  EXPECT_TRUE(d.classList.empty() && d.parameterList.empty());
  // Parameters running to the end of the text: only the class dialog closed, and the parameter
  // menu stays empty.
  closed = refreshDeclarations({u"ГИПОТЕЗЫ:", u"дерево {а}", u"ПАРАМЕТРЫ:", u"шипы {есть}"}, d);
  EXPECT_TRUE(closed.classDialog && !closed.parameterDialog);
  EXPECT_EQ(u8(d.parameterList), u8({u"шипы"}));
  EXPECT_TRUE(d.parameterMenu.empty());
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"а"}));
  // A declaration without the single space before its brace: values read from length + 3.
  refreshDeclarations({u"ГИПОТЕЗЫ:", u"дерево  {а, б}", u"ПАРАМЕТРЫ:", u"NAME R"}, d);
  EXPECT_EQ(u8(captions(d.classMenu[0].values)), u8({u"{а", u"б"}));
  refreshDeclarations({}, d);
  EXPECT_TRUE(d.classList.empty());
}

TEST(DeclarationRefresh, OpenEmptiesTheDialogLists) {
  DeclarationLists d;
  refreshDeclarations(example(), d);
  clearForOpen(d);
  EXPECT_TRUE(d.classList.empty() && d.parameterList.empty() && d.classChoice.empty() &&
              d.parameterChoice.empty() && d.classMenu.empty() && d.parameterMenu.empty());
  EXPECT_EQ(d.variableMenu.size(), 2u);  // not named by Open
}

}  // namespace
}  // namespace veksa
