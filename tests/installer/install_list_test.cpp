// The install list as the installer reads it: names found only as words outside quotes, the
// value in the first quotes after the name, comments, and the bounds a hostile list runs into.
#include <gtest/gtest.h>

#include <string>

#include "installer/install_list.h"

namespace zd::install {
namespace {

TEST(InstallListTest, FindsNamesOnlyAsWordsOutsideQuotes) {
  const InstallList list = ParseInstallList(
      "text before the first block is not read { group \"nowhere\" }\n"
      "{\n"
      "  actshts \"group\"      # a value that reads \"group\" is not the entry\n"
      "  GROUP \"Zendral demo\"\n"
      "  items \"not an item\"  icon \"moss.ico\"\n"
      "  # readme \"commented.txt\"\n"
      "  command\n   \"-D\"\n"
      "}\n"
      "{ icon \"second.ico\" item \"\" path \"\\!pond\\\" }");
  ASSERT_EQ(list.problem, ListProblem::None);
  ASSERT_EQ(list.blocks.size(), 3u);
  const InstallBlock& first = list.blocks[1];
  EXPECT_EQ(first.Value("group"), "Zendral demo");
  EXPECT_EQ(first.Value("actshts"), "group");
  EXPECT_EQ(first.Value("Icon"), "moss.ico");
  EXPECT_FALSE(first.Has("item")) << "\"items\" is another word";
  EXPECT_FALSE(first.Has("readme")) << "comments are blanked";
  EXPECT_EQ(first.Value("command"), "-D") << "line breaks between name and value are blanks";
  const InstallBlock& second = list.blocks[2];
  EXPECT_EQ(second.Value("item"), "");
  EXPECT_EQ(second.Value("path"), "\\!pond\\");
  EXPECT_FALSE(second.Has("group"));
  // A name with no quotes after it has no value.
  EXPECT_FALSE(ParseInstallList("{ extrasdir }").blocks.at(0).Has("extrasdir"));
  // Greek text (code page 1253) and a "#" inside quotes stay in the value.
  EXPECT_EQ(ParseInstallList("{group \"\xCC\xE1\xE8 #1\"}").blocks.at(0).Value("group"),
            "\xCC\xE1\xE8 #1");
  // Control characters and a second "{" read as blanks; a block runs to the file's end.
  EXPECT_EQ(ParseInstallList("{group\t\"a\"{icon\x01\"b\"").blocks.at(0).Value("icon"), "b");
}

TEST(InstallListTest, RefusesListsThatBreakTheBounds) {
  auto refused = [](const std::string& text) { return ParseInstallList(text); };

  InstallList unterminated = refused("{ group \"ok\" }\n{ icon \"open.ico }\n{ item \"x\" }");
  EXPECT_EQ(unterminated.problem, ListProblem::UnterminatedQuote);
  EXPECT_EQ(unterminated.problemBlock, 2);
  EXPECT_TRUE(unterminated.blocks.empty()) << "a refused list gives nothing to install";

  EXPECT_EQ(refused("{group \"a\" " + std::string(1024 - 11, ' ') + "}").problem, ListProblem::None);
  InstallList longBlock = refused("{group \"a\"}{" + std::string(1025, ' ') + "}");
  EXPECT_EQ(longBlock.problem, ListProblem::BlockTooLong);
  EXPECT_EQ(longBlock.problemBlock, 2);

  EXPECT_EQ(refused("{group \"" + std::string(260, 'v') + "\"}").problem, ListProblem::None);
  InstallList longValue = refused("{group \"" + std::string(261, 'v') + "\"}");
  EXPECT_EQ(longValue.problem, ListProblem::ValueTooLong);
  EXPECT_EQ(longValue.problemBlock, 1);

  EXPECT_EQ(refused("").problem, ListProblem::Empty);
  EXPECT_EQ(refused("group \"no braces\"").problem, ListProblem::Empty);
  EXPECT_EQ(refused(std::string(kMaxListBytes + 1, ' ')).problem, ListProblem::TooLarge);
}

}  // namespace
}  // namespace zd::install
