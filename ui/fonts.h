// The fonts of the program's texts.
#ifndef VEKSA_UI_FONTS_H_
#define VEKSA_UI_FONTS_H_

#include <QFont>

namespace veksa {

// A monospace font with Cyrillic letters, for the knowledge base and the help pages, whose
// examples and tables are laid out in columns.
QFont monospaceFont();

}  // namespace veksa

#endif  // VEKSA_UI_FONTS_H_
