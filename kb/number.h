// Numbers as the tables hold them: text in the general format (shortest form, at most 15
// significant digits, the workspace's decimal separator), and the readers of such text.
#ifndef VEKSA_KB_NUMBER_H_
#define VEKSA_KB_NUMBER_H_

#include <optional>
#include <stdexcept>
#include <string>

#include "kb/text.h"

namespace veksa {

// A run-time error that ends the command which started a run: a conversion error or a
// floating-point error, carrying the exact message the user sees.
class RunError : public std::runtime_error {
 public:
  explicit RunError(std::u16string message)
      : std::runtime_error(toUtf8(message)), message_(std::move(message)) {}
  const std::u16string& message() const { return message_; }

 private:
  std::u16string message_;
};

// The run-time error for text that does not convert: "'%s' is not a valid floating point value".
RunError conversionError(std::u16string_view text);
inline constexpr std::u16string_view kDivisionByZero = u"Floating point division by zero";
inline constexpr std::u16string_view kInvalidOperation = u"Invalid floating point operation";
inline constexpr std::u16string_view kOverflow = u"Floating point overflow";

// The decimal separator of number cells: a comma, or "." when VEKSA_DECIMAL is ".".
char16_t defaultDecimalSeparator();

// The general format: at most 15 significant digits, no trailing zeros, scientific form ("1E20",
// "1,5E-7") below 0.00001 or from 1E15 on.
std::u16string formatGeneral(long double value, char16_t separator);

// The value that the general-format text of `value` reads back as (toNumber of formatGeneral,
// whatever the separator), computed without the text: `value` rounded to 15 significant digits.
// The run tables keep numbers so and format them only when they are shown.
long double roundGeneral(long double value);

// Reads number-cell text with the given separator: optional leading and trailing spaces, an
// optional sign, digits with an optional fraction, an optional exponent. Nothing on failure.
std::optional<long double> parseDecimal(std::u16string_view text, char16_t separator);

// Reads number-cell text or raises the conversion error naming the text.
long double toNumber(std::u16string_view text, char16_t separator);

// The operand numbers of formulas and comparisons: an optional sign, digits, an optional point
// with at least one digit after it, an optional exponent; nothing else (no spaces, no comma).
std::optional<long double> parseOperandNumber(std::u16string_view text);

}  // namespace veksa

#endif  // VEKSA_KB_NUMBER_H_
