// The notepad: its pages, the text a learner types into a page, and paging through them.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/edit_text_wrap.h"
#include "platform/events.h"
#include "support/runtime_fixture.h"
#include "support/test_support.h"
#include "toolbox/edit_text.h"
#include "toolbox/notepad_pages.h"
#include "toolbox/notepad_window.h"

namespace zd {
namespace {

TEST(NotepadPages, NinetyNinePagesAndACountThatNeverShrinks) {
  NotepadPages pages;
  pages.Reset();
  EXPECT_FALSE(pages.Previous());
  for (int i = 0; i < 120; ++i) pages.Next();
  EXPECT_EQ(pages.current(), 99);
  EXPECT_EQ(pages.count(), 99);
  EXPECT_FALSE(pages.Next());
  while (pages.Previous()) {
  }
  EXPECT_EQ(pages.current(), 1);
  EXPECT_EQ(pages.count(), 99);
  EXPECT_FALSE(pages.HasText());
  pages.Next();
  pages.Next();
  EXPECT_TRUE(pages.Store("page three"));
  EXPECT_TRUE(pages.HasText());
  EXPECT_EQ(pages.Text(3), "page three");
  EXPECT_EQ(pages.Text(0), "");
  EXPECT_EQ(pages.Text(100), "");

  // A page holds 32 KB; more is refused and the page keeps its text.
  EXPECT_TRUE(pages.Store(std::string(NotepadPages::kMaxPageBytes, 'a')));
  EXPECT_FALSE(pages.Store(std::string(NotepadPages::kMaxPageBytes + 1, 'b')));
  EXPECT_EQ(pages.Text(3), std::string(NotepadPages::kMaxPageBytes, 'a'));

  pages.Reset();
  EXPECT_EQ(pages.count(), 1);
  EXPECT_EQ(pages.current(), 1);
  EXPECT_FALSE(pages.HasText());
}

// A font of six pixels a character, in a box that fits ten of them.
std::array<int, 256> EvenAdvances() {
  std::array<int, 256> advances;
  advances.fill(6);
  return advances;
}
constexpr int kTenCharacters = 2 + 2 * platform::kEditTextInset + 60;

void TypeText(EditText& edit, const std::string& text) {
  for (const char c : text) edit.Type(static_cast<unsigned char>(c));
}

TEST(EditText, TypingLineEndsAndTheFullPage) {
  EditText edit(20, kTenCharacters, 3, EvenAdvances());
  TypeText(edit, "ab\rcd");
  EXPECT_EQ(edit.Stored(), "ab\r\ncd");
  TypeText(edit, "\b\b\b");
  EXPECT_EQ(edit.Stored(), "ab");
  TypeText(edit, "\x01\t\x7F\xE1");  // control characters are not text; Greek letters are
  EXPECT_EQ(edit.Stored(), "ab\xE1");
  edit.Home();
  edit.DeleteForward();
  EXPECT_EQ(edit.Stored(), "b\xE1");

  // The text never takes more than its limit, line ends counted as two bytes.
  edit.SetStored("");
  TypeText(edit, std::string(19, 'x'));
  EXPECT_FALSE(edit.Type('\r'));
  EXPECT_TRUE(edit.Type('y'));
  EXPECT_FALSE(edit.Type('z'));
  EXPECT_EQ(edit.StoredSize(), 20u);

  // Stored text keeps its line ends; the caret starts at the beginning.
  edit.SetStored("one\r\ntwo");
  EXPECT_EQ(edit.Show().caret, 0);
  EXPECT_EQ(edit.Show().text, "one\ntwo");
  edit.Type('!');
  EXPECT_EQ(edit.Stored(), "!one\r\ntwo");
}

TEST(EditText, CaretMovesByWrappedLineAndStaysInView) {
  EditText edit(1000, kTenCharacters, 2, EvenAdvances());
  TypeText(edit, "alpha beta gamma\rend");
  // Lines wrap after a blank: "alpha " "beta " "gamma" "end".
  EditText::Shown shown = edit.Show();
  EXPECT_EQ(shown.text, "alpha beta gamma\nend");
  EXPECT_EQ(shown.caret, static_cast<int>(shown.text.size()));
  EXPECT_EQ(shown.firstLine, 1);  // two lines in view: the caret's and the one above
  edit.Up();
  edit.Up();
  shown = edit.Show();
  EXPECT_EQ(shown.firstLine, 0);
  EXPECT_EQ(shown.caret, 3);
  edit.End();
  edit.Type('X');
  EXPECT_EQ(edit.Stored(), "alpha betaX gamma\r\nend");
  edit.Down();
  edit.Home();
  edit.Type('>');
  EXPECT_EQ(edit.Stored(), "alpha betaX >gamma\r\nend");
  edit.PlaceCaret(1, 99);  // beyond the line's end: at its end
  edit.Type('<');
  EXPECT_EQ(edit.Stored(), "alpha betaX >gamma<\r\nend");
  edit.PlaceCaret(0, 8);   // nearest boundary: after the first character of "betaX "
  edit.Type('|');
  EXPECT_EQ(edit.Stored(), "alpha b|etaX >gamma<\r\nend");
  edit.Type('\b');
  EXPECT_EQ(edit.Stored(), "alpha betaX >gamma<\r\nend");

  // A word longer than a line is cut: Down goes to the same place on the next line.
  edit.SetStored("abcdefghijklmnopqrstuvwxyz");
  edit.Right();
  edit.Down();
  edit.Type('^');
  EXPECT_EQ(edit.Stored(), "abcdefghijk^lmnopqrstuvwxyz");
  edit.SetStored("abc");
  edit.Right();
  edit.Left();
  edit.Left();
  EXPECT_EQ(edit.Show().caret, 0);
}

TEST(NotepadWindow, PagesTypedAndKept) {
  test::RuntimeFixture fixture;
  NotepadWindow notepad(fixture.runtime());
  notepad.ResetNotepad();
  notepad.Open();
  EXPECT_TRUE(notepad.isOpen());
  for (const char c : std::string("first\rline")) notepad.Character(static_cast<uint8_t>(c));
  notepad.Clicked(105);  // next page
  for (const char c : std::string("second")) notepad.Character(static_cast<uint8_t>(c));
  notepad.Clicked(105);
  notepad.Clicked(103);  // back
  notepad.Clicked(103);
  notepad.Clicked(103);  // page 1 has no page before it
  platform::ToolWindowView view = notepad.View();
  EXPECT_EQ(view.name, "IDD_Notepad");
  ASSERT_EQ(view.controls.size(), 8u);
  EXPECT_EQ(view.controls[0].text, "first\nline");
  EXPECT_EQ(view.controls[5].text, "1");  // page
  EXPECT_EQ(view.controls[6].text, "3");  // count
  EXPECT_EQ(view.controls[2].text, "\xD0\xF1\xEF\xE5\xF0\xE9\xF3\xEA\xFC\xF0\xE7\xF3\xE7 "
                                   "\xF3\xE5\xEB\xDF\xE4\xE1\xF2");  // "Προεπισκόπηση σελίδας"
  // A press in the text puts the caret there: past the end of line 2.
  notepad.Pressed(101, 170, 3 + platform::EditLineHeight() + 1);
  notepad.Character('-');
  notepad.Close();
  notepad.Open();  // back on page 1, its text kept
  view = notepad.View();
  EXPECT_EQ(view.controls[0].text, "first\nline-");
  notepad.Clicked(105);
  EXPECT_EQ(notepad.View().controls[0].text, "second");
  notepad.CloseCommand();
  EXPECT_FALSE(notepad.isOpen());

  const std::string trace = fixture.TraceText();
  EXPECT_TRUE(test::Has(trace,
                        "tool notepad open\ntool notepad page 1\ntool notepad page 2\n"
                        "tool notepad page 3\ntool notepad page 2\ntool notepad page 1\n"
                        "tool notepad close\ntool notepad open\ntool notepad page 1\n"
                        "tool notepad page 2\ntool notepad close"))
      << trace;
}

}  // namespace
}  // namespace zd
