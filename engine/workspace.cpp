// The workspace's defaults and number cells.
#include "engine/workspace.h"

#include "kb/number.h"

namespace veksa {

Workspace::Workspace() : Workspace(std::make_unique<DiskFileStore>()) {}

Workspace::Workspace(std::unique_ptr<FileStore> store)
    : decimalSeparator(defaultDecimalSeparator()),
      lines(newKnowledgeBase()),
      caption(kNewCaption),
      symbols_(std::make_shared<Symbols>()),
      facts(symbols_, decimalSeparator),
      results(symbols_, decimalSeparator),
      protocol(symbols_, decimalSeparator),
      variables(symbols_, decimalSeparator),
      files_(std::move(store)) {}

void Workspace::clearTables() {
  facts.clear();
  results.clear();
  protocol.clear();
  variables.clear();
  symbols_->clear();
}

Line Workspace::format(long double v) const { return formatGeneral(v, decimalSeparator); }

long double Workspace::number(std::u16string_view text) const {
  return toNumber(text, decimalSeparator);
}

Lines Workspace::fileText() const {
  if (!narrowing) return lines;
  Lines text = narrowing->before;
  text.insert(text.end(), lines.begin(), lines.end());
  text.insert(text.end(), narrowing->after.begin(), narrowing->after.end());
  return text;
}

void Workspace::replaceText(Lines text) {
  lines = std::move(text);
  narrowing.reset();
  emptiedByClose = false;
}

bool Workspace::reloadFromFile(std::string& error) {
  if (!hasFile()) return true;
  Lines loaded;
  if (!files_->read(caption, loaded, error)) return false;
  replaceText(std::move(loaded));
  return true;
}

}  // namespace veksa
