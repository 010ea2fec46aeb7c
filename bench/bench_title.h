// A title made in memory with the title kit and started over the headless platform, for the
// benchmarks that need pages: the description's pages and sections are the benchmark's own; four
// picture resources (dir 1, numbers 1 to 4: a 48 x 48 picture with a round mask, made into
// mode-28 sprites) are always there.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/headless/headless_platform.h"
#include "platform/png_codec.h"
#include "runtime.h"
#include "titlekit/description_json.h"
#include "titlekit/title_writer.h"

namespace zd::bench {

class BenchTitle {
 public:
  // `pages` and `sections` are the JSON arrays of the title's description; `name` names the
  // temporary folder the title is written to.
  BenchTitle(const std::string& name, const std::string& pages, const std::string& sections) {
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() / ("zdbench-" + name + "-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    WritePicture(dir_ / "picture.png");
    std::string resources;
    for (int n = 1; n <= 4; ++n) {
      resources += std::string(n > 1 ? "," : "") + R"({"dir": 1, "number": )" +
                   std::to_string(n) + R"(, "picture": {"png": "picture.png", "mode": 28}})";
    }
    const std::string description = R"({"pages": )" + pages + R"(, "sections": )" + sections +
                                    R"(, "resources": [)" + resources + "]}";
    titlekit::WriteDescription(titlekit::ParseDescriptionText(description, dir_), dir_ / "title");
    platform_ = platform::MakeHeadlessPlatform({}, trace_, nullptr);
    RuntimeConfig config;
    config.commandLine = (dir_ / "title").string();
    config.messagesPath = "/nonexistent";
    runtime_ = std::make_unique<Runtime>(*platform_, trace_, config);
    runtime_->shell.StartUp();
    runtime_->shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
    runtime_->shell.PaintNow();
  }
  ~BenchTitle() {
    runtime_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  BenchTitle(const BenchTitle&) = delete;
  BenchTitle& operator=(const BenchTitle&) = delete;

  Runtime& runtime() { return *runtime_; }

 private:
  static void WritePicture(const std::filesystem::path& path) {
    platform::RgbaImage image;
    image.width = image.height = 48;
    image.rgba.resize(48 * 48 * 4);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 48; ++x) {
        uint8_t* p = &image.rgba[(size_t(y) * 48 + x) * 4];
        const int dx = x - 24, dy = y - 24;
        p[0] = static_cast<uint8_t>(200 + x);
        p[1] = static_cast<uint8_t>(60 + 3 * y);
        p[2] = 40;
        p[3] = dx * dx + dy * dy < 22 * 22 ? 255 : 0;
      }
    }
    std::string error;
    platform::WritePngRgba(path.string(), image, error);
  }

  std::filesystem::path dir_;
  Trace trace_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Runtime> runtime_;
};

}  // namespace zd::bench
