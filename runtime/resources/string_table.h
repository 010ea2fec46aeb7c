// The runtime's string table: every text it shows that is not a keyed failure message.
// Texts are kept as UTF-8 in the source and handed out in code page 1253.
//
// The player's own texts (questions, dialog titles, the toolbox menu, browser and DDE texts,
// file filters) come in Greek and in English. Texts a title can see or show (month and weekday
// names, the "unknown" database value, the default user name, the product and title names,
// registry keys, export format names) are one text whatever the language: a title built for
// Greek learners shows its dates in Greek, and scripts compare those values.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "base/language.h"

namespace zd {

// The text of entry `id` in `language`, in code page 1253; empty when the table has no such
// entry.
std::string LoadString(int id, Language language);

// The same text in UTF-8, as stored (for tools and tests).
std::string_view LoadStringUtf8(int id, Language language);

// One entry as the table holds it; for tests and tools that look at the whole table.
struct StringTableEntry {
  int id;
  bool followsLanguage;      // false: a title sees the text, so both languages share it
  std::string_view greek;    // UTF-8
  std::string_view english;  // UTF-8; the Greek text again where followsLanguage is false
};
std::span<const StringTableEntry> StringTableEntries();

// Entries with fixed meanings used across the runtime.
namespace strings {
constexpr int QUIT_QUESTION = 101;      // are you sure you want to end the application?
constexpr int RESUME_OFFER = 102;       // the resume dialog's text
constexpr int NEWER_VERSION = 103;      // the title file is newer than this program; continue?
constexpr int DISPLAY_DESIGNED = 107;   // designed for 640x480 in 256 colours
constexpr int DISPLAY_CONTINUE = 108;   // reset the display settings; continue?
constexpr int PRODUCT_NAME = 401;       // "Zendral"
constexpr int SCRIPT_ERROR_HEADING = 412;
constexpr int TITLE_NAME = 417;         // the title's name, a constant of the build

constexpr int FILE_EXISTS = 104;            // "%s" exists; replace it?
constexpr int MOVIE_NOT_FOUND = 105;        // movie file "%s" not found; look for it yourself?
constexpr int NOTEPAD_SAVE_QUESTION = 106;  // save the notepad's text?

// Why a title could not be started, each with the path (%s) and shown with START_QUESTION on
// the line after it.
constexpr int START_MISSING = 120;          // the path does not exist
constexpr int START_NO_TITLE = 121;         // a folder without an authorfile
constexpr int START_NOT_AUTHORFILE = 122;   // a file that is not an authorfile
constexpr int START_UNREADABLE = 123;       // permissions, input/output errors
constexpr int START_DAMAGED = 124;          // an authorfile whose page or section list is broken
constexpr int START_DECLINED = 125;         // the user declined the newer-version question
constexpr int START_QUESTION = 126;         // quit, or (No) choose another title?
constexpr int SCREENSHOT_SAVED = 127;       // takes the file's path
constexpr int SCREENSHOT_FAILED = 128;      // takes the reason
constexpr int RECENT_TITLES = 129;          // heading of the splash's list of recent titles
constexpr int AUTHORFILE_FILTER = 130;      // the Open dialog's one filter label
// What the backend draws itself (platform::UiTexts): buttons, then the file browser's captions,
// buttons, labels and its two complaints (each takes a name).
constexpr int UI_OK = 131, UI_YES = 132, UI_NO = 133, UI_CANCEL = 134;
constexpr int UI_OPEN_CAPTION = 135, UI_SAVE_CAPTION = 136, UI_OPEN_BUTTON = 137,
              UI_SAVE_BUTTON = 138, UI_FOLDER_LABEL = 139, UI_FILE_NAME_LABEL = 140,
              UI_FILE_TYPE_LABEL = 141, UI_NO_SUCH_FILE = 142, UI_NO_SUCH_FOLDER = 143;

// The resume offer (dialog IDD_Resume): its caption and three buttons; and the user name the
// settings dialogs propose in their file name (English runs; Greek ones use DEFAULT_USER_NAME).
constexpr int RESUME_CAPTION = 150, RESUME_YES = 151, RESUME_CHOOSE = 152, RESUME_NO = 153;
constexpr int PROPOSED_USER_NAME = 154;

constexpr int SAVE_OBJECT_TITLE = 201;
constexpr int NOTEPAD_SAVE_TITLE = 210;
constexpr int PRINTING_PAGE = 211;          // takes the page number
constexpr int LOCATE_BROWSER_TITLE = 212;
constexpr int SAVE_SETTINGS_TITLE = 213;
constexpr int LOAD_SETTINGS_TITLE = 214;
constexpr int LOAD_SETTINGS_QUESTION = 215; // shown after the "error143" message
constexpr int TOOL_MENU_FIRST = 300;        // 300 + tool number, tools 0 to 8
constexpr int PAGE_HEADING = 402;           // takes the page number
constexpr int UNKNOWN_VALUE = 409;
constexpr int DDE_ERROR = 410;
constexpr int DEFAULT_USER_NAME = 414;
constexpr int EXPORT_FORMAT_FIRST = 600;    // 600 + format bit, formats 0 to 5
constexpr int STATUS_FILE_TYPES = 606;
constexpr int TEXT_FILE_TYPES = 607;
constexpr int PROGRAM_FILE_TYPES = 609;
constexpr int VARIABLE_FILE_TYPES = 610;
constexpr int MONTH_FIRST = 800;            // 800 to 811, January first
constexpr int WEEKDAY_FIRST = 900;          // 900 to 906, Monday first
constexpr int PNG_FILE_TYPE = 3200;         // save dialog's file types beyond the six above
constexpr int SVG_FILE_TYPE = 3201;
constexpr int UNWRITABLE_FILE_NAME = 3202;  // a typed name with characters no file can have
}  // namespace strings

}  // namespace zd
