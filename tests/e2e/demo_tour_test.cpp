// The demo's scripted tour, played headless on the built demo titles: it must pass every one of
// its expectations, reach every page a section leads to in both titles, take its screenshots
// and end with the title's own FINISH event.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "base/cp1253.h"
#include "platform/png_codec.h"
#include "resources/string_table.h"
#include "support/test_support.h"

namespace zd {
namespace {

// A screenshot the player wrote.
platform::RgbaImage LoadPng(const std::string& file) {
  const std::string bytes = test::ReadFile(file);
  platform::RgbaImage image;
  std::string error;
  EXPECT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                      image, error))
      << error;
  return image;
}

using Json = nlohmann::json;

// The path `relative` ("a/b/c") names below `root`, each part found without regard to letter
// case, as the player finds the parts of its saves folder; parts not on disk are kept as given.
std::string FindIgnoringCase(const std::string& root, const std::string& relative) {
  const auto lower = [](std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  std::filesystem::path at = root;
  std::istringstream parts(relative);
  for (std::string part; std::getline(parts, part, '/');) {
    std::filesystem::path next = at / part;
    std::error_code ignored;
    if (std::filesystem::is_directory(at, ignored)) {
      for (const auto& entry : std::filesystem::directory_iterator(at, ignored)) {
        if (lower(entry.path().filename().string()) == lower(part)) next = entry.path();
      }
    }
    at = next;
  }
  return at.string();
}

// The names of the pages that a description's sections lead to (by name or by number).
std::set<std::string> PagesOfSections(const std::string& description) {
  const Json title = Json::parse(test::ReadFile(description));
  std::set<std::string> names;
  for (const Json& section : title.at("sections")) {
    if (!section.contains("page")) continue;  // a link
    const Json& page = section.at("page");
    names.insert(page.is_string()
                     ? page.get<std::string>()
                     : title.at("pages").at(page.get<size_t>()).at("name").get<std::string>());
  }
  return names;
}

// The page names of the trace's "page N NAME" lines that come after `from` (and before `to`).
std::set<std::string> PagesShown(const std::string& trace, size_t from, size_t to) {
  std::set<std::string> shown;
  static const std::regex kPageLine(R"(^page \d+ (.+)$)");
  std::istringstream lines(trace.substr(from, to == std::string::npos ? to : to - from));
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (std::regex_match(line, match, kPageLine)) shown.insert(match[1]);
  }
  return shown;
}

