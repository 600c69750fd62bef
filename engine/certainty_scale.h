// The colours of certainties wherever they are drawn (the rule graph's hypotheses and facts, the
// bars of the certainty cells): a diverging scale from negative through neutral to positive.
#ifndef VEKSA_ENGINE_CERTAINTY_SCALE_H_
#define VEKSA_ENGINE_CERTAINTY_SCALE_H_

#include <string>

namespace veksa {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kNegativeColour{239, 138, 98};   // certainty -1
inline constexpr Rgb kNeutralColour{247, 247, 247};   // certainty 0
inline constexpr Rgb kPositiveColour{103, 169, 207};  // certainty 1

// The colour of a certainty: neutral at 0, reaching the negative or the positive colour at -1
// and 1 (beyond them it stays there).
Rgb certaintyColour(long double certainty);

// "#rrggbb".
std::string hexColour(Rgb c);

}  // namespace veksa

#endif  // VEKSA_ENGINE_CERTAINTY_SCALE_H_
