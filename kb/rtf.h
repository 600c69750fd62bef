// Rich Text: the form in which knowledge bases are saved, and the reader of Rich Text as the
// program and other writers (word processors) produce it.
#ifndef VEKSA_KB_RTF_H_
#define VEKSA_KB_RTF_H_

#include <string>
#include <string_view>

#include "kb/text.h"

namespace veksa {

// True when the bytes begin with "{\rtf".
bool looksLikeRtf(std::string_view bytes);

// The paragraphs of a Rich Text document as lines. Handles groups (without recursion, to any
// depth), skipped destinations, \par, \line, \tab, \'hh in the document's code page, \uN with
// \ucN and the escaped \\ \{ \}. The document ends at the brace that closes its outer group.
// Malformed or truncated input gives whatever text it holds.
Lines readRtf(std::string_view bytes);

// A document with no formatting of its own whose paragraphs are the lines: every non-ASCII
// character as \uN with its Windows-1251 byte as the fallback ("?" when it has none).
std::string writeRtf(const Lines& lines);

}  // namespace veksa

#endif  // VEKSA_KB_RTF_H_
