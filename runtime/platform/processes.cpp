#include "platform/processes.h"

#include "platform/platform.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <vector>

extern char** environ;

namespace zd::platform {

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < line.size()) {
      const char c = line[i];
      if (!quoted && (c == ' ' || c == '\t')) break;
      if (c == '\\') {
        size_t n = 0;
        while (i < line.size() && line[i] == '\\') ++n, ++i;
        if (i < line.size() && line[i] == '"') {
          arg.append(n / 2, '\\');
          if (n % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(n, '\\');
        }
        continue;
      }
      if (c == '"') {
        // Inside quotes, a doubled quote is a literal quote.
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += c;
      ++i;
    }
    args.push_back(std::move(arg));
  }
  return args;
}

std::string FindOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty()) return {};
  std::string_view rest(path);
  while (true) {
    const size_t colon = rest.find(':');
    const std::string dir(rest.substr(0, colon));
    // Only absolute entries: an empty or relative one would look in the current directory,
    // which may be a title's own.
    if (!dir.empty() && dir.front() == '/') {
      const std::string candidate = dir + "/" + std::string(name);
      struct stat st {};
      if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
          ::access(candidate.c_str(), X_OK) == 0) {
        return candidate;
      }
    }
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return {};
}

int SpawnProgram(const std::vector<std::string>& arguments, int* startedPid) {
  // posix_spawn would look a bare or relative name up from the current folder, which may be a
  // title's or a CD's: only a program found by its whole path is started.
  if (arguments.empty() || arguments.front().empty() || arguments.front().front() != '/') {
    return ENOENT;
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  if (const int failed = posix_spawnattr_init(&attributes); failed != 0) return failed;
  // The child starts with default signal handling and in a process group of its own.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGCHLD);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // the program inherits no handles
#endif
  pid_t pid = 0;
  const int result = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (result != 0) return result;
  if (startedPid) *startedPid = pid;
  return 0;
}

void ReapFinishedPrograms(std::vector<int>& pids) {
  std::erase_if(pids, [](int pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

ProgramStart Platform::StartProgram(const std::vector<std::string>& arguments) {
  // Programs are not waited for, but those that have ended are collected at the next start so
  // that a long run opening many links leaves no trail of finished processes behind.
  ReapFinishedPrograms(startedPrograms_);
  ProgramStart start;
  int pid = 0;
  start.error = SpawnProgram(arguments, &pid);
  if (start.error == 0) startedPrograms_.push_back(pid);
  start.outcome = start.error == 0 ? ProgramStart::Outcome::Started : ProgramStart::Outcome::Failed;
  return start;
}

}  // namespace zd::platform
