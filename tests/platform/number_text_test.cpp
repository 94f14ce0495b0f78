#include <gtest/gtest.h>

#include "platform/number_text.h"
#include "tests/support/app_fixture.h"

TEST(FixedText, PlacesRoundingSignAndSeparator) {
  struct Case {
    double value;
    int minDecimals, maxDecimals;
    QChar point;
    const char* text;
  } cases[] = {
      {0.161, 0, 4, '.', "0.161"},
      {0.95 * 1.5, 0, 4, '.', "1.425"},       // 1.4249999999999998 as a double
      {0.95 * 2 * 1.5, 0, 4, '.', "2.85"},
      {2, 0, 4, '.', "2"},
      {1.2, 2, 3, ',', "1,20"},
      {1.2346, 2, 3, ',', "1,235"},
      {1234567.891, 2, 2, ',', "1234567,89"},  // no group separator, no exponent
      {1e-7, 0, 4, '.', "0"},
      {-0.00001, 2, 2, ',', "0,00"},
      {-10.5, 0, 4, '.', "-10.5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::FixedText(c.value, c.minDecimals, c.maxDecimals, c.point), c.text) << c.value;
}
