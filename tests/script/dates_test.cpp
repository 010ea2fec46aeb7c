// Dates beyond what script files show: comparisons, and the arguments a date cannot hold.
#include <gtest/gtest.h>

#include "database/dates.h"
#include "script/script_runner.h"

namespace zd {
namespace {

TEST(Dates, ComparisonsSkipMissingPartsAndReadTwoDigitYearsAsTheTwentiethCentury) {
  const DateValue fifth{5, 1, 1998, false}, january{0, 1, 1998, false}, sixth{6, 1, 1998, false};
  EXPECT_EQ(CompareDates(fifth, january, false, false, false), 0) << "one of the days is 0";
  EXPECT_EQ(CompareDates(fifth, sixth, false, false, false), -1);
  EXPECT_EQ(CompareDates(sixth, fifth, false, false, false), 1);
  EXPECT_EQ(CompareDates(fifth, sixth, true, false, false), 0) << "days ignored";
  const DateValue twoDigit{5, 1, 98, true};
  EXPECT_EQ(CompareDates(twoDigit, fifth, false, false, false), 0);
  EXPECT_EQ(FormatDate(twoDigit, 0), "\xC9\xE1\xED\xEF\xF5\xDC\xF1\xE9\xEF\xF2 5, 1998");
  EXPECT_EQ(FormatDate(twoDigit, 3), "5/1/98");
  EXPECT_EQ(CompareDates(DateValue{1, 1, 1999, false}, fifth, false, false, true), -1)
      << "years ignored, the month is the same and the day decides";
}

TEST(Dates, ArgumentsADateCannotHoldAreReportedAndOutputsMustBeIntegerVariables) {
  test::ScriptRunner runner;
  EXPECT_EQ(runner.Run("datetostr s$, 300, 1, 1998\ndatetostr s$, 5, 256, 1998\n"
                       "datetostr s$, 5, 1, 40000\n"),
            (test::Keys{"scerr77", "scerr77", "scerr77"}));
  EXPECT_FALSE(runner.engine().ProbeVariable("s$")) << "nothing was stored";
  EXPECT_EQ(runner.Run("set t$, \"5 1 1998\"\nstrtodate t$, d%, m$, y%\n"), test::Keys{"scerr43"});
  EXPECT_EQ(runner.engine().ProbeVariable("d%")->number, 5) << "outputs before the bad one are set";
  EXPECT_EQ(runner.Run("datetojul j%, 1, 1, 2147483647\n"), test::Keys{});
  EXPECT_EQ(runner.engine().ProbeVariable("j%")->number, 2147483647) << "kept at the limit";
}

}  // namespace
}  // namespace zd
