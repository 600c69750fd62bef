// General-format numbers. Conversions never use the C locale (to_chars and from_chars where the
// library is needed), so the separator is always the one the caller gives.
#include "kb/number.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace veksa {

RunError conversionError(std::u16string_view text) {
  return RunError(u"'" + std::u16string(text) + u"' is not a valid floating point value");
}

char16_t defaultDecimalSeparator() {
  const char* env = std::getenv("VEKSA_DECIMAL");
  return (env != nullptr && std::strcmp(env, ".") == 0) ? u'.' : u',';
}

namespace {

// 10^0 .. 10^27: every one is exact in long double (5^27 needs fewer than 64 bits).
const long double* powersOfTen() {
  static const auto* table = [] {
    auto* t = new long double[28];
    t[0] = 1;
    for (int i = 1; i < 28; ++i) t[i] = t[i - 1] * 10;
    return t;
  }();
  return table;
}

// The 15 significant digits of a > 0, rounded to nearest (an exact half to even), and the decimal
// exponent of the first. Tables are full of such numbers and the timing loop writes them hundreds
// of times, so the usual case is done exactly in integers: a = m * 2^q with a 64-bit m, and
// a * 10^k = m * 5^k * 2^(q + k), where m * 5^k fits 128 bits for k up to 27. Far exponents go
// through the library's correctly rounded conversion.
__extension__ typedef unsigned __int128 Wide;

// `digits` is a 15-digit integer (from 10^14 up to 10^15 - 1): a ~ digits x 10^(exponent - 14).
struct Decimal {
  unsigned long long digits = 0;
  int exponent = 0;
};

// a = m * 2^q with a 64-bit m whose top bit is set.
void binaryParts(long double a, unsigned long long& m, int& q) {
#if LDBL_MANT_DIG == 64 && defined(__x86_64__)
  // The x87 extended format: a 64-bit significand with its integer bit, a 15-bit biased exponent.
  unsigned long long significand;
  unsigned short signAndExponent;
  std::memcpy(&significand, &a, 8);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&a) + 8, 2);
  const int biased = signAndExponent & 0x7FFF;
  if (biased != 0 && (significand >> 63) != 0) {
    m = significand;
    q = biased - 16383 - 63;
    return;
  }
#endif
  int binaryExponent = 0;
  long double fraction = std::frexp(a, &binaryExponent);  // a = fraction * 2^binaryExponent
  m = static_cast<unsigned long long>(std::ldexp(fraction, 64));
  q = binaryExponent - 64;
}

Decimal decimalDigits(long double a) {
  unsigned long long m = 0;
  int q = 0;
  binaryParts(a, m, q);
  const int binaryExponent = q + 64;
  // 2^(binaryExponent - 1) <= a < 2^binaryExponent: the decimal exponent from log10(2), off by at
  // most one, which the loop mends; 78913 / 2^18 is log10(2) to 7 digits, and the arithmetic shift
  // takes the floor, with no floating-point rounding on the way.
  int e10 = ((binaryExponent - 1) * 78913) >> 18;
  static const auto* powersOfFive = [] {
    auto* p = new Wide[28];
    p[0] = 1;
    for (int i = 1; i < 28; ++i) p[i] = p[i - 1] * 5;
    return p;
  }();
  for (int attempt = 0; attempt < 3; ++attempt) {
    int k = 14 - e10;
    if (k < 0 || k > 27) break;
    Wide x = static_cast<Wide>(m) * powersOfFive[k];
    int shift = -(q + k);  // a * 10^k = x / 2^shift
    if (shift <= 0 || shift >= 127) break;
    Wide whole = x >> shift;
    Wide rest = x & ((Wide{1} << shift) - 1);
    Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
    if (whole >= 1000000000000000ULL) {
      if (whole == 1000000000000000ULL && (x >> shift) < whole) {  // rounded up to a power of ten
        return {100000000000000ULL, e10 + 1};
      }
      ++e10;
      continue;
    }
    if (whole < 100000000000000ULL) {
      --e10;
      continue;
    }
    return {static_cast<unsigned long long>(whole), e10};
  }
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
  // d.ddddddddddddddde[+-]xx
  Decimal d;
  for (const char* c = buf; c < res.ptr && *c != 'e'; ++c) {
    if (*c != '.') d.digits = d.digits * 10 + static_cast<unsigned>(*c - '0');
  }
  const char* e = std::find(buf, res.ptr, 'e');
  std::from_chars(e + 1 + (e[1] == '+'), res.ptr, d.exponent);
  return d;
}

