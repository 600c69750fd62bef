// The words of the rule language and the headers of a knowledge base, spelled once. Every reader of
// the text (the engine, the diagnostics, the windows) compares words with these.
#ifndef VEKSA_KB_KEYWORDS_H_
#define VEKSA_KB_KEYWORDS_H_

#include <array>
#include <string_view>

namespace veksa {

// Rule keywords. A keyword counts only as a whole word read by GetLeks (upper case, as written).
inline constexpr std::u16string_view kName = u"NAME";
inline constexpr std::u16string_view kIf = u"IF";
inline constexpr std::u16string_view kThen = u"THEN";
inline constexpr std::u16string_view kElse = u"ELSE";
inline constexpr std::u16string_view kCase = u"CASE";
inline constexpr std::u16string_view kEnd = u"END";
inline constexpr std::u16string_view kAnd = u"AND";
inline constexpr std::u16string_view kOr = u"OR";
inline constexpr std::u16string_view kNot = u"NOT";
// Group brackets of a condition: words of their own, separated by spaces.
inline constexpr std::u16string_view kOpen = u"(";
inline constexpr std::u16string_view kClose = u")";

// Every rule keyword, in the order the editor's keyword tool bar shows them.
inline constexpr std::array<std::u16string_view, 9> kRuleKeywords = {
    kName, kIf, kThen, kElse, kCase, kEnd, kAnd, kOr, kNot};

// Headers of the declaration head and of sections.
inline constexpr std::u16string_view kHypothesesHeader = u"ГИПОТЕЗЫ:";
inline constexpr std::u16string_view kParametersHeader = u"ПАРАМЕТРЫ:";
inline constexpr std::u16string_view kVariablesHeader = u"ПЕРЕМЕННЫЕ:";
inline constexpr std::u16string_view kSectionWord = u"РАЗДЕЛ";
inline constexpr std::u16string_view kSectionEndPrefix = u"КОНЕЦ РАЗДЕЛА ";
// The entry of the section choice that stands for every section.
inline constexpr std::u16string_view kAllSections = u"Все разделы";

}  // namespace veksa

#endif  // VEKSA_KB_KEYWORDS_H_
