#include "support/types/KWDZahlFormat.h"

#include <gtest/gtest.h>

#include <limits>

TEST(KWDZahlFormatTest, ThousandsDecimalCommaAndWidth) {
  EXPECT_EQ(KWDFormatN("%12.2n", 1234567.891), "1.234.567,89");
  EXPECT_EQ(KWDFormatN("%12.2n", 0.0), "        0,00");
  EXPECT_EQ(KWDFormatN("%12.2n", 999.999), "    1.000,00");
  EXPECT_EQ(KWDFormatN("%12.2n", 100.0), "      100,00");
  // Wider than the field: shown whole, never cut.
  EXPECT_EQ(KWDFormatN("%12.2n", 123456789012.0), "123.456.789.012,00");
  EXPECT_EQ(KWDFormatN("%-8.1n", 5.25), "5,3     ");
  EXPECT_EQ(KWDFormatN("%n", 1000.0), "1.000,00");
}

TEST(KWDZahlFormatTest, NegativeNumbersAndRounding) {
  EXPECT_EQ(KWDFormatN("%12.2n", -1234.5), "   -1.234,50");
  EXPECT_EQ(FormatZahlDe(-999.995, 2), "-1.000,00");
  EXPECT_EQ(FormatZahlDe(0.125, 2), "0,13");   // exact halves away from zero
  EXPECT_EQ(FormatZahlDe(-0.125, 2), "-0,13");
  EXPECT_EQ(FormatZahlDe(2.5, 0), "3");
  EXPECT_EQ(FormatZahlDe(-0.004, 2), "0,00");  // no "-0,00"
  EXPECT_EQ(FormatZahlDe(0.05, 2), "0,05");
}

TEST(KWDZahlFormatTest, OddValuesAndFormats) {
  EXPECT_EQ(FormatZahlDe(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
  EXPECT_EQ(KWDFormatN("%6.2n", -std::numeric_limits<double>::infinity()), "  -INF");
  EXPECT_THROW(KWDFormatN("%12.2f", 1.0), std::invalid_argument);
  EXPECT_THROW(KWDFormatN("12.2n", 1.0), std::invalid_argument);
  EXPECT_THROW(KWDFormatN("%12.n", 1.0), std::invalid_argument);
  EXPECT_THROW(KWDFormatN("%12.2nx", 1.0), std::invalid_argument);
}
