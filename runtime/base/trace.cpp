#include "base/trace.h"

#include <string>

#include "base/cp1253.h"

namespace zd {
namespace {

struct CategoryName {
  const char* name;
  TraceCategory category;
};

constexpr CategoryName kNames[] = {
    {"page", TraceCategory::Page},     {"message", TraceCategory::Message},
    {"dialog", TraceCategory::Dialog}, {"script", TraceCategory::Script},
    {"start", TraceCategory::Start},   {"file", TraceCategory::File},
    {"window", TraceCategory::Window}, {"cursor", TraceCategory::Cursor},
    {"seam", TraceCategory::Seam},     {"event", TraceCategory::Event},
    {"run", TraceCategory::Run},       {"lifecycle", TraceCategory::Lifecycle},
    {"media", TraceCategory::Media},   {"data", TraceCategory::Data},
    {"tool", TraceCategory::Tool},
};

}  // namespace

void Trace::Line(TraceCategory c, std::string_view text) const {
  if (!Enabled(c)) return;
  std::string line;
  line.reserve(text.size() + 1);
  for (char ch : text) {
    if (ch == '\n') {
      line += "\\n";
    } else if (ch == '\r') {
      line += "\\r";
    } else {
      line += ch;
    }
  }
  *out_ << Cp1253ToUtf8(line) << '\n';
  out_->flush();
}

std::string StartTraceLine(const std::vector<std::string>& words) {
  std::string line = "start";
  for (const std::string& word : words) {
    const std::string text = Utf8ToCp1253(word);
    const bool plain = !text.empty() && text.find_first_of(" \t") == std::string::npos;
    line += plain ? " " + text : " \"" + text + "\"";
  }
  return line;
}

std::optional<uint32_t> Trace::ParseCategories(std::string_view list) {
  uint32_t mask = kDefault;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (name.empty() || name == "default") continue;
    if (name == "all") {
      mask = kAll;
      continue;
    }
    bool known = false;
    for (const auto& entry : kNames) {
      if (name == entry.name) {
        mask |= static_cast<uint32_t>(entry.category);
        known = true;
      }
    }
    if (!known) return std::nullopt;
  }
  return mask;
}

const char* Trace::CategoryNames() {
  return "page, message, dialog, script, start, file, window, cursor, seam, event, run, lifecycle, media, "
         "data, tool, all";
}

}  // namespace zd
