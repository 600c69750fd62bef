// Shared set-up of the engine tests: a workspace on an in-memory file store, opened as a project,
// and an answers host. Expected values in the tests are worked out by hand from the
// rules of the engine.
#ifndef VEKSA_ENGINE_ENGINE_TEST_SUPPORT_H_
#define VEKSA_ENGINE_ENGINE_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <memory>

#include "engine/answers_host.h"
#include "engine/file_store.h"
#include "engine/workspace.h"
#include "kb/kbfile.h"

namespace veksa::testing {

// The lines of examples/trees_and_flowers.vks.
inline Lines exampleLines() {
  Lines lines;
  std::string error;
  EXPECT_TRUE(loadKnowledgeBase(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                                lines, error))
      << error;
  return lines;
}

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : ws(std::make_unique<MemoryFileStore>()), host(ws) {
    ws.ProjectState = kProjectOpen;
  }

  void fact(const Line& parameter, const Line& value, const Line& certainty) {
    ws.facts.append({parameter, value, certainty});
  }
  void answer(const Line& parameter, AnswerButton button, int position, Lines values = {}) {
    host.answers[parameter] = ScriptedAnswer{button, position, std::move(values)};
  }
  // The rows of a table, for comparison.
  static std::vector<Table::Row> rows(const Table& t) { return t.rows(); }
  // The messages the host showed.
  Lines messages() const {
    Lines out;
    for (const Line& l : host.transcript) {
      if (l.rfind(u"[message] ", 0) == 0) out.push_back(l.substr(10));
    }
    return out;
  }
  // The parameters asked, in order.
  Lines asked() const {
    Lines out;
    for (const Question& q : host.questions) out.push_back(q.parameter);
    return out;
  }

  Workspace ws;
  AnswersHost host;
};

using Rows = std::vector<Table::Row>;

}  // namespace veksa::testing

#endif  // VEKSA_ENGINE_ENGINE_TEST_SUPPORT_H_
