#include "support/runtime_fixture.h"

#include <gtest/gtest.h>

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
  headless.audioOutPath = options.audioOutPath;
  std::string error;
  platform_ = platform::MakeHeadlessPlatform(headless, trace_, driver_.get(), error);
  if (!platform_) ADD_FAILURE() << error;
  RuntimeConfig config;
  config.commandLine = options.commandLine;
  config.messagesPath =
      options.messagesPath.empty() ? "/nonexistent/MESSAGES.TXT" : options.messagesPath;
  runtime_ = std::make_unique<Runtime>(*platform_, trace_, config);
  runtime_->shell.ReadCommandLine();
}

RuntimeFixture::~RuntimeFixture() = default;

}  // namespace zd::test
