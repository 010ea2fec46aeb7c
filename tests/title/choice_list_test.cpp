// The choice list: a list box of database records over the page. Titles with a database
// are played headless and driven by keys and clicks as the window receives them; what the
// learner sees is read from the trace, the page shown and the window's picture.
#include <gtest/gtest.h>

#include <climits>

#include "database/database_title.h"
#include "platform/events.h"
#include "platform/png_codec.h"
#include "title/choice_list.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Has;
namespace vk = platform::vk;

// "Words" is a keyword page of the places database's Features: its hotspots set the keyword
// condition (lake, any keyword, wood) and lead to a "Pick" section. "Pick" shows the database
// and its choice list of names at (100,100)-(300,150); any key there goes on to "Away". "Shown"
// is Pick's companion page. "Hidden" has a choice list that stays empty and hidden until it is shown, "NoData" a
// list without a database.
std::string ChoiceTitle() {
  const std::string list =
      R"({"name": "List", "type": "choiceList", "pixels": [100, 100, 300, 150], "flags": ["visible"]})";
  const std::string pick = R"({"name": "Pick", "objects": [
        {"name": "Places", "type": "database", "resource": [4, 1]}, )" + list + R"(],
       "events": [{"kind": "keypress", "keys": ["anyKey"]}]})";
  return R"({"titles": [{"directory": "t",
    "pages": [
      {"name": "Words", "keywordPage": 7, "keywordField": 6, "objects": [
        {"name": "KLake", "type": "keywordHotspot", "keyword": 1, "pixels": [0, 0, 100, 100]},
        {"name": "KAny", "type": "keywordHotspot", "keyword": -1, "pixels": [100, 0, 200, 100]},
        {"name": "KWood", "type": "keywordHotspot", "keyword": 3, "pixels": [200, 0, 300, 100]}],
       "events": [{"kind": "keyword"}]},
      )" + pick + R"(,
      {"name": "Shown"},
      {"name": "Away"},
      {"name": "Hidden", "objects": [
        {"name": "Places", "type": "database", "resource": [4, 1]},
        {"name": "List", "type": "choiceList", "pixels": [0, 0, 200, 60], "flags": ["visible", "listEmpty", "timed"],
         "showDelay": 100000}]},
      {"name": "NoData", "objects": [)" + list + R"(]}],
    "sections": [{"name": "Words", "page": 0},
                 {"name": "Lake", "page": 1, "parent": 0}, {"name": "Any", "page": 1, "parent": 0},
                 {"name": "Wood", "page": 1, "parent": 0},
                 {"name": "Away", "page": 3, "parent": 1},
                 {"name": "Hidden", "page": 4, "parent": 0}, {"name": "NoData", "page": 5, "parent": 0}],
    "resources": [{"dir": 4, "number": 1, "database": )" +
         test::PlacesDatabase() + R"(}]}], "databases": []})";
}

constexpr int kSectionLake = 1, kSectionHidden = 5, kSectionNoData = 6;

class ChoiceListTitle : public DatabaseTitle {
 public:
  explicit ChoiceListTitle(const std::string& title = ChoiceTitle()) : DatabaseTitle(title) {}

  void Paint() {
    // The list opens after the paint that first draws its object; the next one shows it.
    runtime().shell.PaintNow();
    runtime().shell.PaintNow();
  }
  void Enter(int section) {
    runtime().pages.GotoSection(uint32_t(section));
    Paint();
  }
  void Key(int key) {
    WindowMessage m{Msg::KeyDown};
    m.wParam = key;
    m.lParam = 1;
    runtime().shell.window().Dispatch(m);
    Paint();
  }
  void Click(int pageX, int pageY) {
    const MainWindow& window = runtime().shell.window();
    for (Msg id : {Msg::LButtonDown, Msg::LButtonUp}) {
      WindowMessage m{id};
      m.x = pageX + window.originX();
      m.y = pageY + window.originY();
      runtime().shell.window().Dispatch(m);
    }
    Paint();
  }
  std::string Page() { return runtime().pages.CurrentPageName().value_or("?"); }
  const ChoiceList* List() { return runtime().shell.window().choiceList().list(); }
  int32_t CurrentRecord() { return runtime().database.currentRecord; }
};

