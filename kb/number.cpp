// General-format numbers. Conversions use to_chars and from_chars, which ignore the C locale, so
// the separator is always the one the caller gives.
#include "kb/number.h"

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

std::u16string formatGeneral(long double value, char16_t separator) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  if (value == 0) return u"0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  std::string s(buf, res.ptr);  // [-]d.ddddddddddddddde[+-]xx
  bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  std::size_t e = s.find('e');
  int exponent = std::atoi(s.c_str() + e + 1);
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent >= 15 || exponent < -5) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out = digits + std::string(intDigits - digits.size(), '0');
    } else {
      out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  std::u16string text;
  if (negative) text.push_back(u'-');
  for (char c : out) text.push_back(c == '.' ? separator : static_cast<char16_t>(c));
  return text;
}

namespace {

// Converts ASCII number text already checked by a grammar; a number beyond the range of long
// double does not convert.
std::optional<long double> convert(const std::string& ascii) {
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
// stand on both sides of the separator; lenient reading also accepts "5," and ",5". Returns the ASCII form with a point, or an empty string.
std::string checkGrammar(std::u16string_view t, char16_t separator, bool lenient) {
  std::string ascii;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii.push_back(static_cast<char>(t[i++]));
  std::size_t intDigits = 0, fracDigits = 0;
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') ascii.push_back(static_cast<char>(t[i++])), ++intDigits;
  if (i < t.size() && t[i] == separator) {
    ++i;
    ascii.push_back('.');
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') ascii.push_back(static_cast<char>(t[i++])), ++fracDigits;
    if (!lenient && (fracDigits == 0 || intDigits == 0)) return {};
  }
  if (intDigits + fracDigits == 0) return {};
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ++i;
    ascii.push_back('e');
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii.push_back(static_cast<char>(t[i++]));
    std::size_t expDigits = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') ascii.push_back(static_cast<char>(t[i++])), ++expDigits;
    if (expDigits == 0) return {};
  }
  if (i != t.size()) return {};
  if (ascii.back() == '.') ascii.pop_back();
  // "from_chars" wants a digit before the point.
  std::size_t point = ascii.find('.');
  if (point != std::string::npos && (point == 0 || !(ascii[point - 1] >= '0' && ascii[point - 1] <= '9'))) {
    ascii.insert(point, "0");
  }
  return ascii;
}

}  // namespace

std::optional<long double> parseDecimal(std::u16string_view text, char16_t separator) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == u' ') ++b;
  while (e > b && text[e - 1] == u' ') --e;
  std::string ascii = checkGrammar(text.substr(b, e - b), separator, true);
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
