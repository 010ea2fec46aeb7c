#include "support/played_title.h"

#include "graphics/canvas.h"
#include "graphics/palette.h"

namespace zd::test {

PlayedTitle::PlayedTitle(const std::string& description, RuntimeOptions options) {
  path_ = dir_.File("title");
  Build(description, path_);
  options.commandLine = (options.commandLine.empty() ? "" : options.commandLine + " ") + path_;
  fixture_ = std::make_unique<RuntimeFixture>(options);
}

int PlayedTitle::Run() {
  // As the player's own exit status: 1 when the event script failed, whatever the title said.
  const int result = runtime().Run();
  return fixture_->ScriptFailed() ? 1 : result;
}

void PlayedTitle::Start() {
  Runtime& r = runtime();
  r.shell.StartUp();  // opens the title and queues its start
  r.shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
  Paint();
}

uint8_t PlayedTitle::Pixel(int x, int y) { return runtime().graphics.pageCanvas().Row(y)[x]; }

uint8_t PaletteIndex(const std::string& colour) {
  const unsigned value = std::stoul(colour.substr(1), nullptr, 16);
  return NearestPaletteIndex(BuildRulePalette(), (value >> 16) & 0xFF, (value >> 8) & 0xFF,
                             value & 0xFF);
}

}  // namespace zd::test
