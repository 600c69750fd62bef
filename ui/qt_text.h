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

// The lines of an editor's text: split at line ends (a paragraph or line separator or "\n"). The
// empty text has no lines.
Lines splitLines(const QString& text);

}  // namespace veksa

#endif  // VEKSA_UI_QT_TEXT_H_
