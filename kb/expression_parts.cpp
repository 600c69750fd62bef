// Splitting formula and comparison words.
#include "kb/expression_parts.h"

namespace veksa {

bool hasNumberForm(std::u16string_view t) {
  auto digit = [&](std::size_t i) { return i < t.size() && t[i] >= u'0' && t[i] <= u'9'; };
  std::size_t i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
  if (!digit(i)) return false;
  while (digit(i)) ++i;
  if (i < t.size() && t[i] == u'.') {
    if (!digit(++i)) return false;
    while (digit(i)) ++i;
  }
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
    if (!digit(i)) return false;
    while (digit(i)) ++i;
  }
  return i == t.size();
}

ExpressionParts splitFormula(std::u16string_view w) {
  ExpressionParts p;
  std::size_t i = (!w.empty() && w[0] == u'=') ? 1 : 0;
  while (i < w.size() && Line(u"+-*/:^").find(w[i]) == Line::npos) p.left.push_back(w[i++]);
  if (i < w.size()) {
    p.op.push_back(w[i]);
    if (w[i] == u':' && i + 1 < w.size()) p.op.push_back(w[++i]);
    p.right.assign(w.substr(i + 1));
  }
  return p;
}

ExpressionParts splitComparison(std::u16string_view w) {
  ExpressionParts p;
  std::size_t i = 1;  // position 1 is the "="
  while (i < w.size() && Line(u":<>").find(w[i]) == Line::npos) p.left.push_back(w[i++]);
  if (i < w.size()) {
    p.op.push_back(w[i]);
    if (w[i] == u':' && i + 1 < w.size()) {
      p.op.push_back(w[++i]);
    } else if (w[i] == u'<' && i + 1 < w.size() && w[i + 1] == u'>') {
      p.op.push_back(w[++i]);
    }
    if (i + 1 < w.size() && w[i + 1] == u'=') p.op.push_back(w[++i]);
    p.right.assign(w.substr(i + 1));
  }
  return p;
}

}  // namespace veksa
