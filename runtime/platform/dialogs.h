// Descriptions of the modal interface the runtime asks the platform to show.
// All texts are code page 1253; backends convert them for display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace zd::platform {

enum class MessageIcon { None, Information, Question, Warning };
enum class MessageButtons { Ok, YesNo };

// Answers, numbered as the original platform's message boxes numbered them.
namespace answer {
constexpr int NONE = 0, OK = 1, CANCEL = 2, YES = 6, NO = 7;
}

struct MessageBoxSpec {
  std::string caption;
  std::string text;
  MessageIcon icon = MessageIcon::Information;
  MessageButtons buttons = MessageButtons::Ok;
  int defaultAnswer = 0;     // 0: the first button
  bool systemModal = false;
  std::string key;           // the message key when the text came from the messages file
  bool titleCaption = true;  // captioned with the window's title (the trace names other captions)
};

struct DialogButton {
  int id = 0;
  std::string label;
};

// A dialog of a text and a row of buttons (the resume offer and its kin).
struct ButtonDialogSpec {
  std::string name;     // resource name, e.g. "IDD_Resume" (shown in the trace)
  std::string caption;
  std::string text;
  std::vector<DialogButton> buttons;
  int defaultId = 0;    // answer for Return and for a scripted run without an answer
  int closeId = 0;      // answer when the dialog is closed or Escape is pressed
};

struct PopupMenuSpec {
  std::vector<MenuItem> items;
  int x = 0, y = 0;     // client pixels
};

struct FileFilter {
  std::string label;    // e.g. "Authorfile (*.*)"
  std::string pattern;  // e.g. "*.*" or "*.zds;*.zdv"
};

struct FileDialogSpec {
  bool save = false;
  std::string title;
  std::vector<FileFilter> filters;
  std::string initialDirectory;  // empty: the current directory
  std::string defaultName;
  bool mustExist = true;         // open dialogs: only existing files are accepted
  // Save dialogs: a chosen file that exists is taken only after the user agrees to replace it
  // (`overwriteQuestion`, code page 1253, "%s" the file's path; asked with Yes and No).
  bool askOverwrite = false;
  std::string overwriteQuestion;
  // Added to a chosen name without an extension while the first file type is shown (".ZDS"),
  // before the question above is asked.
  std::string defaultExtension;
  // The dialog chooses a folder, not a file: only folders are listed and the answer is the
  // folder shown (or the one selected) when the user accepts. `filters` are not used.
  bool chooseFolder = false;
};

// What the user chose in a file dialog: the path (code page 1253) and the file type shown
// when it was chosen (an index into the request's filters, 0 for the first).
struct FileChoice {
  std::string path;
  int filter = 0;
};

// A dialog of a text, a few controls and a row of buttons: the browser settings (one radio
// choice per browser, each with a line of details under it) and the installer's pages (check
// boxes, an edit field, buttons that are shown greyed). Ids are the original controls' ids.
struct FormOption {
  int id = 0;
  std::string label;
  std::string detail;  // shown under the label in a smaller hand; may be empty
  bool checked = false;
};

struct FormEdit {
  int id = 0;
  std::string label;   // the caption of the box around it; may be empty
  std::string text;
};

struct FormButton {
  int id = 0;
  std::string label;
  bool enabled = true;
};

struct FormDialogSpec {
  std::string name;     // resource name, e.g. "IDD_WebSetUp" (shown in the trace)
  std::string caption;
  std::string text;     // may hold line breaks
  std::string optionsLabel;         // the caption of the box around radios and check boxes
  std::vector<FormOption> radios;   // one group: checking one unchecks the others
  std::vector<FormOption> checks;   // check boxes
  std::optional<FormEdit> edit;
  std::vector<FormButton> buttons;  // in order, left to right
  int defaultId = 0;    // answer for Return and for a scripted run without an answer
  int closeId = 0;      // answer when the dialog is closed or Escape is pressed
};

// How a form dialog was left: the button, and the state of its controls at that moment.
struct FormAnswer {
  int button = 0;
  std::vector<int> checked;  // ids of the radios and check boxes that were checked
  std::string editText;      // code page 1253
  bool Checked(int id) const {
    for (int c : checked) {
      if (c == id) return true;
    }
    return false;
  }
};

}  // namespace zd::platform

namespace zd::platform {

// Sheet sizes and margins are in millimetres; a sheet is described as it comes out of the
// printer in portrait, and `landscape` turns it.
struct Paper {
  std::string name;          // "A4", "Letter", ... (what the dialogs show)
  double widthMm = 210, heightMm = 297;
  bool operator==(const Paper&) const = default;
};

struct PageSetup {
  Paper paper;
  bool landscape = false;
  double leftMm = 10, topMm = 10, rightMm = 10, bottomMm = 10;  // margins
  bool operator==(const PageSetup&) const = default;
};

// The page-setup dialog: paper, orientation and margins (the printer is not chosen there).
struct PageSetupSpec {
  std::string caption;
  PageSetup current;
  std::vector<Paper> papers;  // offered sizes; `current.paper` is among them
};

// The print dialog. Destinations are the printers first, then "PDF file" (always last), each
// as shown; `defaultDestination` indexes them. A dialog with `pageCount` 0 offers no range.
struct PrintDialogSpec {
  std::string caption;
  std::vector<std::string> destinations;  // code page 1253
  int defaultDestination = 0;
  int copies = 1;
  int pageCount = 0;     // pages to choose among (1 .. pageCount); 0: no page range
  int rangeFrom = 0;     // proposed range; 0: all pages proposed
  int rangeTo = 0;
  PageSetup setup;       // shown; its own button opens the page-setup dialog
  std::vector<Paper> papers;
};

struct PrintChoice {
  int destination = 0;   // an index into the request's destinations
  int copies = 1;        // 1 .. 99
  int fromPage = 0;      // 0: all pages; otherwise the range chosen, 1 <= from <= to <= count
  int toPage = 0;
  PageSetup setup;       // as the user left it (the page-setup button may have changed it)
};

}  // namespace zd::platform
