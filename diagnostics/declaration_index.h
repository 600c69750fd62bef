// The declared names and values that the premise, conclusion and CASE checks look up. The checks
// search the declarations from the top for every premise and conclusion; this index holds what
// those searches find, built once and built again only when the text changed where the searches
// looked (or a header could have appeared where they found none).
//
// A large text does not fit the processor's caches, and every rule of it looks names up while the
// checks stream through its lines; so the index keeps names and values as symbols in flat arrays
// (about a hundred bytes a declaration, all told) rather than in hash-map nodes and strings spread
// over the heap, and a look-up touches a handful of cache lines that stay warm.
#ifndef VEKSA_DIAGNOSTICS_DECLARATION_INDEX_H_
#define VEKSA_DIAGNOSTICS_DECLARATION_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "diagnostics/text_buffer.h"
#include "engine/symbols.h"

namespace veksa {

class DeclarationIndex {
 public:
  // The values of a declaration line, as the check asks whether one of them is declared. Valid
  // until the index is next asked (a look-up may build it again).
  class Values {
   public:
    bool contains(std::u16string_view value) const;

   private:
    friend class DeclarationIndex;
    Values(const DeclarationIndex& index, std::uint32_t begin, std::uint32_t count)
        : index_(&index), begin_(begin), count_(count) {}
    const DeclarationIndex* index_;
    std::uint32_t begin_, count_;
  };
  // For the CASE check: a name's declaration lines, and for a value, how many of them come before
  // the first that declares it. Valid until the index is next asked.
  class CaseDeclarations {
   public:
    std::size_t lines() const { return lines_; }
    // The number of the name's declaration lines before the first that declares the value; all
    // of them when none does.
    std::size_t linesWithout(std::u16string_view value) const;

   private:
    friend class DeclarationIndex;
    CaseDeclarations(const DeclarationIndex& index, std::uint32_t lines, std::uint32_t begin,
                     std::uint32_t count)
        : index_(&index), lines_(lines), begin_(begin), count_(count) {}
    const DeclarationIndex* index_;
    std::uint32_t lines_, begin_, count_;
  };

  explicit DeclarationIndex(TextBuffer& text) : text_(text) { text.addWatch(&watch_); }
  DeclarationIndex(const DeclarationIndex&) = delete;
  DeclarationIndex& operator=(const DeclarationIndex&) = delete;

  // The values of the first line whose first word is the name, between the line "ГИПОТЕЗЫ:" and
  // the first line whose first word is "ПЕРЕМЕННЫЕ:", "ПАРАМЕТРЫ:", "NAME" or "РАЗДЕЛ"; nothing
  // when there is none.
  std::optional<Values> hypothesis(std::u16string_view name);
  // The same between the line "ПАРАМЕТРЫ:" and the first line whose first word is "ПЕРЕМЕННЫЕ:",
  // "NAME" or "РАЗДЕЛ".
  std::optional<Values> parameter(std::u16string_view name);
  // The declaration lines of the name from the second line of the text up to the first line whose
  // first word is "ПЕРЕМЕННЫЕ:", "NAME" or "РАЗДЕЛ".
  CaseDeclarations caseParameter(std::u16string_view name);

 private:
  static constexpr std::uint32_t kUnread = 0xFFFFFFFFu;
  // A name's first declaration line in a stretch (0: none; no stretch begins at the first line)
  // and, once a check asked, its values: values_[begin, begin + count), sorted.
  struct Declared {
    std::uint32_t line = 0;
    std::uint32_t begin = 0;
    std::uint32_t count = kUnread;
  };
  // A value of a CASE parameter and the 1-based number of the first of its lines declaring it.
  struct CaseValue {
    Symbol value;
    std::uint32_t line;
    bool operator<(const CaseValue& o) const {
      return value != o.value ? value < o.value : line < o.line;
    }
  };
  // Where a CASE parameter's values lie in caseValues_, once a check asked.
  struct Span {
    std::uint32_t begin = 0;
    std::uint32_t count = kUnread;
  };

  void ensure();
  void readStretch(std::u16string_view header, unsigned bit, bool (*ends)(std::u16string_view),
                   std::vector<Declared>& first);
  std::optional<Values> valuesOf(std::vector<Declared>& first, std::u16string_view name);
  // Calls `f` with every value of line `line`: every word after the first, without one leading
  // "{" and one trailing "," or "}".
  template <typename F>
  void forEachValue(std::size_t line, F f) const;

  TextBuffer& text_;
  TextBuffer::Watch watch_;
  bool built_ = false;
  std::size_t contentEnd_ = 0;
  unsigned absent_ = 0;
  Symbols symbols_;  // the first words of the declaration lines and the values read
  std::vector<Declared> hypotheses_, parameters_;  // by symbol
  std::vector<Symbol> values_;
  // The CASE declaration lines by name: the lines of symbol s are
  // caseLines_[caseStart_[s], caseStart_[s + 1]).
  std::vector<std::uint32_t> caseStart_, caseLines_;
  std::vector<Span> caseSpans_;  // by symbol
  std::vector<CaseValue> caseValues_;
};

}  // namespace veksa

#endif  // VEKSA_DIAGNOSTICS_DECLARATION_INDEX_H_
