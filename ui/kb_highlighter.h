// Syntax highlighting of the knowledge base in the editor: keywords, headers, formulas and
// certainty factors in colours of their own, and the blanks that matter (tabs, trailing spaces)
// on a faint background. It sets display formats only; the text, and so what
// is saved, stays as it is.
#ifndef VEKSA_UI_KB_HIGHLIGHTER_H_
#define VEKSA_UI_KB_HIGHLIGHTER_H_

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "kb/word_kinds.h"

namespace veksa {

class KbHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit KbHighlighter(QTextDocument* document);

  // The format a kind of word is shown in.
  const QTextCharFormat& formatOf(WordKind kind) const {
    return formats_[static_cast<std::size_t>(kind)];
  }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::array<QTextCharFormat, 5> formats_;
};

}  // namespace veksa

#endif  // VEKSA_UI_KB_HIGHLIGHTER_H_
