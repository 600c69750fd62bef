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

}  // namespace veksa
