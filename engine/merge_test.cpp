#include "engine/merge.h"

#include <gtest/gtest.h>

#include "engine/test_file_store.h"

namespace veksa {
namespace {

struct MergeTest : ::testing::Test {
  MergeTest() : ws(std::make_unique<TestFileStore>()) {
    auto& store = static_cast<TestFileStore&>(ws.files());
    store.put(u"data.vks", {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"NAME R0", u"END"});
    store.put(u"rules.vks", {u"ГИПОТЕЗЫ:", u"РАЗДЕЛ A", u"NAME R1", u"END", u"КОНЕЦ РАЗДЕЛА A"});
    ws.caption = u"/d/old.vks";
    ws.lines = {u"прежний текст"};
    ws.memo.append(u"оперение");
  }
  Workspace ws;
  std::string error;
};

TEST_F(MergeTest, TheMergedTextIsSavedUnderTheNameAsTypedAndBecomesTheProject) {
  MergeRequest request{u"my project", u"data.vks", {u"rules.vks", u"data.vks"}};
  ASSERT_EQ(mergeProject(ws, request, error), MergeResult::Merged);
  const Lines merged = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"", u"РАЗДЕЛ A", u"NAME R1", u"END",
                        u"КОНЕЦ РАЗДЕЛА A", u"", u"NAME R0", u"END"};
  EXPECT_EQ(ws.lines, merged);
  EXPECT_EQ(ws.memo.lines(), merged);
  EXPECT_EQ(ws.caption, u"my project");
  Lines saved;
  ASSERT_TRUE(ws.files().read(u"my project", saved, error));
  EXPECT_EQ(saved, merged);

  EXPECT_EQ(mergeProject(ws, {u"", u"data.vks", {u"rules.vks"}}, error), MergeResult::Skipped);
  EXPECT_EQ(mergeProject(ws, {u"p.vks", u"", {u"rules.vks"}}, error), MergeResult::Skipped);
  EXPECT_EQ(ws.caption, u"my project");
}

TEST_F(MergeTest, AFileThatCannotBeReadOrWrittenChangesNothing) {
  for (const MergeRequest& request :
       {MergeRequest{u"p.vks", u"/missing/data.vks", {u"rules.vks"}},
        MergeRequest{u"p.vks", u"data.vks", {u"rules.vks", u"/missing/r.vks"}},
        MergeRequest{u"/ro/p.vks", u"data.vks", {u"rules.vks"}}}) {
    error.clear();
    EXPECT_EQ(mergeProject(ws, request, error), MergeResult::Failed);
    EXPECT_TRUE(error.find("/missing/") != std::string::npos ||
                error.find("/ro/p.vks") != std::string::npos)
        << error;
    EXPECT_EQ(ws.lines, Lines{u"прежний текст"});
    EXPECT_EQ(ws.memo.lines(), Lines{u"оперение"});
    EXPECT_EQ(ws.caption, u"/d/old.vks");
  }
  Lines none;
  EXPECT_FALSE(ws.files().read(u"p.vks", none, error));
}

}  // namespace
}  // namespace veksa
