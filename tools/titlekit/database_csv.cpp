#include "titlekit/database_csv.h"

namespace zd::titlekit {

std::optional<std::vector<CsvRow>> ParseCsv(std::string_view text, std::string& error) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<CsvRow> rows;
  size_t line = 1;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      i += text[i] == '\r' ? 2 : 1;  // an empty line
      ++line;
      continue;
    }
    CsvRow row;
    row.line = line;
    bool rowEnded = false;
    while (!rowEnded) {
      std::string cell;
      if (i < text.size() && text[i] == '"') {
        const size_t opened = line;
        ++i;
        while (true) {
          if (i >= text.size()) {
            error = "line " + std::to_string(opened) + ": a quoted cell is not closed";
            return std::nullopt;
          }
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              cell += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (text[i] == '\n') ++line;
          cell += text[i++];
        }
        if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
            !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
          error = "line " + std::to_string(line) + ": a closing quote is followed by more text";
          return std::nullopt;
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\n' &&
               !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
          cell += text[i++];
        }
      }
      row.cells.push_back(std::move(cell));
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      if (i < text.size()) {
        i += text[i] == '\r' ? 2 : 1;
        ++line;
      }
      rowEnded = true;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string CsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    const std::string& cell = cells[i];
    if (i) line += ',';
    const bool quote = cell.find_first_of(",\"\r\n") != std::string::npos || (cells.size() == 1 && cell.empty());
    if (!quote) {
      line += cell;
      continue;
    }
    line += '"';
    for (char c : cell) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace zd::titlekit
