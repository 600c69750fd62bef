// The knowledge bases of the benchmarks.
#include "bench/kb_generator.h"

namespace veksa::bench {

GeneratedKb generateKnowledgeBase(int rules) {
  return testing::generateKnowledgeBase(testing::KbShape{rules});
}

}  // namespace veksa::bench
