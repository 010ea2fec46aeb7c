// CSV files of database records (RFC 4180): cells separated by commas, quoted with double
// quotes when they hold a comma, a quote or a line end, a quote inside doubled.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::titlekit {

struct CsvRow {
  size_t line = 0;  // where the row starts, from 1
  std::vector<std::string> cells;
};

// The rows of a CSV text (UTF-8; a leading byte order mark is skipped). Lines end with LF or
// CR LF; empty lines are skipped. nullopt with `error` ("line 4: ...") when a quoted cell is
// not closed or a closing quote is followed by anything but a comma or the line's end.
std::optional<std::vector<CsvRow>> ParseCsv(std::string_view text, std::string& error);

// One row ending in CR LF. A row of one empty cell is written as "" so that it is not an empty
// line.
std::string CsvLine(const std::vector<std::string>& cells);

}  // namespace zd::titlekit
