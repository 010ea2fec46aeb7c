#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

TEST(CommandLine, OptionsOverrideDirectoryAndPath) {
  const CommandLine c = ParseCommandLine("-D -E C:\\SAVE D:\\TITLE\\AUTHORFI");
  EXPECT_FALSE(c.diagnostics);
  EXPECT_TRUE(c.spriteCaching);
  EXPECT_EQ(c.overrideDirectory, "C:\\SAVE");
  EXPECT_EQ(c.titlePath, "D:\\TITLE\\AUTHORFI");
}

TEST(CommandLine, OptionsNeedTheirTrailingBlank) {
  // "-D" alone is neither an option nor a path.
  const CommandLine alone = ParseCommandLine("-D");
  EXPECT_TRUE(alone.diagnostics);
  EXPECT_EQ(alone.titlePath, "");
  for (const char* option : {"-M", "-S", "-O", "-C", "-F"}) {
    EXPECT_EQ(ParseCommandLine(std::string("-D ") + option).titlePath, "") << option;
  }
  // Found anywhere in the line, so a -S in the middle counts too.
  const CommandLine middle = ParseCommandLine("-m -s -o /titles/moss/authorfi");
  EXPECT_FALSE(middle.spriteCaching);
  EXPECT_EQ(middle.titlePath, "/TITLES/MOSS/AUTHORFI");
}

TEST(CommandLine, LowerCaseWorksAndThePathKeepsItsOriginalCaseForTheDisk) {
  const CommandLine c = ParseCommandLine("-d -e /home/ann/Save /media/cd/Moss/authorfi");
  EXPECT_FALSE(c.diagnostics);
  EXPECT_EQ(c.overrideDirectory, "/HOME/ANN/SAVE");
  EXPECT_EQ(c.overrideDirectoryAsGiven, "/home/ann/Save");
  EXPECT_EQ(c.titlePath, "/MEDIA/CD/MOSS/AUTHORFI");
  EXPECT_EQ(c.titlePathAsGiven, "/media/cd/Moss/authorfi");
}

TEST(CommandLine, TheValueOfEIsNeverThePath) {
  const CommandLine c = ParseCommandLine("-E C:\\SAVE");
  EXPECT_EQ(c.overrideDirectory, "C:\\SAVE");
  EXPECT_EQ(c.titlePath, "");
  // The value is what stands between "-E " and the last blank: here only blanks, so there is no
  // override directory, and the last word is the path.
  const CommandLine spaced = ParseCommandLine("-E    C:\\SAVE");
  EXPECT_EQ(spaced.overrideDirectory, "");
  EXPECT_EQ(spaced.titlePath, "C:\\SAVE");
  // Blanks around a value are not part of it.
  const CommandLine padded = ParseCommandLine("-E  C:\\SAVE  D:\\T\\A");
  EXPECT_EQ(padded.overrideDirectory, "C:\\SAVE");
  EXPECT_EQ(padded.titlePath, "D:\\T\\A");
  // The value runs to the last blank, so it may hold blanks of its own.
  const CommandLine blanks = ParseCommandLine("-E C:\\MY SAVE D:\\T\\AUTHORFI");
  EXPECT_EQ(blanks.overrideDirectory, "C:\\MY SAVE");
  EXPECT_EQ(blanks.titlePath, "D:\\T\\AUTHORFI");
}

TEST(CommandLine, OddSpacingAndEmptyValues) {
  const CommandLine empty = ParseCommandLine("-D -E ");
  EXPECT_EQ(empty.overrideDirectory, "");
  EXPECT_EQ(empty.titlePath, "");
  const CommandLine twice = ParseCommandLine("-D -E  D:\\T\\A");
  EXPECT_EQ(twice.overrideDirectory, "");
  EXPECT_EQ(twice.titlePath, "D:\\T\\A");
  EXPECT_EQ(ParseCommandLine("").titlePath, "");
  EXPECT_EQ(ParseCommandLine("D:\\TITLE\\AUTHORFI").titlePath, "D:\\TITLE\\AUTHORFI");
  // A trailing blank leaves no last word.
  EXPECT_EQ(ParseCommandLine("D:\\TITLE\\AUTHORFI ").titlePath, "");
}

TEST(CommandLine, TitleApplicationName) {
  EXPECT_EQ(TitleApplicationName(""), "!generic");
  EXPECT_EQ(TitleApplicationName("D:\\!MOSS\\AUTHORFI"), "!MOSS");
  EXPECT_EQ(TitleApplicationName("D:\\_MOSS\\AUTHORFI"), "!MOSS");
  EXPECT_EQ(TitleApplicationName("D:\\TITLE\\AUTHORFI"), "!ITLE");
  EXPECT_EQ(TitleApplicationName("/MEDIA/CD/XMOSS/AUTHORFI"), "!MOSS");
  EXPECT_EQ(TitleApplicationName("AUTHORFI"), "!");
}

}  // namespace
}  // namespace zd
