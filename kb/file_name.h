// The names under which "Сохранить как" writes a knowledge base and "Сохранить ответы" the
// answers of a run.
#ifndef VEKSA_KB_FILE_NAME_H_
#define VEKSA_KB_FILE_NAME_H_

#include "kb/text.h"

namespace veksa {

inline constexpr std::u16string_view kKnowledgeBaseExtension = u".vks";
inline constexpr std::u16string_view kAnswersExtension = u".answers";

// The chosen name when it already ends in `extension`, otherwise the name with it appended.
Line withExtension(std::u16string_view chosen, std::u16string_view extension);

// The chosen name when it already ends in ".vks", otherwise the name with ".vks" appended. The
// extension is compared case-sensitively, so "kb.VKS" becomes "kb.VKS.vks".
Line withKnowledgeBaseExtension(std::u16string_view chosen);

}  // namespace veksa

#endif  // VEKSA_KB_FILE_NAME_H_
