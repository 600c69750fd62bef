// veksa-cli run --compare-methods: after the normal output, one line per method with its passes,
// the work of its last pass and its first hypothesis (the times are measured, not tested).
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/cli.h"

namespace veksa::cli {
namespace {

const std::string kExample = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks";
const std::string kAnswers = std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.answers";

int cli(const Args& args, std::string& out, std::string& err) {
  std::ostringstream o, e;
  int code = runCli(args, o, e);
  out = o.str();
  err = e.str();
  return code;
}

TEST(CompareMethodsTest, OneLinePerMethodAfterTheNormalOutput) {
  std::string plain, compared, err;
  ASSERT_EQ(cli({"run", kExample, "--answers", kAnswers}, plain, err), 0) << err;
  ASSERT_EQ(cli({"run", kExample, "--answers", kAnswers, "--compare-methods"}, compared, err), 0)
      << err;
  const std::regex time("\t[0-9]+\\.[0-9]{3}\t");
  auto timeless = [&](const std::string& text) { return std::regex_replace(text, time, "\tT\t"); };
  // Forward: 6 rules, 5 IF parts entered (Правило3's nested IF is not), 5 conclusions (Правило1,
  // both CASE alternatives of Правило4, Правило5, Правило6). The backward methods record only the
  // first conclusion, дерево берёза; "До первого заключения" ends after Правило1.
  EXPECT_EQ(timeless(compared),
            timeless(plain) +
                "[comparison] forward-breadth\t242\tT\t6\t5\t5\tцветок роза 0,815\n"
                "[comparison] forward-depth\t342\tT\t6\t5\t5\tцветок роза 0,815\n"
                "[comparison] backward-breadth\t202\tT\t6\t5\t1\tдерево берёза 0,54\n"
                "[comparison] backward-depth\t302\tT\t6\t5\t1\tдерево берёза 0,54\n"
                "[comparison] first-conclusion\t202\tT\t1\t1\t1\tдерево берёза 0,54\n");
  // The normal output is that of the method asked for; the comparison stays the same.
  ASSERT_EQ(cli({"run", kExample, "--answers", kAnswers, "--method", "backward-depth",
                 "--compare-methods"},
                compared, err),
            0);
  EXPECT_NE(compared.find("[caption] Найдено решение методом: Обратный в глубину"),
            std::string::npos);
  EXPECT_NE(compared.find("[comparison] forward-breadth\t242\t"), std::string::npos);

  EXPECT_EQ(cli({"run", kExample, "--trace", "Правило1", "--compare-methods"}, compared, err), 2);
  EXPECT_EQ(cli({"graph", kExample, "--compare-methods"}, compared, err), 2);
}

}  // namespace
}  // namespace veksa::cli
