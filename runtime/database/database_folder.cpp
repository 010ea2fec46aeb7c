#include "database/database_folder.h"

#include <algorithm>

#include "database/database_layout.h"
#include "platform/files.h"
#include "title/title_paths.h"

namespace zd {
namespace {

constexpr const char* kFileNames[] = {"DESCRIBE", "DATA", "EXPLAIN", "TOKEN", "FREETEXT", "GRAPHICS"};


// How much a short read brings in at once.
constexpr size_t kReadAhead = 64 * 1024;

}  // namespace

DatabaseFolder::DatabaseFolder(std::string path, std::string overrideDirectory)
    : path_(std::move(path)), overrideDirectory_(std::move(overrideDirectory)) {}

std::string DatabaseFolder::PathOf(FolderFile file) const {
  return JoinTitlePath(path_, kFileNames[size_t(file)]);
}

DatabaseFolder::OpenFile& DatabaseFolder::Opened(FolderFile file) {
  OpenFile& open = files_[size_t(file)];
  if (open.tried) return open;
  open.tried = true;
  const auto onDisk = FindTitleFile(overrideDirectory_, PathOf(file), database_layout::kPathComponents);
  const auto size = onDisk ? platform::FileSize(*onDisk) : std::nullopt;
  if (!size) return open;
  auto stream = std::make_unique<std::ifstream>(*onDisk, std::ios::binary);
  if (!*stream) return open;
  open.stream = std::move(stream);
  open.size = *size;
  return open;
}

std::optional<uint64_t> DatabaseFolder::Size(FolderFile file) {
  const OpenFile& open = Opened(file);
  if (!open.stream) return std::nullopt;
  return open.size;
}

std::string DatabaseFolder::ReadAt(OpenFile& open, uint64_t offset, size_t length) {
  std::string bytes(length, '\0');
  std::ifstream& in = *open.stream;
  in.clear();
  in.seekg(std::streamoff(offset));
  in.read(bytes.data(), std::streamsize(bytes.size()));
  bytes.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

std::optional<std::string> DatabaseFolder::Read(FolderFile file, uint64_t offset, size_t length) {
  OpenFile& open = Opened(file);
  if (!open.stream) return std::nullopt;
  // Never more than the file holds, whatever a record or an entry claims.
  const uint64_t available = offset < open.size ? open.size - offset : 0;
  length = size_t(std::min<uint64_t>(length, available));
  if (length == 0) return std::string();
  if (offset >= open.aheadStart && offset + length <= open.aheadStart + open.ahead.size()) {
    return open.ahead.substr(size_t(offset - open.aheadStart), length);
  }
  if (length >= kReadAhead) return ReadAt(open, offset, length);
  open.ahead = ReadAt(open, offset, size_t(std::min<uint64_t>(kReadAhead, available)));
  open.aheadStart = offset;
  return open.ahead.substr(0, std::min(length, open.ahead.size()));
}

}  // namespace zd
