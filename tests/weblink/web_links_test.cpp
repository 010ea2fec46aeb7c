// Web links as a title and its learner meet them: which addresses reach the browser and in
// what form, where shipped pages are found (and where they never are), the three-second rule,
// and a link that waits for the browser settings dialog.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "base/trace.h"
#include "script/script_runner.h"
#include "support/played_title.h"
#include "support/test_support.h"
#include "weblink/local_pages.h"
#include "weblink/web_address.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

// Browser detection reads the desktop's folders: point them at empty ones, so that the tests
// see no browser of the machine they run on.
class NoDesktopBrowsers {
 public:
  NoDesktopBrowsers() {
    for (const char* name : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "BROWSER"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    ::setenv("XDG_DATA_DIRS", empty_.path().c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", empty_.path().c_str(), 1);
    ::unsetenv("BROWSER");
  }
  ~NoDesktopBrowsers() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }

 private:
  test::TempDir empty_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(WebAddress, OnlyWebAddressesPassAndBareHostsGetHttp) {
  EXPECT_EQ(CheckedWebAddress("www.example.gr"), "http://www.example.gr");
  EXPECT_EQ(CheckedWebAddress("example.gr:8080/a?b=1"), "http://example.gr:8080/a?b=1");
  EXPECT_EQ(CheckedWebAddress("//example.gr/x"), "http://example.gr/x");
  EXPECT_EQ(CheckedWebAddress("http://example.gr/a%20b"), "http://example.gr/a%20b");
  EXPECT_EQ(CheckedWebAddress("HTTPS://example.gr"), "HTTPS://example.gr");
  for (const char* refused :
       {"", "javascript:alert(1)", "JavaScript:alert(1)", "-remote", "--new-window=x",
        "http://a b", "http://a\tb", "http://a\nb", "http://a\x7f", "ftp://example.gr",
        "mailto:a@example.gr", "file:///etc/passwd", "data:text/html,x", "vbscript:x"}) {
    EXPECT_EQ(CheckedWebAddress(refused), std::nullopt) << refused;
  }
  EXPECT_EQ(ShownAddress("a\nb\x01"), "a?b?");
  // A scheme needs "//" and a host after it; "\\" and "%00" are refused wherever they stand.
  EXPECT_EQ(CheckedWebAddress("HTTP://x"), "HTTP://x");
  EXPECT_EQ(CheckedWebAddress("http://user@host:81/a"), "http://user@host:81/a");
  EXPECT_EQ(CheckedWebAddress("http://[::1]/"), "http://[::1]/");
  for (const char* refused :
       {"http:", "http:x", "http:/x", "https:\\\\evil.com", "http://x\\@evil.com", "http://",
        "http:///x", "//", "/x", "http://user@/x", "http://:80/", "http://x/%00", "x\\y",
        "http://[]/"}) {
    EXPECT_EQ(CheckedWebAddress(refused), std::nullopt) << refused;
  }
  // What a command line or a start-up script could read as its own is encoded.
  EXPECT_EQ(CheckedWebAddress("x/a?b='1'&c=$(id)`;|<>{}^\""),
            "http://x/a?b=%271%27&c=%24%28id%29%60;%7C%3C%3E%7B%7D%5E%22");
}

TEST(WebAddress, StartLinesShowGreekWordsAsTheyAre) {
  const std::string line = StartTraceLine({"/opt/Σελίδα/web", "a b", "", "http://x"});
  EXPECT_EQ(line, Utf8ToCp1253("start /opt/Σελίδα/web \"a b\" \"\" http://x"));
  std::ostringstream out;
  Trace(&out, Trace::kAll).Line(TraceCategory::Start, line);
  EXPECT_EQ(out.str(), "start /opt/Σελίδα/web \"a b\" \"\" http://x\n");
}

TEST(LocalPages, FoundInsideTheWebLinksFolderOnly) {
  test::TempDir dir;
  const std::string html = dir.File("weblinks/html");
  fs::create_directories(html + "/sub");
  fs::create_directories(dir.File("weblinks/html2"));
  fs::create_directories(dir.File("title"));
  dir.Write("weblinks/html/index.htm", "<p>home</p>");
  dir.Write("weblinks/html/sub/Deep.html", "<p>deep</p>");
  dir.Write("weblinks/html2/second.htm", "<p>2</p>");
  dir.Write("secret.htm", "<p>outside</p>");
  fs::create_symlink(dir.File("secret.htm"), html + "/escape.htm");
  const std::string title = dir.File("title");
  const auto real = [](const std::string& p) { return fs::canonical(p).string(); };

  // Only the ".HTM" form exists; letters in any case; "\" between folders.
  EXPECT_EQ(FindLocalPage("", title, "INDEX"), real(html + "/index.htm"));
  EXPECT_EQ(FindLocalPage("", title, "sub\\deep.HTML"), real(html + "/sub/Deep.html"));
  // The suffix after ":" (a blank may follow) chooses the folder "htmlSUFFIX".
  EXPECT_EQ(FindLocalPage("", title, "second:2"), real(dir.File("weblinks/html2/second.htm")));
  EXPECT_EQ(FindLocalPage("", title, "second: 2"), real(dir.File("weblinks/html2/second.htm")));
  EXPECT_EQ(FindLocalPage("", title, "second"), std::nullopt);
  // Nothing outside the folder, however the name is written.
  for (const char* outside : {"..\\..\\secret", "../../secret.htm", "..\\secret", "\\secret",
                              "/etc/passwd", "C:\\secret", "index:\\..", "index:/..", "escape",
                              "index:2/../", "sub", "", "sub\\..\\..\\..\\secret"}) {
    EXPECT_EQ(FindLocalPage("", title, outside), std::nullopt) << outside;
  }
}

TEST(LocalPages, APagesFolderLinkedOutOfTheTitlesFolderFindsNothing) {
  test::TempDir dir, elsewhere;
  elsewhere.Write("passwd", "root:x:0:0");
  fs::create_directories(dir.File("title"));
  fs::create_directories(dir.File("weblinks"));
  fs::create_symlink(elsewhere.path(), dir.File("weblinks/html"));
  const std::string title = dir.File("title");
  EXPECT_EQ(FindLocalPage("", title, "passwd"), std::nullopt);
  // So does a weblinks folder that is itself such a link.
  test::TempDir other;
  fs::create_directories(other.File("title"));
  fs::create_directories(elsewhere.File("html"));
  elsewhere.Write("html/passwd", "root:x:0:0");
  fs::create_symlink(elsewhere.path(), other.File("weblinks"));
  EXPECT_EQ(FindLocalPage("", other.File("title"), "passwd"), std::nullopt);
  // A link that stays beside the title is followed.
  dir.Write("pages/index.htm", "<p>home</p>");
  fs::create_symlink(dir.File("pages"), dir.File("weblinks/html2"));
  EXPECT_EQ(FindLocalPage("", title, "index:2"), fs::canonical(dir.File("pages/index.htm")).string());
}

TEST(LocalPages, FileUriKeepsOnlyUnreservedCharacters) {
  EXPECT_EQ(FileUri("/home/a b/Σελίδα 1.htm"),
            "file:///home/a%20b/%CE%A3%CE%B5%CE%BB%CE%AF%CE%B4%CE%B1%201.htm");
  EXPECT_EQ(FileUri("/x/a%b#c?d&e'f\"g;h~i_j-k.l"), "file:///x/a%25b%23c%3Fd%26e%27f%22g%3Bh~i_j-k.l");
}

// A one-page title in a temporary folder, started, with a fake browser beside it.
class WebBrowseInTitle : public testing::Test {
 protected:
  WebBrowseInTitle() : WebBrowseInTitle(false) {}
  explicit WebBrowseInTitle(bool answerSettingsDialog) {
    browser_ = tools_.File("fake browser.sh");
    WriteFile(browser_, "#!/bin/sh\nexit 0\n", 0755);
    // Locate... finds the fake browser, and OK chooses it.
    const std::string events =
        answerSettingsDialog ? "answer 106\nfile " + browser_ + "\nanswer 1\n" : "";
    title_ = std::make_unique<test::PlayedTitle>(
        R"({"pages": [{"name": "Links", "objects": []}],
            "sections": [{"name": "Root", "page": "Links"}]})",
        test::RuntimeOptions{.messagesPath = test::EnglishMessages(), .events = events});
    root_ = fs::path(title_->path()).parent_path().string();
    title_->Start();
    title_->ClearTrace();
  }

