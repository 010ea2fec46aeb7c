// zdinst32's own string table: every page, button, question and message of the installer, in
// Greek (the texts the title's CD shipped with) and in English. Ids are the installer's
// resource ids; texts are returned in code page 1253, ready for the platform's dialogs.
#pragma once

#include <string>
#include <vector>

#include "base/language.h"
#include "platform/dialogs.h"

namespace zd::install {

// Ids of texts that are not numbered messages of their own: the controls' labels in the two
// dialogs and a few texts only this installer needs.
namespace text {
constexpr int START_CAPTION = 1000;    // "Brackmoor"
constexpr int MAIN_CAPTION = 1001;     // "Brackmoor Εγκατάσταση"
constexpr int RUN = 1002;
constexpr int REINSTALL = 1003;
constexpr int CANCEL = 1004;
constexpr int NEXT = 1005;
constexpr int BACK = 1006;
constexpr int OPTIONS_GROUP = 1007;    // group box 111
constexpr int FOLDER_GROUP = 1008;     // group box 112
constexpr int SAVE_AND_RESUME = 1009;  // check box 109
constexpr int QUICKTIME = 1010;        // button 105
constexpr int VIEWER = 1011;           // button 777
constexpr int CHOOSE_SOURCE = 1012;    // the folder dialog that asks for the CD's folder
constexpr int UNINSTALLED = 1013;      // --uninstall done (%s: the title)
constexpr int CANNOT_START = 1014;     // a program could not be started (%s: the program)
constexpr int NO_RUN_COMMAND = 1015;   // the record holds no launcher to run
constexpr int NO_FOLDER = 1016;        // the install folder was left empty
constexpr int FOLDER_NAME_LOST = 1017; // a folder's name lost letters in a box (%s: as it came)
constexpr int UNINSTALL_QUESTION = 1018;  // --uninstall asks first (%s: the title)
constexpr int UNINSTALLED_SAVES_KEPT = 1019;  // %s: the title, %s: the saves' folder
}  // namespace text

class InstallerTexts {
 public:
  explicit InstallerTexts(Language language) : language_(language) {}

  Language language() const { return language_; }
  // The text of `id` (code page 1253); "#ID" for an id the table does not hold, so that a
  // missing text shows up instead of an empty box.
  std::string Get(int id) const;
  // The text of `id` with each "%s" replaced in turn by `arguments` (UTF-8), "%%" by "%".
  std::string Format(int id, const std::vector<std::string>& arguments) const;

 private:
  Language language_;
};

// A message box of the installer: captioned with text 301, traced with its id as the key
// ("message 606: ..."). A question has Yes and No with No preselected.
enum class MessageKind { Information, Warning, Question };
platform::MessageBoxSpec InstallerMessageBox(const InstallerTexts& texts, int id,
                                             const std::vector<std::string>& arguments,
                                             MessageKind kind);

}  // namespace zd::install
