// Reads authorfile bytes back into the model, for zdinfo. Title data is untrusted: every read is
// bounds-checked, every loop steps forward, and whatever cannot be read as a record (a length
// that steps outside the file, offsets that point nowhere, counts past the table) is kept as
// the bytes it is, with a note saying where structured reading stopped.
//
// The reading is checked by writing it again: a part is described by its fields only when the
// writer gives back exactly its bytes; otherwise it is described by those bytes (a raw page,
// object, event or section entry, a tail, patches, or at worst the whole file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "titlekit/title_model.h"

namespace zd::titlekit {

struct AuthorfileReading {
  Authorfile structured;  // as far as the records could be read (for the overview)
  Authorfile described;   // writes back to exactly the file's bytes
  std::vector<std::string> notes;
  size_t pageTable = 0;             // where the page table was read
  std::vector<size_t> pageOffsets;  // where each page of `structured` starts
  size_t sectionList = 0;           // 0: none read
};

AuthorfileReading ReadAuthorfile(std::string_view bytes);

// Byte ranges where `b` differs from `a` (same size), close ranges merged.
std::vector<Patch> DiffPatches(std::string_view a, std::string_view b);
// Whether `written` is close enough to `actual` (same size, few bytes apart) for its fields to
// describe it, the difference being given as patches.
bool NearlyTheSame(std::string_view written, std::string_view actual);

}  // namespace zd::titlekit
