// The knowledge bases of the benchmarks: the generator of diagnostics/kb_generator.h in its full
// shape (variables, parenthesised groups, a section per 500 rules), with an answers file for every
// parameter.
#ifndef VEKSA_BENCH_KB_GENERATOR_H_
#define VEKSA_BENCH_KB_GENERATOR_H_

#include "diagnostics/kb_generator.h"

namespace veksa::bench {

using testing::GeneratedKb;

GeneratedKb generateKnowledgeBase(int rules);

}  // namespace veksa::bench

#endif  // VEKSA_BENCH_KB_GENERATOR_H_
