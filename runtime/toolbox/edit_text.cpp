#include "toolbox/edit_text.h"

#include <algorithm>

#include "platform/edit_text_wrap.h"

namespace zd {

EditText::EditText(size_t maxStoredBytes, int boxWidth, int rows,
                   const std::array<int, 256>& advances)
    : maxStoredBytes_(maxStoredBytes),
      boxWidth_(boxWidth),
      rows_(std::max(rows, 1)),
      advances_(advances) {}

void EditText::SetStored(const std::string& stored) {
  text_.clear();
  lineEnds_ = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    const char c = stored[i];
    if (c == '\r') {
      // "\r\n" and a lone "\r" are both one line end.
      if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
      text_ += '\n';
      ++lineEnds_;
    } else if (c == '\n') {
      text_ += '\n';
      ++lineEnds_;
    } else {
      text_ += c;
    }
  }
  caret_ = 0;
  firstLine_ = 0;
}

std::string EditText::Stored() const {
  std::string stored;
  stored.reserve(StoredSize());
  for (const char c : text_) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

std::vector<EditText::Line> EditText::Lines() const {
  const std::vector<platform::EditLine> wrapped =
      platform::WrapEditText(text_, boxWidth_, advances_);
  std::vector<Line> lines;
  lines.reserve(wrapped.size());
  for (size_t i = 0; i < wrapped.size(); ++i) {
    const bool continues = i + 1 < wrapped.size() && wrapped[i + 1].begin == wrapped[i].end;
    lines.push_back({wrapped[i].begin, wrapped[i].end - wrapped[i].begin, continues});
  }
  return lines;
}

size_t EditText::LineOf(const std::vector<Line>& lines, size_t position) const {
  // A position where a wrapped line ends belongs to the line after it.
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    const size_t end = line.start + line.length;
    if (position < end || (position == end && !line.wrapped)) return i;
  }
  return lines.size() - 1;
}

int EditText::XOf(const Line& line, size_t position) const {
  int x = 0;
  for (size_t i = line.start; i < position && i < line.start + line.length; ++i) {
    x += advances_[static_cast<unsigned char>(text_[i])];
  }
  return x;
}

size_t EditText::AtX(const Line& line, int x) const {
  // A wrapped line's end is the next line's start: the caret stays before its last blank.
  size_t limit = line.length;
  if (line.wrapped && limit > 0) --limit;
  int at = 0;
  size_t position = line.start;
  while (position < line.start + limit) {
    const int advance = advances_[static_cast<unsigned char>(text_[position])];
    if (x < at + (advance + 1) / 2) break;
    at += advance;
    ++position;
  }
  return position;
}

bool EditText::Type(unsigned char character) {
  if (character == '\b') {
    if (caret_ == 0) return true;
    --caret_;
    if (text_[caret_] == '\n') --lineEnds_;
    text_.erase(caret_, 1);
  } else if (character == '\r' || character == '\n') {
    if (StoredSize() + 2 > maxStoredBytes_) return false;
    text_.insert(caret_, 1, '\n');
    ++lineEnds_;
    ++caret_;
  } else if (character >= 0x20 && character != 0x7F) {
    if (StoredSize() + 1 > maxStoredBytes_) return false;
    text_.insert(caret_, 1, static_cast<char>(character));
    ++caret_;
  }
  KeepCaretInView();
  return true;
}

void EditText::DeleteForward() {
  if (caret_ >= text_.size()) return;
  if (text_[caret_] == '\n') --lineEnds_;
  text_.erase(caret_, 1);
  KeepCaretInView();
}

void EditText::Left() {
  if (caret_ > 0) --caret_;
  KeepCaretInView();
}

void EditText::Right() {
  if (caret_ < text_.size()) ++caret_;
  KeepCaretInView();
}

void EditText::Up() {
  const auto lines = Lines();
  const size_t line = LineOf(lines, caret_);
  if (line > 0) caret_ = AtX(lines[line - 1], XOf(lines[line], caret_));
  KeepCaretInView();
}

void EditText::Down() {
  const auto lines = Lines();
  const size_t line = LineOf(lines, caret_);
  if (line + 1 < lines.size()) caret_ = AtX(lines[line + 1], XOf(lines[line], caret_));
  KeepCaretInView();
}

void EditText::Home() {
  const auto lines = Lines();
  caret_ = lines[LineOf(lines, caret_)].start;
  KeepCaretInView();
}

void EditText::End() {
  const auto lines = Lines();
  const Line& line = lines[LineOf(lines, caret_)];
  caret_ = line.start + (line.wrapped && line.length > 0 ? line.length - 1 : line.length);
  KeepCaretInView();
}

void EditText::PlaceCaret(int viewLine, int x) {
  const auto lines = Lines();
  const long line = std::clamp<long>(static_cast<long>(firstLine_) + std::max(viewLine, 0), 0,
                                     static_cast<long>(lines.size()) - 1);
  caret_ = AtX(lines[static_cast<size_t>(line)], x);
  KeepCaretInView();
}

void EditText::KeepCaretInView() {
  const auto lines = Lines();
  const int line = static_cast<int>(LineOf(lines, caret_));
  if (line < firstLine_) firstLine_ = line;
  if (line >= firstLine_ + rows_) firstLine_ = line - rows_ + 1;
  firstLine_ = std::clamp(firstLine_, 0, std::max(static_cast<int>(lines.size()) - 1, 0));
}

EditText::Shown EditText::Show() const {
  Shown shown;
  shown.text = text_;
  shown.caret = static_cast<int>(caret_);
  shown.firstLine = firstLine_;
  return shown;
}

}  // namespace zd
