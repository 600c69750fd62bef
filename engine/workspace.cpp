// The workspace's defaults and number cells.
#include "engine/workspace.h"

#include "kb/number.h"

namespace veksa {

Workspace::Workspace() : Workspace(std::make_unique<DiskFileStore>()) {}

Workspace::Workspace(std::unique_ptr<FileStore> store)
    : lines(newKnowledgeBase()),
      caption(kNewCaption),
      decimalSeparator(defaultDecimalSeparator()),
      files_(std::move(store)) {}

Line Workspace::format(long double v) const { return formatGeneral(v, decimalSeparator); }

long double Workspace::number(std::u16string_view text) const {
  return toNumber(text, decimalSeparator);
}

bool Workspace::reloadFromFile(std::string& error) {
  if (!hasFile()) return true;
  if (!files_->read(caption, lines, error)) return false;
  emptiedByClose = false;
  return true;
}

}  // namespace veksa