TEST(ChoiceList, FillsWithTheRecordsTheKeywordConditionLetsThrough) {
  ChoiceListTitle title;
  ASSERT_EQ(title.Page(), "Words");
  EXPECT_EQ(title.List(), nullptr);

  // No condition: every record, by the name field, the first line highlighted.
  title.ClearTrace();
  title.Enter(kSectionLake);
  ASSERT_EQ(title.Page(), "Pick");
  ASSERT_NE(title.List(), nullptr);
  EXPECT_TRUE(Has(title.TraceText(), "tool list open\nlist fill 3\nlist select 0 0\n")) << title.TraceText();
  ASSERT_EQ(title.List()->count(), 3);
  EXPECT_EQ(title.List()->line(0).text, "\xcb\xdf\xec\xed\xe7");  // Λίμνη in code page 1253
  EXPECT_EQ(title.List()->line(2).text, "Wood End");
  EXPECT_EQ(title.List()->line(2).record, 2);

  // The lake hotspot of the keyword page: the one record with a lake.
  title.runtime().pages.GotoSection(0);
  title.Paint();
  EXPECT_EQ(title.List(), nullptr) << "the list closes with its page";
  title.Click(50, 50);
  ASSERT_EQ(title.Page(), "Pick");
  ASSERT_NE(title.List(), nullptr);
  ASSERT_EQ(title.List()->count(), 1);
  EXPECT_EQ(title.List()->line(0).record, 0);

  // Any keyword: the two records that have some.
  title.runtime().pages.GotoSection(0);
  title.Paint();
  title.Click(150, 50);
  ASSERT_NE(title.List(), nullptr);
  ASSERT_EQ(title.List()->count(), 2);
  EXPECT_EQ(title.List()->line(1).text, "Hilltop");
  EXPECT_EQ(title.List()->line(1).record, 1);
}

TEST(ChoiceList, ArrowsMoveTheHighlightAndReturnShowsTheRecordOnTheCompanionPage) {
  ChoiceListTitle title;
  title.Enter(kSectionLake);
  ASSERT_NE(title.List(), nullptr);
  title.ClearTrace();

  // Up on the first line and Down on the last keep the line and say nothing.
  title.Key(vk::UP);
  title.Key(vk::LEFT);
  EXPECT_EQ(title.List()->selected(), 0);
  title.Key(vk::DOWN);
  title.Key(vk::RIGHT);
  title.Key(vk::DOWN);
  EXPECT_EQ(title.List()->selected(), 2);
  title.Key(vk::HOME);
  title.Key(vk::END);
  EXPECT_EQ(title.TraceText(), "list select 1 1\nlist select 2 2\nlist select 0 0\nlist select 2 2\n");
  EXPECT_EQ(title.Page(), "Pick") << "moving the highlight leaves the page as it is";
  EXPECT_EQ(title.CurrentRecord(), -1);

  // Return picks the highlighted record and shows the companion page; the list goes.
  title.Key(vk::UP);
  title.ClearTrace();
  title.Key(vk::RETURN);
  EXPECT_EQ(title.Page(), "Shown");
  EXPECT_EQ(title.CurrentRecord(), 1);
  EXPECT_TRUE(Has(title.TraceText(), "list select 1 1\n")) << title.TraceText();
  EXPECT_TRUE(Has(title.TraceText(), "tool list close\n")) << title.TraceText();
  EXPECT_EQ(title.List(), nullptr);
}

