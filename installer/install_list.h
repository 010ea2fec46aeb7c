// The install list "PCINST" on a title's CD: plain text in blocks between "{" and "}", each
// holding entries of a name and a value in double quotes. The file comes from the CD and is
// read as untrusted text: blocks and values have bounds, and a list that breaks them is refused
// with the reason rather than cut.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::install {

constexpr size_t kMaxListBytes = 1024 * 1024;  // a longer file is not an install list
constexpr size_t kMaxBlockBytes = 1024;        // the text between "{" and "}"
constexpr size_t kMaxValueBytes = 260;         // a value between its double quotes

struct InstallBlock {
  // The block's text as the reader sees it: characters below a blank and further "{" are
  // blanks, and comments ("#" to the end of the line, outside double quotes) are blanked.
  std::string text;
  // The value of entry `name` (code page 1253): the text between the first pair of double
  // quotes after the name. The name is matched without regard to case and only outside double
  // quotes, as a whole word. nullopt when the block has no such entry.
  std::optional<std::string> Value(std::string_view name) const;
  bool Has(std::string_view name) const { return Value(name).has_value(); }
};

enum class ListProblem {
  None,
  TooLarge,           // the file is over kMaxListBytes
  Empty,              // no block
  UnterminatedQuote,  // a value's closing double quote is missing in its block
  BlockTooLong,       // a block over kMaxBlockBytes
  ValueTooLong,       // a value over kMaxValueBytes
};

struct InstallList {
  std::vector<InstallBlock> blocks;
  ListProblem problem = ListProblem::None;
  int problemBlock = 0;  // the block (from 1) the problem is in; 0 for the whole file
};

InstallList ParseInstallList(std::string_view bytes);

}  // namespace zd::install
