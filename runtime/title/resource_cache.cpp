#include "title/resource_cache.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "runtime.h"
#include "title/tcs_decompress.h"
#include "title/title_paths.h"

namespace zd {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

uint32_t WordAt(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

}  // namespace

void ResourceCache::Clear() {
  for (int i = 0; i < kCacheSlots; ++i) Free(i);
}

std::optional<int> ResourceCache::FindFreeSlot() {
  for (int i = 0; i < kCacheSlots; ++i) {
    if (!slots_[i].used) return i;
  }
  runtime_.shell.reporter().ReportError("generr7");
  return std::nullopt;
}

std::optional<int> ResourceCache::FindLoaded(const std::string& shortName, int directory,
                                             int number) const {
  const std::string name = ResourceName(shortName, directory, number);
  for (int i = 0; i < kCacheSlots; ++i) {
    if (slots_[i].used && slots_[i].shortName == shortName && slots_[i].resourceName == name) {
      return i;
    }
  }
  return std::nullopt;
}

std::string ResourceCache::ResourceName(const std::string& shortName, int directory, int number) {
  return shortName + "\\res" + std::to_string(directory) + "\\res" + std::to_string(number);
}

void ResourceCache::Free(int index) {
  if (index < 0 || index >= kCacheSlots) return;
  // A prepared sprite keeps its picture beside the block; it goes with the slot.
  if (slots_[index].kind == resource_kind::SPRITE) {
    runtime_.graphics.FreeSpriteBitmaps(slots_[index].view());
  }
  slots_[index] = CacheSlot{};
}

std::optional<std::string> ResourceCache::OpenPath(const CacheSlot& s, std::string& shownPath,
                                                   std::string& titlePath) const {
  const TitleFiles& files = runtime_.titleFiles;
  const std::string& override = runtime_.shell.commandLine().overrideDirectoryAsGiven;
  const bool database = s.kind == resource_kind::DATABASE;
  const auto withDescribe = [&](std::string path) {
    return database ? JoinTitlePath(path, "describe") : path;
  };
  // The title's files are named from its short name beside the title directory, as on the
  // title's CD; where the directory's name is longer than a short name, the files are found in
  // the directory itself.
  shownPath = withDescribe(JoinTitlePath(ParentPath(files.titleDirectory()), s.resourceName));
  const int components = database ? 4 : 3;
  titlePath = shownPath;
  if (auto found = FindTitleFile(override, shownPath, components)) return found;
  const std::string relative = s.resourceName.substr(s.shortName.size());
  titlePath = withDescribe(JoinTitlePath(files.titleDirectory(), relative));
  return FindTitleFile("", titlePath, components);
}

bool ResourceCache::LoadResource(int index, int directory, int number, int kind) {
  if (index < 0 || index >= kCacheSlots) return false;
  CacheSlot& s = slots_[index];
  s = CacheSlot{};
  s.shortName = runtime_.titleFiles.shortName();
  s.resourceName = ResourceName(s.shortName, directory, number);
  s.kind = kind;

  std::string shownPath;
  const auto path = OpenPath(s, shownPath, s.titlePath);
  File file(path ? std::fopen(path->c_str(), "rb") : nullptr);
  Reporter& reporter = runtime_.shell.reporter();
  if (!file) {
    reporter.ReportError("generr4", shownPath);
    return false;
  }
  std::fseek(file.get(), 0, SEEK_END);
  const long fileSize = std::ftell(file.get());
  std::rewind(file.get());

  size_t offset = 0;
  uint64_t length = fileSize > 0 ? uint64_t(fileSize) : 0;
  if (kind == resource_kind::SPRITE) {
    uint8_t header[12];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) {
      reporter.ReportError("generr6", shownPath);
      return false;
    }
    const uint32_t w0 = WordAt(header), w1 = WordAt(header + 4);
    if (w0 < 65) {
      // A plain sprite file: its first word counts the sprites; the first sprite's own length
      // stands at w1 - 8, and it is read with the word before it.
      uint8_t word[4] = {0, 0, 0, 0};
      bool ok = w1 >= 8 && std::fseek(file.get(), long(w1) - 8, SEEK_SET) == 0 &&
                std::fread(word, 1, 4, file.get()) == 4;
      if (!ok) {
        reporter.ReportError("generr6", shownPath);
        return false;
      }
      offset = w1 - 4;
      length = uint64_t(WordAt(word)) + 4;
    } else {
      s.compressed = std::memcmp(header, "3TCS", 4) == 0 && static_cast<int8_t>(header[7]) == 0;
    }
  }
  // A length that runs past the end of the file is cut to what the file holds, so a file that
  // lies about its size cannot make a huge block.
  const uint64_t available = uint64_t(fileSize) > offset ? uint64_t(fileSize) - offset : 0;
  length = std::min(length, available);
  const size_t extra = kind == resource_kind::DRAWING ? 4 : 0;
  s.fileOffset = offset;
  s.fileLength = static_cast<size_t>(length);
  try {
    s.block.assign(static_cast<size_t>(length) + extra, 0);
  } catch (const std::bad_alloc&) {
    reporter.ReportError("generr5", shownPath);
    return false;
  }
  const size_t read = length && std::fseek(file.get(), long(offset), SEEK_SET) == 0
                          ? std::fread(s.block.data(), 1, static_cast<size_t>(length), file.get())
                          : 0;
  if (read == 0) {
    s.block.clear();
    reporter.ReportError("generr6", shownPath);
    return false;
  }
  s.used = true;
  s.pendingPreparation = true;
  return true;
}

void ResourceCache::PrepareResource(int index, bool prepareSprites) {
  if (index < 0 || index >= kCacheSlots || !slots_[index].used) return;
  CacheSlot& s = slots_[index];
  if (!s.pendingPreparation) return;
  s.pendingPreparation = false;
  if (s.kind == resource_kind::DRAWING && s.block.size() >= 4) {
    std::memset(s.block.data() + s.block.size() - 4, 0xFF, 4);  // the drawing's end marker
  }
  if (s.compressed) {
    auto unpacked = DecompressTcs(s.view());
    if (!unpacked) {
      Free(index);
      return;
    }
    s.block = std::move(*unpacked);
    s.compressed = false;
  }
  if (s.kind == resource_kind::SPRITE && prepareSprites &&
      !runtime_.graphics.PrepareSpriteResource(s.block,
                                               runtime_.shell.commandLine().spriteCaching)) {
    Free(index);  // a sprite that cannot be shown draws nothing
  }
}

}  // namespace zd
