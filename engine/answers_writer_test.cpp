// The answers of a run, saved as an answers file and replayed to the same facts.
#include "engine/answers_writer.h"

#include <unistd.h>

#include <filesystem>
#include <unistd.h>

#include "engine/engine_test_support.h"
#include "engine/run_driver.h"
#include "kb/kbfile.h"

namespace veksa {
namespace {

// Runs the example knowledge base with the answers on a fresh workspace.
struct ExampleRun {
  explicit ExampleRun(const std::map<Line, ScriptedAnswer>& answers)
      : ws(std::make_unique<MemoryFileStore>()), host(ws) {
    Lines lines;
    std::string error;
    EXPECT_TRUE(loadKnowledgeBase(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.vks",
                                  lines, error));
    ws.lines = lines;  // "new.vks": the run restores the text from its copy
    ws.ProjectState = kProjectOpen;
    host.answers = answers;
    Run1Result prepared = Run1(ws, host);
    EXPECT_TRUE(prepared.choice);
    if (prepared.choice) SectionChoiceDone(ws, host, *prepared.choice);
  }
  Workspace ws;
  AnswersHost host;
};

TEST(AnswersWriter, EveryButtonRoundTripsToTheSameFacts) {
  // "все" with a negative position, Esc, "да" with two values and "стоп", which ends the
  // questions: цвет is never asked, so its answer is not written.
  ExampleRun first(
      parseAnswers("оперение все -0.25 иголки\nкора esc\n"
                   "хвоя да 1 короткая длинная\nшипы стоп\nцвет да 1 белый\n"));
  const std::string text = answersFileText(first.ws);
  EXPECT_EQ(text,
            "# Ответы прогона: ПАРАМЕТР кнопка УВЕРЕННОСТЬ ЗНАЧЕНИЕ...\n"
            "оперение все -0,25 иголки\n"
            "кора esc\n"
            "хвоя да 1 короткая длинная\n"
            "шипы стоп\n");

  const auto path = std::filesystem::temp_directory_path() /
                    ("veksa-answers-writer-test-" + std::to_string(::getpid()) + ".answers");
  std::string error, saved;
  ASSERT_TRUE(saveAnswers(first.ws, path.string(), error)) << error;
  ASSERT_TRUE(readFileBytes(path.string(), saved, error)) << error;
  std::filesystem::remove(path);
  ExampleRun replay(parseAnswers(saved));
  EXPECT_EQ(replay.ws.facts.rows(), first.ws.facts.rows());
  EXPECT_EQ(replay.ws.facts.size(), 4u);  // листья 0,25, иголки -0,25, короткая 1, длинная 1
  EXPECT_EQ(replay.ws.results.rows(), first.ws.results.rows());
  EXPECT_EQ(answersFileText(replay.ws), text);
}

}  // namespace
}  // namespace veksa
