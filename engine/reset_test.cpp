#include "engine/reset.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

TEST(Reset, ReloadsTheFileAndEmptiesTheRunState) {
  auto store = std::make_unique<MemoryFileStore>();
  store->put(u"kb.vks", {u"из файла"});
  Workspace ws(std::move(store));
  ws.caption = u"kb.vks";
  ws.lines = {u"правка"};
  ws.RulePath = {u"П1"};
  ws.memo.append(u"оперение");
  ws.facts.append({u"a", u"b", u"1"});
  ws.report = {u"x"};
  std::string error;
  EXPECT_TRUE(resetKeepingPath(ws, error));
  EXPECT_EQ(ws.lines, Lines{u"из файла"});
  EXPECT_EQ(ws.RulePath, Lines{u"П1"});
  EXPECT_TRUE(ws.memo.empty() && ws.facts.empty() && ws.report.empty());
  EXPECT_TRUE(N22Click(ws, error));
  EXPECT_TRUE(ws.RulePath.empty());

  // An unsaved knowledge base keeps its text; an unreadable file keeps the lines and says why.
  ws.caption = u"new.vks";
  ws.lines = {u"новый"};
  EXPECT_TRUE(N22Click(ws, error));
  EXPECT_EQ(ws.lines, Lines{u"новый"});
  ws.caption = u"/nonexistent/kb.vks";
  EXPECT_FALSE(N22Click(ws, error));
  EXPECT_NE(error.find("/nonexistent/kb.vks"), std::string::npos);
  EXPECT_EQ(ws.lines, Lines{u"новый"});
}

}  // namespace
}  // namespace veksa
