#include "title/title_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "base/cp1253.h"
#include "base/text.h"
#include "platform/files.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "title/title_paths.h"

namespace zd {
namespace {

constexpr size_t kShortNameLength = 8;
constexpr size_t kLinkTextLimit = 255;
constexpr size_t kLinkedTitleNameLength = 12;

bool StartsWithAuth(const std::string& name1253) {
  return name1253.size() >= 4 && EqualsIgnoreCase1253(name1253.substr(0, 4), "auth");
}

}  // namespace

std::string TitleFiles::ShortNameOf(std::string_view titleDirectory) {
  return std::string(LastComponent(titleDirectory).substr(0, kShortNameLength));
}

std::optional<std::string> TitleFiles::FindAuthorfile(const std::string& directory) const {
  const std::string& override = runtime_.shell.commandLine().overrideDirectoryAsGiven;
  for (const char* name : {"authorfi", "authorfi.le"}) {
    if (FindTitleFile(override, JoinTitlePath(directory, name), 2)) {
      return JoinTitlePath(directory, name);
    }
  }
  // The alphabetically first "auth*.*" of a sorted listing.
  const auto onDisk = platform::ResolvePath(directory.empty() ? "." : directory);
  if (!onDisk) return std::nullopt;
  std::vector<std::string> candidates;
  for (const std::string& entry : platform::ListDirectory(*onDisk)) {
    const std::string name = Utf8ToCp1253(entry);
    if (StartsWithAuth(name) && !platform::IsDirectory(*onDisk + "/" + entry)) {
      candidates.push_back(name);
    }
  }
  if (candidates.empty()) return std::nullopt;
  std::sort(candidates.begin(), candidates.end(), [](const std::string& a, const std::string& b) {
    return ToUpper1253(a) < ToUpper1253(b);
  });
  return JoinTitlePath(directory, candidates.front());
}

TitleProblem TitleFiles::OpenTitle(const std::string& path) {
  // A directory names the title itself; any other path names a file in the title's directory.
  const auto onDisk = platform::ResolvePath(path);
  const bool isDirectory = onDisk && platform::IsDirectory(*onDisk);
  const std::string directory = isDirectory ? path : std::string(ParentPath(path));
  const auto authorfile = FindAuthorfile(directory);
  if (!authorfile) {
    runtime_.trace.Line(TraceCategory::Run, "no authorfile in \"" + directory + "\"");
    if (!onDisk) return TitleProblem::Missing;
    return isDirectory ? TitleProblem::NoTitleInFolder : TitleProblem::NotAnAuthorfile;
  }
  const TitleProblem problem = ReadAuthorfile(*authorfile);
  if (problem != TitleProblem::None) return problem;
  // A title without pages or without its section list could not show anything: it is refused
  // here, where the person who chose it can be told, rather than failing at its first page.
  if (image_->PageCount() == 0 || image_->SectionLastIndex() == kNone) {
    runtime_.trace.Line(TraceCategory::Run, "title \"" + titleDirectory_ + "\" refused: " +
                                                (image_->PageCount() == 0 ? "no pages" : "no sections"));
    FreeTitleImage();
    return TitleProblem::Damaged;
  }
  return TitleProblem::None;
}

bool TitleFiles::LoadAuthorfile(const std::string& path) {
  switch (ReadAuthorfile(path)) {
    case TitleProblem::None: return true;
    case TitleProblem::NotAnAuthorfile: runtime_.shell.reporter().ReportError("crierr4"); return false;
    case TitleProblem::Declined: return false;
    default: runtime_.shell.reporter().ReportError("crierr5"); return false;
  }
}

TitleProblem TitleFiles::ReadAuthorfile(const std::string& path) {
  const auto onDisk =
      FindTitleFile(runtime_.shell.commandLine().overrideDirectoryAsGiven, path, 2);
  if (!onDisk) return TitleProblem::Missing;
  const auto bytes = platform::ReadWholeFile(*onDisk);
  if (!bytes) return TitleProblem::Unreadable;
  FreeTitleImage();
  auto image =
      std::make_unique<AuthorfileImage>(std::vector<uint8_t>(bytes->begin(), bytes->end()));
  if (!image->HasMagic()) return TitleProblem::NotAnAuthorfile;
  if (image->Version() >= authorfile::kFirstQuestionedVersion) {
    platform::MessageBoxSpec box;
    box.caption = runtime_.shell.windowTitle();
    box.text = LoadString(strings::NEWER_VERSION, runtime_.config.language);
    box.icon = platform::MessageIcon::Information;
    box.buttons = platform::MessageButtons::YesNo;
    runtime_.scheduler.PauseClock();
    const int answer = runtime_.platform.MessageBox(box);
    runtime_.scheduler.ResumeClock();
    if (answer != platform::answer::YES) return TitleProblem::Declined;
  }
  image_ = std::move(image);
  ++imageSerial_;
  titleDirectory_ = std::string(ParentPath(path));
  shortName_ = ShortNameOf(titleDirectory_);
  runtime_.trace.Line(TraceCategory::Run,
                      "title \"" + titleDirectory_ + "\" version " +
                          std::to_string(image_->Version()) + ", " +
                          std::to_string(image_->PageCount()) + " pages");
  return TitleProblem::None;
}

void TitleFiles::FreeTitleImage() {
  if (image_) retired_.push_back(std::move(image_));
}

std::optional<std::string> TitleFiles::FindResourceFile(int directory, int number,
                                                        std::string& shownPath) const {
  const std::string name = ResourceCache::ResourceName(shortName_, directory, number);
  shownPath = JoinTitlePath(ParentPath(titleDirectory_), name);
  if (auto onDisk = FindTitleFile(runtime_.shell.commandLine().overrideDirectoryAsGiven, shownPath, 3)) {
    return onDisk;
  }
  return FindTitleFile("", JoinTitlePath(titleDirectory_, name.substr(shortName_.size())), 3);
}

std::string TitleFiles::ReadLinkResource(uint32_t linkResource, bool& opened) {
  const int directory = static_cast<int>(linkResource >> 16);
  const int number = static_cast<int>(linkResource & 0xFFFF);
  std::string path;
  auto text = ReadResourceStart(directory, number, kLinkTextLimit, path);
  opened = text.has_value();
  if (!text) {
    runtime_.shell.reporter().ReportDetailedError("crierr9", path);
    return {};
  }
  return std::move(*text);
}

std::optional<std::string> TitleFiles::ReadResourceStart(int directory, int number, size_t limit,
                                                         std::string& shownPath) const {
  const auto onDisk = FindResourceFile(directory, number, shownPath);
  std::unique_ptr<FILE, int (*)(FILE*)> file(onDisk ? std::fopen(onDisk->c_str(), "rb") : nullptr,
                                             &std::fclose);
  if (!file) return std::nullopt;
  std::string text(limit, '\0');
  text.resize(std::fread(text.data(), 1, limit, file.get()));
  return text;
}

bool TitleFiles::FollowLink(uint32_t linkResource, const std::string& pageName) {
  bool opened = false;
  const std::string text = ReadLinkResource(linkResource, opened);
  if (!opened) return false;
  // The first line counts, and it must end; the title's name runs from its last "!".
  const size_t end = text.find_first_of("\r\n");
  if (end == std::string::npos) return false;
  const std::string line = text.substr(0, end);
  const size_t bang = line.rfind('!');
  if (bang == std::string::npos) return false;
  return OpenLinkedTitle(line.substr(bang, kLinkedTitleNameLength), pageName);
}

bool TitleFiles::OpenLinkedTitle(const std::string& titleName, const std::string& pageName) {
  Pointers& pointers = runtime_.shell.pointers();
  const platform::CursorHandle previous = pointers.PushPointer(pointers.WaitCursor());
  const std::string parent(ParentPath(titleDirectory_));
  std::string tried = JoinTitlePath(parent, titleName);
  std::optional<std::string> authorfile;
  // A linked title lies beside this one: a name holding a path reaches nowhere else.
  const bool bare = titleName.find_first_of("\\/:") == std::string::npos;
  if (bare) {
    // The title's own first character is "_" or "!"; a title kept in a folder named otherwise
    // is found by its name as written.
    std::vector<std::string> candidates;
    for (char first : {'_', '!'}) {
      std::string name = titleName;
      if (!name.empty()) name[0] = first;
      candidates.push_back(name);
    }
    if (!titleName.empty() && titleName != "." && titleName != "..") {
      candidates.push_back(titleName);
    }
    for (const std::string& name : candidates) {
      tried = JoinTitlePath(parent, name);
      authorfile = FindAuthorfile(tried);
      if (authorfile) break;
    }
  }
  if (!authorfile) {
    runtime_.shell.reporter().ReportDetailedError("crierr8", tried);
    pointers.PopPointer(previous);
    return false;
  }
  runtime_.pages.CloseAllPages();
  bool ok = LoadAuthorfile(*authorfile);
  if (ok) {
    std::optional<uint32_t> section;
    if (!pageName.empty()) {
      section = image_->FindSectionByPageName(pageName);
      ok = section.has_value();  // an unknown page starts the title at its first section
    }
    runtime_.pages.StartTitleAt(section.value_or(0));
  }
  pointers.PopPointer(previous);
  return ok;
}

}  // namespace zd
