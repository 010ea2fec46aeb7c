// The script engine beside Lua 5.4 on the same straight-line workload: 10,000 lines of integer
// and real arithmetic, text concatenation and if/else/endif, written once as a page script and
// once as Lua statements on global variables (compiled once, as Lua always runs). Both run in
// this process, round after round, alternating, so that both see the same machine; the figure
// is the ratio of the engine's time to Lua's (below 1: the engine is the faster).
//
// Times are CPU time of this thread; the fastest round of each counts, the machine being shared.
#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "runtime.h"

namespace {

constexpr int kBlocks = 1000;  // ten lines each
constexpr int kLines = kBlocks * 10;
constexpr int kRunsPerRound = 100;
constexpr int kRounds = 15;

// Every line of both forms runs through the same decisions: the first half of the blocks take
// the "else" branch and concatenate, the second half the "if" branch and add reals.
std::string EngineScript() {
  std::ostringstream out;
  for (int i = 0; i < kBlocks; ++i) {
    out << "set a%, " << i << "\n"
        << "add total%, total%, a%\n"
        << "if (a% >= " << kBlocks / 2 << ")\n"
        << "  add distance, distance, 2.5\n"
        << "else\n"
        << "  add greeting$, \"Ada\", \"!\"\n"
        << "endif\n"
        << "if (greeting$ == \"Ada!\")\n"
        << "  add count%, count%, 1\n"
        << "endif\n";
  }
  return out.str();
}

std::string LuaScript() {
  std::ostringstream out;
  for (int i = 0; i < kBlocks; ++i) {
    out << "a = " << i << "\n"
        << "total = total + a\n"
        << "if a >= " << kBlocks / 2 << " then\n"
        << "  distance = distance + 2.5\n"
        << "else\n"
        << "  greeting = \"Ada\" .. \"!\"\n"
        << "end\n"
        << "if greeting == \"Ada!\" then\n"
        << "  count = count + 1\n"
        << "end\n";
  }
  return out.str();
}

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename Run>
double TimeRuns(Run run) {
  const double start = ThreadSeconds();
  for (int i = 0; i < kRunsPerRound; ++i) run();
  return ThreadSeconds() - start;
}

}  // namespace

// With "engine" or "lua" as its argument only that one runs, round after round (for a profiler).
int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  // The engine: a headless runtime with the trace off, its variables made by a first run.
  zd::Trace trace;
  zd::platform::HeadlessOptions options;
  auto platform = zd::platform::MakeHeadlessPlatform(options, trace, nullptr);
  zd::Runtime runtime(*platform, trace, zd::RuntimeConfig{});
  runtime.shell.ReadCommandLine();
  zd::script::ScriptSource source;
  source.name.Assign("+Start");
  source.text = "set total%, 0\nset distance, 0\nset count%, 0\nset greeting$, \"\"\n";
  runtime.script.RunScript(source, 0, 1, false);
  // Prepared once, as a script object's text is the first time it runs.
  const auto prepared = runtime.script.Prepare(EngineScript());
  auto runEngine = [&] { runtime.script.RunPrepared(*prepared, "+Start", 0, 1, false); };
  runEngine();

  // Lua: the chunk compiled once; the globals made first.
  lua_State* lua = luaL_newstate();
  luaL_openlibs(lua);
  if (luaL_dostring(lua, "total = 0 distance = 0.0 count = 0 greeting = ''") != LUA_OK) {
    std::fprintf(stderr, "lua: %s\n", lua_tostring(lua, -1));
    return 1;
  }
  const std::string luaText = LuaScript();
  if (luaL_loadbuffer(lua, luaText.data(), luaText.size(), "workload") != LUA_OK) {
    std::fprintf(stderr, "lua: %s\n", lua_tostring(lua, -1));
    return 1;
  }
  const int chunk = luaL_ref(lua, LUA_REGISTRYINDEX);
  auto runLua = [&] {
    lua_rawgeti(lua, LUA_REGISTRYINDEX, chunk);
    if (lua_pcall(lua, 0, 0, 0) != LUA_OK) {
      std::fprintf(stderr, "lua: %s\n", lua_tostring(lua, -1));
      lua_pop(lua, 1);
    }
  };
  runLua();

  std::vector<double> engineTimes, luaTimes;
  for (int round = 0; round < kRounds; ++round) {
    engineTimes.push_back(only == "lua" ? 0.0 : TimeRuns(runEngine));
    luaTimes.push_back(only == "engine" ? 0.0 : TimeRuns(runLua));
  }
  if (!only.empty()) return 0;
  const double engineBest = *std::min_element(engineTimes.begin(), engineTimes.end());
  const double luaBest = *std::min_element(luaTimes.begin(), luaTimes.end());
  const double lines = static_cast<double>(kLines) * kRunsPerRound;
  std::printf("workload: %d lines, %d runs a round, %d rounds, alternating (fastest round)\n",
              kLines, kRunsPerRound, kRounds);
  std::printf("script engine: %8.2f ms a round, %7.1f million lines/s\n", engineBest * 1e3,
              lines / engineBest / 1e6);
  std::printf("Lua 5.4:       %8.2f ms a round, %7.1f million lines/s\n", luaBest * 1e3,
              lines / luaBest / 1e6);
  std::printf("ratio (engine time / Lua time): %.2f\n", engineBest / luaBest);
  lua_close(lua);
  return 0;
}
