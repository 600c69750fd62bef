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
  formats_[static_cast<std::size_t>(WordKind::Blank)].setBackground(QColor(0xE4, 0xE4, 0xF0));
}

void KbHighlighter::highlightBlock(const QString& text) {
  const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()));
  for (const WordSpan& span : classifyWords(line)) {
    setFormat(static_cast<int>(span.start), static_cast<int>(span.length), formatOf(span.kind));
  }
  // A blank inside a coloured word keeps the word's colour under its background.
  const QBrush faint = formatOf(WordKind::Blank).background();
  for (const WordSpan& span : blankSpans(line)) {
    for (std::size_t i = span.start; i < span.start + span.length; ++i) {
      QTextCharFormat f = format(static_cast<int>(i));
      f.setBackground(faint);
      setFormat(static_cast<int>(i), 1, f);
    }
  }
}

}  // namespace veksa
