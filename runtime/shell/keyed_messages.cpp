#include "shell/keyed_messages.h"

#include <cstdio>
#include <memory>

#include "platform/platform.h"
#include "runtime.h"

namespace zd {
namespace {

constexpr size_t kLineLimit = 511;   // longer lines are read in pieces of this many characters
constexpr size_t kTextLimit = 255;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// Reads the next piece of at most kLineLimit characters, through the line break, the way a
// text-mode read of the original platform did: CR LF reads as LF, and Ctrl-Z ends the file.
bool ReadPiece(FILE* f, std::string& piece) {
  piece.clear();
  int c;
  while (piece.size() < kLineLimit && (c = std::fgetc(f)) != EOF) {
    if (c == 0x1A) {
      std::fseek(f, 0, SEEK_END);
      break;
    }
    if (c == '\r') {
      const int next = std::fgetc(f);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, f);
      }
    }
    piece += static_cast<char>(c);
    if (c == '\n') break;
  }
  return !piece.empty();
}

}  // namespace

std::string LookupMessage(const std::string& diskPath, std::string_view key) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(diskPath.c_str(), "rb"));
  if (!file) return std::string(key);
  std::string currentKey, text, piece;
  bool found = false;
  while (!found) {
    if (!ReadPiece(file.get(), piece)) break;
    const size_t colon = piece.find(':');
    if (colon == std::string::npos) {
      currentKey.clear();
      text.clear();
      continue;
    }
    currentKey = piece.substr(0, colon);
    const size_t next = piece.find(':', colon + 1);
    text = piece.substr(colon + 1, next == std::string::npos ? std::string::npos
                                                             : next - colon - 1);
    if (text.size() > kTextLimit) text.resize(kTextLimit);
    found = !currentKey.empty() && currentKey == key;
  }
  return found ? text : std::string(key);
}

std::string Reporter::Lookup(std::string_view key) const {
  return LookupMessage(runtime_.config.messagesPath, key);
}

bool Reporter::diagnostics() const { return runtime_.shell.commandLine().diagnostics; }

void Reporter::ReportError(std::string_view key, const MessageArgument& argument) {
  Show(key, argument);
}

void Reporter::ReportErrorCaptioned(std::string_view caption, std::string_view key,
                                    const MessageArgument& argument) {
  Show(key, argument, {}, caption);
}

void Reporter::ReportDiagnostic(std::string_view key, const MessageArgument& argument) {
  if (!diagnostics()) return;
  Show(key, argument);
}

void Reporter::ReportDetailedError(std::string_view key, const MessageArgument& argument) {
  if (diagnostics()) {
    Show(key, argument);
  } else {
    Show(kGenericKey, {});
  }
}

void Reporter::ReportWithHeading(std::string_view heading, std::string_view key,
                                 const MessageArgument& argument, bool always) {
  if (!always && !diagnostics()) return;
  Show(key, argument, heading);
}

void Reporter::ShowBuildError(const std::string& text) {
  runtime_.platform.MessageBox({.caption = "Build Error",
                                .text = text,
                                .icon = platform::MessageIcon::Warning,
                                .buttons = platform::MessageButtons::Ok});
}

void Reporter::Show(std::string_view key, const MessageArgument& argument,
                    std::string_view heading, std::string_view caption) {
  ShowBox(caption.empty() ? std::nullopt : std::optional<std::string>(caption),
          std::string(heading) + FormatMessageText(Lookup(key), argument), key);
}

void Reporter::ShowText(std::string_view caption, std::string_view text) {
  ShowBox(std::string(caption), std::string(text), {});
}

void Reporter::ShowBox(std::optional<std::string> caption, std::string text, std::string_view key) {
  platform::MessageBoxSpec box;
  box.titleCaption = !caption;
  box.caption = caption ? std::move(*caption) : runtime_.shell.windowTitle();
  box.text = std::move(text);
  box.icon = platform::MessageIcon::Information;
  box.buttons = platform::MessageButtons::Ok;
  box.key = std::string(key);
  // The page's timed events must not fall due while the user reads the message.
  runtime_.scheduler.PauseClock();
  runtime_.platform.MessageBox(box);
  runtime_.scheduler.ResumeClock();
  runtime_.shell.window().InvalidateAll(true);
}

}  // namespace zd
