#include "shell/player_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zd {
namespace {

PlayerSettings Read(std::string_view text, std::vector<std::string>* notes = nullptr) {
  std::vector<std::string> own;
  return ReadPlayerSettings(text, notes ? *notes : own);
}

bool HasNote(const std::vector<std::string>& notes, const std::string& part) {
  return std::any_of(notes.begin(), notes.end(),
                     [&](const std::string& n) { return n.find(part) != std::string::npos; });
}

TEST(PlayerSettings, WrittenSettingsReadBackTheSame) {
  PlayerSettings settings;
  settings.windowed = false;
  settings.windowWidth = 1024;
  settings.windowHeight = 768;
  settings.scaling = platform::Scaling::Stretch;
  settings.recentTitles = {"/titles/Μέλισσα/authorfi", "/titles/moss/authorfi"};
  const std::string text = WritePlayerSettings(settings, "");
  EXPECT_EQ(text,
            "[Window]\nStart=fullscreen\nWidth=1024\nHeight=768\nScaling=stretch\n\n"
            "[Recent]\nTitle1=/titles/Μέλισσα/authorfi\nTitle2=/titles/moss/authorfi\n");
  std::vector<std::string> notes;
  EXPECT_EQ(Read(text, &notes), settings);
  EXPECT_TRUE(notes.empty());

  // A hand-written file: any case, blanks, CRLF, comments, titles out of order.
  const PlayerSettings edited = Read(
      "; mine\r\n[window]\r\n  start = WINDOW \r\n# size\r\nwidth=800\r\n"
      "[RECENT]\r\ntitle2 = /b\r\nTitle1=/a\r\nTitle3=/a\r\nTitle4=\r\n",
      &notes);
  EXPECT_EQ(edited.windowed, std::optional<bool>(true));
  EXPECT_EQ(edited.windowWidth, 800);
  EXPECT_EQ(edited.windowHeight, 0);
  EXPECT_EQ(edited.scaling, platform::Scaling::Sharp);
  EXPECT_EQ(edited.recentTitles, (std::vector<std::string>{"/a", "/b"}));
  EXPECT_TRUE(notes.empty());
}

TEST(PlayerSettings, DamagedFileGivesDefaultsAndNotes) {
  std::vector<std::string> notes;
  std::string text = "Width=900\n[Window]\nWidth=159\nHeight=16385\nStart=maybe\n"
                     "Scaling=blurry\nWidth=12x\n";
  text += "Height=" + std::string(5000, '9') + "\n";
  text += std::string("\x00\x01\xff\xfe garbage\n", 13);
  text += "just words\n[Unclosed\n=value\n";
  const PlayerSettings read = Read(text, &notes);
  EXPECT_EQ(read, PlayerSettings{});
  EXPECT_TRUE(HasNote(notes, "line 1: a key before any section"));
  EXPECT_TRUE(HasNote(notes, "line 3: Width must be a whole number from 160 to 16384"));
  EXPECT_TRUE(HasNote(notes, "line 4: Height must be"));
  EXPECT_TRUE(HasNote(notes, "line 5: Start must be window or fullscreen"));
  EXPECT_TRUE(HasNote(notes, "line 6: Scaling must be sharp, smooth or stretch"));
  EXPECT_TRUE(HasNote(notes, "line 7: Width must be"));
  EXPECT_TRUE(HasNote(notes, "line 8: longer than 4096 bytes"));
  EXPECT_TRUE(HasNote(notes, "line 9: not text"));
  EXPECT_TRUE(HasNote(notes, "line 10: neither a section"));
  EXPECT_TRUE(HasNote(notes, "line 11: a section name without its closing"));
  EXPECT_TRUE(HasNote(notes, "line 12: a value without a key name"));

  // Past the bounds the rest of the file is not read.
  std::vector<std::string> boundNotes;
  std::string many;
  for (int i = 0; i < 70; ++i) many += "[S" + std::to_string(i) + "]\n";
  many += "[Window]\nWidth=800\n";
  EXPECT_EQ(Read(many, &boundNotes).windowWidth, 0);
  EXPECT_TRUE(HasNote(boundNotes, "line 65: more than 64 sections"));

  std::string keys = "[Other]\n";
  for (int i = 0; i < 600; ++i) keys += "K" + std::to_string(i) + "=1\n";
  keys += "[Window]\nWidth=800\n";
  boundNotes.clear();
  EXPECT_EQ(Read(keys, &boundNotes).windowWidth, 0);
  EXPECT_TRUE(HasNote(boundNotes, "line 514: more than 512 keys"));

  std::string large = "[Window]\nWidth=800\n[Other]\n";
  while (large.size() < 70000) large += "; " + std::string(100, 'x') + "\n";
  large += "[Window]\nWidth=1600\n";
  boundNotes.clear();
  EXPECT_EQ(Read(large, &boundNotes).windowWidth, 800);
  EXPECT_TRUE(HasNote(boundNotes, "larger than 65536 bytes"));
}

TEST(PlayerSettings, RewriteKeepsWhatThePlayerDoesNotKnow) {
  const std::string previous =
      "; written by hand\n"
      "[Internet]\n"
      "Browser Path = /usr/bin/firefox  \n"
      "[Window]\n"
      "Width=800\n"
      "Colour=blue\n"
      "Start=window\n"
      "[Recent]\n"
      "Title1=/old\n"
      "Title7=/kept\n";
  PlayerSettings settings = Read(previous);
  settings.windowWidth = 1280;
  settings.windowed.reset();
  AddRecentTitle(settings, "/new");
  const std::string text = WritePlayerSettings(settings, previous);
  EXPECT_EQ(text,
            "; written by hand\n"
            "[Internet]\n"
            "Browser Path = /usr/bin/firefox  \n"
            "[Window]\n"
            "Width=1280\n"
            "Scaling=sharp\n"
            "Colour=blue\n"
            "[Recent]\n"
            "Title1=/new\n"
            "Title2=/old\n"
            "Title7=/kept\n");
  EXPECT_EQ(Read(text), settings);

  // A hand edit the reader cannot read is kept in its place, keys under a broken header stay
  // with it, and an editor's byte-order mark does not hide the first section.
  const std::string edited =
      "\xEF\xBB\xBF[Window]\nScaling=smooth\njust words\n[Internet\nBrowser Path=/x\n";
  const PlayerSettings fromEdited = Read(edited);
  EXPECT_EQ(fromEdited.scaling, platform::Scaling::Smooth);
  PlayerSettings changed = fromEdited;
  changed.windowWidth = 800;
  const std::string rewritten = WritePlayerSettings(changed, edited);
  EXPECT_NE(rewritten.find("Scaling=smooth\njust words\n"), std::string::npos) << rewritten;
  EXPECT_NE(rewritten.find("[Internet\nBrowser Path=/x\n"), std::string::npos) << rewritten;
  EXPECT_EQ(Read(rewritten), changed);

  // A file full of other keys still takes the player's.
  std::string crowded = "[Other]\n";
  for (int i = 0; i < 512; ++i) crowded += "K" + std::to_string(i) + "=1\n";
  PlayerSettings wide;
  wide.windowWidth = 640;
  EXPECT_EQ(Read(WritePlayerSettings(wide, crowded)), wide);
}

TEST(PlayerSettings, RecentTitlesLatestFirstAtMostSix) {
  PlayerSettings settings;
  for (const char* path : {"/1", "/2", "/3", "/4", "/5", "/6", "/7"}) AddRecentTitle(settings, path);
  EXPECT_EQ(settings.recentTitles, (std::vector<std::string>{"/7", "/6", "/5", "/4", "/3", "/2"}));
  AddRecentTitle(settings, "/4");
  AddRecentTitle(settings, "");
  EXPECT_EQ(settings.recentTitles, (std::vector<std::string>{"/4", "/7", "/6", "/5", "/3", "/2"}));

  // Paths a line cannot hold as they are never reach the file.
  settings.recentTitles = {"/a", "/b\nTitle1=/evil", " /padded", "/a", "/c"};
  EXPECT_EQ(Read(WritePlayerSettings(settings, "")).recentTitles,
            (std::vector<std::string>{"/a", "/c"}));
}

}  // namespace
}  // namespace zd
