// The runtime's string table: every text it shows that is not a keyed failure message.
// Texts are kept as UTF-8 in the source and handed out in code page 1253.
#pragma once

#include <string>
#include <string_view>

namespace zd {

// The text of entry `id` in code page 1253; empty when the table has no such entry.
std::string LoadString(int id);

// The same text in UTF-8, as stored (for tools and tests).
std::string_view LoadStringUtf8(int id);

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
}  // namespace strings

}  // namespace zd
