// Plays an event script into a backend: the backend asks for the next step whenever it wants
// input, and the driver answers with an input event, a wait, a dialog answer or the end.
// Screenshots, expectations and answers meant for later dialogs are handled here, so both
// backends play scripts the same way.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/trace.h"
#include "platform/automation/event_script.h"
#include "platform/events.h"
#include "platform/platform.h"

namespace zd::platform {

// What waits for the script's input.
enum class InputContext {
  Window, MessageBox, ButtonDialog, FileDialog, PopupMenu, PrintDialog, PageSetupDialog,
  FormDialog
};

struct DriverStep {
  enum class Kind {
    Event,   // deliver `event` (client coordinates already applied)
    Wait,    // let `ms` milliseconds pass, running timers, then ask again
    Answer,  // a message box or button dialog answer: `number`
    File,    // a file dialog answer: `file` (nullopt: cancelled), its type `number` (0: first)
    Menu,    // a popup menu answer: `number` (0: nothing chosen)
    Setting, // a print, page-setup or form dialog's setting: `setting` (printer, pages,
             // copies, orientation; check, uncheck, edit), taken before the dialog is answered
    End,     // the script is over (or failed): the backend decides what that means
  };
  Kind kind = Kind::End;
  Event event;
  uint32_t ms = 0;
  int number = 0;
  std::optional<std::string> file;
  ScriptCommand setting;
  int line = 0;
};

class EventScriptDriver {
 public:
  EventScriptDriver(EventScript script, const Trace& trace);

  // `platform` supplies the window picture for screenshots and the host for expectations.
  DriverStep Next(InputContext context, Platform& platform, Host* host);

  // A backend whose menus and dialogs are widgets of its own takes key presses (KeyDown,
  // KeyUp and their Char) there as real input: the sink returns true for an event it took,
  // which is then not handed out as a step (a wait of 0 ms takes its place, so the backend
  // draws a frame between a press and its release).
  using KeySink = std::function<bool(InputContext context, const Event& event)>;
  void SetKeySink(KeySink sink) { keySink_ = std::move(sink); }

  // Records a message box as shown, for "expect message".
  void RecordMessage(const std::string& key, const std::string& text);

  // Ends the run as failed (status 1) with a message on standard error.
  void Fail(int line, const std::string& message);

  bool failed() const { return failed_; }
  bool ended() const { return ended_; }
  const std::string& fileName() const { return script_.fileName; }

 private:
  DriverStep TakeQueued(InputContext context);
  DriverStep EventStep(InputContext context, const Event& event, int line);
  bool Screenshot(const ScriptCommand& cmd, Platform& platform, Host* host);
  bool Expect(const ScriptCommand& cmd, Host* host);
  std::string Where(int line) const;

  EventScript script_;
  size_t next_ = 0;
  const Trace& trace_;
  // Events of one script command still to deliver, and where they were meant to go.
  std::deque<Event> pendingEvents_;
  InputContext pendingContext_ = InputContext::Window;
  int pendingLine_ = 0;
  std::string pendingWord_;
  std::deque<ScriptCommand> queuedAnswers_;  // answers and settings given early
  struct ShownMessage {
    std::string key, text;
  };
  std::vector<ShownMessage> messages_;
  KeySink keySink_;
  bool failed_ = false;
  bool ended_ = false;
};

}  // namespace zd::platform
