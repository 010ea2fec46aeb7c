// The parts of the windowed backend that need no display: the file dialog's filters and typed
// names, and menu texts (the window's layout: window_layout_test.cpp).
#include <gtest/gtest.h>

#include "platform/sdl/dialog_text.h"
#include "platform/sdl/file_dialog_rules.h"

namespace zd::platform::sdl {
namespace {

TEST(SdlFileDialogRules, FiltersMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesFilter("AUTHORFI", "*.*"));  // names without a dot too, as on the original
  EXPECT_TRUE(MatchesFilter("notes", "*"));
  EXPECT_TRUE(MatchesFilter("", ""));
  EXPECT_TRUE(MatchesFilter("RESUME.ZDS", "*.zds;*.zdv"));
  EXPECT_TRUE(MatchesFilter("vars.Zdv", " *.zds ; *.zdv "));
  EXPECT_FALSE(MatchesFilter("vars.zdvx", "*.zds;*.zdv"));
  EXPECT_FALSE(MatchesFilter("zds", "*.zds"));
  EXPECT_TRUE(MatchesFilter("res12", "res??"));
  EXPECT_FALSE(MatchesFilter("res123", "res??"));
  EXPECT_TRUE(MatchesFilter("a.b.c.txt", "*.*.txt"));
  // Greek capitals fold to small letters, final sigma included; an accent is a different letter.
  EXPECT_TRUE(MatchesFilter("ΣΗΜΕΙΏΣΕΙΣ.TXT", "σημειώσεις.txt"));
  EXPECT_FALSE(MatchesFilter("ΣΗΜΕΙΩΣΕΙΣ.TXT", "σημειώσεις.txt"));
  EXPECT_EQ(SplitPatterns("*.zds;;*.zdv;"), (std::vector<std::string>{"*.zds", "*.zdv"}));
  // Backtracking over several stars still ends.
  EXPECT_FALSE(MatchesFilter(std::string(60, 'a'), "*a*a*a*a*a*b"));
}

TEST(SdlFileDialogRules, EntriesSortAsAPersonWould) {
  EXPECT_TRUE(NameLess("apple", "Banana"));
  EXPECT_TRUE(NameLess("Banana", "cherry"));
  EXPECT_FALSE(NameLess("cherry", "Banana"));
  EXPECT_TRUE(NameLess("Alpha", "alpha") != NameLess("alpha", "Alpha"));  // a strict order
}

TEST(SdlFileDialogRules, TypedNamesResolveAgainstTheFolderShown) {
  const std::filesystem::path dir = "/titles/moss";
  EXPECT_EQ(EnteredPath(dir, "authorfi", ""), "/titles/moss/authorfi");
  EXPECT_EQ(EnteredPath(dir, "  ../other/authorfi ", ""), "/titles/other/authorfi");
  EXPECT_EQ(EnteredPath(dir, "/media/cd/", ""), "/media/cd");
  EXPECT_EQ(EnteredPath(dir, "..", ""), "/titles");
  EXPECT_EQ(EnteredPath(dir, "~/save", "/home/ann"), "/home/ann/save");
  EXPECT_EQ(EnteredPath(dir, "~", "/home/ann"), "/home/ann");
  EXPECT_EQ(EnteredPath(dir, "~x", "/home/ann"), "/titles/moss/~x");
  EXPECT_EQ(EnteredPath("/", "..", ""), "/");
  EXPECT_TRUE(IsPattern("*.txt"));
  EXPECT_TRUE(IsPattern("res?"));
  EXPECT_FALSE(IsPattern("notes.txt"));
}

TEST(SdlDialogText, AcceleratorMarksAndShortcutColumns) {
  EXPECT_EQ(StripAccelerator("&Yes"), "Yes");
  EXPECT_EQ(StripAccelerator("Save && quit"), "Save & quit");
  EXPECT_EQ(StripAccelerator("&&&Go&"), "&Go");
  EXPECT_EQ(StripAccelerator("plain"), "plain");
  std::string label, shortcut;
  SplitMenuText("&Find\tF2", label, shortcut);
  EXPECT_EQ(label, "Find");
  EXPECT_EQ(shortcut, "F2");
  shortcut = "Ctrl+O";  // a shortcut given on its own wins
  SplitMenuText("Open\tF3", label, shortcut);
  EXPECT_EQ(label, "Open");
  EXPECT_EQ(shortcut, "Ctrl+O");
}

}  // namespace
}  // namespace zd::platform::sdl
