#include "kb/file_name.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

TEST(FileNameTest, AppendsTheExtensionUnlessTheNameEndsInLowerCaseVks) {
  EXPECT_EQ(withKnowledgeBaseExtension(u"kb"), u"kb.vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u"kb.vks"), u"kb.vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u"kb.VKS"), u"kb.VKS.vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u"kb.txt"), u"kb.txt.vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u".vks"), u".vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u"/дом/база.vks.bak"), u"/дом/база.vks.bak.vks");
  EXPECT_EQ(withKnowledgeBaseExtension(u"vks"), u"vks.vks");
}

}  // namespace
}  // namespace veksa
