// runexe: a title may start the Windows programs of its own directory tree, through wine, once
// the user agrees; anything outside the title, or any native program or script, is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/processes.h"
#include "script/script_runner.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Keys;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Trace lines of programs started or tried ("start ..."), not texts that mention starting.
size_t Starts(const std::string& trace) { return Count("\n" + trace, "\nstart "); }

// A title with a Windows program, native programs and scripts under Windows and other names,
// and (made by the test) symbolic links leading out of it.
const char* kTitle = R"({
  "pages": [{"name": "Home"}],
  "sections": [{"name": "Root", "page": "Home"}],
  "files": [
    {"path": "TOOLS/VIEWER.EXE", "hex": "4d5a90000300000004000000"},
    {"path": "TOOLS/SETUP.BAT", "text": "@echo off\r\n"},
    {"path": "TOOLS/TOOL", "hex": "7f454c4602010100"},
    {"path": "TOOLS/ELF.EXE", "hex": "7f454c4602010100"},
    {"path": "TOOLS/RUN.SH", "text": "#!/bin/sh\ntouch /tmp/owned\n"},
    {"path": "TOOLS/SCRIPT.BAT", "text": "#!/bin/sh\ntouch /tmp/owned\n"},
    {"path": "TOOLS/PLAIN.EXE", "text": "no program at all"}]})";

class TitleProgramsTest : public testing::Test {
 protected:
  explicit TitleProgramsTest(const std::string& events = "")
      : title_(kTitle, {.messagesPath = test::EnglishMessages(), .events = events}) {
    title_.Start();
    const fs::path dir = title_.path();
    // Beside the title: a Windows program that is not the title's.
    std::ofstream(dir.parent_path() / "OUT.EXE", std::ios::binary) << "MZ\x90";
    fs::create_symlink(dir.parent_path() / "OUT.EXE", dir / "LINK.EXE");
    fs::create_directory_symlink(dir.parent_path(), dir / "AWAY");
    fs::create_symlink("/bin/true", dir / "TRUE.EXE");
    fs::create_symlink(dir / "TOOLS" / "RUN.SH", dir / "INSIDE.EXE");
  }

  std::string Run(const std::string& text) {
    title_.ClearTrace();
    script::ScriptSource source;
    source.name.Assign("+Test");
    source.text = text;
    title_.runtime().script.RunScript(source, 0, 1, false);
    return title_.TraceText();
  }

  test::PlayedTitle title_;
};

TEST_F(TitleProgramsTest, ProgramsOutsideTheTitleOrNotForWindowsAreRefusedAndNeverStarted) {
  const std::string trace = Run(
      // Outside: climbing out with either separator, absolute paths, links leading out.
      "runexe \"..\\..\\..\\bin\\sh -c \\\"touch /tmp/owned\\\"\"\n"
      "runexe \"../OUT.EXE\"\n"
      "runexe \"TOOLS\\..\\..\\OUT.EXE\"\n"
      "runexe \"/bin/sh -c id\"\n"
      "runexe \"\\bin\\sh\"\n"
      "runexe \"C:\\WINDOWS\\NOTEPAD.EXE\"\n"
      "runexe \"LINK.EXE\"\n"
      "runexe \"AWAY\\OUT.EXE\"\n"
      "runexe \"TRUE.EXE\"\n"
      // Inside, but no Windows program: by name, by content, or by what a link leads to.
      "runexe \"TOOLS\\TOOL\"\n"
      "runexe \"TOOLS/RUN.SH\"\n"
      "runexe \"TOOLS\\ELF.EXE\"\n"
      "runexe \"TOOLS\\SCRIPT.BAT\"\n"
      "runexe \"TOOLS\\PLAIN.EXE\"\n"
      "runexe \"INSIDE.EXE\"\n");
  const auto reports = test::ReportsIn(trace);
  EXPECT_EQ(test::KeysOf(reports),
            (Keys{"scerr75", "scerr75", "scerr75", "scerr75", "scerr75", "scerr75", "scerr75",
                  "scerr75", "scerr75", "scerr76", "scerr76", "scerr76", "scerr76", "scerr76",
                  "scerr76"}))
      << trace;
  ASSERT_EQ(reports.size(), 15u);
  EXPECT_NE(reports[0].text.find("The program ..\\..\\..\\bin\\sh lies outside the title's folder"),
            std::string::npos)
      << reports[0].text;
  EXPECT_EQ(reports[6].line, 7);
  EXPECT_NE(reports[9].text.find("TOOLS\\TOOL is not a Windows program"), std::string::npos);
  EXPECT_EQ(Starts(trace), 0u) << "nothing was started, or even tried";
  EXPECT_EQ(Count(trace, "scask1"), 0u) << "refused programs are not offered to the user";
}

