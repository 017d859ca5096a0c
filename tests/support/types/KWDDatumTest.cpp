#include "support/types/KWDDatum.h"

#include <gtest/gtest.h>

TEST(KWDDatumTest, MonthAndLeapYearEdges) {
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2025, 2), 28);
  EXPECT_EQ(DaysInAMonth(2025, 4), 30);
  EXPECT_EQ(DaysInAMonth(2025, 13), 0);
  EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncDay(EncodeDate(2024, 12, 31)), EncodeDate(2025, 1, 1));
  EXPECT_EQ(IncDay(EncodeDate(2025, 3, 1), -1), EncodeDate(2025, 2, 28));
}

TEST(KWDDatumTest, IncMonthClampsToTheLastDayAndKeepsTheTime) {
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2025, 1, 31)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2025, 3, 31), -1), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2025, 1, 15), -13), EncodeDate(2023, 12, 15));
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  const TDateTime Mittag = EncodeDate(2025, 11, 30) + 0.5;
  EXPECT_DOUBLE_EQ(IncMonth(Mittag, 2), EncodeDate(2026, 1, 30) + 0.5);
  // A fiscal year starting 01.04.2024 ends the day before 01.04.2025.
  EXPECT_EQ(IncDay(IncYear(EncodeDate(2024, 4, 1)), -1), EncodeDate(2025, 3, 31));
}

TEST(KWDDatumTest, EndOfDayAndTimeParts) {
  const TDateTime Ende = EndOfTheDay(EncodeDate(2025, 2, 28) + 0.25);
  EXPECT_EQ(DateOf(Ende), EncodeDate(2025, 2, 28));
  const TZeitTeile Z = DecodeTime(Ende);
  EXPECT_EQ(Z.Stunde, 23);
  EXPECT_EQ(Z.Minute, 59);
  EXPECT_EQ(Z.Sekunde, 59);
  EXPECT_EQ(Z.Millisekunde, 999);
  EXPECT_LT(Ende, EncodeDate(2025, 3, 1));

  const TDateTime Zeit = EncodeDate(2025, 3, 9) + EncodeTime(14, 5, 7);
  EXPECT_EQ(FormatDatumZeit(Zeit), "09.03.2025 14:05:07");
  EXPECT_EQ(ZeitHHMM(Zeit), 1405);
  EXPECT_EQ(MonthOf(Zeit), 3);
  EXPECT_EQ(DayOf(Zeit), 9);
  // A fraction a hair below midnight must not print as 24:00:00.
  EXPECT_EQ(FormatDatumZeit(EncodeDate(2025, 3, 9) + 0.99999999999), "09.03.2025 23:59:59");
}
