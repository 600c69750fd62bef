// The engine's former reading of the knowledge base, kept for the tests: one inference pass that
// reads the lines themselves word by word as text, evaluates every condition literally, looks
// facts, results and variables up by their text, and writes every cell as text. The differential
// test runs it beside the engine (which reads the text once per run into symbols) on generated
// knowledge bases; both must leave the same tables, messages, trace steps and errors.
#ifndef VEKSA_ENGINE_TESTING_TEXT_READING_H_
#define VEKSA_ENGINE_TESTING_TEXT_READING_H_

#include "engine/host.h"
#include "engine/workspace.h"

namespace veksa::testing {

// One inference pass (VVar, then the rules of the rule path) read from the text; returns the
// number of branches fired.
int textReadingPass(Workspace& ws, Host& host);

}  // namespace veksa::testing

#endif  // VEKSA_ENGINE_TESTING_TEXT_READING_H_
