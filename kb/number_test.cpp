#include "kb/number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace veksa {
namespace {

TEST(Number, GeneralFormat) {
  EXPECT_EQ(formatGeneral(0.54L, u','), u"0,54");
  EXPECT_EQ(formatGeneral(0.6L * 0.9L, u','), u"0,54");
  EXPECT_EQ(formatGeneral(0.2L / 0.6L, u','), u"0,333333333333333");
  EXPECT_EQ(formatGeneral(-0.7L, u','), u"-0,7");
  EXPECT_EQ(formatGeneral(55, u','), u"55");
  EXPECT_EQ(formatGeneral(0, u','), u"0");
  EXPECT_EQ(formatGeneral(1e20L, u','), u"1E20");
  EXPECT_EQ(formatGeneral(1.5e-7L, u','), u"1,5E-7");
  EXPECT_EQ(formatGeneral(0.00001L, u','), u"0,00001");
  EXPECT_EQ(formatGeneral(123456789012345.0L, u','), u"123456789012345");
  EXPECT_EQ(formatGeneral(1234567890123456.0L, u','), u"1,23456789012346E15");
  EXPECT_EQ(formatGeneral(2.5L, u'.'), u"2.5");
  for (int p = -20; p <= 20; ++p) {
    // Every track-bar position reads back as itself.
    Line text = formatGeneral(p * 0.05L, u',');
    EXPECT_EQ(formatGeneral(toNumber(text, u','), u','), text);
  }
  EXPECT_EQ(formatGeneral(-20 * 0.05L, u','), u"-1");
  EXPECT_EQ(formatGeneral(17 * 0.05L, u','), u"0,85");
}

TEST(Number, CellReading) {
  EXPECT_EQ(toNumber(u"0,9", u','), 0.9L);
  EXPECT_EQ(toNumber(u" -0,5 ", u','), -0.5L);
  EXPECT_EQ(toNumber(u"1E3", u','), 1000.0L);
  EXPECT_EQ(toNumber(u"5", u','), 5.0L);
  EXPECT_FALSE(parseDecimal(u"5.5", u',').has_value());
  EXPECT_FALSE(parseDecimal(u"", u',').has_value());
  EXPECT_FALSE(parseDecimal(u"1E99999", u',').has_value());
  EXPECT_FALSE(parseDecimal(u"x", u',').has_value());
  try {
    toNumber(u"0.9", u',');
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), u"'0.9' is not a valid floating point value");
  }
}

TEST(Number, OperandGrammar) {
  EXPECT_EQ(parseOperandNumber(u"5.5"), 5.5L);
  EXPECT_EQ(parseOperandNumber(u"-2"), -2.0L);
  EXPECT_EQ(parseOperandNumber(u"1E3"), 1000.0L);
  EXPECT_EQ(parseOperandNumber(u"1e-2"), 0.01L);
  for (auto bad : {u"5,5", u"", u"X", u"5.", u".5", u"5+3", u" 5", u"1E", u"-"}) {
    EXPECT_FALSE(parseOperandNumber(bad).has_value()) << toUtf8(bad);
  }
}

TEST(Number, QuickConversionsAgreeWithTheLibrary) {
  // The quick paths of formatting and reading must give exactly what the library's correctly
  // rounded conversions give, for certainties, their products and combinations, and far values.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> power(-40, 40);
  for (int i = 0; i < 200000; ++i) {
    long double v = static_cast<long double>(unit(random)) * static_cast<long double>(unit(random));
    if (i % 3 == 1) v = v + static_cast<long double>(unit(random)) - v * 0.3L;
    if (i % 3 == 2) v *= std::pow(10.0L, power(random));
    if (i % 5 == 4) {
      // A combination with a factor of 0,05 lands next to a half in the 16th digit.
      long double a = toNumber(formatGeneral(std::fabs(v), u'.'), u'.');
      v = a + 0.05L - a * 0.05L;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    long double reference = 0;
    std::from_chars(buf, res.ptr, reference);
    // The text of the library's digits, read back by our reader, is the library's value.
    std::string ascii(buf, res.ptr);
    Line text = formatGeneral(v, u'.');
    long double mine = toNumber(text, u'.');
    long double library = 0;
    std::string textAscii = toUtf8(text);
    std::from_chars(textAscii.data(), textAscii.data() + textAscii.size(), library);
    ASSERT_EQ(mine, library) << textAscii;
    ASSERT_EQ(mine, reference) << textAscii << " " << ascii;
    // The value kept without the text is the value the text reads back as.
    ASSERT_EQ(roundGeneral(v), mine) << textAscii;
    ASSERT_EQ(roundGeneral(-v), -mine) << textAscii;
  }
  // Integers, far exponents and zero.
  for (long double v : {55.0L, 120.0L, 1e14L, 999999999999999.0L, 1e15L, 1e20L, 1e30L, 1.5e-30L,
                        1e-5L, 0.00001234L, 1e300L, -0.0L, 0.0L, 1e4000L, 3.7e-4000L,
                        std::numeric_limits<long double>::max(),
                        std::numeric_limits<long double>::min(),
                        std::numeric_limits<long double>::denorm_min()}) {
    ASSERT_EQ(roundGeneral(v), toNumber(formatGeneral(v, u','), u',')) << toUtf8(formatGeneral(v, u','));
  }
}

}  // namespace
}  // namespace veksa
