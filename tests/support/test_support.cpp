#include "support/test_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace zd::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zdtest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
  const std::string path = File(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string BuildDir() { return ZD_BUILD_DIR; }
std::string SourceDir() { return ZD_SOURCE_DIR; }

namespace {

// The tests' environment without the language variables, then `extra`.
std::vector<std::string> ChildEnvironment(const Environment& extra) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    if (name == "LANGUAGE" || name == "LC_ALL" || name == "LC_MESSAGES" || name == "LANG") continue;
    variables.push_back(variable);
  }
  variables.insert(variables.end(), extra.begin(), extra.end());
  return variables;
}

}  // namespace

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& input, const std::string& workingDirectory,
                     const Environment& environment) {
  TempDir outputs;
  const std::string inPath = outputs.Write("in", input);
  const std::string outPath = outputs.File("out"), errPath = outputs.File("err");
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> variables = ChildEnvironment(environment);
  std::vector<char*> envp;
  for (auto& v : variables) envp.push_back(v.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  }
  pid_t pid = 0;
  RunResult result;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

RunResult RunPlayer(const std::vector<std::string>& args, const std::string& workingDirectory,
                    const Environment& environment) {
  return RunProgram(BuildDir() + "/zd32", args, "", workingDirectory, environment);
}

RunResult RunTool(const std::string& name, const std::vector<std::string>& args,
                  const std::string& input) {
  return RunProgram(BuildDir() + "/" + name, args, input);
}

}  // namespace zd::test
