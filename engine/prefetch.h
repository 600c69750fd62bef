// Prefetching: a pass executes the rules one after another, each touching a few records in several
// arrays (its lines, their pairs, its CASE alternatives). With thousands of rules those records no
// longer stay in the processor's nearest caches between passes, so while one rule executes the
// records of a rule a little further on are asked for, and they arrive before they are needed.
#ifndef VEKSA_ENGINE_PREFETCH_H_
#define VEKSA_ENGINE_PREFETCH_H_

#include <algorithm>
#include <cstddef>
#include <vector>

namespace veksa {

// Asks for the elements [first, first + count) of `v` (those that exist) to be brought into the
// caches; no effect on what the program computes.
template <typename T>
void prefetch(const std::vector<T>& v, std::size_t first, std::size_t count) {
  if (first >= v.size()) return;
  const char* p = reinterpret_cast<const char*>(v.data() + first);
  const char* end = reinterpret_cast<const char*>(v.data() + std::min(v.size(), first + count));
  for (; p < end; p += 64) __builtin_prefetch(p);
  __builtin_prefetch(end - 1);
}

}  // namespace veksa

#endif  // VEKSA_ENGINE_PREFETCH_H_
