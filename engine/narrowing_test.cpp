#include "engine/narrowing.h"

#include <gtest/gtest.h>

#include "engine/project.h"
#include "engine/reset.h"
#include "engine/test_file_store.h"

namespace veksa {
namespace {

const Lines kFile = {u"ГИПОТЕЗЫ:", u"РАЗДЕЛ S", u"NAME R1", u"END", u"NAME R2", u"IF a b",
                     u"END", u"КОНЕЦ РАЗДЕЛА S"};

struct NarrowingTest : ::testing::Test {
  NarrowingTest() : ws(std::make_unique<TestFileStore>()) {
    store().put(u"/d/kb.vks", kFile);
    ws.ProjectState = kProjectOpen;
    ws.caption = u"/d/kb.vks";
    ws.lines = {u"unsaved edits"};
  }
  TestFileStore& store() { return static_cast<TestFileStore&>(ws.files()); }
  Lines fileOf(const Line& name) {
    Lines lines;
    EXPECT_TRUE(ws.files().read(name, lines, error)) << error;
    return lines;
  }
  Workspace ws;
  std::string error;
};

TEST_F(NarrowingTest, ANodeShowsItsPartOfTheSavedFileAndTheRootAllOfIt) {
  EXPECT_EQ(TreeView1Click(ws, false, u"NAME R2", error), NarrowResult::Narrowed);
  EXPECT_EQ(ws.lines, (Lines{u"NAME R2", u"IF a b", u"END"}));
  // A node whose lines are not found, and the root, show the whole file.
  EXPECT_EQ(TreeView1Click(ws, false, u"NAME R9", error), NarrowResult::Whole);
  EXPECT_EQ(ws.lines, kFile);
  EXPECT_FALSE(ws.narrowing);
  TreeView1Click(ws, false, u"S", error);
  EXPECT_EQ(TreeView1Click(ws, true, u"БАЗА ЗНАНИЙ", error), NarrowResult::Whole);
  EXPECT_FALSE(ws.narrowing);

  // Nothing happens without a file or without a project; an unreadable file is named.
  ws.caption = kNewCaption;
  EXPECT_EQ(TreeView1Click(ws, false, u"NAME R1", error), NarrowResult::Unchanged);
  ws.caption = u"/missing/kb.vks";
  ws.ProjectState = kProjectNone;
  EXPECT_EQ(TreeView1Click(ws, false, u"NAME R1", error), NarrowResult::Unchanged);
  ws.ProjectState = kProjectMergeOrTree;
  EXPECT_EQ(TreeView1Click(ws, false, u"NAME R1", error), NarrowResult::Failed);
  EXPECT_NE(error.find("/missing/kb.vks"), std::string::npos);
  EXPECT_EQ(ws.lines, kFile);
}

TEST_F(NarrowingTest, EverySaveWritesTheWholeFileWithTheShownPartReplaced) {
  TreeView1Click(ws, false, u"NAME R1", error);
  ws.lines = {u"NAME R1", u"THEN x y [1]", u"END"};
  ASSERT_EQ(saveProject(ws, error), SaveResult::Written);
  Lines expected = kFile;
  expected.insert(expected.begin() + 3, u"THEN x y [1]");
  EXPECT_EQ(fileOf(u"/d/kb.vks"), expected);
  // Saved again while still narrowed: the same part is replaced, not added twice.
  ASSERT_EQ(saveProject(ws, error), SaveResult::Written);
  EXPECT_EQ(fileOf(u"/d/kb.vks"), expected);
  // Save as writes the whole text to the new file; closing keeps the rest of the file aside too.
  ASSERT_TRUE(saveProjectAs(ws, u"/d/copy", error));
  EXPECT_EQ(fileOf(u"/d/copy.vks"), expected);
  closeProject(ws);
  ws.emptiedByClose = false;  // the user types into the emptied text
  ws.lines = {u"NAME R1", u"END"};
  ASSERT_EQ(saveProject(ws, error), SaveResult::Written);
  EXPECT_EQ(fileOf(u"/d/copy.vks"), kFile);

  // The reset (and so every run) and a new project show whole texts again.
  ASSERT_TRUE(N22Click(ws, error));
  EXPECT_EQ(ws.lines, kFile);
  EXPECT_FALSE(ws.narrowing);
  TreeView1Click(ws, false, u"S", error);
  newProject(ws);
  EXPECT_FALSE(ws.narrowing);
  EXPECT_EQ(ws.fileText(), newKnowledgeBase());
}

TEST_F(NarrowingTest, WideningKeepsThePartsEditsInTheWholeText) {
  EXPECT_FALSE(widenNarrowing(ws));  // not narrowed: nothing to do
  EXPECT_EQ(ws.lines, Lines{u"unsaved edits"});
  TreeView1Click(ws, false, u"NAME R2", error);
  ws.lines = {u"NAME R2", u"IF a c", u"END"};
  EXPECT_TRUE(widenNarrowing(ws));
  Lines expected = kFile;
  expected[5] = u"IF a c";
  EXPECT_EQ(ws.lines, expected);
  EXPECT_FALSE(ws.narrowing);
  EXPECT_EQ(fileOf(u"/d/kb.vks"), kFile);  // nothing saved
  // A part emptied by "Закрыть" stays as it is: widening would leave the file without it.
  TreeView1Click(ws, false, u"NAME R2", error);
  closeProject(ws);
  EXPECT_FALSE(widenNarrowing(ws));
  EXPECT_TRUE(ws.lines.empty() && ws.narrowing);
}

}  // namespace
}  // namespace veksa
