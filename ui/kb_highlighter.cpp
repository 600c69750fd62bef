// Knowledge-base highlighting: the words' kinds come from the core, this applies their formats.
#include "ui/kb_highlighter.h"

#include <QColor>

#include "ui/qt_text.h"

namespace veksa {

namespace {

QTextCharFormat colour(const QColor& c, bool bold) {
  QTextCharFormat f;
  f.setForeground(c);
  if (bold) f.setFontWeight(QFont::Bold);
  return f;
}

}  // namespace

KbHighlighter::KbHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  setObjectName("KbHighlighter");
  formats_[static_cast<std::size_t>(WordKind::Keyword)] = colour(QColor(0x00, 0x00, 0xA0), true);
  formats_[static_cast<std::size_t>(WordKind::Header)] = colour(QColor(0x80, 0x00, 0x80), true);
  formats_[static_cast<std::size_t>(WordKind::Formula)] = colour(QColor(0x00, 0x70, 0x00), false);
  formats_[static_cast<std::size_t>(WordKind::Certainty)] = colour(QColor(0xA0, 0x40, 0x00), false);
}

void KbHighlighter::highlightBlock(const QString& text) {
  const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()));
  for (const WordSpan& span : classifyWords(line)) {
    setFormat(static_cast<int>(span.start), static_cast<int>(span.length), formatOf(span.kind));
  }
}

}  // namespace veksa
