// Starting programs: the errno a failed start reports, a real start, and a headless run that
// starts nothing unless asked to.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>
#include <thread>

#include "platform/headless/headless_platform.h"
#include "platform/processes.h"
#include "shell/program_options.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

bool AppearsWithin(const std::string& path, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (::access(path.c_str(), F_OK) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(SpawnProgram, FailuresCarryTheReason) {
  test::TempDir dir;
  EXPECT_EQ(SpawnProgram({dir.File("missing")}), ENOENT);
  EXPECT_EQ(SpawnProgram({}), ENOENT);
  EXPECT_EQ(SpawnProgram({"true"}), ENOENT) << "a bare name is never looked up here";
  EXPECT_EQ(SpawnProgram({"./true"}), ENOENT);
  const std::string plain = dir.Write("plain", "#!/bin/true\n");
  ::chmod(plain.c_str(), 0644);
  EXPECT_EQ(SpawnProgram({plain}), EACCES);
  EXPECT_EQ(SpawnProgram({dir.path()}), EACCES) << "a folder is not a program";
}

TEST(SpawnProgram, StartsTheProgramWithItsArguments) {
  ASSERT_EQ(SpawnProgram({"/bin/true"}), 0);
  test::TempDir dir;
  const std::string marker = dir.File("made by touch");
  ASSERT_EQ(SpawnProgram({"/usr/bin/touch", marker}), 0);
  EXPECT_TRUE(AppearsWithin(marker, std::chrono::seconds(5)))
      << "the argument with a blank arrives as one word";
}

TEST(SpawnProgram, EndedProgramsAreCollected) {
  int pid = 0;
  ASSERT_EQ(SpawnProgram({"/bin/true"}, &pid), 0);
  std::vector<int> started = {pid};
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!started.empty() && std::chrono::steady_clock::now() < until) {
    ReapFinishedPrograms(started);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(started.empty()) << "the ended program is collected";
  EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1) << "and no longer waits as a zombie";
}

TEST(HeadlessStartProgram, RecordedUnlessAskedToStart) {
  std::ostringstream out;
  Trace trace{&out, Trace::kDefault};
  test::TempDir dir;
  const std::string marker = dir.File("started");
  auto quiet = MakeHeadlessPlatform({}, trace, nullptr);
  const ProgramStart recorded = quiet->StartProgram({"/usr/bin/touch", marker});
  EXPECT_EQ(recorded.outcome, ProgramStart::Outcome::Recorded);
  EXPECT_TRUE(recorded.ok());

  HeadlessOptions starting;
  starting.startPrograms = true;
  auto real = MakeHeadlessPlatform(starting, trace, nullptr);
  const ProgramStart missing = real->StartProgram({dir.File("nothing")});
  EXPECT_EQ(missing.outcome, ProgramStart::Outcome::Failed);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(real->StartProgram({"/usr/bin/touch", marker}).outcome,
            ProgramStart::Outcome::Started);
  EXPECT_TRUE(AppearsWithin(marker, std::chrono::seconds(5)));
}

TEST(HeadlessStartProgram, AskedForOnTheCommandLine) {
  const char* argv[] = {"zd32", "--headless", "--start-programs", "title"};
  ProgramOptions options;
  ASSERT_EQ(ParseProgramOptions(4, argv, options), "");
  EXPECT_TRUE(options.startPrograms);
  EXPECT_EQ(options.commandLine, "title");
  ProgramOptions plain;
  ASSERT_EQ(ParseProgramOptions(2, argv, plain), "");
  EXPECT_FALSE(plain.startPrograms);
  for (Language language : {Language::English, Language::Greek}) {
    EXPECT_NE(ProgramUsage(language).find("--start-programs"), std::string::npos);
  }
}

}  // namespace
}  // namespace zd::platform
