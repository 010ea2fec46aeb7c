// The popup menu's Save object as a learner meets it: the entry greyed where nothing savable
// lies, the object on top saved in the format chosen, names made from the type shown, a file
// that exists replaced only after Yes, and failures told in their messages.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/played_title.h"
#include "support/test_support.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

void Put(std::string& s, uint32_t w) {
  for (int i = 0; i < 4; ++i) s += char((w >> (8 * i)) & 0xFF);
}

// A sprite file of one 8-bit 16 x 8 sprite in mode 28 whose pixel (x, y) is x + 16 y.
std::string SpriteFile() {
  std::string sprite;
  Put(sprite, 44 + 16 * 8);
  sprite += std::string("stripes\0\0\0\0\0", 12);
  Put(sprite, 3);   // 4 words a row
  Put(sprite, 7);   // 8 rows
  Put(sprite, 0);
  Put(sprite, 31);
  Put(sprite, 44);
  Put(sprite, 44);
  Put(sprite, 28);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) sprite += char(x + 16 * y);
  }
  std::string file;
  Put(file, 1);
  Put(file, 16);
  Put(file, uint32_t(sprite.size()) + 16);
  return file + sprite;
}

// A Draw file of one red triangle.
std::string DrawFile() {
  std::string d = "Draw";
  Put(d, 201);
  Put(d, 0);
  d += "Zendral test";
  for (const uint32_t w : {0u, 0u, 40000u, 40000u}) Put(d, w);
  std::string path;
  for (const uint32_t w : {2u, 0u, 0u, 0u, 40000u, 40000u, 0x0000FF00u, 0xFFFFFFFFu, 0u, 0u,
                           2u, 0u, 0u, 8u, 40000u, 0u, 8u, 20000u, 40000u, 5u, 0u}) {
    Put(path, w);
  }
  path.replace(4, 4, std::string{char(path.size()), 0, 0, 0});
  return d + path;
}

class SaveObject : public testing::Test {
 protected:
  void SetUp() override {
    sprite_ = dir_.Write("stripes.spr", SpriteFile());
    const std::string real =
        test::SourceDir() + "/../shared/testdata/riscos/draw/rool-draw-test-path.aff";
    drawing_ = fs::exists(real) ? real : dir_.Write("triangle.drw", DrawFile());
    out_ = dir_.File("out");
    fs::create_directories(out_);
  }

  // Home: the sprite (10,10)-(74,74) under a text (50,50)-(150,100), a triggered sprite not yet
  // shown, a script, and the drawing (300,300)-(500,450).
  std::string Title() const {
    return R"({"pages": [{"name": "Home", "objects": [
        {"name": "Pic", "type": "sprite", "pixels": [10, 10, 74, 74], "resource": [1, 1]},
        {"name": "Note", "type": "text", "pixels": [50, 50, 150, 100],
         "text": "<B>Γεια</B> σου<BR>κόσμε"},
        {"name": "Later", "type": "sprite", "pixels": [200, 200, 300, 300], "resource": [1, 1],
         "flags": ["visible", "triggered"], "trigger": "Show"},
        {"name": "+Run", "type": "text", "pixels": [400, 10, 500, 60], "text": "set A%, 1"},
        {"name": "Art", "type": "drawing", "pixels": )" + artBox_ + R"(, "resource": [1, 2]}]}],
      "resources": [{"dir": 1, "number": 1, "file": ")" + sprite_ + R"("},
                    {"dir": 1, "number": 2, "file": ")" + drawing_ + R"("}],
      "sections": [{"name": "Root", "page": "Home"}]})";
  }

  std::string Play(const std::vector<std::string>& lines) {
    test::RuntimeOptions options;
    options.events = "wait 100\n";
    for (const std::string& line : lines) options.events += line + "\n";
    options.events += "wait 50\n";
    test::PlayedTitle title(Title(), options);
    EXPECT_EQ(title.Run(), 0) << title.TraceText();
    return title.TraceText();
  }

  std::string Out(const std::string& name) const { return out_ + "/" + name; }

  test::TempDir dir_;
  std::string sprite_, drawing_, out_;
  std::string artBox_ = "[300, 300, 500, 450]";
};

TEST_F(SaveObject, TheEntryIsGreyWhereNothingSavableLies) {
  const std::string trace = Play({"rclick 600 20", "menu -", "rclick 250 250", "menu -",
                                  "rclick 450 30", "menu -", "rclick 20 20", "menu -"});
  const std::regex grey("112 \"[^\"]*\" \\(grey\\)");
  std::vector<bool> greyed;
  for (size_t at = trace.find("dialog popup-menu"); at != std::string::npos;
       at = trace.find("dialog popup-menu", at + 1)) {
    const std::string line = trace.substr(at, trace.find('\n', at) - at);
    greyed.push_back(std::regex_search(line, grey));
  }
  EXPECT_EQ(greyed, (std::vector<bool>{true, true, true, false})) << trace;
}

