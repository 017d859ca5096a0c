// The suite's one reading of valid UTF-8.
#include <gtest/gtest.h>

#include "support/types/KWDUtf8.h"

// Text a user gives is UTF-8 only in its strict form.
TEST(KWDUtf8, OverlongFormsSurrogatesTooLargeAndCutSequencesAreNoUtf8) {
  for (const char* Gut : {"", "abc", "Größe €", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBD", "\xC2\x80",
                          "\xED\x9F\xBF", "\xEE\x80\x80"})
    EXPECT_TRUE(KWDIstUtf8(Gut)) << Gut;
  for (const char* Schlecht : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "a\xE2\x82",
                               "\xE4", "\xFF", "\xC1\xBF", "\xF0\x80\x80\x80", "\xF5\x80\x80\x80", "\x80", "\xED\xBF\xBF"})
    EXPECT_FALSE(KWDIstUtf8(Schlecht)) << Schlecht;
  EXPECT_EQ(KWDUtf8Ersetzen("a\xE4" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(KWDUtf8Zeichen("Größe €"), 7u);
}
