// Lines and editor texts.
#include "ui/qt_text.h"

namespace veksa {

QString joinLines(const Lines& lines) {
  qsizetype size = 0;
  for (const Line& line : lines) size += static_cast<qsizetype>(line.size()) + 1;
  QString text;
  text.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += toQString(lines[i]);
  }
  return text;
}

Lines splitLines(const QString& text) {
  Lines lines;
  if (text.isEmpty()) return lines;
  const char16_t* data = reinterpret_cast<const char16_t*>(text.utf16());
  std::size_t start = 0, n = static_cast<std::size_t>(text.size());
  for (std::size_t i = 0; i <= n; ++i) {
    if (i == n || data[i] == u'\n' || data[i] == QChar::ParagraphSeparator ||
        data[i] == QChar::LineSeparator) {
      lines.emplace_back(data + start, i - start);
      start = i + 1;
    }
  }
  return lines;
}

}  // namespace veksa
