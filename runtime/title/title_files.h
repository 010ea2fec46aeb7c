// Title files: finding a title's authorfile and loading it, the resource cache, and links to
// sibling titles.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "title/authorfile.h"
#include "title/resource_cache.h"

namespace zd {

class Runtime;

// Why a title a person named could not be opened.
enum class TitleProblem {
  None,
  Missing,          // nothing on disk by that name
  NoTitleInFolder,  // a folder without an authorfile
  NotAnAuthorfile,  // a file that is not a title's description
  Unreadable,       // the authorfile exists but cannot be read
  Damaged,          // an authorfile without pages or without its section list
  Declined,         // newer than this player, and the person chose not to go on
};

class TitleFiles {
 public:
  explicit TitleFiles(Runtime& runtime) : runtime_(runtime), cache_(runtime) {}

  // Opens the title whose authorfile (or any file of its directory, or the directory itself)
  // is named. Reports nothing itself (beyond the question about a newer title): the caller
  // tells the person what went wrong, in one box.
  TitleProblem OpenTitle(const std::string& path);
  // The authorfile of a directory: "authorfi", "authorfi.le", or the alphabetically first
  // "auth*.*", each looked for below the override directory first.
  std::optional<std::string> FindAuthorfile(const std::string& directory) const;
  // Loads an authorfile a link leads to, reporting its failures by key.
  bool LoadAuthorfile(const std::string& path);
  // The image is freed for every later use at once, but its memory stays until the main loop
  // turns again (ReleaseRetiredImages), because the title may end in the middle of work that
  // still holds records of it.
  void FreeTitleImage();
  void ReleaseRetiredImages() { retired_.clear(); }

  // Links: a section without a page names a link resource whose first line names the title.
  bool FollowLink(uint32_t linkResource, const std::string& pageName);
  bool OpenLinkedTitle(const std::string& titleName, const std::string& pageName);

  // The file of resource `number` of resource directory `directory` on disk: below the
  // override directory first, then beside the title or inside it. `shownPath` is set to the
  // path messages name.
  std::optional<std::string> FindResourceFile(int directory, int number,
                                              std::string& shownPath) const;
  // The first `limit` bytes of that resource file (fewer when it is shorter); nullopt when it
  // cannot be opened.
  std::optional<std::string> ReadResourceStart(int directory, int number, size_t limit,
                                               std::string& shownPath) const;

  bool loaded() const { return image_ != nullptr; }
  AuthorfileImage& image() { return *image_; }
  const AuthorfileImage* imageOrNull() const { return image_.get(); }
  // Changes with every authorfile image read: what was kept of the last one is no longer good.
  uint64_t imageSerial() const { return imageSerial_; }
  const std::string& titleDirectory() const { return titleDirectory_; }
  const std::string& shortName() const { return shortName_; }
  ResourceCache& cache() { return cache_; }
  void ClearResourceCache() { cache_.Clear(); }

  // The short name: the title directory's last component, cut to 8 characters.
  static std::string ShortNameOf(std::string_view titleDirectory);

 private:
  TitleProblem ReadAuthorfile(const std::string& path);
  std::string ReadLinkResource(uint32_t linkResource, bool& opened);

  Runtime& runtime_;
  std::unique_ptr<AuthorfileImage> image_;
  uint64_t imageSerial_ = 0;
  std::vector<std::unique_ptr<AuthorfileImage>> retired_;
  std::string titleDirectory_;
  std::string shortName_;
  ResourceCache cache_;
};

}  // namespace zd