// A title reaching outside itself is shown to the user even with diagnostics off.
TEST(TitlePrograms, RefusalsShowEvenWithDiagnosticsOff) {
  test::PlayedTitle title(kTitle, {.commandLine = "-D", .messagesPath = test::EnglishMessages()});
  title.Start();
  title.ClearTrace();
  script::ScriptSource source;
  source.name.Assign("+Test");
  source.text = "runexe \"..\\..\\bin\\sh\"\nrunexe \"TOOLS\\TOOL\"\n";
  title.runtime().script.RunScript(source, 0, 1, false);
  EXPECT_EQ(test::KeysOf(test::ReportsIn(title.TraceText())), (Keys{"scerr75", "scerr76"}))
      << title.TraceText();
  EXPECT_EQ(Starts(title.TraceText()), 0u);
}

TEST(TitlePrograms, WithoutATitleEveryProgramIsOutside) {
  test::ScriptRunner alone;
  EXPECT_EQ(alone.Run("runexe \"VIEWER.EXE\"\n"), Keys{"scerr75"});
  EXPECT_EQ(Starts(alone.TraceText()), 0u);
}

class TitleProgramsAsked : public TitleProgramsTest {
 protected:
  TitleProgramsAsked() : TitleProgramsTest("answer no\nanswer yes\n") {}
};

TEST_F(TitleProgramsAsked, TheUserIsAskedUntilAgreeingAndOnlyThenIsWineStarted) {
  const std::string refused = Run("runexe \"tools\\viewer.exe /open \\\"a b\\\"\"\n");
  EXPECT_EQ(Count(refused, "message scask1: The title wants to start the program "
                           "tools\\viewer.exe"),
            1u)
      << refused;
  EXPECT_TRUE(refused.find("[yes/no, question]") != std::string::npos) << refused;
  EXPECT_TRUE(refused.find("answer no") != std::string::npos);
  EXPECT_EQ(Starts(refused), 0u) << "no: nothing starts";

  // Asked again after a no; yes starts the program as a Windows program, found without regard
  // to case, with its arguments split as Windows splits them.
  const std::string agreed = Run("runexe \"tools\\viewer.exe /open \\\"a b\\\"\"\n");
  EXPECT_EQ(Count(agreed, "message scask1"), 1u) << agreed;
  const std::string program = (fs::canonical(title_.path()) / "TOOLS" / "VIEWER.EXE").string();
  EXPECT_EQ(Count(agreed, "start wine " + program + " /open \"a b\""), 1u) << agreed;

  // Once agreed, the title's other programs start without a question; a missing one is only
  // traced, as titles expect.
  const std::string later = Run("runexe \"TOOLS\\SETUP.BAT\"\nrunexe \"TOOLS\\MISSING.EXE\"\n");
  EXPECT_EQ(Count(later, "scask1"), 0u) << later;
  const std::string setup = (fs::canonical(title_.path()) / "TOOLS" / "SETUP.BAT").string();
  EXPECT_EQ(Count(later, "start wine " + setup), 1u) << later;
  EXPECT_EQ(Count(later, "start TOOLS\\MISSING.EXE (not started: not found)"), 1u) << later;
  EXPECT_EQ(test::KeysOf(test::ReportsIn(later)), Keys{}) << later;

  EXPECT_EQ(platform::SplitWindowsCommandLine(R"(C:\T\A.EXE "two words" a\"b c\\"d e" x\\\"y)"),
            (std::vector<std::string>{"C:\\T\\A.EXE", "two words", "a\"b", "c\\d e", "x\\\"y"}));
}

TEST_F(TitleProgramsTest, UnansweredTheQuestionMeansNo) {
  const std::string trace = Run("runexe \"TOOLS\\VIEWER.EXE\"\n");
  EXPECT_EQ(Count(trace, "answer no (default)"), 1u) << trace;
  EXPECT_EQ(Starts(trace), 0u);
}

}  // namespace
}  // namespace zd
