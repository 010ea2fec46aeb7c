// The lines of status and variable files: scripts that, run again, rebuild the player's state.
// Every text goes through CommandLineWriter, so whatever a variable holds reads back the same.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/script_variables.h"

namespace zd {
class Runtime;
}

namespace zd::script {

inline constexpr std::string_view kStatusFirstLine = "|Zendral Quillscript File";
inline constexpr std::string_view kStatusBeforeStartLine = "|Status prior to  running +Start script";
// The comment before the line that sets Resume$, the last of a whole status file.
inline constexpr std::string_view kStatusResumeComment = "|Set the Resume$ system variable";

// "Thu Dec 06 10:15:00 2001": the date as the C library's asctime writes it, with the day of
// the month as two digits.
std::string CreatedText(const platform::LocalTime& time);

// The opening lines both file kinds share: the first line, the start module (padded with blanks
// to 9 characters in a status file), the notice, the version, the creation time and the module.
std::vector<std::string> StatusHeaderLines(std::string_view appName, bool padModuleName,
                                           const platform::LocalTime& created,
                                           std::string_view titleDirectory);

// A float as "%g" writes it (six significant digits), in a form the script reader takes back:
// infinities as a number too large for a double, NaN as 0.
std::string StatusFloat(double value);

// The "set" line(s) of one variable.
std::vector<std::string> IntegerVariableLines(std::string_view name, int32_t value);
std::vector<std::string> FloatVariableLines(std::string_view name, double value);
std::vector<std::string> StringVariableLines(std::string_view name, std::string_view value,
                                             std::string_view carriers);

// The name prefix of the variables that carry texts (see CommandLineWriter): one that no
// variable of the title's begins with, so that replaying never touches the title's own.
std::string CarrierPrefix(const VariableTables& variables);

// The module to go back to: the title directory's last part with a leading "_" as "!", kept
// whole up to the 49 characters `tofilepage` takes.
std::string ResumeModuleName(std::string_view titleDirectory);

// What follows the header in a status file, up to the movie slots and token searches: the
// page, the database and its selection, the variables, the system variables, the script movie
// slots and the keyword search.
std::vector<std::string> StatusStateLines(Runtime& runtime, std::string_view carriers);

// The line(s) setting Resume$ to `text` when the file is run.
std::vector<std::string> ResumeLines(std::string_view text, std::string_view carriers);

}  // namespace zd::script
