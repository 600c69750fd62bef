// Section frames.
#include "kb/section_frames.h"

#include <algorithm>

#include "kb/locate.h"

namespace veksa {

void appendSectionFrames(Lines& lines, const Lines& names) {
  for (const Line& name : names) {
    lines.push_back(Line(kSectionWord) + u" " + name);
    lines.push_back(Line(kSectionEndPrefix) + name);
    lines.emplace_back();
  }
}

bool addSectionName(Lines& names, const Line& name) {
  if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) return false;
  names.push_back(name);
  return true;
}

void removeSectionName(Lines& names, const Line& name) { std::erase(names, name); }

}  // namespace veksa