// The significant digits without trailing zeros, and how many there are.
void stripZeros(unsigned long long& digits, int& count) {
  count = 15;
  while (count > 1 && digits % 10 == 0) {
    digits /= 10;
    --count;
  }
}

}  // namespace

std::u16string formatGeneral(long double value, char16_t separator) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  if (value == 0) return u"0";
  Decimal d = decimalDigits(std::fabs(value));
  const int exponent = d.exponent;
  char digits[16] = {};  // zeroed: GCC at -O3 cannot see that to_chars fills all 15
  std::to_chars(digits, digits + sizeof digits, d.digits);
  std::size_t count = 15;
  while (count > 1 && digits[count - 1] == '0') --count;

  // Assembled in place: the timing loop formats every certainty it writes.
  char16_t out[48];
  std::size_t n = 0;
  auto put = [&](char16_t c) { out[n++] = c; };
  auto putDigits = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) put(static_cast<char16_t>(digits[i]));
  };
  if (value < 0) put(u'-');
  if (exponent >= 15 || exponent < -5) {
    putDigits(0, 1);
    if (count > 1) {
      put(separator);
      putDigits(1, count);
    }
    put(u'E');
    if (exponent < 0) put(u'-');
    char e[8];
    auto res = std::to_chars(e, e + sizeof e, exponent < 0 ? -exponent : exponent);
    for (const char* c = e; c < res.ptr; ++c) put(static_cast<char16_t>(*c));
  } else if (exponent < 0) {
    put(u'0');
    put(separator);
    for (int z = 0; z < -exponent - 1; ++z) put(u'0');
    putDigits(0, count);
  } else {
    std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= intDigits) {
      putDigits(0, count);
      for (std::size_t z = count; z < intDigits; ++z) put(u'0');
    } else {
      putDigits(0, intDigits);
      put(separator);
      putDigits(intDigits, count);
    }
  }
  return std::u16string(out, n);
}

namespace {

// The rounding of `value` (finite, not zero), computed.
long double roundFinite(long double value) {
  Decimal d = decimalDigits(std::fabs(value));
  // The written text reads back as digits x 10^(exponent - 14): through one multiplication or
  // division by an exact power of ten, correctly rounded, whatever trailing zeros the digits have
  // (the fixed form; an integer comes out exact). The scientific form reads its digits without
  // trailing zeros, as far as 10^27; beyond that, through the text.
  auto n = static_cast<long double>(d.digits);
  long double v;
  if (d.exponent >= 15 || d.exponent < -5) {
    int count = 0;
    stripZeros(d.digits, count);
    n = static_cast<long double>(d.digits);
    int scale = d.exponent - (count - 1);
    if (scale < -27 || scale > 27) return toNumber(formatGeneral(value, u'.'), u'.');
    v = scale >= 0 ? n * powersOfTen()[scale] : n / powersOfTen()[-scale];
  } else {
    v = d.exponent >= 14 ? n * powersOfTen()[d.exponent - 14] : n / powersOfTen()[14 - d.exponent];
  }
  return value < 0 ? -v : v;
}

}  // namespace

long double roundGeneral(long double value) {
  if (value == 0) return 0;  // "0", also for -0
  if (!std::isfinite(value)) return value;
  return roundFinite(value);
}

