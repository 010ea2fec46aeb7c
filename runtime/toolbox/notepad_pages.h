// The notepad's pages: 99 pages of the learner's text, the page being looked at and how many
// pages have been opened (the count never shrinks). Kept for the whole run.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace zd {

class NotepadPages {
 public:
  static constexpr int kLastPage = 99;
  // The most text a page holds, its line ends written "\r\n".
  static constexpr size_t kMaxPageBytes = 32 * 1024;

  // Every page empty, page 1 current, one page.
  void Reset();

  int current() const { return current_; }
  int count() const { return count_; }
  const std::string& Text(int page) const;
  // Keeps `text` as the current page's text (empty: the page has none). Text past the page's
  // limit is refused whole (false), the page keeping what it had.
  bool Store(const std::string& text);

  // To page 1 (when a window opens on the notepad).
  void First() { current_ = 1; }
  // One page on (never past page 99; the count grows to it); false when there is none.
  bool Next();
  // One page back; false on page 1.
  bool Previous();

  // Whether a page 1 .. count has text.
  bool HasText() const;

 private:
  std::array<std::string, kLastPage + 1> pages_{};  // [0] unused
  int current_ = 1;
  int count_ = 1;
};

}  // namespace zd
