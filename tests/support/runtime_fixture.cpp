#include "support/runtime_fixture.h"

#include <variant>

#include "platform/headless/headless_platform.h"

namespace zd::test {

RuntimeFixture::RuntimeFixture(RuntimeOptions options) : trace_(&traceOut_, Trace::kAll) {
  if (!options.events.empty()) {
    auto parsed = platform::ParseEventScript(options.events, "events");
    driver_ = std::make_unique<platform::EventScriptDriver>(
        std::move(std::get<platform::EventScript>(parsed)), trace_);
  }
  platform::HeadlessOptions headless;
  headless.screen = options.screen;
  headless.startTicks = options.startTicks;
  platform_ = platform::MakeHeadlessPlatform(headless, trace_, driver_.get());
  RuntimeConfig config;
  config.commandLine = options.commandLine;
  config.messagesPath =
      options.messagesPath.empty() ? "/nonexistent/MESSAGES.TXT" : options.messagesPath;
  runtime_ = std::make_unique<Runtime>(*platform_, trace_, config);
  runtime_->shell.ReadCommandLine();
}

RuntimeFixture::~RuntimeFixture() = default;

}  // namespace zd::test
