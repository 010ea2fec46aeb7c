#include "titlekit/json_print.h"

namespace zd::titlekit {
namespace {

constexpr size_t kLineWidth = 100;

// A value kept on one line: scalars, and lists or objects of scalars (one level of nesting
// for lists of pairs) whose text is short.
bool Inline(const Json& value, int depth = 0) {
  if (!value.is_structured()) return true;
  if (depth > 1) return false;
  for (const auto& item : value) {
    if (!Inline(item, depth + 1)) return false;
  }
  return value.dump().size() <= kLineWidth;
}

std::string OneLine(const Json& value) {
  if (!value.is_structured()) return value.dump();
  std::string out = value.is_array() ? "[" : "{";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    if (!first) out += ", ";
    first = false;
    if (value.is_object()) out += Json(it.key()).dump() + ": ";
    out += OneLine(*it);
  }
  return out + (value.is_array() ? "]" : "}");
}

void Print(const Json& value, size_t indent, std::string& out) {
  if (Inline(value) || value.empty()) {
    out += OneLine(value);
    return;
  }
  const std::string pad(indent + 2, ' ');
  out += value.is_array() ? "[\n" : "{\n";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    if (!first) out += ",\n";
    first = false;
    out += pad;
    if (value.is_object()) out += Json(it.key()).dump() + ": ";
    Print(*it, indent + 2, out);
  }
  out += "\n" + std::string(indent, ' ') + (value.is_array() ? "]" : "}");
}

}  // namespace

std::string PrettyJson(const Json& value) {
  std::string out;
  Print(value, 0, out);
  return out + "\n";
}

}  // namespace zd::titlekit
