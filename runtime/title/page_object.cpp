#include "title/page_object.h"

#include <algorithm>
#include <cstring>

namespace zd {

bool PageObject::IsScript() const {
  return type() == object_type::TEXT && name().rfind('+', 0) == 0;
}

std::string PageObject::triggerName() const {
  return image_->Text(ref_.offset + object_record::kTriggerName, object_record::kNameWidth);
}

void PageObject::SetTriggerName(std::string_view name) {
  std::string field(name.substr(0, object_record::kNameWidth));
  field.resize(object_record::kNameWidth, '\0');
  if (ref_.length >= object_record::kTriggerName + object_record::kNameWidth) {
    image_->SetBytes(ref_.offset + object_record::kTriggerName, field);
  }
}

void PageObject::SetBox(const TitleBox& b) {
  if (ref_.length < object_record::kBox + 16) return;
  const size_t at = ref_.offset + object_record::kBox;
  image_->SetU32(at, static_cast<uint32_t>(b.x0));
  image_->SetU32(at + 4, static_cast<uint32_t>(b.y0));
  image_->SetU32(at + 8, static_cast<uint32_t>(b.x1));
  image_->SetU32(at + 12, static_cast<uint32_t>(b.y1));
}

uint32_t PageObject::textCapacity() const {
  if (ref_.length <= object_record::kText) return 0;
  return static_cast<uint32_t>(std::min<size_t>(Read(object_record::kTextCapacity, 0), ref_.length - object_record::kText));
}

void PageObject::SetText(std::string_view text) {
  const size_t capacity = textCapacity();
  std::string field(text.substr(0, capacity));
  field.resize(capacity, ' ');
  image_->SetBytes(ref_.offset + object_record::kText, field);
}

std::optional<TitleBox> PageObject::box() const {
  const size_t at = ref_.offset + object_record::kBox;
  const ByteView view = image_->view();
  if (ref_.length < object_record::kBox + 16 || !view.Contains(at, 16)) return std::nullopt;
  const int32_t x0 = *view.I32(at);
  if (x0 == -1) return std::nullopt;  // the object has no box
  return TitleBox{x0, *view.I32(at + 4), *view.I32(at + 8), *view.I32(at + 12)};
}

std::optional<Rect> PageObject::pixelBox() const {
  const auto b = box();
  if (!b) return std::nullopt;
  return PagePixels(*b);
}

std::string PageObject::text() const { return std::string(textView()); }

std::string_view PageObject::textView() const {
  // The text fills its field without an end mark; a shorter text ends at its first NUL.
  const uint32_t capacity = Read(object_record::kTextCapacity, 0);
  const size_t start = ref_.offset + object_record::kText;
  if (ref_.length <= object_record::kText) return {};
  const size_t width = std::min<size_t>(capacity, ref_.length - object_record::kText);
  const ByteView view = image_->view();
  if (!view.Contains(start, width)) return {};
  const char* data = reinterpret_cast<const char*>(view.data() + start);
  size_t n = 0;
  while (n < width && data[n] != 0) ++n;
  return {data, n};
}

bool PageObject::NameIs(std::string_view name) const {
  const ByteView view = image_->view();
  if (!view.Contains(ref_.offset + object_record::kName, object_record::kNameWidth)) {
    return name.empty();
  }
  const char* data = reinterpret_cast<const char*>(view.data() + ref_.offset + object_record::kName);
  size_t n = 0;
  while (n < object_record::kNameWidth && data[n] != 0) ++n;
  return std::string_view(data, n) == name;
}

std::string PageObject::fontDescription() const {
  if (ref_.length < object_record::kFontHeight) return {};
  return image_->Text(ref_.offset + object_record::kFontDescription,
                      object_record::kFontDescriptionWidth);
}

double PageObject::ReadDouble(size_t offset) const {
  if (offset + 8 > ref_.length) return 0;
  const uint64_t bits = (uint64_t(Read(offset, 0)) << 32) | Read(offset + 4, 0);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

uint32_t PageObject::Read(size_t offset, uint32_t fallback) const {
  if (offset + 4 > ref_.length) return fallback;  // fields beyond the record are absent
  return image_->U32Or(ref_.offset + offset, fallback);
}

uint32_t PageObject::Read16(size_t offset) const {
  if (offset + 2 > ref_.length) return 0;
  return image_->U16(ref_.offset + offset).value_or(0);
}

void PageObject::Write(size_t offset, uint32_t value) {
  if (offset + 4 > ref_.length) return;
  // Fields of other kinds of object lie where a text object keeps its text and its capacity.
  if (offset + 4 > object_record::kTextCapacity) image_->NoteTextWrite(ref_.offset + offset, 4);
  image_->SetU32(ref_.offset + offset, value);
}

}  // namespace zd
