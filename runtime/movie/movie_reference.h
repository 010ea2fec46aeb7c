// Where a movie's file is: page movies name it in a small reference resource, sound clips
// name it in the script. A reference is a file name, optionally followed by ":" and a part
// added to the "qtime" folder's name ("intro: 2" is "qtime2\intro"). Titles are hostile input
// like any other: a reference that would lead outside the title's folder finds nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zd {

// How much of the reference resource is read.
constexpr size_t kMovieReferenceBytes = 256;
// A reference is at most this long (the file name fields of the slots hold one more byte).
constexpr size_t kMovieReferenceLength = 19;

struct MovieReference {
  std::string name;
  std::string subdirectory;  // added to "qtime"; empty for the folder itself
};

// The reference held by the first bytes of a reference resource: the text (up to its first
// NUL) after its last ".", or all of it when it has none, at most 19 characters, cut at the
// last line feed among them (a carriage return before that line feed goes too).
std::string MovieReferenceText(std::string_view resourceStart);

// Splits a reference at its first colon; one blank after the colon is dropped.
MovieReference SplitMovieReference(std::string_view reference);

// True when `relative` (a title path written with "\" or "/") names something inside the
// folder it is taken from: not absolute, no drive letter, no ".." component.
bool StaysInsideFolder(std::string_view relative);

// The paths tried for a movie, relative to the authorfile's folder, in order: the file below
// "tween\qtime" for animations and "movies\qtime" otherwise, then the same with ".mov".
// Empty when the reference would lead outside the title.
std::vector<std::string> MovieFileCandidates(const MovieReference& reference, bool animation);

}  // namespace zd
