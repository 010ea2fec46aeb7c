#include "installer/wizard.h"

#include "base/cp1253.h"
#include "installer/start_dialog.h"
#include "installer/typed_folder.h"

namespace zd::install {
namespace {

// A run whose script has ended gets every page's default answer; a page shown this often
// means the answers go round in a circle, and the run stops instead of hanging.
constexpr int kMaxPagesShown = 1000;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

Wizard::Wizard(platform::Platform& platform, Installer& installer, const InstallerTexts& texts,
               const Trace& trace)
    : platform_(platform),
      installer_(installer),
      texts_(texts),
      trace_(trace),
      installDirectory_(installer.DefaultInstallDirectory()) {}

WizardEnd Wizard::Run() {
  for (int shown = 0; shown < kMaxPagesShown; ++shown) {
    trace_.Line(TraceCategory::Dialog, "wizard page " + std::to_string(step_));
    if (auto end = Answer(platform_.FormDialog(Page()))) return *end;
  }
  trace_.Line(TraceCategory::Run, "wizard stopped: its pages were shown too often");
  return WizardEnd::Failed;
}

std::string Wizard::PageText() const {
  const auto texts = [&](std::initializer_list<int> ids) {
    std::string text;
    for (int id : ids) text += texts_.Get(id);
    return text;
  };
  switch (step_) {
    case 0: return texts({100, 101, 102});
    case 1: return texts({103, 104, 105});
    case 2: return texts({107, 108, 109});
    case 6: return texts({111, 113, 118});
    default: {
      std::string text = texts({120, 121});
      const auto& blocks = installer_.list().blocks;
      if (!blocks.empty() && blocks.front().Has("actshts")) text += texts_.Get(122);
      const std::string group = installer_.group(), title = Installer::TitleName();
      text += texts_.Format(124, {group, title, group, title});
      return text + texts_.Get(126);
    }
  }
}

platform::FormDialogSpec Wizard::Page() const {
  platform::FormDialogSpec page;
  page.name = "IDD_MAIN";
  page.caption = texts_.Get(text::MAIN_CAPTION);
  page.text = PageText();
  page.defaultId = control::NEXT;
  page.closeId = control::CANCEL;
  const auto button = [&](int id, int label, bool enabled) {
    page.buttons.push_back({id, texts_.Get(label), enabled});
  };
  switch (step_) {
    case 0:
      button(control::BACK, text::BACK, false);
      button(control::NEXT, text::NEXT, true);
      button(control::CANCEL, text::CANCEL, true);
      break;
    case 1:
      page.optionsLabel = texts_.Get(text::OPTIONS_GROUP);
      page.checks.push_back(
          {control::SAVE_AND_RESUME, texts_.Get(text::SAVE_AND_RESUME), "", saveAndResume_});
      button(control::BACK, text::BACK, true);
      button(control::NEXT, text::NEXT, true);
      button(control::CANCEL, text::CANCEL, true);
      break;
    case 2:
      page.edit = platform::FormEdit{control::INSTALL_DIRECTORY, texts_.Get(text::FOLDER_GROUP),
                                     Utf8ToCp1253(installDirectory_)};
      button(control::BACK, text::BACK, true);
      button(control::NEXT, text::NEXT, true);
      button(control::CANCEL, text::CANCEL, true);
      break;
    case 6:
      // QuickTime counts as found (the player plays the movies), so its button is not offered.
      button(control::VIEWER, text::VIEWER, true);
      button(control::BACK, text::BACK, false);
      button(control::NEXT, text::NEXT, true);
      button(control::CANCEL, text::CANCEL, true);
      break;
    default:
      // The last page: Next reads "Finish", and there is nothing left to cancel.
      button(control::BACK, text::BACK, false);
      page.buttons.push_back({control::NEXT, texts_.Get(806), true});
      page.closeId = control::NEXT;
      break;
  }
  return page;
}

std::optional<WizardEnd> Wizard::Answer(const platform::FormAnswer& answer) {
  // The controls keep what the user left in them, whichever button closed the page.
  if (step_ == 1) saveAndResume_ = answer.Checked(control::SAVE_AND_RESUME);
  // The box holds the folder in code page 1253; what still reads as shown keeps the folder's
  // own letters, and a typed letter the box lost leaves the folder unusable until retyped.
  if (step_ == 2) {
    if (auto folder = FolderFromEditText(installDirectory_, Trimmed(answer.editText))) {
      installDirectory_ = *folder;
      folderLost_.reset();
    } else {
      folderLost_ = Cp1253ToUtf8(Trimmed(answer.editText));
    }
  }

  // Only buttons the page offers, and enabled ones, count.
  const platform::FormDialogSpec page = Page();
  bool offered = false;
  for (const auto& b : page.buttons) offered = offered || (b.id == answer.button && b.enabled);
  if (!offered) return std::nullopt;

  switch (answer.button) {
    case control::NEXT:
      return Next();
    case control::BACK:
      if (step_ == 1 || step_ == 2) --step_;
      return std::nullopt;
    case control::CANCEL:
      if (Ask(507) == platform::answer::YES) return WizardEnd::Cancelled;
      return std::nullopt;
    case control::VIEWER:
      InstallViewer();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<WizardEnd> Wizard::Next() {
  switch (step_) {
    case 0:
    case 1:
      ++step_;
      return std::nullopt;
    case 2:
      return Install();
    case 6:
      step_ = 7;
      return std::nullopt;
    default:
      return WizardEnd::Finished;
  }
}

std::optional<WizardEnd> Wizard::Install() {
  if (folderLost_) {
    platform_.MessageBox(
        InstallerMessageBox(texts_, text::FOLDER_NAME_LOST, {*folderLost_}, MessageKind::Warning));
    return std::nullopt;
  }
  // A relative folder would land wherever the installer happened to be started.
  if (installDirectory_.empty() || installDirectory_.front() != '/') {
    platform_.MessageBox(InstallerMessageBox(texts_, text::NO_FOLDER, {}, MessageKind::Warning));
    return std::nullopt;
  }
  bool removeSaves = false;
  if (installer_.HasSavedFiles(installDirectory_)) {
    removeSaves = Ask(502) == platform::answer::YES;
  }
  InstallChoices choices;
  choices.installDirectory = installDirectory_;
  choices.saveAndResume = saveAndResume_;
  if (auto failure = installer_.Begin(choices, removeSaves)) {
    Tell(*failure);
    // A folder that cannot be one is the user's to change: the page comes back.
    if (failure->id == message::BAD_FOLDER) return std::nullopt;
    return WizardEnd::Failed;
  }
  // What the first block could not do (a bad icon or read-me name, a copy that failed) did not
  // stop it; the user hears of it before the next blocks, which report their own.
  for (const InstallerMessage& problem : installer_.problems()) Tell(problem);
  std::optional<InstallerMessage> failure;
  while (installer_.InstallNextBlock(failure)) {
    if (failure) Tell(*failure);
    failure.reset();
  }
  if (failure) Tell(*failure);

  // Step 3: the display library the title once needed is part of the platform here.
  step_ = 3;
  trace_.Line(TraceCategory::Run, "display library not needed: nothing copied");
  // Steps 4 and 5: the movie system counts as found, since the player plays the movies.
  step_ = 5;
  trace_.Line(TraceCategory::Run, "movie system not needed: movies play through the player");
  step_ = 6;
  return std::nullopt;
}

void Wizard::InstallViewer() {
  const auto command = installer_.ViewerInstallerCommand();
  if (!command) {
    trace_.Line(TraceCategory::Start, "start viewer installer (not started: not on the disc, or no wine)");
    platform_.MessageBox(InstallerMessageBox(texts_, 510, {}, MessageKind::Warning));
    return;
  }
  if (!StartTraced(platform_, trace_, *command)) {
    platform_.MessageBox(InstallerMessageBox(texts_, 510, {}, MessageKind::Warning));
  }
}

void Wizard::Tell(const InstallerMessage& message) {
  platform_.MessageBox(
      InstallerMessageBox(texts_, message.id, {message.argument}, MessageKind::Warning));
}

int Wizard::Ask(int id) {
  return platform_.MessageBox(InstallerMessageBox(texts_, id, {}, MessageKind::Question));
}

}  // namespace zd::install
