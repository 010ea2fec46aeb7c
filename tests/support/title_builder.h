// Helpers for the title tool tests: the files of a directory tree, and titles made with zdbuild.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/test_support.h"

namespace zd::test {

// Every regular file below `dir`, by its path relative to `dir`, with its bytes.
inline std::map<std::string, std::string> FilesBelow(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) {
      files[entry.path().lexically_relative(dir).generic_string()] = ReadFile(entry.path().string());
    }
  }
  return files;
}

// Runs zdbuild on a description given as text; fails the test when zdbuild does.
inline void Build(const std::string& description, const std::string& outDir) {
  const RunResult r = RunTool("zdbuild", {"-", outDir}, description);
  ASSERT_EQ(r.status, 0) << r.err << description;
}

}  // namespace zd::test
