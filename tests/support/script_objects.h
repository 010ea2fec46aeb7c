// Page objects for titles the end-to-end tests describe as JSON: a button that runs one of the
// page's scripts when clicked, and the script objects themselves.
#pragma once

#include <string>

namespace zd::test {

// A text as a JSON string's contents.
inline std::string JsonEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"') out += "\\\"";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

// A text box 200 pixels wide and 40 high at `top` whose link runs the page's script object
// `script` when clicked (at 100, top + 20).
inline std::string ScriptButton(const std::string& name, int top, const std::string& script) {
  return R"({"name": ")" + name + R"(", "type": "text", "pixels": [0, )" + std::to_string(top) +
         ", 200, " + std::to_string(top + 40) +
         R"(], "font": "Homerton.Bold", "fontSize": 12, "colour": "#FFFFFF", "background": "#2E6B3A",
          "textFlags": ["fill", "centre", "middle"], "linkColour": "#FFFFFF", "linkBackground": "#2E6B3A",
          "text": "<A QSE=\")" + script + R"(\">)" + name + R"(</A>"})";
}

// A script object ("+Name"): triggered ones run when a link or showhide shows them; the
// others by their name ("+Start").
inline std::string ScriptObject(const std::string& name, const std::string& text,
                                bool triggered = true) {
  return R"({"name": ")" + name + R"(", "type": "text", )" +
         (triggered ? R"("flags": ["visible", "triggered"], )" : "") + R"("text": ")" +
         JsonEscaped(text) + R"("})";
}

}  // namespace zd::test
