// The demo's scripted tour, played headless on the built demo titles: it must pass every one of
// its expectations, reach every page a section leads to in both titles, take its screenshots
// and end with the title's own FINISH event.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "support/test_support.h"

namespace zd {
namespace {

using Json = nlohmann::json;

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
  const auto r = test::RunPlayer({"--headless", "--trace=run,page,message", "--events", tour,
                                  test::BuildDir() + "/demo/_meadow"},
                                 dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("expect failed"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("message"), std::string::npos) << "no failure on the way: " << r.err;
  // The Goodbye page's FINISH ends the run before the script does.
  EXPECT_EQ(r.err.find("run ends with its events"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nend 0\n"), std::string::npos) << r.err;

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
  EXPECT_GE(shots, 25);
}

}  // namespace
}  // namespace zd