namespace {

// Converts ASCII number text already checked by a grammar; a number beyond the range of long
// double does not convert.
std::optional<long double> convert(const std::string& ascii) {
  // The usual case: at most 19 significant digits and a small decimal exponent make an exact
  // integer and an exact power of ten, so one multiplication or division gives the correctly
  // rounded value, the same the library's conversion gives.
  {
    std::size_t i = (ascii[0] == '-' || ascii[0] == '+') ? 1 : 0;
    unsigned long long n = 0;
    int significant = 0, scale = 0;
    bool ok = true, point = false;
    for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
      if (ascii[i] == '.') {
        point = true;
        continue;
      }
      if (n == 0 && ascii[i] == '0') {
        if (point) --scale;
        continue;
      }
      if (++significant > 19) {
        ok = false;
        break;
      }
      n = n * 10 + static_cast<unsigned>(ascii[i] - '0');
      if (point) --scale;
    }
    if (ok && i < ascii.size()) {
      const char* digitsEnd = ascii.data() + ascii.size();
      int e = 0;
      auto r = std::from_chars(ascii.data() + i + 1 + (ascii[i + 1] == '+'), digitsEnd, e);
      if (r.ec != std::errc() || e > 1000 || e < -1000) ok = false;
      scale += e;
    }
    if (ok && scale >= -27 && scale <= 27) {
      long double v = static_cast<long double>(n);
      v = scale >= 0 ? v * powersOfTen()[scale] : v / powersOfTen()[-scale];
      return ascii[0] == '-' ? -v : v;
    }
  }
  long double v = 0;
  const char* first = ascii.data();
  if (*first == '+') ++first;
  auto res = std::from_chars(first, ascii.data() + ascii.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small for the range reads as zero; too large does not convert at all.
    bool neg = ascii[0] == '-';
    std::size_t e = ascii.find_first_of("eE");
    bool tiny = e != std::string::npos && ascii.find('-', e) != std::string::npos;
    if (tiny) return neg ? -0.0L : 0.0L;
    return std::nullopt;
  }
  return v;
}

// Checks the grammar sign? digits [sep digits] [(e|E) sign? digits]. Unless `lenient`, digits must
// stand on both sides of the separator; lenient reading also accepts "5," and ",5". Returns the
// ASCII form with a point, or an empty string.
std::string checkGrammar(std::u16string_view t, char16_t separator, bool lenient) {
  std::string ascii;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii.push_back(static_cast<char>(t[i++]));
  std::size_t intDigits = 0, fracDigits = 0;
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
    ascii.push_back(static_cast<char>(t[i++])), ++intDigits;
  if (i < t.size() && t[i] == separator) {
    ++i;
    ascii.push_back('.');
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
      ascii.push_back(static_cast<char>(t[i++])), ++fracDigits;
    if (!lenient && (fracDigits == 0 || intDigits == 0)) return {};
  }
  if (intDigits + fracDigits == 0) return {};
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    ascii.push_back('e');
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii.push_back(static_cast<char>(t[i++]));
    std::size_t expDigits = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
      ascii.push_back(static_cast<char>(t[i++])), ++expDigits;
    if (expDigits == 0) return {};
  }
  if (i != t.size()) return {};
  if (ascii.back() == '.') ascii.pop_back();
  // "from_chars" wants a digit before the point.
  std::size_t point = ascii.find('.');
  if (point != std::string::npos &&
      (point == 0 || !(ascii[point - 1] >= '0' && ascii[point - 1] <= '9'))) {
    ascii.insert(point, "0");
  }
  return ascii;
}

}  // namespace

std::optional<long double> parseDecimal(std::u16string_view text, char16_t separator) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == u' ') ++b;
  while (e > b && text[e - 1] == u' ') --e;
  text = text.substr(b, e - b);
  // The usual cell, "-0,54": read at once when it has no exponent, at most 19 significant digits
  // and at most 27 after the separator (an exact integer over an exact power of ten).
  {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    unsigned long long n = 0;
    int significant = 0, fractionDigits = 0, digitCount = 0;
    bool separatorSeen = false, simple = true;
    for (; i < text.size(); ++i) {
      char16_t c = text[i];
      if (c == separator && !separatorSeen) {
        separatorSeen = true;
      } else if (c >= u'0' && c <= u'9') {
        ++digitCount;
        if (separatorSeen) ++fractionDigits;
        if (n != 0 || c != u'0') {
          if (++significant > 19) simple = false;
          n = n * 10 + static_cast<unsigned>(c - u'0');
        }
      } else {
        simple = false;
        break;
      }
    }
    if (simple && digitCount > 0 && fractionDigits <= 27) {
      long double v = static_cast<long double>(n) / powersOfTen()[fractionDigits];
      return negative ? -v : v;
    }
  }
  std::string ascii = checkGrammar(text, separator, true);
  if (ascii.empty()) return std::nullopt;
  return convert(ascii);
}

long double toNumber(std::u16string_view text, char16_t separator) {
  auto v = parseDecimal(text, separator);
  if (!v) throw conversionError(text);
  return *v;
}

std::optional<long double> parseOperandNumber(std::u16string_view text) {
  std::string ascii = checkGrammar(text, u'.', false);
  if (ascii.empty()) return std::nullopt;
  return convert(ascii);
}

}  // namespace veksa
