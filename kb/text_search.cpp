// Find and replace searches.
#include "kb/text_search.h"

#include <algorithm>

namespace veksa {

char16_t foldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= u'А' && c <= u'Я') return static_cast<char16_t>(c + 0x20);  // А..Я to а..я
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 0x50);  // Ё, Ђ .. Џ
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<char16_t>(c + 0x20);
  return c;
}

std::optional<std::size_t> findText(std::u16string_view text, std::u16string_view what,
                                    std::size_t from, bool matchCase) {
  if (what.empty() || from > text.size() || what.size() > text.size() - from) return std::nullopt;
  if (matchCase) {
    std::size_t at = text.find(what, from);
    if (at == std::u16string_view::npos) return std::nullopt;
    return at;
  }
  auto same = [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); };
  auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                        what.begin(), what.end(), same);
  if (it == text.end()) return std::nullopt;
  return static_cast<std::size_t>(it - text.begin());
}

std::optional<std::size_t> findNext(std::u16string_view text, std::u16string_view what,
                                    std::optional<std::size_t> selectionEnd, bool matchCase) {
  return findText(text, what, selectionEnd.value_or(0), matchCase);
}

std::optional<std::size_t> findForReplace(std::u16string_view text, std::u16string_view what) {
  return findText(text, what, 0, true);
}

Line missingTextMessage(std::u16string_view what) {
  Line message = u"Отсутствует \"";
  message += what;
  message += u"\" в тексте.";
  return message;
}

}  // namespace veksa
