// Helpers shared by the tests: temporary directories, running zd32 and the tools, reading files.
#pragma once

#include <string>
#include <vector>

namespace zd::test {

// A fresh directory under the system's temporary directory, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` to `name` inside the directory and returns its path.
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

struct RunResult {
  int status = -1;   // exit status, or -1 when the program did not exit normally
  std::string out;   // standard output
  std::string err;   // standard error (the trace)
};

// Programs run by the tests see the tests' environment without the variables that choose the
// player's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), so they speak Greek wherever the
// tests run; `environment` ("NAME=value" entries) is added on top.
using Environment = std::vector<std::string>;

// Runs the built zd32 with `args`, without a shell; in `workingDirectory` when one is given
// (event scripts write their screenshots there).
RunResult RunPlayer(const std::vector<std::string>& args,
                    const std::string& workingDirectory = "",
                    const Environment& environment = {});

// Runs `program` (a path) with `args` and `input` on its standard input, without a shell.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& input = "", const std::string& workingDirectory = "",
                     const Environment& environment = {});

// Runs the built program `name` (zdbuild, zdinfo) with `args` and `input` on its standard input.
RunResult RunTool(const std::string& name, const std::vector<std::string>& args,
                  const std::string& input = "");

std::string ReadFile(const std::string& path);

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}
std::string BuildDir();
std::string SourceDir();

}  // namespace zd::test
