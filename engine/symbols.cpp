// The symbol table.
#include "engine/symbols.h"

#include <cstring>

#include "kb/keywords.h"

namespace veksa {

namespace {

constexpr std::size_t kBlockSize = 1 << 16;  // characters

std::uint64_t hashText(std::u16string_view t) {
  const char* p = reinterpret_cast<const char*>(t.data());
  std::size_t n = t.size() * sizeof(char16_t);
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
  while (n >= 8) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    h = (h ^ v) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
    p += 8;
    n -= 8;
  }
  std::uint64_t v = 0;
  if (n > 0) std::memcpy(&v, p, n);
  h = (h ^ v) * 0x94D049BB133111EBull;
  return h ^ (h >> 29);
}

}  // namespace

Symbols::Symbols() { clear(); }

void Symbols::clear() {
  entries_.clear();
  slots_.assign(64, kNoSymbol);
  blocks_.clear();
  blockFree_ = 0;
  blockNext_ = nullptr;
  for (std::u16string_view fixed :
       {std::u16string_view(), kIf, kThen, kElse, kCase, kEnd, kAnd, kOr, kNot, kName, kOpen,
        kClose, std::u16string_view(u"Гипотеза"), std::u16string_view(u"Переменная")}) {
    intern(fixed);
  }
}

std::size_t Symbols::probe(std::u16string_view text, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    Symbol s = slots_[i];
    if (s == kNoSymbol) return i;
    const Entry& e = entries_[s];
    if (e.hash == hash && e.size == text.size() &&
        (text.empty() || std::memcmp(e.data, text.data(), text.size() * sizeof(char16_t)) == 0)) {
      return i;
    }
  }
}

Symbol Symbols::find(std::u16string_view text) const { return slots_[probe(text, hashText(text))]; }

// The blocks are not cleared when allocated: a character is only read after it was written, and
// the diagnostics build a symbol table again whenever the declarations they index change.
const char16_t* Symbols::store(std::u16string_view text) {
  if (text.size() > blockFree_) {
    if (text.size() >= kBlockSize / 4) {
      // A long word has a block of its own; the current block stays in use.
      blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(text.size()));
      std::memcpy(blocks_.back().get(), text.data(), text.size() * sizeof(char16_t));
      return blocks_.back().get();
    }
    blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBlockSize));
    blockNext_ = blocks_.back().get();
    blockFree_ = kBlockSize;
  }
  char16_t* at = blockNext_;
  if (!text.empty()) std::memcpy(at, text.data(), text.size() * sizeof(char16_t));
  blockNext_ += text.size();
  blockFree_ -= text.size();
  return at;
}

void Symbols::grow() {
  std::vector<Symbol> old(slots_.size() * 2, kNoSymbol);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (Symbol s = 0; s < entries_.size(); ++s) {
    std::size_t i = entries_[s].hash & mask;
    while (slots_[i] != kNoSymbol) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

Symbol Symbols::intern(std::u16string_view text) {
  const std::uint64_t hash = hashText(text);
  std::size_t i = probe(text, hash);
  if (slots_[i] != kNoSymbol) return slots_[i];
  const auto s = static_cast<Symbol>(entries_.size());
  entries_.push_back({store(text), static_cast<std::uint32_t>(text.size()), hash});
  slots_[i] = s;
  if (entries_.size() * 2 > slots_.size()) grow();
  return s;
}

}  // namespace veksa
