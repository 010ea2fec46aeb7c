// The text of a multi-line edit control with its caret: typing, line ends, deleting, moving by
// character, by wrapped line and to a line's ends, and keeping the caret's line in view.
// Lines break as the platform draws the box (platform::WrapEditText), so caret and picture agree.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zd {

class EditText {
 public:
  // `maxStoredBytes`: the most the text may take with its line ends written "\r\n".
  // `boxWidth`: the box's width in pixels, frame included; `rows`: lines in view;
  // `advances`: the width of each code page character in the box's font.
  EditText(size_t maxStoredBytes, int boxWidth, int rows, const std::array<int, 256>& advances);

  // The text as stored ("\r\n" line ends); the caret goes to the start, the view to the top.
  void SetStored(const std::string& stored);
  std::string Stored() const;
  size_t StoredSize() const { return text_.size() + lineEnds_; }

  // A character typed: printable ones are inserted, Return breaks the line, Backspace deletes
  // back. False when the text is full and the character was refused.
  bool Type(unsigned char character);
  void DeleteForward();
  void Left();
  void Right();
  void Up();
  void Down();
  void Home();
  void End();
  // The caret to the character boundary nearest `x` pixels into a line's text on a line of
  // the view (0 the first line shown).
  void PlaceCaret(int viewLine, int x);

  // What the control shows: the text with "\n" line ends, the caret as an offset into it,
  // and the first (wrapped) line in view.
  struct Shown {
    std::string text;
    int caret = 0;
    int firstLine = 0;
  };
  Shown Show() const;

 private:
  struct Line {
    size_t start, length;
    bool wrapped;  // continues on the next line (no line end)
  };
  std::vector<Line> Lines() const;
  size_t LineOf(const std::vector<Line>& lines, size_t position) const;
  // Pixels from a line's start to `position`, and the position on a line nearest `x`.
  int XOf(const Line& line, size_t position) const;
  size_t AtX(const Line& line, int x) const;
  void KeepCaretInView();

  size_t maxStoredBytes_;
  int boxWidth_, rows_;
  std::array<int, 256> advances_;
  std::string text_;  // line ends as "\n"
  size_t lineEnds_ = 0;
  size_t caret_ = 0;
  int firstLine_ = 0;
};

}  // namespace zd
