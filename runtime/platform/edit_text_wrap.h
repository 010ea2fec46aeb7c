// How a tool window's multi-line edit box breaks its text into lines: at line feeds, and where
// a line would grow wider than the box, after the last blank that still fits (inside a word
// when a word alone is too wide). Both backends draw the box this way and the owner of the box
// moves its caret by the same lines, so they always agree.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace zd::platform {

// One line of the text: bytes [begin, end) of it. A line broken at a line feed ends before the
// feed (and before a carriage return in front of it); a line broken inside a paragraph keeps
// its blanks, so the next line begins where it ends.
struct EditLine {
  size_t begin = 0, end = 0;
  bool operator==(const EditLine&) const = default;
};

// Pixels between the box's frame and its text, on each side.
constexpr int kEditTextInset = 2;

// The lines of `text1253` in an edit box `boxWidth` pixels wide (frame included), measured with
// the edit box's font. There is always at least one line.
std::vector<EditLine> WrapEditText(std::string_view text1253, int boxWidth);
// The same with the advance of each code page character given.
std::vector<EditLine> WrapEditText(std::string_view text1253, int boxWidth,
                                   const std::array<int, 256>& advances);
// The line the caret at byte `offset` is on: the last one that begins at or before it.
size_t EditLineOf(const std::vector<EditLine>& lines, size_t offset);
// The edit box's font measured: each character's advance and the line height.
const std::array<int, 256>& EditFontAdvances();
int EditLineHeight();

}  // namespace zd::platform
