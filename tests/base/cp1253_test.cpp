#include "base/cp1253.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace zd {
namespace {

TEST(Cp1253, GreekRoundTripsAndOutsidersBecomeQuestionMarks) {
  const std::string greek = "Αποθήκευση Ρυθμίσεων ΐΰ ς €";
  const std::string bytes = Utf8ToCp1253(greek);
  EXPECT_EQ(bytes.size(), 27u);
  EXPECT_EQ(Cp1253ToUtf8(bytes), greek);
  EXPECT_EQ(static_cast<uint8_t>(Utf8ToCp1253("Α")[0]), 0xC1);
  EXPECT_EQ(static_cast<uint8_t>(Utf8ToCp1253("ώ")[0]), 0xFE);
  EXPECT_EQ(Utf8ToCp1253("Жx"), "?x");
  // Unused bytes show as the replacement character; malformed UTF-8 never stalls.
  EXPECT_EQ(Cp1253ToUtf8("\xD2"), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToCp1253("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToCp1253("\xE2\x82"), "??");
  EXPECT_EQ(Utf8ToCp1253("\x80z"), "?z");
}

TEST(Cp1253, UpperCaseKeepsAccents) {
  EXPECT_EQ(Cp1253ToUtf8(ToUpper1253(Utf8ToCp1253("abc άέήίόύώ ς ϊϋ αω"))), "ABC ΆΈΉΊΌΎΏ Σ ΪΫ ΑΩ");
  EXPECT_TRUE(EqualsIgnoreCase1253(Utf8ToCp1253("Σελίδα"), Utf8ToCp1253("ΣΕΛΊΔΑ")));
  EXPECT_FALSE(EqualsIgnoreCase1253("crierr2", "crierr20"));
}

}  // namespace
}  // namespace zd
