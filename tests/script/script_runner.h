// Scripts run in a runtime of their own (no title, or a title made with zdbuild), with the
// English messages so that reports show their arguments, and the reports read back from the
// trace: key, line number and text.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "runtime.h"
#include "support/played_title.h"
#include "support/runtime_fixture.h"

namespace zd::test {

inline std::string EnglishMessages() {
  return std::string(ZD_SOURCE_DIR) + "/runtime/resources/messages/MESSAGES.en.txt";
}

struct ScriptReport {
  std::string key;
  int line = 0;       // 0: reported outside a script (no heading)
  std::string text;   // the whole message, heading included
};

// The "message KEY: TEXT" lines of a trace.
inline std::vector<ScriptReport> ReportsIn(const std::string& trace) {
  std::vector<ScriptReport> reports;
  std::istringstream in(trace);
  std::string line;
  const std::string lineWord = "Γραμμή ";
  while (std::getline(in, line)) {
    if (line.rfind("message ", 0) != 0) continue;
    ScriptReport r;
    const size_t colon = line.find(": ");
    r.key = line.substr(8, colon - 8);
    r.text = line.substr(colon + 2);
    const size_t at = r.text.find(lineWord);
    if (at != std::string::npos) r.line = std::atoi(r.text.c_str() + at + lineWord.size());
    reports.push_back(r);
  }
  return reports;
}

inline std::vector<std::string> KeysOf(const std::vector<ScriptReport>& reports) {
  std::vector<std::string> keys;
  for (const auto& r : reports) keys.push_back(r.key);
  return keys;
}

class ScriptRunner {
 public:
  explicit ScriptRunner(RuntimeOptions options = {}) {
    if (options.messagesPath.empty()) options.messagesPath = EnglishMessages();
    fixture_ = std::make_unique<RuntimeFixture>(options);
  }

  Runtime& runtime() { return fixture_->runtime(); }
  ScriptEngine& engine() { return runtime().script; }

  // Runs `text` as a script named `name`; returns the keys it reported.
  std::vector<std::string> Run(std::string_view text, std::string_view name = "+Test") {
    fixture_->ClearTrace();
    script::ScriptSource source;
    source.name.Assign(name);
    source.text = text;
    engine().RunScript(source, 0, 1, false);
    last_ = ReportsIn(fixture_->TraceText());
    return KeysOf(last_);
  }
  const std::vector<ScriptReport>& reports() const { return last_; }
  std::string TraceText() const { return fixture_->TraceText(); }
  void ClearTrace() { fixture_->ClearTrace(); }

  std::optional<double> Number(const std::string& name) {
    auto v = engine().ProbeVariable(name);
    if (!v || v->kind == platform::ProbedVariable::Kind::Text) return std::nullopt;
    return v->number;
  }
  std::optional<std::string> Text(const std::string& name) {
    auto v = engine().ProbeVariable(name);
    if (!v || v->kind != platform::ProbedVariable::Kind::Text) return std::nullopt;
    return v->text;
  }

 private:
  std::unique_ptr<RuntimeFixture> fixture_;
  std::vector<ScriptReport> last_;
};

using Keys = std::vector<std::string>;

}  // namespace zd::test