TEST(ChoiceList, NothingFoundIsPickedWithoutLeavingThePage) {
  ChoiceListTitle title;
  title.Click(250, 50);  // the wood keyword: no place has it
  ASSERT_EQ(title.Page(), "Pick");
  ASSERT_NE(title.List(), nullptr);
  ASSERT_EQ(title.List()->count(), 1);
  EXPECT_EQ(title.List()->line(0).text, "NO ITEMS FOUND");
  title.ClearTrace();
  title.Key(vk::RETURN);
  title.Click(150, 105);
  EXPECT_EQ(title.Page(), "Pick");
  EXPECT_EQ(title.CurrentRecord(), -1);
  EXPECT_EQ(title.TraceText(), "list select 0 -1\nlist select 0 -1\n");
  EXPECT_NE(title.List(), nullptr);
}

TEST(ChoiceList, ClicksPickLinesAndGiveTheFocus) {
  ChoiceListTitle title;
  title.Enter(kSectionLake);
  ASSERT_NE(title.List(), nullptr);
  // A press on the page gives the page the keys: the page's key event goes on to "Away".
  title.Click(400, 400);
  title.ClearTrace();
  title.Key(vk::DOWN);
  EXPECT_EQ(title.Page(), "Away");
  EXPECT_TRUE(Has(title.TraceText(), "tool list close")) << title.TraceText();

  // A press in the list gives it the keys back; a press on a line picks that line's record.
  title.Enter(kSectionLake);
  title.Click(400, 400);
  title.Click(150, 140);  // below the last line: nothing picked, but the list has the focus
  EXPECT_EQ(title.Page(), "Pick");
  title.Key(vk::DOWN);
  EXPECT_EQ(title.Page(), "Pick") << "the key went to the list";
  EXPECT_EQ(title.List()->selected(), 1);
  title.ClearTrace();
  title.Click(150, 101 + 2 * kChoiceLineHeight + 3);  // the third line
  EXPECT_EQ(title.Page(), "Shown");
  EXPECT_EQ(title.CurrentRecord(), 2);
  EXPECT_TRUE(Has(title.TraceText(), "list select 2 2\n")) << title.TraceText();
}

TEST(ChoiceList, AListMeantToStayEmptyOpensEmptyWhenShown) {
  ChoiceListTitle title;
  title.ClearTrace();
  title.Enter(kSectionHidden);
  ASSERT_EQ(title.Page(), "Hidden");
  EXPECT_EQ(title.List(), nullptr) << "hidden, so not drawn";
  // A script shows it at once (as a triggered object of its own).
  ASSERT_EQ(title.Run("makeevent \"List\", 1, \"T\", -1\n"), test::Keys{});
  title.Paint();
  ASSERT_NE(title.List(), nullptr);
  EXPECT_EQ(title.List()->count(), 0);
  EXPECT_TRUE(Has(title.TraceText(), "tool list open\n")) << title.TraceText();
  EXPECT_FALSE(Has(title.TraceText(), "list fill")) << title.TraceText();
  title.Key(vk::RETURN);
  EXPECT_EQ(title.Page(), "Hidden");
}

TEST(ChoiceList, TheFiltersNarrowTheListAndAFilterThatCannotBeResolvedListsNothing) {
  ChoiceListTitle title;
  title.Enter(kSectionLake);
  ChoiceListWindow& window = title.runtime().shell.window().choiceList();
  ASSERT_NE(title.List(), nullptr);
  const Rect box = title.List()->box();
  ASSERT_EQ(title.Run("addfilter 1, \"high\", \"AND\", \">\", 0, 100\n"), test::Keys{});
  window.Open(box, true);
  ASSERT_EQ(title.List()->count(), 1);
  EXPECT_EQ(title.List()->line(0).text, "Hilltop");

  // A filter of whole numbers given a fraction cannot be resolved: the places are not listed
  // unfiltered.
  title.ClearTrace();
  ASSERT_EQ(title.Run("addfilter 2, \"some\", \"AND\", \">\", 0, 1.5\n"), test::Keys{});
  window.Open(box, true);
  EXPECT_TRUE(Has(title.TraceText(), "message asherr8")) << title.TraceText();
  EXPECT_TRUE(Has(title.TraceText(), "message generr2")) << title.TraceText();
  ASSERT_EQ(title.List()->count(), 1);
  EXPECT_EQ(title.List()->line(0).text, "NO ITEMS FOUND");
  EXPECT_EQ(title.List()->line(0).record, -1);
}

