// The help window's pages, in tab order: fixed titles, texts in HTML files that a teacher may edit.
#ifndef VEKSA_UI_HELP_PAGES_H_
#define VEKSA_UI_HELP_PAGES_H_

#include <QString>
#include <span>

namespace veksa {

struct HelpPage {
  const char* title;     // UTF-8
  const char* resource;  // the page's HTML file among the built-in files
  bool scrollBars;
};

std::span<const HelpPage> helpPages();

// The page's HTML; empty when its file is missing.
QString helpPageHtml(const HelpPage& page);

}  // namespace veksa

#endif  // VEKSA_UI_HELP_PAGES_H_
