// Keyed messages: failures are reported by key ("crierr20"), and the key is looked up in
// MESSAGES.TXT beside the program, so a localised build only changes that file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/message_format.h"

namespace zd {

class Runtime;

// Looks `key` up in the messages file at `diskPath`, afresh on every call. Returns the text of
// the line whose key (everything before the first colon) equals `key` exactly: everything after
// that colon up to the next colon or the end of the line (its line break included when no
// further colon follows). Returns `key` itself when the file cannot be read or has no such line.
std::string LookupMessage(const std::string& diskPath, std::string_view key);

// The generic key shown in place of messages that would reveal a path while diagnostics are off.
inline constexpr const char* kGenericKey = "crierr27";

class Reporter {
 public:
  explicit Reporter(Runtime& runtime) : runtime_(runtime) {}

  std::string Lookup(std::string_view key) const;

  // Always shows the message.
  void ReportError(std::string_view key, const MessageArgument& argument = {});
  // Always shows the message, in a box with its own caption rather than the window's title.
  void ReportErrorCaptioned(std::string_view caption, std::string_view key,
                            const MessageArgument& argument = {});
  // Shows the message only while diagnostics are on.
  void ReportDiagnostic(std::string_view key, const MessageArgument& argument = {});
  // A message with a generic form: `key` with its argument while diagnostics are on, the
  // generic "crierr27" while they are off.
  void ReportDetailedError(std::string_view key, const MessageArgument& argument);

  // A message preceded directly by `heading` (script errors carry the script's name and line);
  // shown always, or only while diagnostics are on.
  void ReportWithHeading(std::string_view heading, std::string_view key,
                         const MessageArgument& argument, bool always);

  // A text of the title's own (not a keyed message) in the same box, under `caption` (which
  // may be empty).
  void ShowText(std::string_view caption, std::string_view text);

  // A fixed table of the program is too small: a warning box captioned "Build Error".
  void ShowBuildError(const std::string& text);

  bool diagnostics() const;

 private:
  void Show(std::string_view key, const MessageArgument& argument,
            std::string_view heading = {}, std::string_view caption = {});
  // Without a caption, the box is captioned with the window's title.
  void ShowBox(std::optional<std::string> caption, std::string text, std::string_view key);

  Runtime& runtime_;
};

}  // namespace zd
