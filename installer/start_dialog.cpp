#include "installer/start_dialog.h"

#include <cstring>

namespace zd::install {

StartChoice AskStartDialog(platform::Platform& platform, const InstallerTexts& texts) {
  platform::ButtonDialogSpec dialog;
  dialog.name = "IDD_START";
  dialog.caption = texts.Get(text::START_CAPTION);
  dialog.text = texts.Format(127, {Installer::TitleName()});
  dialog.buttons = {{start_button::RUN, texts.Get(text::RUN)},
                    {start_button::REINSTALL, texts.Get(text::REINSTALL)},
                    {start_button::CANCEL, texts.Get(text::CANCEL)}};
  dialog.defaultId = start_button::RUN;
  dialog.closeId = start_button::CANCEL;
  // A reinstallation replaces what is there, so the choice is asked for twice.
  for (int shown = 0; shown < 2; ++shown) {
    const int answer = platform.ButtonDialog(dialog);
    if (answer == start_button::RUN) return StartChoice::Run;
    if (answer != start_button::REINSTALL) return StartChoice::Cancel;
  }
  return StartChoice::Reinstall;
}

bool RunInstalledTitle(platform::Platform& platform, const Installer& installer,
                       const InstallerTexts& texts, const Trace& trace) {
  const auto command = installer.RunCommand();
  if (!command || command->empty()) {
    platform.MessageBox(
        InstallerMessageBox(texts, text::NO_RUN_COMMAND, {}, MessageKind::Warning));
    return false;
  }
  if (StartTraced(platform, trace, *command)) return true;
  platform.MessageBox(
      InstallerMessageBox(texts, text::CANNOT_START, {command->front()}, MessageKind::Warning));
  return false;
}

bool StartTraced(platform::Platform& platform, const Trace& trace,
                 const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  std::string line = StartTraceLine(arguments);
  const platform::ProgramStart started = platform.StartProgram(arguments);
  if (!started.ok()) line += std::string(" (not started: ") + std::strerror(started.error) + ")";
  trace.Line(TraceCategory::Start, line);
  return started.ok();
}

}  // namespace zd::install
