// Words as small integers. Every word a run reads in the knowledge base and every word cell of the
// run tables is interned once as a symbol, so the passes of a run compare and look up integers,
// never strings.
#ifndef VEKSA_ENGINE_SYMBOLS_H_
#define VEKSA_ENGINE_SYMBOLS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace veksa {

using Symbol = std::uint32_t;

// No symbol (a text that was never interned).
inline constexpr Symbol kNoSymbol = 0xFFFFFFFFu;

// The symbols every reader needs, interned first, in this order, by every symbol table.
enum : Symbol {
  kSymEmpty = 0,  // the empty word: what a read past the end of a line gives
  kSymIf,
  kSymThen,
  kSymElse,
  kSymCase,
  kSymEnd,
  kSymAnd,
  kSymOr,
  kSymNot,
  kSymName,
  kSymOpen,        // "("
  kSymClose,       // ")"
  kSymHypothesis,  // "Гипотеза", the protocol's rule column of a conclusion
  kSymVariable,    // "Переменная", the protocol's rule column of a formula
  kFixedSymbols,
};

class Symbols {
 public:
  Symbols();
  Symbols(const Symbols&) = delete;
  Symbols& operator=(const Symbols&) = delete;

  // The symbol of `text`, interned on first use.
  Symbol intern(std::u16string_view text);
  // The symbol of `text` when it was interned, else kNoSymbol.
  Symbol find(std::u16string_view text) const;
  // The text of a symbol; it stays valid until `clear`.
  std::u16string_view text(Symbol s) const { return {entries_[s].data, entries_[s].size}; }
  std::size_t size() const { return entries_.size(); }
  // Forgets every symbol but the fixed ones.
  void clear();

 private:
  struct Entry {
    const char16_t* data;
    std::uint32_t size;
    std::uint64_t hash;
  };
  std::size_t probe(std::u16string_view text, std::uint64_t hash) const;
  const char16_t* store(std::u16string_view text);
  void grow();

  std::vector<Entry> entries_;
  std::vector<Symbol> slots_;  // open addressing; kNoSymbol marks a free slot
  // The texts, in blocks that never move.
  std::vector<std::unique_ptr<char16_t[]>> blocks_;
  std::size_t blockFree_ = 0;
  char16_t* blockNext_ = nullptr;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_SYMBOLS_H_
