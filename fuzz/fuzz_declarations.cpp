// The declaration refreshes and the dialog operations over arbitrary lines: the first byte picks a
// sequence of operations, the rest is the knowledge base.
#include "fuzz/fuzz_input.h"
#include "kb/declarations.h"
#include "kb/scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  unsigned ops = data[0];
  veksa::Lines lines = veksa::fuzz::linesOf(data + 1, size - 1);
  veksa::DeclarationLists d;
  veksa::PopupMenu1Popup(lines, d);
  if (ops & 1) veksa::N56Click(lines, d);  // the refresh of values adds to what is there
  // Names for the dialog operations: the first words of the lines.
  veksa::Lines words;
  for (const auto& line : lines) words.push_back(veksa::firstWord(line));
  if (words.empty()) words.push_back(u"x");
  for (std::size_t i = 0; i < words.size() && i < 64; ++i) {
    const auto& w = words[i];
    switch ((ops >> 1) + i) {
      case 0:
        veksa::addName(d, veksa::DeclarationKind::Class, w);
        break;
      case 1:
        veksa::chooseName(d, veksa::DeclarationKind::Class, w);
        veksa::addValue(d, veksa::DeclarationKind::Class, words[(i + 1) % words.size()]);
        break;
      case 2:
        veksa::writeDeclaration(lines, d, veksa::DeclarationKind::Class, w);
        break;
      case 3:
        veksa::addName(d, veksa::DeclarationKind::Parameter, w);
        veksa::renameName(d, veksa::DeclarationKind::Parameter, w + u"2");
        break;
      case 4:
        veksa::chooseName(d, veksa::DeclarationKind::Parameter, w);
        veksa::writeDeclaration(lines, d, veksa::DeclarationKind::Parameter, w);
        break;
      case 5:
        veksa::deleteName(d, veksa::DeclarationKind::Class, w);
        veksa::closeNameDialog(d, veksa::DeclarationKind::Class);
        break;
      case 6:
        veksa::pickEntry(d, w);
        veksa::renameName(d, veksa::DeclarationKind::Class, w + u"_");
        break;
      default:
        veksa::deleteName(d, veksa::DeclarationKind::Parameter, w);
        veksa::closeNameDialog(d, veksa::DeclarationKind::Parameter);
        break;
    }
    ops = ops * 31 + 7;
    ops &= 0xFF;
  }
  veksa::refreshDeclarations(lines, d);
  return 0;
}
