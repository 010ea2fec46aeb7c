// The sign bit of an integer in "bit" and "!bit" conditions.
#include <gtest/gtest.h>

#include "script_runner.h"

namespace zd {
namespace {

using test::Keys;

TEST(ConditionTopBit, Bit31IsTheSignBit) {
  test::ScriptRunner r;
  auto truth = [&](const std::string& condition) {
    EXPECT_EQ(r.Run("set t%, " + condition + "\n"), Keys{}) << condition;
    return r.Number("t%").value_or(-1);
  };
  r.Run("set negative%, -1\nset top%, 0\nbitset top%, 31, 1\nset largest%, 2147483647\n");
  EXPECT_EQ(truth("(negative% bit 31)"), 1);
  EXPECT_EQ(truth("(negative% !bit 31)"), 0);
  EXPECT_EQ(truth("(top% bit 31)"), 1);
  EXPECT_EQ(truth("(top% !bit 31)"), 0);
  EXPECT_EQ(truth("(top% bit 30)"), 0) << "only the top bit is set";
  EXPECT_EQ(truth("(largest% bit 31)"), 0);
  EXPECT_EQ(truth("(largest% !bit 31)"), 1);
  EXPECT_EQ(truth("(largest% bit 30)"), 1);
  // The same in a script's own decision.
  r.Run("set went%, 0\nif (top% bit 31)\nset went%, 1\nendif\n"
        "if (top% !bit 31)\nset went%, 2\nendif\n");
  EXPECT_EQ(r.Number("went%"), 1);
  EXPECT_EQ(r.Run("set t%, (top% bit 32)\n"), Keys{"scerr5"}) << "there is no bit 32";
}

}  // namespace
}  // namespace zd
