// A generator of large knowledge bases for the benchmarks: `rules` rules of four kinds (IF with
// AND / OR NOT terms on lines of their own and a conclusion list, CASE with a formula alternative,
// a comparison with a nested THEN IF and an ELSE formula, a parenthesised group), spread over
// sections, with the declarations they use and an answers file for every parameter.
#ifndef VEKSA_BENCH_KB_GENERATOR_H_
#define VEKSA_BENCH_KB_GENERATOR_H_

#include <string>

#include "kb/text.h"

namespace veksa::bench {

struct GeneratedKb {
  Lines lines;
  std::string answers;  // the answers file of veksa-cli run (UTF-8)
};

GeneratedKb generateKnowledgeBase(int rules);

}  // namespace veksa::bench

#endif  // VEKSA_BENCH_KB_GENERATOR_H_
