// Number cells are text: every combination of certainties formats its result into a cell and the
// next one reads it back. The timing loop repeats the same passes hundreds of times, so the same
// numbers are formatted and read again and again; this cache remembers both conversions. It only
// saves time: a cached text is the text formatGeneral gives, a cached value the value the reader
// gives (or the conversion error it raises).
#ifndef VEKSA_ENGINE_NUMBER_CACHE_H_
#define VEKSA_ENGINE_NUMBER_CACHE_H_

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "kb/number.h"

namespace veksa {

class NumberCache {
 public:
  Line format(long double v, char16_t separator) {
    Bits key = bitsOf(v);
    if (separator != separator_) reset(separator);
    auto it = texts_.find(key);
    if (it != texts_.end()) return it->second;
    Line text = formatGeneral(v, separator);
    if (texts_.size() >= kLimit) texts_.clear();
    texts_.emplace(key, text);
    return text;
  }

  long double number(std::u16string_view text, char16_t separator) {
    if (separator != separator_) reset(separator);
    auto it = values_.find(text);
    if (it != values_.end()) return it->second;
    long double v = toNumber(text, separator);  // raises the conversion error, which is not kept
    if (values_.size() >= kLimit) values_.clear();
    values_.emplace(Line(text), v);
    return v;
  }

 private:
  // The 80 bits of a long double's value (the padding bytes are left out).
  struct Bits {
    std::uint64_t mantissa;
    std::uint16_t exponent;
    bool operator==(const Bits& o) const { return mantissa == o.mantissa && exponent == o.exponent; }
  };
  struct BitsHash {
    std::size_t operator()(const Bits& b) const {
      return std::hash<std::uint64_t>()(b.mantissa ^ (std::uint64_t{b.exponent} << 48));
    }
  };
  static Bits bitsOf(long double v) {
    static_assert(sizeof(long double) >= 10);
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &v, sizeof v);
    Bits b;
    std::memcpy(&b.mantissa, raw, 8);
    std::memcpy(&b.exponent, raw + 8, 2);
    return b;
  }
  void reset(char16_t separator) {
    separator_ = separator;
    texts_.clear();
    values_.clear();
  }

  static constexpr std::size_t kLimit = 1 << 18;  // entries of each map before it starts afresh
  char16_t separator_ = 0;
  std::unordered_map<Bits, Line, BitsHash> texts_;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view t) const { return std::hash<std::u16string_view>()(t); }
  };
  std::unordered_map<Line, long double, TextHash, std::equal_to<>> values_;
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_NUMBER_CACHE_H_
