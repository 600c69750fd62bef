#include "engine/project.h"

#include <gtest/gtest.h>

#include "engine/test_file_store.h"

namespace veksa {
namespace {

struct ProjectTest : ::testing::Test {
  ProjectTest() : ws(std::make_unique<TestFileStore>()) {}
  Lines fileOf(const Line& name) {
    Lines lines;
    std::string error;
    EXPECT_TRUE(ws.files().read(name, lines, error)) << error;
    return lines;
  }
  Workspace ws;
  std::string error;
};

TEST_F(ProjectTest, NewProjectKeepsTheRepeatCountAndMethodText) {
  ws.caption = u"kb.vks";
  ws.lines = {u"x"};
  ws.method = InferenceMethod::BackwardBreadth;
  ws.RepeatCount = 150;
  ws.methodText = u"Обратный в глубину";
  ws.ProjectState = kProjectNone;
  newProject(ws);
  EXPECT_EQ(ws.lines, newKnowledgeBase());
  EXPECT_EQ(ws.caption, u"new.vks");
  EXPECT_EQ(ws.method, InferenceMethod::ForwardBreadth);
  EXPECT_EQ(ws.RepeatCount, 150);
  EXPECT_EQ(ws.methodText, u"Обратный в глубину");
  EXPECT_EQ(ws.ProjectState, kProjectOpen);
}

TEST_F(ProjectTest, ClosedTextIsNotSavedOverTheFileUntilAnotherTextIsLoaded) {
  ws.lines = {u"ГИПОТЕЗЫ:", u"дерево {ель}"};
  EXPECT_EQ(saveProject(ws, error), SaveResult::NeedsName);
  ASSERT_TRUE(saveProjectAs(ws, u"/d/kb", error));
  EXPECT_EQ(ws.caption, u"/d/kb.vks");
  ws.memo.append(u"оперение");
  closeProject(ws);
  EXPECT_TRUE(ws.lines.empty() && ws.memo.empty());
  EXPECT_EQ(ws.caption, u"/d/kb.vks");
  EXPECT_EQ(saveProject(ws, error), SaveResult::Kept);
  EXPECT_EQ(fileOf(u"/d/kb.vks").size(), 2u);

  // The reset brings the file back, and the text is the file's own again.
  EXPECT_TRUE(resetForOpen(ws, error));
  EXPECT_EQ(ws.lines.size(), 2u);
  ws.lines.push_back(u"цветок {роза}");
  EXPECT_EQ(saveProject(ws, error), SaveResult::Written);
  EXPECT_EQ(fileOf(u"/d/kb.vks").size(), 3u);

  // Save as writes the closed text on purpose, to the file the user chose.
  closeProject(ws);
  ASSERT_TRUE(saveProjectAs(ws, u"/d/empty", error));
  EXPECT_EQ(fileOf(u"/d/empty.vks"), Lines{});
  EXPECT_EQ(saveProject(ws, error), SaveResult::Written);

  // A failed write keeps the caption and names the file.
  EXPECT_FALSE(saveProjectAs(ws, u"/ro/kb", error));
  EXPECT_EQ(ws.caption, u"/d/empty.vks");
  EXPECT_NE(error.find("/ro/kb.vks"), std::string::npos);
}

TEST_F(ProjectTest, OpenEmptiesTheDeclarationListsButTheVariableMenu) {
  DeclarationLists& d = ws.declarations;
  d.classList = d.classChoice = d.parameterList = d.parameterChoice = {u"a"};
  d.classValues = d.parameterValues = {u"b"};
  d.classMenu = d.parameterMenu = d.variableMenu = {MenuEntry{u"a", u"", {}}};
  ws.facts.append({u"a", u"b", u"1"});
  ws.RulePath = {u"П1"};
  EXPECT_TRUE(resetForOpen(ws, error));
  EXPECT_TRUE(d.classList.empty() && d.classChoice.empty() && d.parameterList.empty() &&
              d.parameterChoice.empty() && d.classValues.empty() && d.parameterValues.empty());
  EXPECT_TRUE(d.classMenu.empty() && d.parameterMenu.empty());
  EXPECT_EQ(d.variableMenu.size(), 1u);
  EXPECT_TRUE(ws.facts.empty() && ws.RulePath.empty());

  // A file that cannot be read leaves the lines and the caption as they were.
  ws.lines = {u"прежний"};
  EXPECT_FALSE(openProject(ws, u"/nonexistent/kb.vks", error));
  EXPECT_NE(error.find("/nonexistent/kb.vks"), std::string::npos);
  EXPECT_EQ(ws.lines, Lines{u"прежний"});
  EXPECT_EQ(ws.caption, u"new.vks");
  static_cast<MemoryFileStore&>(ws.files()).put(u"/d/other.vks", {u"другой"});
  closeProject(ws);
  ASSERT_TRUE(openProject(ws, u"/d/other.vks", error));
  EXPECT_EQ(ws.lines, Lines{u"другой"});
  EXPECT_EQ(ws.caption, u"/d/other.vks");
  EXPECT_FALSE(ws.emptiedByClose);
}

}  // namespace
}  // namespace veksa
