// A desktop of our own for browser tests: XDG folders, desktop entries and small executable
// scripts standing for browsers, all in a temporary folder, and the environment that names them.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "base/trace.h"

namespace zd::test {

class FakeDesktop {
 public:
  FakeDesktop() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zd-browsers-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data()) ? pattern : std::string("/nonexistent");
    vars_["HOME"] = root_ + "/home";
    vars_["XDG_CONFIG_HOME"] = root_ + "/config";
    vars_["XDG_CONFIG_DIRS"] = root_ + "/etc-xdg";
    vars_["XDG_DATA_HOME"] = root_ + "/data";
    vars_["XDG_DATA_DIRS"] = root_ + "/share1:" + root_ + "/share2";
    for (const char* folder : {"/home", "/config", "/etc-xdg", "/data/applications",
                               "/share1/applications", "/share2/applications", "/bin"}) {
      std::filesystem::create_directories(root_ + folder);
    }
  }
  ~FakeDesktop() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  const std::string& root() const { return root_; }
  std::string SettingsFile() const { return root_ + "/config/zendral/zendral.ini"; }

  // A browser program: a script that does nothing.
  std::string Program(const std::string& name) {
    const std::string path = root_ + "/bin/" + name;
    Write(path, "#!/bin/sh\nexit 0\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }

  // A desktop entry under `folder` ("data", "share1", "share2").
  std::string Entry(const std::string& folder, const std::string& id, const std::string& text) {
    const std::string path = root_ + "/" + folder + "/applications/" + id;
    Write(path, text);
    return path;
  }

  // An ordinary web browser entry starting `program`.
  std::string BrowserEntryFile(const std::string& folder, const std::string& id,
                               const std::string& name, const std::string& program,
                               const std::string& extra = "") {
    return Entry(folder, id,
                 "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + program +
                     " %u\nMimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n" +
                     extra);
  }

  static void Write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  void Set(const std::string& name, const std::string& value) { vars_[name] = value; }

  std::function<const char*(const char*)> Environment() const {
    return [this](const char* name) -> const char* {
      const auto found = vars_.find(name);
      return found == vars_.end() ? nullptr : found->second.c_str();
    };
  }

 private:
  std::string root_;
  std::map<std::string, std::string> vars_;
};

}  // namespace zd::test
