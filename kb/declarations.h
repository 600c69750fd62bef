// The declaration lists: the names and values that the declaration dialogs edit and that the
// editor's context menu offers for insertion. Kept as data so that they can be tested and shown
// by any window.
#ifndef VEKSA_KB_DECLARATIONS_H_
#define VEKSA_KB_DECLARATIONS_H_

#include <vector>

#include "kb/text.h"

namespace veksa {

// One entry of the class, parameter or variable menu. A value sub-entry has the value as its
// caption and the owning class or parameter as its hint; a variable entry has an empty hint.
struct MenuEntry {
  Line caption;
  Line hint;
  std::vector<MenuEntry> values;
};

struct DeclarationLists {
  Lines classList;        // class dialog's list, kept sorted
  Lines parameterList;    // parameter dialog's list, kept sorted
  Lines classChoice;      // class-elements dialog's upper list, in the order of addition
  Lines parameterChoice;  // parameter-values dialog's upper list, in the order of addition
  Lines classValues;      // class-elements dialog's lower list, kept sorted
  Lines parameterValues;  // parameter-values dialog's lower list, kept sorted
  std::vector<MenuEntry> classMenu;
  std::vector<MenuEntry> parameterMenu;
  std::vector<MenuEntry> variableMenu;
  Line remembered;  // the entry last picked from a drop-down, renamed by "Редактировать"
};

}  // namespace veksa

#endif  // VEKSA_KB_DECLARATIONS_H_