TEST(DemoTour, VisitsEveryPageOfBothTitlesAndEndsByTheTitlesOwnFinish) {
  test::TempDir dir;
  const std::string demo = test::SourceDir() + "/examples/demo";
  const std::string tour = demo + "/tour.events";
  // The tour sees no browser of the machine it runs on: its Web links stop answers the browser
  // settings dialog, which comes only while no browser is chosen and there is not exactly one.
  const auto r = test::RunPlayer({"--headless", "--trace=run,page,message", "--events", tour,
                                  test::BuildDir() + "/demo/_meadow"},
                                 dir.path(),
                                 {"XDG_DATA_DIRS=" + dir.File("no-desktop"),
                                  "XDG_CONFIG_DIRS=" + dir.File("no-desktop"), "BROWSER="});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
  // The messages on the way are the box the atlas's Why? shows (the explain text of its field
  // Founded, captioned with the field's name) and, at the end, the notepad's offer to keep the
  // note typed on the desk.
  std::string others;
  size_t expected = 0;
  {
    std::istringstream lines(r.err);
    for (std::string line; std::getline(lines, line);) {
      const bool explainBox = line.rfind("message: ", 0) == 0 &&
                              line.find("only the year is shown") != std::string::npos &&
                              line.find("captioned \"Founded\"") != std::string::npos;
      const bool notepadOffer = line.rfind("message: ", 0) == 0 &&
                                line.find(Cp1253ToUtf8(LoadString(106, Language::Greek))) != std::string::npos;
      if (explainBox || notepadOffer) {
        ++expected;
      } else {
        others += line + "\n";
      }
    }
  }
  EXPECT_EQ(expected, 2u) << "the atlas's explain box and the notepad's offer: " << r.err;
  EXPECT_EQ(others.find("message"), std::string::npos) << "no failure on the way: " << r.err;
  // The Goodbye page's FINISH ends the run before the script does.
  EXPECT_EQ(r.err.find("run ends with its events"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nend 0\n"), std::string::npos) << r.err;
  // The desk printed its story into a PDF and the notepad kept its note as UTF-8 text.
  EXPECT_EQ(test::ReadFile(dir.File("story.pdf")).rfind("%PDF", 0), 0u);
  EXPECT_NE(test::ReadFile(dir.File("notes.txt")).find("ΣΕΛΙΔΑ 1\r\n\r\nFrogs lay eggs in spring."),
            std::string::npos);

  // The meadow's pages are shown before the pond opens; the pond's after it.
  const size_t pond = r.err.find("/demo/!pond\" version");
  ASSERT_NE(pond, std::string::npos) << r.err;
  const std::set<std::string> meadowShown = PagesShown(r.err, 0, pond);
  const std::set<std::string> pondShown = PagesShown(r.err, pond, std::string::npos);
  for (const std::string& page : PagesOfSections(demo + "/title.json")) {
    EXPECT_TRUE(meadowShown.count(page)) << "the meadow's page " << page << " was not visited";
  }
  for (const std::string& page : PagesOfSections(demo + "/pond.json")) {
    EXPECT_TRUE(pondShown.count(page)) << "the pond's page " << page << " was not visited";
  }
  // Back from the pond, the meadow starts again at its contents.
  EXPECT_NE(r.err.find("/demo/_meadow\" version", pond), std::string::npos) << r.err;

  // Every screenshot the tour asks for is written where the player runs.
  std::istringstream script(test::ReadFile(tour));
  int shots = 0;
  for (std::string line; std::getline(script, line);) {
    if (line.rfind("screenshot ", 0) != 0) continue;
    const std::string shot = dir.File(line.substr(11));
    EXPECT_GT(std::filesystem::exists(shot) ? std::filesystem::file_size(shot) : 0u, 1000u) << shot;
    ++shots;
  }
  EXPECT_GE(shots, 34);

  // The Saves stop's files beside the screenshots: the place the popup menu saved on the quiz,
  // and the variable file of the name kept.
  EXPECT_EQ(test::ReadFile(dir.File("quiz.ZDS")).rfind("|Zendral Quillscript File\n", 0), 0u);
  EXPECT_NE(test::ReadFile(dir.File("learner.ZDV")).find("Anna"), std::string::npos);
}

// The reading section: the ribbon's QSL anchor on the contents leads to it, and the anchor "the
// sun" runs the script object +Sun, which shows the sun on the paper; the green note is filled.
TEST(DemoTour, TheReadingPagesAnchorsRunTheirScripts) {
  test::TempDir dir;
  const std::string before = dir.File("before.png"), after = dir.File("after.png");
  const std::string events = "wait 300\nclick 320 414\nwait 100\nexpect page Reading\n"
                             "expect var SunUp% 0\nscreenshot " + before +
                             "\nclick 440 220\nwait 100\nexpect var SunUp% 1\n"
                             "expect var Clicked$ the sun\nscreenshot " + after + "\n";
  const auto r = test::RunPlayer({"--headless", "--trace=run,page,message", "--events",
                                  dir.Write("e", events), test::BuildDir() + "/demo/_meadow"},
                                 dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("message"), std::string::npos) << r.err;
  const platform::RgbaImage first = LoadPng(before), second = LoadPng(after);
  ASSERT_EQ(first.width, 640);
  ASSERT_EQ(second.width, 640);
  const auto pixel = [](const platform::RgbaImage& image, int x, int y) {
    const size_t at = (size_t(y) * image.width + size_t(x)) * 4;
    return uint32_t(image.rgba[at]) << 16 | uint32_t(image.rgba[at + 1]) << 8 | image.rgba[at + 2];
  };
  const uint32_t paper = pixel(first, 600, 390);
  EXPECT_EQ(pixel(first, 524, 346), paper) << "no sun before the anchor is clicked";
  EXPECT_NE(pixel(second, 524, 346), paper) << "the sun after it";
  EXPECT_NE(pixel(first, 40, 308), paper) << "the note is filled";
}

// The meadow remembers where the learner was. Quitting in the middle of the quiz (the close box,
// Yes) and starting again brings the resume offer; Yes brings the learner back to the question
// with the score, and a note welcomes them. The Saves page's Save and Load buttons do the same
// for the file "Demo:1", and the page shows why it was reached; the contents welcome a learner
// who left there.
TEST(DemoTour, TheMeadowRemembersTheQuizScoreAndWelcomesTheLearnerBack) {
  test::TempDir dir;
  const auto play = [&](const std::string& name, const std::string& events) {
    const auto r = test::RunPlayer({"--headless", "--trace=page,message,dialog", "--events",
                                    dir.Write(name, events), test::BuildDir() + "/demo/_meadow"},
                                   dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
    return r;
  };
  const std::string plain = dir.File("plain.png"), resumed = dir.File("resumed.png"),
                    savesPage = dir.File("saves.png"), contents = dir.File("contents.png");
  // Run 1: the first question answered right, then the close box on the second.
  const auto first = play("run1", "wait 300\nclick 398 330\nwait 100\nclick 175 174\nwait 100\n"
                                  "expect page Quiz1\nclick 320 236\nwait 100\nclick 550 444\n"
                                  "wait 100\nexpect page Quiz2\nexpect var Score% 1\n"
                                  "expect var Welcomed% 0\nscreenshot " + plain +
                                  "\nanswer yes\nquit\n");
  const std::string scripts =
      FindIgnoringCase(std::string(std::getenv("XDG_DATA_HOME")) + "/zendral", "!meadow/Scripts");
  EXPECT_TRUE(std::filesystem::exists(FindIgnoringCase(scripts, "Status0/RESUME.ZDS")))
      << first.err;

  // Run 2: Yes to the offer; then Save and Load on the Saves page; then the close box on the
  // contents.
  const auto second = play(
      "run2", "answer 101\nwait 300\nexpect page Quiz2\nexpect var Score% 1\n"
              "expect var Welcomed% 1\nscreenshot " + resumed +
              "\nclick 80 444\nwait 100\nexpect page Scripts\nclick 80 444\nwait 100\n"
              "expect page Contents\nexpect var Welcomed% 0\nclick 152 454\nwait 100\n"
              "expect page Saves\nclick 119 322\nwait 100\nclick 80 444\nwait 100\n"
              "click 152 454\nwait 100\nexpect page Saves\nfile " + scripts +
              "/Status1/Demo.ZDS\nclick 317 322\nwait 300\nexpect page Saves\n"
              "expect var Reason$ DEMO SAVE\nexpect var Score% 1\nscreenshot " + savesPage +
              "\nclick 80 444\nwait 100\nexpect page Contents\nanswer yes\nquit\n");
  EXPECT_NE(second.err.find("dialog IDD_Resume"), std::string::npos) << second.err;

  // Run 3: back on the contents, welcomed, the score still kept.
  play("run3", "answer 101\nwait 300\nexpect page Contents\nexpect var Welcomed% 1\n"
               "expect var Score% 1\nscreenshot " + contents + "\n");

  const auto pixel = [](const std::string& file, int x, int y) {
    const platform::RgbaImage image = LoadPng(file);
    if (image.width != 640) return uint32_t(0);
    const size_t at = (size_t(y) * image.width + size_t(x)) * 4;
    return uint32_t(image.rgba[at]) << 16 | uint32_t(image.rgba[at + 1]) << 8 | image.rgba[at + 2];
  };
  // The welcome notes are filled with the teal of the Saves ribbon, as the page's palette has it.
  const uint32_t note = pixel(contents, 80, 442);
  EXPECT_NE(note, pixel(contents, 80, 400)) << "the ribbon's teal is not the Movies ribbon's blue";
  EXPECT_NE(pixel(plain, 616, 100), note) << "no note on a plain visit";
  EXPECT_EQ(pixel(resumed, 616, 100), note) << "the quiz's note";
  EXPECT_EQ(pixel(savesPage, 614, 446), note) << "the Saves page's note";
  EXPECT_EQ(pixel(contents, 176, 128), note) << "the contents' note";
}

// The player's own page: the orange ribbon on the contents leads to it. Its +Start writes today's
// date with the weekday in front; the names are the title's, so the page is the same whether the
// player speaks English or Greek, and only the date changes it. The date style the atlas left
// (here style 0, from its Date style button) is put back for the atlas.
TEST(DemoTour, ThePlayersPageWritesTodayInTheTitlesGreekInEitherLanguage) {
  test::TempDir dir;
  const auto visit = [&](const std::string& language, const std::string& clock,
                         const std::string& today, const std::string& shot) {
    const std::string events =
        "wait 300\nclick 320 454\nwait 100\nexpect page Atlas\nclick 376 320\nwait 100\n"
        "expect var DateFormat% 0\nclick 80 444\nwait 100\nexpect page Contents\n"
        "click 488 454\nwait 100\nexpect page Player\nexpect var Today$ " + today +
        "\nexpect var DateFormat% 0\nscreenshot " + shot +
        "\nclick 80 444\nwait 100\nexpect page Contents\n";
    const auto r = test::RunPlayer({"--headless", "--lang", language, "--clock", clock,
                                    "--trace=run,page,message", "--events",
                                    dir.Write("e-" + language, events),
                                    test::BuildDir() + "/demo/_meadow"},
                                   dir.path(), {"XDG_CONFIG_HOME=" + dir.File("config")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("message"), std::string::npos) << r.err;
  };
  const std::string english = dir.File("en.png"), greek = dir.File("el.png"),
                    later = dir.File("later.png");
  visit("en", "1998-01-05T10:00:00", "Δευτέρα 5 Ιανουάριος 1998", english);
  visit("el", "1998-01-05T10:00:00", "Δευτέρα 5 Ιανουάριος 1998", greek);
  visit("en", "2026-08-15T23:59:00", "Σάββατο 15 Αύγουστος 2026", later);

  const platform::RgbaImage inEnglish = LoadPng(english), inGreek = LoadPng(greek),
                            another = LoadPng(later);
  ASSERT_EQ(inEnglish.width, 640);
  EXPECT_EQ(inEnglish.rgba, inGreek.rgba) << "the title's page is the same in both languages";
  // Another day changes the date's box and nothing else.
  ASSERT_EQ(another.rgba.size(), inEnglish.rgba.size());
  bool outsideTheBox = false, insideTheBox = false;
  for (int y = 0; y < inEnglish.height; ++y) {
    for (int x = 0; x < inEnglish.width; ++x) {
      const size_t at = (size_t(y) * inEnglish.width + size_t(x)) * 4;
      if (std::equal(&another.rgba[at], &another.rgba[at] + 3, &inEnglish.rgba[at])) continue;
      (x >= 34 && x < 606 && y >= 300 && y < 328 ? insideTheBox : outsideTheBox) = true;
    }
  }
  EXPECT_TRUE(insideTheBox);
  EXPECT_FALSE(outsideTheBox);
}

// The atlas's keywords page: its +Start sets the condition "any keyword" of the field Features
// (7) with tokensearch; a keyword hotspot sets its own keyword and leads to the KEYWORD event's
// target for it. The keyword page of both is the atlas page, whose release drops the condition.
// The page's own database names the hotspots' keywords.
TEST(DemoTour, TheAtlasKeywordHotspotsSetTheirKeywordAndLeadToTheirPages) {
  test::TempDir dir;
  const std::string events =
      "wait 300\nclick 320 454\nwait 100\nexpect page Atlas\nclick 550 444\nwait 100\n"
      "expect page Keywords\nclick 392 170\nwait 300\nexpect page Hill\nexpect var Found% 4\n";
  const auto r = test::RunPlayer({"--headless", "--trace=page,data", "--events",
                                  dir.Write("e", events), test::BuildDir() + "/demo/_meadow"},
                                 dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
  const size_t keywords = r.err.find("page 28 Keywords\n");
  ASSERT_NE(keywords, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("keyword reset\n"), std::string::npos) << "the atlas page let go: " << r.err;
  EXPECT_NE(r.err.find("page 28 Keywords\ndatabase open "), std::string::npos)
      << "the keyword hotspots show the names of the page's database: " << r.err;
  EXPECT_NE(r.err.find("keyword condition 28 7 -1\nkeyword condition 28 7 2\n"
                       "database close "),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("database open ", r.err.find("page 31 Hill")), std::string::npos)
      << "the hill's page opens the atlas beside the titles: " << r.err;
}

// The page the tour's drawings section ends on: one 3 : 2 drawing in a wide, a square and a tall
// box, each framed on the page's picture. Where the fitted drawing leaves a box's margins, the
// frame's pale ground shows; across the fitted part, the drawing.
TEST(DemoTour, TheSmallDrawingKeepsItsProportionsCentredInEachBox) {
  test::TempDir dir;
  const std::string shot = dir.File("fitting.png");
  const std::string events = "wait 300\nclick 554 330\nwait 100\nclick 550 444\nwait 100\n"
                             "click 550 444\nwait 100\nexpect page Fitting\nscreenshot " +
                             shot + "\n";
  const auto r = test::RunPlayer(
      {"--headless", "--events", dir.Write("e", events), test::BuildDir() + "/demo/_meadow"},
      dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = test::ReadFile(shot);
  platform::RgbaImage image;
  std::string error;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()),
                                      bytes.size(), image, error))
      << error;
  const auto pixel = [&](int x, int y) {
    const size_t at = (size_t(y) * image.width + size_t(x)) * 4;
    return uint32_t(image.rgba[at]) << 16 | uint32_t(image.rgba[at + 1]) << 8 | image.rgba[at + 2];
  };
  const uint32_t ground = pixel(30, 171);  // inside the wide box, left of the drawing
  struct Probe {
    const char* where;
    int x, y;
    bool drawn;
  };
  // Each box is probed just outside the fitted drawing and on its hill, near the middle and
  // near its ends.
  const Probe probes[] = {
      // The wide box (380 x 110): the drawing is 165 wide, from x 131 to 296.
      {"wide, left margin", 126, 171, false},
      {"wide, right margin", 302, 171, false},
      {"wide, middle", 214, 209, true},
      {"wide, left end", 137, 209, true},
      // The square box (150 x 150): 100 high, from y 287 to 387.
      {"square, above", 99, 282, false},
      {"square, below", 99, 392, false},
      {"square, middle", 99, 372, true},
      {"square, left end", 29, 372, true},
      // The tall box (136 x 296): 91 high, from y 219 to 309.
      {"tall, above", 536, 213, false},
      {"tall, below", 536, 315, false},
      {"tall, middle", 536, 295, true},
      {"tall, right end", 599, 295, true},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(pixel(probe.x, probe.y) != ground, probe.drawn)
        << probe.where << " (" << probe.x << ", " << probe.y << ")";
  }
}

}  // namespace
}  // namespace zd
