#include "movie/movie_header.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace zd {
namespace {

// A "moov" atom larger than this is not read: real ones hold a few kilobytes of tables.
constexpr uint64_t kLargestMovieAtom = 64u << 20;

uint64_t BigEndian(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

struct Atom {
  char type[4]{};
  uint64_t headerSize = 0;
  uint64_t size = 0;  // header included
};

// The atom whose header starts at `header` (up to 16 bytes available from there), inside a
// parent with `room` bytes left from that point. Size 0 means "to the end of the parent".
std::optional<Atom> ReadAtomHeader(const uint8_t* header, uint64_t available, uint64_t room) {
  if (available < 8 || room < 8) return std::nullopt;
  Atom atom;
  std::memcpy(atom.type, header + 4, 4);
  atom.size = BigEndian(header, 4);
  atom.headerSize = 8;
  if (atom.size == 1) {
    if (available < 16 || room < 16) return std::nullopt;
    atom.size = BigEndian(header + 8, 8);
    atom.headerSize = 16;
  } else if (atom.size == 0) {
    atom.size = room;
  }
  if (atom.size < atom.headerSize || atom.size > room) return std::nullopt;
  return atom;
}

bool Is(const Atom& atom, const char* type) { return std::memcmp(atom.type, type, 4) == 0; }

std::optional<MovieHeader> ReadMvhd(ByteView body) {
  const auto version = body.U8(0);
  if (!version) return std::nullopt;
  // Version 1 has 64-bit creation and modification times and duration.
  const size_t scaleAt = *version == 1 ? 20 : 12;
  const int durationBytes = *version == 1 ? 8 : 4;
  const auto fields = body.Sub(scaleAt, 4 + size_t(durationBytes));
  if (!fields) return std::nullopt;
  MovieHeader header;
  header.timeScale = uint32_t(BigEndian(fields->data(), 4));
  header.duration = BigEndian(fields->data() + 4, durationBytes);
  return header;
}

// The body of the first atom of `type` among the atoms that fill `parent`; nullopt when none
// is found before an atom that does not fit.
std::optional<ByteView> FindAtomBody(ByteView parent, const char* type) {
  size_t at = 0;
  while (at < parent.size()) {
    const auto atom = ReadAtomHeader(parent.data() + at, parent.size() - at, parent.size() - at);
    if (!atom) return std::nullopt;
    if (Is(*atom, type)) return parent.Sub(at + atom->headerSize, size_t(atom->size - atom->headerSize));
    at += size_t(atom->size);
  }
  return std::nullopt;
}

std::optional<MovieHeader> FindMvhd(ByteView moov) {
  const auto mvhd = FindAtomBody(moov, "mvhd");
  return mvhd ? ReadMvhd(*mvhd) : std::nullopt;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::optional<MovieHeader> ReadMovieHeader(ByteView file) {
  const auto moov = FindAtomBody(file, "moov");
  return moov ? FindMvhd(*moov) : std::nullopt;
}

std::optional<MovieHeader> ReadMovieHeaderFromFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long end = std::ftell(file.get());
  if (end < 0) return std::nullopt;
  const uint64_t size = uint64_t(end);
  uint64_t at = 0;
  while (at < size) {
    uint8_t header[16];
    const uint64_t available = std::min<uint64_t>(sizeof header, size - at);
    if (std::fseek(file.get(), long(at), SEEK_SET) != 0 ||
        std::fread(header, 1, size_t(available), file.get()) != available) {
      return std::nullopt;
    }
    const auto atom = ReadAtomHeader(header, available, size - at);
    if (!atom) return std::nullopt;
    if (Is(*atom, "moov")) {
      const uint64_t bodySize = atom->size - atom->headerSize;
      if (bodySize > kLargestMovieAtom) return std::nullopt;
      std::vector<uint8_t> body(static_cast<size_t>(bodySize));
      if (std::fseek(file.get(), long(at + atom->headerSize), SEEK_SET) != 0 ||
          std::fread(body.data(), 1, body.size(), file.get()) != body.size()) {
        return std::nullopt;
      }
      return FindMvhd(ByteView(body.data(), body.size()));
    }
    at += atom->size;
  }
  return std::nullopt;
}

}  // namespace zd
