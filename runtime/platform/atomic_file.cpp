#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace zd::platform {
namespace {

// The process's file-creation mask, read without changing it (umask() would change it for
// every thread for a moment); 022 where the system does not tell.
mode_t ProcessUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) {
      return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
  }
  return 022;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only durable once the folder that records it reaches the disk too.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool WriteAll(int fd, const char* data, size_t size, off_t* offset) {
  while (size > 0) {
    const ssize_t n = offset ? ::pwrite(fd, data, size, *offset) : ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
    if (offset) *offset += n;
  }
  return true;
}

}  // namespace

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Open(const std::string& diskPath, std::string& error) {
  Abandon();
  if (diskPath.empty() || diskPath.back() == '/') {
    error = diskPath + ": not a file name";
    return false;
  }
  target_ = diskPath;
  // A unique name in the target's folder: the rename stays on one file system, and two
  // writers of the same file never share a temporary file.
  std::string pattern = diskPath + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error = diskPath + ": " + std::strerror(errno);
    return false;
  }
  temporary_ = name.data();
  // mkostemp makes the file private; a saved file keeps the permissions of the file it
  // replaces, or gets the usual ones.
  struct stat existing {};
  ::fchmod(fd_, ::stat(diskPath.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                         : (0666 & ~ProcessUmask()));
  size_ = 0;
  writeErrno_ = 0;
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0 || writeErrno_) return false;
  if (!WriteAll(fd_, bytes.data(), bytes.size(), nullptr)) {
    writeErrno_ = errno ? errno : EIO;
    return false;
  }
  size_ += bytes.size();
  return true;
}

bool AtomicFile::WriteAt(uint64_t offset, std::string_view bytes) {
  if (fd_ < 0 || writeErrno_) return false;
  if (offset > size_ || bytes.size() > size_ - offset) return false;  // only over what is there
  off_t at = static_cast<off_t>(offset);
  if (!WriteAll(fd_, bytes.data(), bytes.size(), &at)) {
    writeErrno_ = errno ? errno : EIO;
    return false;
  }
  return true;
}

bool AtomicFile::Commit(std::string& error) {
  if (fd_ < 0) {
    error = target_ + ": not open";
    return false;
  }
  int failure = writeErrno_;
  if (!failure && ::fsync(fd_) != 0) failure = errno;
  if (::close(fd_) != 0 && !failure) failure = errno;
  fd_ = -1;
  if (!failure && ::rename(temporary_.c_str(), target_.c_str()) != 0) failure = errno;
  if (failure) {
    error = target_ + ": " + std::strerror(failure);
    ::unlink(temporary_.c_str());
    temporary_.clear();
    return false;
  }
  temporary_.clear();
  SyncFolder(FolderOf(target_));
  return true;
}

void AtomicFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool WriteFileAtomic(const std::string& diskPath, std::string_view bytes, std::string& error) {
  AtomicFile file;
  if (!file.Open(diskPath, error)) return false;
  file.Write(bytes);
  return file.Commit(error);
}

}  // namespace zd::platform