TEST(ChoiceList, WithoutADatabaseTheListOpensEmpty) {
  ChoiceListTitle title;
  title.Enter(kSectionNoData);
  ASSERT_NE(title.List(), nullptr);
  EXPECT_FALSE(Has(title.TraceText(), "message ")) << title.TraceText();
  EXPECT_FALSE(Has(title.TraceText(), "list fill")) << title.TraceText();
  EXPECT_EQ(title.List()->count(), 0);
  title.Key(vk::RETURN);
  EXPECT_EQ(title.Page(), "NoData");
}

TEST(ChoiceList, TheWindowPictureShowsTheLines) {
  ChoiceListTitle title;
  title.Enter(kSectionLake);
  const auto picture = title.runtime().platform.WindowPicture();
  ASSERT_TRUE(picture);
  const MainWindow& window = title.runtime().shell.window();
  const auto at = [&](int x, int y) {
    const size_t i = (size_t(y + window.originY()) * picture->width + size_t(x + window.originX())) * 3;
    return platform::Rgb{picture->rgb[i], picture->rgb[i + 1], picture->rgb[i + 2]};
  };
  const auto count = [&](int top, platform::Rgb colour) {
    int n = 0;
    for (int y = top; y < top + kChoiceLineHeight; ++y) {
      for (int x = 101; x < 299; ++x) n += at(x, y) == colour;
    }
    return n;
  };
  EXPECT_EQ(at(100, 100), (platform::Rgb{0, 0, 0})) << "the frame";
  EXPECT_EQ(at(297, 102), (platform::Rgb{0, 0, 128})) << "the first line is highlighted";
  EXPECT_EQ(at(298, 101), (platform::Rgb{255, 255, 255})) << "with a dotted focus frame";
  EXPECT_EQ(at(298, 102), (platform::Rgb{0, 0, 128}));
  EXPECT_GT(count(101, platform::Rgb{255, 255, 255}), 20) << "its text is white";
  EXPECT_GT(count(101 + kChoiceLineHeight, platform::Rgb{0, 0, 0}), 20) << "the second line's text";
  EXPECT_EQ(at(298, 101 + 3 * kChoiceLineHeight + 2), (platform::Rgb{255, 255, 255}))
      << "below the lines";

  // After Down the highlight is on the second line.
  title.Key(vk::DOWN);
  const auto after = title.runtime().platform.WindowPicture();
  ASSERT_TRUE(after);
  const size_t i = (size_t(102 + kChoiceLineHeight + window.originY()) * after->width +
                    size_t(297 + window.originX())) * 3;
  EXPECT_EQ(after->rgb[i + 2], 128);
}

