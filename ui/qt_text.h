// The Qt edge of the text model: knowledge-base lines and texts to and from QString.
#ifndef VEKSA_UI_QT_TEXT_H_
#define VEKSA_UI_QT_TEXT_H_

#include <QString>

#include "kb/text.h"

namespace veksa {

inline QString toQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}
inline Line toLine(const QString& text) { return text.toStdU16String(); }

// The editor's text of the lines: joined by line ends. No lines give the empty text.
QString joinLines(const Lines& lines);

// The lines of an editor's text (kEditorLineBreaks): split at "\n" and the paragraph and line
// separators; a final line end is followed by an empty line. The empty text has no lines.
inline Lines splitLines(const QString& text) {
  const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()));
  return splitLines(view, kEditorLineBreaks);
}

}  // namespace veksa

#endif  // VEKSA_UI_QT_TEXT_H_
