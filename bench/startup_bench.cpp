// Start-up of the whole player: `zd32 --headless` from exec through its first frame to its
// exit, with the peak resident memory of the process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>

extern char** environ;

namespace {

void BM_HeadlessStartToFirstFrameAndQuit(benchmark::State& state) {
  std::string program = ZD_PLAYER;
  std::string headless = "--headless";
  char* argv[] = {program.data(), headless.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  long peakKb = 0;
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start zd32");
      break;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("zd32 did not exit cleanly");
      break;
    }
    peakKb = std::max(peakKb, usage.ru_maxrss);
  }
  posix_spawn_file_actions_destroy(&actions);
  state.counters["peak_rss_MB"] = benchmark::Counter(static_cast<double>(peakKb) / 1024.0);
}
BENCHMARK(BM_HeadlessStartToFirstFrameAndQuit)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
