// The parts of the windowed backend that need no display: the integer scale and the mapping
// between window and logical pixels, the file dialog's filters and typed names, and menu texts.
#include <gtest/gtest.h>

#include "platform/sdl/dialog_text.h"
#include "platform/sdl/file_dialog_rules.h"
#include "platform/sdl/window_layout.h"

namespace zd::platform::sdl {
namespace {

TEST(SdlWindowLayout, ScaleIsTheLargestWholeNumberThatFits) {
  // Windows keep a tenth of the desktop free.
  EXPECT_EQ(WindowScale(1920, 1080), 2);  // 640x480 becomes 1280x960
  EXPECT_EQ(WindowScale(1280, 1024), 1);
  EXPECT_EQ(WindowScale(2560, 1440), 2);
  EXPECT_EQ(WindowScale(3840, 2160), 4);
  EXPECT_EQ(WindowScale(1422, 1067), 1);  // just short of 2: 1422 * 0.9 < 1280
  EXPECT_EQ(WindowScale(1423, 1067), 2);
  EXPECT_EQ(WindowScale(640, 480), 1);    // never below 1, even when nothing fits
  EXPECT_EQ(WindowScale(320, 200), 1);
  // Full screen uses the whole screen.
  EXPECT_EQ(FullScreenScale(1920, 1080), 2);
  EXPECT_EQ(FullScreenScale(2560, 1440), 3);
  EXPECT_EQ(FullScreenScale(1280, 960), 2);
  EXPECT_EQ(FullScreenScale(1279, 960), 1);
  EXPECT_EQ(FullScreenScale(600, 400), 1);
  // A simulated screen shown as a window must fit on the desktop.
  EXPECT_EQ(SimulatedScreenScale(1920, 1080, 640, 480), 2);
  EXPECT_EQ(SimulatedScreenScale(1920, 1080, 1024, 768), 1);
  EXPECT_EQ(SimulatedScreenScale(3840, 2160, 800, 600), 3);
}

TEST(SdlWindowLayout, ClientSitsBelowTheMenuBarAndCentredInFullScreen) {
  // A captioned window with a menu bar: exactly its size, client under the bar.
  ClientPlacement p = PlaceClient(960, 760, 480, 360, 2, 40);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 40);
  EXPECT_EQ(p.width, 960);
  EXPECT_EQ(p.height, 720);
  // Full screen 1930x1090 at scale 2 is 965x545 logical; a client of 962x541 (the screen
  // size a title saw before) leaves a black border around it.
  p = PlaceClient(1930, 1090, 962, 541, 2, 0);
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 4);
  // A window smaller than asked for keeps the client's corner in view.
  p = PlaceClient(500, 300, 640, 480, 1, 20);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 20);
}

TEST(SdlWindowLayout, WindowPixelsMapToLogicalPixelsAndBack) {
  const ClientPlacement p = PlaceClient(1284, 1004, 640, 480, 2, 40);  // 2 px border each side
  ASSERT_EQ(p.x, 2);
  ASSERT_EQ(p.y, 42);
  int x = 0, y = 0;
  WindowToClient(p, 2, 42, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  WindowToClient(p, 3, 43, x, y);  // both screen pixels of a logical pixel give that pixel
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  WindowToClient(p, 1281, 1001, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  // Just outside the client area is outside, not pixel 0: the menu bar and border are negative.
  WindowToClient(p, 1, 41, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  WindowToClient(p, 0, 0, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -21);
  ClientToWindow(p, 100, 50, x, y);
  EXPECT_EQ(x, 202);
  EXPECT_EQ(y, 142);
  int cx = 0, cy = 0;
  WindowToClient(p, x, y, cx, cy);
  EXPECT_EQ(cx, 100);
  EXPECT_EQ(cy, 50);
}

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
