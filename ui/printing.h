// Printing the knowledge base: its lines as plain text lines in the editor's font.
#ifndef VEKSA_UI_PRINTING_H_
#define VEKSA_UI_PRINTING_H_

#include "kb/text.h"

class QFont;
class QPrinter;

namespace veksa {

// Prints every line in order, one printed line each; a line wider than the page is broken after
// the last character that fits, and a new page begins when the next line would pass the bottom.
// No headers, footers or line numbers. False when the printer could not be opened.
bool printLines(QPrinter& printer, const Lines& lines, const QFont& font);

}  // namespace veksa

#endif  // VEKSA_UI_PRINTING_H_
