#include "engine/merge.h"

#include <gtest/gtest.h>

#include "engine/test_file_store.h"

namespace veksa {
namespace {

TEST(MergeTest, TheProjectIsSavedFirstAndAFailureChangesNothing) {
  Workspace ws(std::make_unique<TestFileStore>());
  auto& store = static_cast<TestFileStore&>(ws.files());
  store.put(u"data.vks", {u"ГИПОТЕЗЫ:", u"NAME R0", u"END"});
  store.put(u"rules.vks", {u"ГИПОТЕЗЫ:", u"NAME R1", u"END"});
  ws.caption = u"/d/old.vks";
  ws.lines = {u"прежний текст"};
  ws.memo.append(u"оперение");
  std::string error;
  for (const MergeRequest& request :
       {MergeRequest{u"p.vks", u"/missing/data.vks", {u"rules.vks"}},
        MergeRequest{u"p.vks", u"data.vks", {u"rules.vks", u"/missing/r.vks"}},
        MergeRequest{u"/ro/p.vks", u"data.vks", {u"rules.vks"}}}) {
    error.clear();
    EXPECT_EQ(mergeProject(ws, request, error), MergeResult::Failed);
    EXPECT_NE(error.find(toUtf8(request.projectName == u"p.vks" ? u"/missing/" : u"/ro/p.vks")),
              std::string::npos)
        << error;
    EXPECT_EQ(ws.lines, Lines{u"прежний текст"});
    EXPECT_EQ(ws.memo.lines(), Lines{u"оперение"});
    EXPECT_EQ(ws.caption, u"/d/old.vks");
  }
  EXPECT_EQ(mergeProject(ws, {u"", u"data.vks", {}}, error), MergeResult::Skipped);
  EXPECT_EQ(mergeProject(ws, {u"p.vks", u"", {}}, error), MergeResult::Skipped);

  // The merged text is the project under the name as typed, and the merge buffer keeps it.
  ASSERT_EQ(mergeProject(ws, {u"my project", u"data.vks", {u"rules.vks"}}, error),
            MergeResult::Merged);
  const Lines merged = {u"ГИПОТЕЗЫ:", u"", u"NAME R1", u"END"};
  EXPECT_EQ(ws.lines, merged);
  EXPECT_EQ(ws.memo.lines(), merged);
  EXPECT_EQ(ws.caption, u"my project");
  Lines saved;
  ASSERT_TRUE(ws.files().read(u"my project", saved, error));
  EXPECT_EQ(saved, merged);
}

}  // namespace
}  // namespace veksa
