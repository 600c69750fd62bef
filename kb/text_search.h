// The searches of the find and replace dialogs over the knowledge-base text (its lines joined by
// line ends, so a position is the editor's character position).
#ifndef VEKSA_KB_TEXT_SEARCH_H_
#define VEKSA_KB_TEXT_SEARCH_H_

#include <cstddef>
#include <optional>

#include "kb/text.h"

namespace veksa {

// Lower case for Latin and Cyrillic letters (with "Ё" and the other Cyrillic letters outside
// А..Я); other characters are their own. One character for one, so positions are kept.
char16_t foldCase(char16_t c);

// The first occurrence of `what` in `text` at or after `from`; none for an empty `what`.
std::optional<std::size_t> findText(std::u16string_view text, std::u16string_view what,
                                    std::size_t from, bool matchCase);

// A find-next request: the search starts at the end of the selection when text is selected and
// otherwise at the beginning of the text, wherever the caret stands. The find dialog matches case,
// the replace dialog's find-next does not.
std::optional<std::size_t> findNext(std::u16string_view text, std::u16string_view what,
                                    std::optional<std::size_t> selectionEnd, bool matchCase);

// A replace request: the first occurrence in the whole text, matching case, whatever is selected.
std::optional<std::size_t> findForReplace(std::u16string_view text, std::u16string_view what);

// The error a replace request shows when the text does not hold the find text:
// Отсутствует "X" в тексте.
Line missingTextMessage(std::u16string_view what);

}  // namespace veksa

#endif  // VEKSA_KB_TEXT_SEARCH_H_
