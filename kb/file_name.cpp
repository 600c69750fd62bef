// The save-as name rule.
#include "kb/file_name.h"

namespace veksa {

Line withKnowledgeBaseExtension(std::u16string_view chosen) {
  Line name(chosen);
  if (!chosen.ends_with(kKnowledgeBaseExtension)) name += kKnowledgeBaseExtension;
  return name;
}

}  // namespace veksa
