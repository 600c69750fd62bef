// The diverging certainty scale.
#include "engine/certainty_scale.h"

#include <cmath>
#include <cstdio>

namespace veksa {

Rgb certaintyColour(long double certainty) {
  if (std::isnan(certainty)) return kNeutralColour;
  const Rgb& end = certainty < 0 ? kNegativeColour : kPositiveColour;
  double t = std::fmin(1.0, std::fabs(static_cast<double>(certainty)));
  auto mix = [t](int from, int to) {
    return static_cast<int>(std::lround(from + (to - from) * t));
  };
  return {mix(kNeutralColour.r, end.r), mix(kNeutralColour.g, end.g), mix(kNeutralColour.b, end.b)};
}

std::string hexColour(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r & 0xff, c.g & 0xff, c.b & 0xff);
  return text;
}

}  // namespace veksa
