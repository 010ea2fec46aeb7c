// MESSAGES.TXT ends at a Ctrl-Z, as a text file did on the original platform.
#include <gtest/gtest.h>

#include "shell/keyed_messages.h"
#include "support/test_support.h"

namespace zd {
namespace {

TEST(MessagesFileEnd, NothingAfterACtrlZIsRead) {
  test::TempDir dir;
  const std::string file = dir.Write(
      "MESSAGES.TXT", std::string("first:one\r\nsecond:two\x1A" "after:hidden\r\nlast:gone\r\n"));
  EXPECT_EQ(LookupMessage(file, "first"), "one\n");
  EXPECT_EQ(LookupMessage(file, "second"), "two") << "the text ends at the Ctrl-Z";
  EXPECT_EQ(LookupMessage(file, "after"), "after");
  EXPECT_EQ(LookupMessage(file, "last"), "last") << "a later line is not read either";
}

TEST(MessagesFileEnd, ACarriageReturnWithoutALineFeedStaysInTheText) {
  test::TempDir dir;
  const std::string file =
      dir.Write("MESSAGES.TXT", std::string("first:one\rtwo\r\nlast:end\r"));
  EXPECT_EQ(LookupMessage(file, "first"), "one\rtwo\n");
  EXPECT_EQ(LookupMessage(file, "last"), "end\r");
}

}  // namespace
}  // namespace zd
