// Fonts.
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace veksa {

QFont monospaceFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QStringList families = {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono",
                                font.family()};
  font.setFamilies(families);
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(11);
  return font;
}

}  // namespace veksa
