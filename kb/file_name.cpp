// The save-as name rule.
#include "kb/file_name.h"

namespace veksa {

Line withExtension(std::u16string_view chosen, std::u16string_view extension) {
  Line name(chosen);
  if (!chosen.ends_with(extension)) name += extension;
  return name;
}

Line withKnowledgeBaseExtension(std::u16string_view chosen) {
  return withExtension(chosen, kKnowledgeBaseExtension);
}

}  // namespace veksa
