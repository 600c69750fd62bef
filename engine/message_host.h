// A host for commands without a person in front of them: it answers every question with Esc,
// keeps the messages it is shown and ignores the rest. The diagnostics command on the command line
// and the tests use it.
#ifndef VEKSA_ENGINE_MESSAGE_HOST_H_
#define VEKSA_ENGINE_MESSAGE_HOST_H_

#include "engine/host.h"

namespace veksa {

class MessageHost : public Host {
 public:
  Answer ask(const Question&) override { return {}; }
  void message(const Line& text) override { messages.push_back(text); }
  void traceStep(std::size_t) override {}
  void showResults() override {}
  void progress(int) override {}
  void showTiming(bool) override {}
  Lines messages;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_MESSAGE_HOST_H_
