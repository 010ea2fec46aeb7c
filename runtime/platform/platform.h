// The platform layer: everything the runtime needs from the machine it runs on, behind one
// interface with two backends (a real window through SDL, and headless runs with a virtual
// clock and scripted input). Nothing above this directory includes a platform library header.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/cursor_image.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/main_loop_tasks.h"
#include "platform/print/print_service.h"
#include "platform/media/media_player.h"
#include "platform/save_store.h"
#include "platform/ticks.h"
#include "platform/types.h"

namespace zd::platform {

// A script variable as automation sees it (for "expect var").
struct ProbedVariable {
  enum class Kind { Integer, Float, Text } kind = Kind::Text;
  double number = 0;
  std::string text;  // code page 1253
};

// What the runtime offers the backend. Modal loops of the backend call it to keep the
// runtime going (timers, posted work, painting) while they wait for the user; automation
// calls it to check expectations.
class Host {
 public:
  virtual ~Host() = default;
  virtual std::optional<uint32_t> NextTimerDue() = 0;  // when a timer next falls due, if any
  virtual void DispatchBackground() = 0; // posted messages, due timers and painting; no input
  virtual void PaintNow() = 0;           // bring the presented picture up to date
  virtual void PageOrigin(int& x, int& y) = 0;  // page pixel (0,0) in client pixels
  virtual std::optional<std::string> CurrentPageName() = 0;
  // True while nothing the runtime's timers drive can change: no title runs and nothing is
  // queued, or the page clock and the movies stand still behind a dialog. A backend on the
  // real clock may then let timers come late, to wake less often; one on a virtual clock keeps
  // them exact, so that runs stay comparable.
  virtual bool TimersMayWait() { return false; }
  virtual std::optional<ProbedVariable> Variable(const std::string& name) = 0;
};

// What became of a program the player was asked to start.
struct ProgramStart {
  enum class Outcome {
    Started,   // it runs
    Recorded,  // a headless run only traced it
    Failed,    // it could not be started: `error` says why (an errno value)
  };
  Outcome outcome = Outcome::Failed;
  int error = 0;
  bool ok() const { return outcome != Outcome::Failed; }
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual const char* Name() const = 0;
  virtual void SetHost(Host* host) = 0;

  // Clock: milliseconds, and local time.
  virtual uint32_t TickCount() = 0;
  virtual LocalTime Now() = 0;

  // The screen and the one main window. Sizes are logical pixels.
  virtual ScreenInfo Screen() = 0;
  virtual bool OpenWindow(const WindowSpec& request) = 0;
  virtual void SetWindow(const WindowSpec& request) = 0;
  virtual void CloseWindow() = 0;
  virtual void ClientSize(int& width, int& height) = 0;
  virtual void Present(const Frame& frame) = 0;
  // The client area as last presented (page at its origin, bands around it).
  virtual std::optional<RgbImage> WindowPicture() = 0;
  virtual int DoubleClickTime() = 0;
  // How the client area fills a larger window or screen. The choice holds for every later
  // placement; a backend without a screen only records it.
  virtual void SetScaling(Scaling scaling) { scaling_ = scaling; }
  Scaling scaling() const { return scaling_; }
  // The window's outer size in screen pixels, as the user sees it (kept between runs).
  virtual void WindowSize(int& width, int& height) { ClientSize(width, height); }

  // Events: PollEvent never blocks; WaitEvent blocks until an event arrives (true), the tick
  // count reaches `deadline` or work is posted to Tasks() (false); without a deadline it waits
  // for an event or work.
  virtual bool PollEvent(Event& event) = 0;
  virtual bool WaitEvent(Event& event, std::optional<uint32_t> deadline) = 0;
  // Drops the left-button presses and releases the system holds for the window and has not
  // handed out yet: clicks made while a page loaded are not for the page that comes.
  virtual void DiscardPendingClicks() = 0;

  // Pointer shapes.
  virtual CursorHandle CreateCursor(const CursorImage& image) = 0;
  virtual CursorHandle LoadSystemCursor(SystemCursor which) = 0;
  virtual void SetCursor(CursorHandle cursor) = 0;

  // Modal interface. Each runs a nested loop that keeps calling Host::DispatchBackground.
  virtual int MessageBox(const MessageBoxSpec& request) = 0;               // an answer::
  virtual int ButtonDialog(const ButtonDialogSpec& request) = 0;           // a button id
  virtual int PopupMenu(const PopupMenuSpec& request) = 0;                 // a command id or 0
  // The chosen path (code page 1253) and file type; nullopt when the dialog was cancelled.
  virtual std::optional<FileChoice> FileDialog(const FileDialogSpec& request) = 0;
  // The print dialog (nullopt: cancelled) and the page-setup dialog (nullopt: cancelled,
  // nothing changes).
  virtual std::optional<PrintChoice> PrintDialog(const PrintDialogSpec& request) = 0;
  virtual std::optional<PageSetup> PageSetupDialog(const PageSetupSpec& request) = 0;
  // A dialog of radio choices, check boxes, an edit field and buttons.
  virtual FormAnswer FormDialog(const FormDialogSpec& request) = 0;

  // Services with interfaces of their own, handed to the subsystems that need them.
  virtual AudioOutput& Audio() = 0;        // sound of movies and clips
  virtual MediaLibrary& Media() = 0;       // movies and sound files, sounding through Audio()
  virtual MainLoopTasks& Tasks() = 0;      // work posted to the main loop from other threads
  virtual SaveStore& Saves() = 0;          // settings and saves in the user's folders
  virtual PrintService& Printing() = 0;    // printers, paper and PDF documents

  // Processes: starts a program (disk path first, then its arguments) without a shell and
  // without waiting. Headless runs start nothing unless they were asked to (--start-programs):
  // the caller's trace line is the record.
  virtual ProgramStart StartProgram(const std::vector<std::string>& arguments);

 protected:
  Scaling scaling_ = Scaling::Sharp;
  std::vector<int> startedPrograms_;  // started and not yet collected (processes.cpp)
};

}  // namespace zd::platform