  static void WriteFile(const std::string& path, const std::string& text, mode_t mode) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text.c_str(), f);
    std::fclose(f);
    ::chmod(path.c_str(), mode);
  }

  void ChooseFakeBrowser() {
    Browsers& browsers = title_->runtime().webLinks.browsers();
    browsers.DetectBrowsers();
    ASSERT_TRUE(browsers.AddBrowser(browser_, false, true, {}));
    std::string error;
    ASSERT_TRUE(browsers.ChooseBrowser(browser_, error)) << error;
  }

  void WritePage(const std::string& relative) {
    fs::create_directories(fs::path(root_ + "/" + relative).parent_path());
    WriteFile(root_ + "/" + relative, "<p>page</p>", 0644);
  }

  // Runs script lines; returns the keys of the messages they showed.
  std::vector<std::string> Run(const std::string& text) {
    title_->ClearTrace();
    script::ScriptSource source;
    source.name.Assign("+Links");
    source.text = text;
    title_->runtime().script.RunScript(source, 0, 1, false);
    return test::KeysOf(test::ReportsIn(title_->TraceText()));
  }

  // The "start ..." lines of the last run.
  std::vector<std::string> Started() const {
    std::vector<std::string> lines;
    std::istringstream in(title_->TraceText());
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("start ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  NoDesktopBrowsers noBrowsers_;
  test::TempDir tools_;
  std::unique_ptr<test::PlayedTitle> title_;
  std::string root_, browser_;
};

TEST_F(WebBrowseInTitle, RefusedAddressesAndKindsStartNothing) {
  ChooseFakeBrowser();
  for (const char* address : {"javascript:alert(1)", "-P evil", "--headless",
                              "http://a b", "ftp://example.gr", "file:///etc/passwd"}) {
    const auto keys = Run(std::string("webbrowse \"URL\", \"") + address + "\"\n");
    EXPECT_EQ(keys, std::vector<std::string>{"wblerr3"}) << address;
    EXPECT_TRUE(Started().empty()) << title_->TraceText();
  }
  // A control character cannot be written in a script constant: it comes through a variable.
  Run("set a$, \"x\"\n");
  ASSERT_TRUE(title_->runtime().script.SetStringVariable("a$", "http://x\x01y"));
  EXPECT_EQ(Run("webbrowse \"URL\", a$\n"), std::vector<std::string>{"wblerr3"});
  EXPECT_TRUE(Has(title_->TraceText(), "http://x?y")) << title_->TraceText();
  EXPECT_EQ(Run("webbrowse \"local\", \"index\"\n"), std::vector<std::string>{"wblerr1"});
  EXPECT_TRUE(Has(title_->TraceText(), "Unknown link kind local")) << title_->TraceText();
  EXPECT_EQ(Run("webbrowse \"Local\", \"..\\\\..\\\\etc\\\\passwd\"\n"),
            std::vector<std::string>{"wblerr2"});
  EXPECT_TRUE(Started().empty());
  EXPECT_FALSE(title_->runtime().webLinks.pendingLink());
}

TEST_F(WebBrowseInTitle, OpensTheChosenBrowserOnceWithinThreeSeconds) {
  ChooseFakeBrowser();
  EXPECT_TRUE(Run("webbrowse \"URL\", \"www.example.gr\"\n").empty());
  EXPECT_EQ(Started(), std::vector<std::string>{"start \"" + browser_ + "\" http://www.example.gr"});
  // A second link at once (a double click) is refused and starts nothing.
  EXPECT_EQ(Run("webbrowse \"URL\", \"https://example.org\"\n"),
            std::vector<std::string>{"wblerr7"});
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(title_->runtime().pages.CurrentPageName(), "Links");
}

TEST_F(WebBrowseInTitle, LocalPagesOpenAsEncodedFileAddresses) {
  ChooseFakeBrowser();
  WritePage("weblinks/htmlΣελίδες/Πρώτη σελίδα.htm");
  EXPECT_TRUE(Run("webbrowse \"Local\", \"\xd0\xf1\xfe\xf4\xe7 \xf3\xe5\xeb\xdf\xe4\xe1: \xd3\xe5\xeb\xdf\xe4\xe5\xf2\"\n").empty())
      << title_->TraceText();
  const std::vector<std::string> started = Started();
  ASSERT_EQ(started.size(), 1u) << title_->TraceText();
  const std::string folder = FileUri(fs::canonical(root_).string());
  EXPECT_EQ(started[0], "start \"" + browser_ + "\" " + folder +
                            "/weblinks/html%CE%A3%CE%B5%CE%BB%CE%AF%CE%B4%CE%B5%CF%82/"
                            "%CE%A0%CF%81%CF%8E%CF%84%CE%B7%20%CF%83%CE%B5%CE%BB%CE%AF%CE%B4%CE%B1.htm");
}

class WebBrowseWithoutBrowser : public WebBrowseInTitle {
 protected:
  WebBrowseWithoutBrowser() : WebBrowseInTitle(true) {}
};

TEST_F(WebBrowseWithoutBrowser, ThePendingLinkOpensAfterTheDialogsOk) {
  EXPECT_TRUE(Run("webbrowse \"URL\", \"www.example.gr\"\n").empty());
  WebLinks& links = title_->runtime().webLinks;
  EXPECT_EQ(links.pendingLink(), "http://www.example.gr");
  EXPECT_TRUE(Started().empty()) << "nothing opens before a browser is chosen";
  // The page clock stands still until the dialog has been answered.
  EXPECT_TRUE(title_->runtime().scheduler.clockPaused());
  links.BrowserSetup();
  EXPECT_TRUE(Has(title_->TraceText(), "IDD_WebSetUp")) << title_->TraceText();
  EXPECT_FALSE(title_->runtime().scheduler.clockPaused());
  EXPECT_FALSE(links.pendingLink());
  EXPECT_EQ(Started(), std::vector<std::string>{"start \"" + browser_ + "\" http://www.example.gr"})
      << title_->TraceText();
}

}  // namespace
}  // namespace zd
