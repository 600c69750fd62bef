// Empty section frames and the list of section names that the section-names dialog collects.
#ifndef VEKSA_KB_SECTION_FRAMES_H_
#define VEKSA_KB_SECTION_FRAMES_H_

#include "kb/text.h"

namespace veksa {

// Appends, for each name in order, the lines "РАЗДЕЛ name", "КОНЕЦ РАЗДЕЛА name" and an empty line;
// the section's rules are typed between its two lines afterwards.
void appendSectionFrames(Lines& lines, const Lines& names);

// Adds a name to the list unless it is empty or already listed; a name with spaces is taken as
// typed. True when added.
bool addSectionName(Lines& names, const Line& name);

// Removes every entry equal to the name.
void removeSectionName(Lines& names, const Line& name);

}  // namespace veksa

#endif  // VEKSA_KB_SECTION_FRAMES_H_
