#include "zdinfo/text_export.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/byte_view.h"
#include "base/cp1253.h"
#include "graphics/text/markup_text.h"
#include "title/tcs_decompress.h"
#include "zdinfo/overview_text.h"

namespace zd::info {
namespace fs = std::filesystem;
namespace {

// The text as the player reads it: unpacked when packed, up to its first NUL.
std::string ResourceText(const std::string& bytes) {
  std::string text = bytes;
  if (IsTcsCompressed(ByteView(bytes))) {
    const auto unpacked = DecompressTcs(ByteView(bytes));
    text = unpacked ? std::string(unpacked->begin(), unpacked->end()) : std::string();
  }
  return text.substr(0, text.find('\0'));
}

bool WriteText(const fs::path& path, std::string_view markup) {
  std::ofstream file(path, std::ios::binary);
  file << Cp1253ToUtf8(StripMarkup(markup));
  return bool(file);
}

}  // namespace

int ExportTitleTexts(const titlekit::TitleReading& title, const std::string& dir,
                     std::ostream& out, std::ostream& err) {
  std::error_code code;
  fs::create_directories(dir, code);
  if (!fs::is_directory(dir, code)) {
    err << "zdinfo: cannot make the directory " << dir << "\n";
    return 1;
  }
  int status = 0;
  std::set<std::pair<uint16_t, uint16_t>> resources;
  const auto& pages = title.title.authorfile.pages;
  for (size_t p = 0; p < pages.size(); ++p) {
    for (size_t o = 0; o < pages[p].objects.size(); ++o) {
      const titlekit::ObjectRecord& object = pages[p].objects[o];
      if (object.raw) continue;
      if (object.type == titlekit::STYLED_TEXT_RESOURCE) {
        resources.insert({object.resource.dir, object.resource.number});
      }
      if (object.type != titlekit::TEXT || object.name.rfind('+', 0) == 0) continue;
      const std::string name = "page" + std::to_string(p) + "-object" + std::to_string(o) + ".txt";
      const fs::path path = fs::path(dir) / name;
      // The field has no end mark; a shorter text ends at its first NUL.
      const std::string text = object.text.substr(0, object.text.find('\0'));
      if (WriteText(path, text)) {
        out << "wrote " << path.string() << ": text of " << Quoted(object.name)
            << "\n";
      } else {
        err << "zdinfo: " << path.string() << " not written\n";
        status = 1;
      }
    }
  }
  for (const auto& [d, n] : resources) {
    const std::string name = ResourceName(d, n);
    const fs::path source = titlekit::ResolveCaseless(title.directory, name);
    const fs::path path =
        fs::path(dir) / ("res" + std::to_string(d) + "-res" + std::to_string(n) + ".txt");
    if (source.empty()) {
      err << "zdinfo: " << name << " not exported: missing\n";
      status = 1;
    } else if (WriteText(path, ResourceText(ReadAll(source)))) {
      out << "wrote " << path.string() << ": " << name << ", styled text\n";
    } else {
      err << "zdinfo: " << path.string() << " not written\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace zd::info
