// Titles made with zdbuild and played in this process over the headless platform: either run
// whole with an event script, or started and then driven by calls, to look at the page state.
#pragma once

#include <memory>
#include <string>

#include "support/runtime_fixture.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd::test {

class PlayedTitle {
 public:
  // Builds the title. With `events`, Run() plays it with them; Start() starts it without.
  PlayedTitle(const std::string& description, RuntimeOptions options = {});

  // Runs the whole player on the title; returns its exit value (1 when the event script failed,
  // as the player's own).
  int Run();
  // Starts the title as the player does (window, title, first page) and paints once.
  void Start();

  Runtime& runtime() { return fixture_->runtime(); }
  Pages& pages() { return runtime().pages; }
  std::string TraceText() const { return fixture_->TraceText(); }
  void ClearTrace() { fixture_->ClearTrace(); }
  void Paint() { runtime().shell.PaintNow(); }
  // The page canvas's palette index at page pixel (x, y).
  uint8_t Pixel(int x, int y);
  const std::string& path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
  std::unique_ptr<RuntimeFixture> fixture_;
};

// The title palette index nearest an RGB colour given as "#RRGGBB".
uint8_t PaletteIndex(const std::string& colour);

}  // namespace zd::test
