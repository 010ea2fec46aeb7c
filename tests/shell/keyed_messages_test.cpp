#include "shell/keyed_messages.h"

#include <gtest/gtest.h>

#include "support/runtime_fixture.h"
#include "support/test_support.h"

namespace zd {
namespace {

TEST(LookupMessage, FindsWholeKeysAndTakesTextToTheNextColon) {
  test::TempDir dir;
  const std::string file = dir.Write("MESSAGES.TXT",
                                     "crierr20:twenty\n"
                                     "crierr2:two:extra\n"
                                     "no colon here\n"
                                     "\n"
                                     "generr5:last line %s");
  EXPECT_EQ(LookupMessage(file, "crierr20"), "twenty\n");
  EXPECT_EQ(LookupMessage(file, "crierr2"), "two");
  EXPECT_EQ(LookupMessage(file, "generr5"), "last line %s");  // no newline at the end
  EXPECT_EQ(LookupMessage(file, "crierr"), "crierr");        // whole keys only
  EXPECT_EQ(LookupMessage(file, "CRIERR20"), "CRIERR20");    // case matters
  EXPECT_EQ(LookupMessage(file, "absent"), "absent");
  EXPECT_EQ(LookupMessage(dir.File("missing.txt"), "crierr20"), "crierr20");
  EXPECT_EQ(LookupMessage(file, ""), "");
}

TEST(LookupMessage, ReadsTheFileAsTextOnTheOriginalPlatform) {
  test::TempDir dir;
  // CR LF reads as LF, and Ctrl-Z ends the file.
  const std::string file =
      dir.Write("m.txt", std::string("a:one\r\nb:two\r\n\x1A" "c:hidden\r\n"));
  EXPECT_EQ(LookupMessage(file, "a"), "one\n");
  EXPECT_EQ(LookupMessage(file, "b"), "two\n");
  EXPECT_EQ(LookupMessage(file, "c"), "c");
}

TEST(LookupMessage, LongLinesAreReadInPieces) {
  test::TempDir dir;
  // A 600-character line: its last 89 characters are read as a line of their own.
  const std::string tail = "tail:found";
  std::string longLine = "long:" + std::string(506, 'x') + tail + std::string(79, 'y') + "\n";
  const std::string file = dir.Write("m.txt", longLine + "next:ok\n");
  EXPECT_EQ(LookupMessage(file, "long"), std::string(255, 'x'));  // kept to 255
  EXPECT_EQ(LookupMessage(file, "tail"), "found" + std::string(79, 'y') + "\n");
  EXPECT_EQ(LookupMessage(file, "next"), "ok\n");
  // Texts are kept to 255 characters.
  const std::string big = dir.Write("big.txt", "k:" + std::string(400, 'z') + "\n");
  EXPECT_EQ(LookupMessage(big, "k").size(), 255u);
}

TEST(Reporter, ThePageClockStandsStillWhileAMessageIsUp) {
  test::RuntimeFixture f({.events = "wait 5000\nanswer ok\n"});
  const uint32_t before = f.runtime().scheduler.PageClock();
  f.runtime().shell.reporter().ReportError("crierr5");
  EXPECT_EQ(f.platform().TickCount(), 5000u);
  EXPECT_EQ(f.runtime().scheduler.PageClock(), before);
}

TEST(Reporter, ShowsMessagesWithTheWindowTitleAndObeysDiagnostics) {
  test::TempDir dir;
  const std::string file = dir.Write("MESSAGES.TXT",
                                     "crierr8:Title %s not found\n"
                                     "crierr27:The title cannot go on\n"
                                     "mserr2:Pointer %s did not load\n");
  {
    test::RuntimeFixture f({.commandLine = "", .messagesPath = file});
    f.runtime().shell.reporter().ReportDetailedError("crierr8", "D:\\MOSS");
    f.runtime().shell.reporter().ReportDiagnostic("mserr2", "HAND");
    f.runtime().shell.reporter().ReportError("crierr99");
    const std::string trace = f.TraceText();
    EXPECT_NE(trace.find("message crierr8: Title D:\\MOSS not found"), std::string::npos);
    EXPECT_NE(trace.find("message mserr2: Pointer HAND did not load"), std::string::npos);
    EXPECT_NE(trace.find("message crierr99: crierr99"), std::string::npos);

  }
  {
    test::RuntimeFixture f({.commandLine = "-D D:\\MOSS\\AUTHORFI", .messagesPath = file});
    f.runtime().shell.reporter().ReportDetailedError("crierr8", "D:\\MOSS");
    f.runtime().shell.reporter().ReportDiagnostic("mserr2", "HAND");
    const std::string trace = f.TraceText();
    EXPECT_EQ(trace.find("crierr8"), std::string::npos);
    EXPECT_EQ(trace.find("mserr2"), std::string::npos);
    EXPECT_NE(trace.find("message crierr27: The title cannot go on"), std::string::npos);
  }
}

}  // namespace
}  // namespace zd
