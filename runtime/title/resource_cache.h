// The resource cache: 50 slots holding the resource files (pictures, drawings, styled texts,
// database descriptions) that the open pages use, loaded on demand and kept between pages.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"

namespace zd {

class Runtime;

constexpr int kCacheSlots = 50;

// Resource kinds: the type of the object that loaded the resource.
namespace resource_kind {
constexpr int SPRITE = 2, DRAWING = 3, STYLED_TEXT = 5, DATABASE = 10;
}

struct CacheSlot {
  bool used = false;
  std::vector<uint8_t> block;
  std::string shortName;      // the title it was loaded for
  std::string resourceName;   // "<short name>\res<dir>\res<number>"
  std::string titlePath;      // where it was found, as the title writes it (a copy below the
                              // override directory is found through this path)
  bool inUseByPage = false;
  int kind = 0;
  size_t fileOffset = 0;
  size_t fileLength = 0;
  bool compressed = false;
  bool pendingPreparation = false;

  ByteView view() const { return ByteView(block.data(), block.size()); }
};

class ResourceCache {
 public:
  explicit ResourceCache(Runtime& runtime) : runtime_(runtime) {}

  void Clear();
  // The first free slot; "generr7" and nullopt when all are in use.
  std::optional<int> FindFreeSlot();
  // The slot already holding this resource of this title, if any.
  std::optional<int> FindLoaded(const std::string& shortName, int directory, int number) const;
  // Loads resource `number` of resource directory `directory` into `slot`; reports its failures.
  bool LoadResource(int slot, int directory, int number, int kind);
  // Unpacks and prepares a loaded resource for use (drawings get their end marker, packed
  // sprites are unpacked, sprites are readied for drawing).
  void PrepareResource(int slot, bool prepareSprites);
  void Free(int slot);

  CacheSlot& slot(int index) { return slots_[index]; }
  const CacheSlot& slot(int index) const { return slots_[index]; }

  static std::string ResourceName(const std::string& shortName, int directory, int number);

 private:
  // The file on disk and the title path that found it; `shownPath` is the path messages show.
  std::optional<std::string> OpenPath(const CacheSlot& slot, std::string& shownPath,
                                      std::string& titlePath) const;

  Runtime& runtime_;
  std::array<CacheSlot, kCacheSlots> slots_;
};

}  // namespace zd