// The whole player with an event script: a keyword hotspot leads to the list, whose one line
// the keys pick; the screenshot taken on the way shows the list.
TEST(ChoiceList, PlaysFromAnEventScript) {
  test::BuiltTitleDirectory built(ChoiceTitle());
  test::TempDir dir;
  const std::string events = dir.Write("events",
                                       "wait 100\nclick 50 50\nwait 100\nexpect page Pick\n"
                                       "screenshot list.png\nkey Down\nkey Return\nwait 100\n"
                                       "expect page Shown\n");
  const auto r = test::RunPlayer({"--headless", "--events", events, "--trace", built.titlePath()},
                                 dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "page 1 Pick\n")) << r.err;
  EXPECT_TRUE(Has(r.err, "tool list open\nlist fill 1\nlist select 0 0\nfile written list.png\n")) << r.err;
  EXPECT_TRUE(Has(r.err, "list select 0 0\ntool list close\npage 2 Shown\n")) << r.err;

  const std::string png = test::ReadFile(dir.File("list.png"));
  platform::RgbaImage shot;
  std::string error;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), shot, error))
      << error;
  ASSERT_EQ(shot.width, 640);
  const uint8_t* highlighted = &shot.rgba[(size_t(105) * 640 + 290) * 4];
  EXPECT_EQ(highlighted[2], 128) << "the one line, highlighted";
  const uint8_t* below = &shot.rgba[(size_t(140) * 640 + 290) * 4];
  EXPECT_EQ(below[0], 255) << "the list's white below it";
}

// The wheel scrolls the list under the pointer and leaves the highlight where it was; over the
// page it does nothing.
TEST(ChoiceList, TheWheelScrollsTheListUnderThePointer) {
  // A list two lines high over every place of the database.
  const std::string small = R"({"titles": [{"directory": "t", "pages": [{"name": "Pick", "objects": [
      {"name": "Places", "type": "database", "resource": [4, 1]},
      {"name": "List", "type": "choiceList", "pixels": [100, 100, 300, 126], "flags": ["visible"]}]}],
    "sections": [{"name": "Pick", "page": 0}],
    "resources": [{"dir": 4, "number": 1, "database": )" + test::PlacesDatabase() + R"(}]}], "databases": []})";
  ChoiceListTitle title(small);
  title.Paint();
  ASSERT_NE(title.List(), nullptr);
  ASSERT_TRUE(title.List()->hasScrollBar()) << title.List()->count();
  const auto wheel = [&](int pageX, int pageY, int lines) {
    const MainWindow& window = title.runtime().shell.window();
    WindowMessage m{Msg::MouseWheel};
    m.x = pageX + window.originX();
    m.y = pageY + window.originY();
    m.wParam = lines;
    title.runtime().shell.window().Dispatch(m);
    title.Paint();
  };
  wheel(150, 110, -1);
  EXPECT_GT(title.List()->top(), 0) << "turned towards the user: later lines come into view";
  EXPECT_EQ(title.List()->selected(), 0);
  const int scrolled = title.List()->top();
  wheel(50, 50, 1);
  EXPECT_EQ(title.List()->top(), scrolled) << "not over the list";
  wheel(150, 110, 100);
  EXPECT_EQ(title.List()->top(), 0);
  EXPECT_EQ(title.Page(), "Pick");
}