TEST_F(SaveObject, TheObjectOnTopIsSavedInTheTypeChosen) {
  const std::string trace = Play({
      "rclick 20 20", "menu 112", "file " + Out("pic"),
      "rclick 10 10", "menu 112", "filetype 2", "file " + Out("pic.png"),
      "rclick 60 60", "menu 112", "file " + Out("note"),
      "rclick 400 400", "menu 112", "filetype 2", "file " + Out("art"),
      "rclick 400 400", "menu 112", "file " + Out("art"),
      "rclick 400 400", "menu 112", "filetype 4", "file " + Out("art"),
      "rclick 400 400", "menu 112", "filetype 3", "file " + Out("art.bmp"),
  });
  EXPECT_TRUE(Has(trace, "dialog save-file \"Αποθήκευση αντικειμένου\" [Windows bitmap (*.BMP)] "
                         "[Εικόνα PNG (*.PNG)] name *.BMP")) << trace;
  EXPECT_TRUE(Has(trace, "[Windows metafile (*.WMF)] [Acorn Draw file (*.DRW)] "
                         "[Εικόνα PNG (*.PNG)] [Σχέδιο SVG (*.SVG)] name *.WMF")) << trace;
  EXPECT_TRUE(Has(trace, "file written " + Out("pic.BMP"))) << trace;

  const std::string bmp = test::ReadFile(Out("pic.BMP"));
  ASSERT_EQ(bmp.size(), 14u + 40 + 1024 + 16 * 8);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(uint8_t(bmp[14 + 40 + 1024]), 7 * 16) << "the bottom row first";
  EXPECT_EQ(test::ReadFile(Out("pic.png")).substr(1, 3), "PNG");
  EXPECT_EQ(test::ReadFile(Out("note.TXT")), "Γεια σου\r\nκόσμε");
  EXPECT_EQ(test::ReadFile(Out("art.DRW")), test::ReadFile(drawing_)) << "byte for byte";
  EXPECT_EQ(test::ReadFile(Out("art.WMF")).substr(40, 4), " EMF");
  EXPECT_TRUE(Has(test::ReadFile(Out("art.SVG")), "<svg")) << trace;
  // The PNG type with a name of another extension: the name stays, the picture is a PNG.
  EXPECT_EQ(test::ReadFile(Out("art.bmp")).substr(1, 3), "PNG");
}

TEST_F(SaveObject, ReplacingAskingCancellingAndFailing) {
  test::TempDir other;
  const std::string old = other.Write("x", "old");
  fs::copy_file(old, Out("taken.BMP"));
  const std::string trace = Play({
      "rclick 20 20", "menu 112", "file " + Out("taken"), "answer no", "file " + Out("fresh"),
      "rclick 20 20", "menu 112", "file -",
      "rclick 20 20", "menu 112", "file " + Out("missing/folder/x.bmp"), "answer ok",
      "rclick 20 20", "menu 112", "file " + Out("taken"), "answer yes",
      "rclick 20 20", "menu 112", "file " + Out("a?b"), "answer ok", "file -",
      "rclick 20 20", "menu 112", "file " + out_ + "/", "file -",
  });
  EXPECT_TRUE(Has(trace, "χαρακτήρες που δεν μπορούν να γραφτούν")) << trace;
  EXPECT_TRUE(Has(trace, "taken.BMP\" υπάρχει ήδη")) << trace;
  EXPECT_TRUE(fs::exists(Out("fresh.BMP")));
  EXPECT_TRUE(Has(trace, "saverr1")) << trace;
  EXPECT_FALSE(fs::exists(Out("missing")));
  EXPECT_EQ(test::ReadFile(Out("taken.BMP")).substr(0, 2), "BM") << "replaced after Yes";
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(out_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 2u) << "the cancelled dialog and the folder name wrote nothing";
  // A folder given as the name asks again rather than writing a file named ".BMP".
  size_t dialogs = 0;
  for (size_t at = trace.find("dialog save-file"); at != std::string::npos;
       at = trace.find("dialog save-file", at + 1)) {
    ++dialogs;
  }
  EXPECT_EQ(dialogs, 9u) << trace;
  EXPECT_FALSE(fs::exists(Out(".BMP")));
}

TEST_F(SaveObject, AHugeBoxIsRefusedAsNothingToSave) {
  artBox_ = "[0, 0, 40000, 40000]";
  const std::string trace = Play({
      "rclick 400 400", "menu 112", "filetype 3", "file " + Out("huge"), "answer ok",
      "rclick 400 400", "menu 112", "filetype 1", "file " + Out("huge"), "answer ok",
      "rclick 400 400", "menu 112", "filetype 2", "file " + Out("huge"),
  });
  size_t refusals = 0;
  for (size_t at = trace.find("message saverr4"); at != std::string::npos;
       at = trace.find("message saverr4", at + 1)) {
    ++refusals;
  }
  EXPECT_EQ(refusals, 2u) << "the picture and the metafile: " << trace;
  EXPECT_FALSE(fs::exists(Out("huge.PNG")));
  EXPECT_FALSE(fs::exists(Out("huge.WMF")));
  EXPECT_EQ(test::ReadFile(Out("huge.DRW")), test::ReadFile(drawing_)) << "its own file still";
}

}  // namespace
}  // namespace zd
