// The test program's entry point. Every test starts with empty settings and saves folders of
// its own, below the build directory: no test reads or writes the user's settings and saves,
// and nothing one test saves is seen by the next. The players the tests start inherit them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace {

class FreshUserFolders final : public testing::EmptyTestEventListener {
 public:
  FreshUserFolders() {
    // One root per test process: ctest runs tests side by side.
    root_ = std::filesystem::path(zd::test::BuildDir()) / "test-xdg" / std::to_string(::getpid());
    Clean();
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  ~FreshUserFolders() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  void OnTestStart(const testing::TestInfo&) override { Clean(); }

 private:
  void Clean() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    std::filesystem::create_directories(root_ / "config", ignored);
    std::filesystem::create_directories(root_ / "data", ignored);
  }
  std::filesystem::path root_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  auto* folders = new FreshUserFolders;  // gtest owns its listeners
  testing::UnitTest::GetInstance()->listeners().Append(folders);
  return RUN_ALL_TESTS();
}
