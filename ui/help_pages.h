// The fixed texts of the help window's pages, in tab order.
#ifndef VEKSA_UI_HELP_PAGES_H_
#define VEKSA_UI_HELP_PAGES_H_

#include <span>

namespace veksa {

struct HelpPage {
  const char* title;  // UTF-8
  const char* text;   // UTF-8
  bool scrollBars;
};

std::span<const HelpPage> helpPages();

}  // namespace veksa

#endif  // VEKSA_UI_HELP_PAGES_H_
