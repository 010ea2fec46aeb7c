// The browser settings dialog "IDD_WebSetUp": the detected browsers to choose from, Locate...
// for another one, and the choice written to the settings file.
#pragma once

namespace zd {

class Runtime;
class Browsers;

// Shows the dialog until the user chooses a browser (OK, true) or cancels (false). The caller
// paused the page clock and the movies and resumes them.
bool RunBrowserSettingsDialog(Runtime& runtime, Browsers& browsers);

}  // namespace zd
