// runexe: the programs a title starts. Only Windows programs inside the title's own directory
// tree are started, through wine, and only once the user has agreed to programs of this title.
#pragma once

#include <string>
#include <string_view>

namespace zd {
class ScriptEngine;
}

namespace zd::script {

class TitlePrograms {
 public:
  // Starts the program the script's text names (the text may carry arguments after the
  // program's name), relative to the title directory. A program outside the title or one that
  // is not a Windows program is refused with a script diagnostic; a program that is not there,
  // or that cannot be started, is not reported, as titles expect.
  void Run(ScriptEngine& engine, std::string_view text);

 private:
  // Asks the user before the first program of a title; a yes holds for the rest of the run
  // (for this title), a no only for this program.
  bool Allowed(ScriptEngine& engine, std::string_view program);

  std::string allowedTitle_;  // the title directory the user allowed programs for
};

}  // namespace zd::script
