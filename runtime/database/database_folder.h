// The files of one database folder, each found below the override directory first and kept
// open while the database is, so that reading a value costs a seek rather than an open.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zd {

enum class FolderFile { DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT, GRAPHICS };

class DatabaseFolder {
 public:
  DatabaseFolder() = default;
  // `path` as the title writes it; `overrideDirectory` as the command line gave it.
  DatabaseFolder(std::string path, std::string overrideDirectory);

  const std::string& path() const { return path_; }
  // A file's path as messages show it ("...\CITIES\DATA").
  std::string PathOf(FolderFile file) const;

  // The file's size; nullopt when it is not there.
  std::optional<uint64_t> Size(FolderFile file);
  // Up to `length` bytes from `offset` (fewer where the file ends); nullopt when the file is
  // not there.
  std::optional<std::string> Read(FolderFile file, uint64_t offset, size_t length);

 private:
  struct OpenFile {
    bool tried = false;
    std::unique_ptr<std::ifstream> stream;  // null: not there
    uint64_t size = 0;
    // What the last read brought in: values of neighbouring records lie next to each other,
    // so most reads are served from here without a seek.
    std::string ahead;
    uint64_t aheadStart = 0;
  };
  OpenFile& Opened(FolderFile file);
  static std::string ReadAt(OpenFile& open, uint64_t offset, size_t length);

  std::string path_;
  std::string overrideDirectory_;
  std::array<OpenFile, 6> files_;
};

}  // namespace zd
