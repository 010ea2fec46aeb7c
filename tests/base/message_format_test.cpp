#include "base/message_format.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

TEST(FormatMessageText, TheOneArgumentFillsTheFirstConversion) {
  EXPECT_EQ(FormatMessageText("File %s missing", "A.TXT"), "File A.TXT missing");
  EXPECT_EQ(FormatMessageText("Kind %d", 7), "Kind 7");
  EXPECT_EQ(FormatMessageText("Code %lX", 255), "Code FF");
  EXPECT_EQ(FormatMessageText("%5d|%-4s|", 42), "   42||");
  EXPECT_EQ(FormatMessageText("100%% sure %s", "x"), "100% sure x");
  // Zero is "no argument": the text is shown as it stands.
  EXPECT_EQ(FormatMessageText("Kind %d", 0), "Kind %d");
  EXPECT_EQ(FormatMessageText("Kind %d", MessageArgument()), "Kind %d");
}

TEST(FormatMessageText, HostileFormatsCannotReachMemory) {
  // A text given to a number conversion prints the text; a number given to %s prints the number.
  EXPECT_EQ(FormatMessageText("Value %d here", "abc"), "Value abc here");
  EXPECT_EQ(FormatMessageText("Value %s here", 12), "Value 12 here");
  // Conversions beyond the first print nothing; %n and * widths take no argument.
  EXPECT_EQ(FormatMessageText("%s %s %s %n%*d", "a"), "a   ");
  EXPECT_EQ(FormatMessageText("end %", "a"), "end ");
  // Widths are bounded and results kept to the message buffer.
  EXPECT_LE(FormatMessageText("%99999999s", "a").size(), kMaxMessageLength);
  EXPECT_EQ(FormatMessageText(std::string(300, 'm') + "%s", "a").size(), kMaxMessageLength);
  EXPECT_EQ(FormatMessageText("%s", std::string(1000, 'p')).size(), kMaxMessageLength);
}

}  // namespace
}  // namespace zd