// Typing a letter moves the highlight to the next line that starts with it (round to the
// first; letter case and Greek case ignored) and follows nothing; a list too narrow for its
// scroll bar keeps it inside its box.
TEST(ChoiceListModel, TypedLettersMoveTheHighlightAndNarrowListsKeepTheirBar) {
  ChoiceList list(Rect{0, 0, 200, 50});
  list.SetLines({{"Alpha", 0}, {"beta", 1}, {"Bravo", 2}, {"\xE1\xEB\xF6\xE1", 3}});  // "άλφα"
  EXPECT_EQ(list.TypeCharacter('b'), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.selected(), 1);
  EXPECT_EQ(list.TypeCharacter('B'), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.selected(), 2);
  EXPECT_EQ(list.TypeCharacter('b'), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.selected(), 1) << "round to the first";
  EXPECT_EQ(list.TypeCharacter('\xC1'), ChoiceList::Outcome::Moved) << "capital alpha";
  EXPECT_EQ(list.selected(), 3);
  EXPECT_EQ(list.TypeCharacter('z'), ChoiceList::Outcome::Nothing);
  EXPECT_EQ(list.selected(), 3);

  ChoiceList narrow(Rect{0, 0, 10, 30});
  narrow.SetLines({{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}});
  ASSERT_TRUE(narrow.hasScrollBar());
  EXPECT_EQ(narrow.scrollBarWidth(), 8);
  EXPECT_EQ(narrow.scrollBar().left, 1);
  ChoiceList huge(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_GT(huge.box().width(), 640);
  EXPECT_LT(huge.box().width(), 1 << 16) << "kept where sums of its coordinates cannot overflow";
}

// The list's own geometry: what scrolls into view as the highlight moves, and the scroll bar.
TEST(ChoiceListModel, KeepsTheHighlightInViewAndScrolls) {
  // Room for 4 lines inside the frame: (50 - 2) / 12.
  ChoiceList list(Rect{0, 0, 200, 50});
  std::vector<ChoiceLine> lines;
  for (int i = 0; i < 10; ++i) lines.push_back({"line " + std::to_string(i), i});
  list.SetLines(lines);
  EXPECT_EQ(list.visibleLines(), 4);
  ASSERT_TRUE(list.hasScrollBar());
  EXPECT_EQ(list.linesArea().right, 200 - 1 - kChoiceScrollBarWidth);

  for (int i = 0; i < 5; ++i) list.KeyDown(vk::DOWN);
  EXPECT_EQ(list.selected(), 5);
  EXPECT_EQ(list.top(), 2) << "the highlight on the last visible line";
  EXPECT_EQ(list.KeyDown(vk::NEXT), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.selected(), 8) << "a page is a screenful less a line";
  EXPECT_EQ(list.KeyDown(vk::END), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.top(), 6);
  EXPECT_EQ(list.KeyDown(vk::DOWN), ChoiceList::Outcome::Nothing);
  EXPECT_EQ(list.KeyDown(vk::PRIOR), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.selected(), 6);
  EXPECT_EQ(list.KeyDown(vk::HOME), ChoiceList::Outcome::Moved);
  EXPECT_EQ(list.top(), 0);

  // The thumb runs the track between the arrows, from its top at the first line to its bottom
  // at the last.
  int thumbTop = 0, thumbHeight = 0;
  list.Thumb(thumbTop, thumbHeight);
  EXPECT_EQ(thumbTop, 1 + kChoiceScrollBarWidth);
  EXPECT_EQ(thumbHeight, kChoiceMinThumb);  // the 16-pixel track is shorter than 4/10 of itself

  // Presses on the scroll bar: the lower arrow scrolls a line, the track below the thumb a page;
  // the highlight stays where it was.
  EXPECT_EQ(list.Press(190, 45), ChoiceList::Outcome::Scrolled);
  EXPECT_EQ(list.top(), 1);
  EXPECT_EQ(list.Press(190, 30), ChoiceList::Outcome::Scrolled);
  EXPECT_EQ(list.top(), 4);
  list.Thumb(thumbTop, thumbHeight);
  EXPECT_EQ(thumbTop, 1 + kChoiceScrollBarWidth + (16 - kChoiceMinThumb) * 4 / 6) << "4 of the 6 steps";
  EXPECT_EQ(list.Press(190, 2), ChoiceList::Outcome::Scrolled);
  EXPECT_EQ(list.top(), 3);
  EXPECT_EQ(list.selected(), 0);
  // A press on a line picks it: the list's line, not the box's.
  EXPECT_EQ(list.Press(10, 1 + kChoiceLineHeight + 2), ChoiceList::Outcome::Follow);
  EXPECT_EQ(list.selected(), 4);
  EXPECT_EQ(list.Press(0, 10), ChoiceList::Outcome::Nothing) << "the frame";

  // A box too low for one whole line still shows one; an empty list takes no keys.
  ChoiceList low(Rect{0, 0, 100, 8});
  EXPECT_EQ(low.visibleLines(), 1);
  EXPECT_EQ(low.KeyDown(vk::RETURN), ChoiceList::Outcome::Nothing);
}

}  // namespace
}  // namespace zd
