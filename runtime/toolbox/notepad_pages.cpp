#include "toolbox/notepad_pages.h"

namespace zd {

void NotepadPages::Reset() {
  for (auto& page : pages_) page.clear();
  current_ = 1;
  count_ = 1;
}

const std::string& NotepadPages::Text(int page) const {
  static const std::string kNone;
  if (page < 1 || page > kLastPage) return kNone;
  return pages_[static_cast<size_t>(page)];
}

bool NotepadPages::Store(const std::string& text) {
  if (text.size() > kMaxPageBytes) return false;
  pages_[static_cast<size_t>(current_)] = text;
  return true;
}

bool NotepadPages::Next() {
  if (current_ >= kLastPage) return false;
  ++current_;
  if (current_ > count_) count_ = current_;
  return true;
}

bool NotepadPages::Previous() {
  if (current_ <= 1) return false;
  --current_;
  return true;
}

bool NotepadPages::HasText() const {
  for (int page = 1; page <= count_; ++page) {
    if (!pages_[static_cast<size_t>(page)].empty()) return true;
  }
  return false;
}

}  // namespace zd
