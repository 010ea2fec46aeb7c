// Printing as a learner meets it: the popup menu's print-screen entry, a title's "print"
// command, the print dialog's answers, the PDF file it writes (read back with poppler's tools)
// and the printers of headless runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/cp1253.h"
#include "platform/png_codec.h"
#include "print/printing.h"
#include "support/played_title.h"
#include "support/script_objects.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;
using test::ScriptButton;
using test::ScriptObject;

std::string LongText(int words) {
  std::string text;
  for (int i = 1; i <= words; ++i) text += "word" + std::to_string(i) + " ";
  return text;
}

// One page: a coloured background, the text object "Notes" (a long text), a rectangle "Box",
// and buttons that print them: Notes at (100, 20), Box at (100, 70).
std::string PrintTitle() {
  return R"({"titles": [{"directory": "_print", "pages": [
      {"name": "One", "objects": [
        {"name": "Sky", "type": "rectangle", "pixels": [0, 0, 640, 480], "plot": "copy", "colour": "#203060"},
        {"name": "Sun", "type": "rectangle", "pixels": [400, 100, 560, 260], "plot": "copy", "colour": "#F0C020"},
        {"name": "Box", "type": "rectangle", "pixels": [300, 300, 360, 360], "plot": "copy", "colour": "#C03020"},
        {"name": "Notes", "type": "text", "pixels": [240, 20, 380, 120], "colour": "#FFFFFF",
         "font": "Homerton.Medium", "fontSize": 12, "text": ")" + LongText(1500) + R"("},)" +
         ScriptButton("PrintNotes", 0, "+PrintNotes") + "," +
         ScriptButton("PrintBox", 50, "+PrintBox") + "," +
         ScriptObject("+PrintNotes", "print \"Notes\"\n") + "," +
         ScriptObject("+PrintBox", "print \"Box\"\n") + R"(]}],
    "resources": [],
    "sections": [{"name": "One", "page": 0}]}]})";
}

std::string Events(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// PDF files in `folder` and below.
int PdfFilesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().extension() == ".pdf") ++count;
  }
  return count;
}

bool HaveTool(const char* name) {
  return fs::exists(std::string("/usr/bin/") + name) || fs::exists(std::string("/bin/") + name);
}

class PrintingE2E : public testing::Test {
 protected:
  void SetUp() override { test::Build(PrintTitle(), dir_.File("titles")); }

  test::RunResult Play(const std::string& events, const test::Environment& environment = {}) {
    const std::vector<std::string> args = {
        "--headless", "--trace=page,message,dialog,file,start,tool", "--events",
        dir_.Write("events" + std::to_string(++runs_), events), dir_.File("titles/_print/authorfi")};
    const auto r = test::RunPlayer(args, dir_.path(), environment);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    return r;
  }

  // The platform's PDF documents are needed for everything past the print dialog.
  bool PdfWritten(const test::RunResult& r, const std::string& path) {
    if (!Has(r.err, "dialog print")) return false;
    return fs::exists(path);
  }

  std::string PdfText(const std::string& pdf) {
    const auto r = test::RunProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  }

  test::TempDir dir_;
  int runs_ = 0;
};

#define SKIP_WITHOUT_PDF(r, path)                                                        \
  if (!PdfWritten(r, path)) GTEST_SKIP() << "the platform writes no PDF documents yet: " \
                                         << r.err

TEST_F(PrintingE2E, CancelledPrintDialogLeavesNoTraceOfAJob) {
  const std::string pdf = dir_.File("cancelled.pdf");
  const auto r = Play(Events({"wait 100", "rclick 400 300", "menu 119", "answer cancel",
                              "wait 50", "click 100 20", "answer cancel", "wait 50"}));
  EXPECT_EQ(PdfFilesIn(dir_.path()), 0);
  EXPECT_FALSE(Has(r.err, ".pdf")) << r.err;
  EXPECT_FALSE(Has(r.err, "IDD_Printing")) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog save-file")) << r.err;
}

TEST_F(PrintingE2E, PrintScreenWritesTheChosenPdfFileShowingThePageAsShown) {
  const std::string pdf = dir_.File("screen.pdf");
  const auto r = Play(Events({"wait 100", "screenshot shown.png", "rclick 400 300", "menu 119",
                              "answer ok", "file " + pdf, "wait 50"}));
  EXPECT_TRUE(Has(r.err, "\"PDF file\"")) << r.err;
  SKIP_WITHOUT_PDF(r, pdf);
  EXPECT_TRUE(Has(r.err, "file written " + pdf)) << r.err;
  EXPECT_TRUE(Has(r.err, "tool IDD_Printing open")) << r.err;
  EXPECT_TRUE(Has(r.err, "tool IDD_Printing close")) << r.err;
  const std::string bytes = test::ReadFile(pdf);
  ASSERT_EQ(bytes.substr(0, 5), "%PDF-");
  if (!HaveTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";

  // The sheet rendered so that the fitted picture is about 640 pixels wide: A4 with 10 mm
  // margins leaves 190 mm, so 640 / 190 mm.
  const double dpi = 640.0 / (190.0 / 25.4);
  const auto rendered = test::RunProgram("/usr/bin/pdftoppm",
                                         {"-r", std::to_string(dpi), "-singlefile", "-png", pdf,
                                          dir_.File("sheet")});
  ASSERT_EQ(rendered.status, 0) << rendered.err;
  platform::RgbaImage sheet, shown;
  std::string error;
  const std::string sheetPng = test::ReadFile(dir_.File("sheet.png"));
  const std::string shownPng = test::ReadFile(dir_.File("shown.png"));
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(sheetPng.data()),
                                      sheetPng.size(), sheet, error)) << error;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(shownPng.data()),
                                      shownPng.size(), shown, error)) << error;
  ASSERT_EQ(shown.width, 640);
  // The picture's rectangle: full width between the margins, centred vertically.
  const double pxPerMm = dpi / 25.4;
  const double left = 10 * pxPerMm, width = 190 * pxPerMm, height = width * 3 / 4;
  const double top = (sheet.height - height) / 2;
  int compared = 0, differing = 0;
  for (int py = 5; py < 480; py += 10) {
    for (int px = 5; px < 640; px += 10) {
      const int sx = int(left + (px + 0.5) * width / 640), sy = int(top + (py + 0.5) * height / 480);
      ASSERT_LT(sx, sheet.width);
      ASSERT_LT(sy, sheet.height);
      const uint8_t* a = &sheet.rgba[(size_t(sy) * sheet.width + sx) * 4];
      const uint8_t* b = &shown.rgba[(size_t(py) * shown.width + px) * 4];
      int diff = 0;
      for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(int(a[c]) - int(b[c])));
      ++compared;
      if (diff > 24) ++differing;
    }
  }
  // Only edges of shapes and letters may fall on the other side of a sample.
  EXPECT_LT(differing, compared / 20) << differing << " of " << compared;
}

TEST_F(PrintingE2E, PrintCommandPutsTheWholeTextIntoThePdfOverSeveralSheets) {
  const std::string pdf = dir_.File("notes.pdf");
  const auto r = Play(Events({"wait 100", "answer ok", "file " + pdf, "click 100 20", "wait 50"}));
  SKIP_WITHOUT_PDF(r, pdf);
  EXPECT_TRUE(Has(r.err, "tool IDD_Printing page 2")) << r.err;
  if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  const std::string text = PdfText(pdf);
  // A sheet ends with a form feed: 1,500 words take more than one.
  EXPECT_GE(std::count(text.begin(), text.end(), '\f'), 2) << text.substr(0, 200);
  size_t at = 0;
  for (int i = 1; i <= 1500; ++i) {
    const std::string word = "word" + std::to_string(i) + " ";
    const size_t found = (text + " ").find(word.substr(0, word.size() - 1), at);
    ASSERT_NE(found, std::string::npos) << word << " is missing";
    at = found;
  }
}

TEST_F(PrintingE2E, EscapeOrCancelWhileSheetsAreDrawnStopTheJobAndTakeNoOtherInput) {
  // The progress box is centred on the page; its button's middle is at (320, 265).
  for (const std::string stop : {"key Escape", "click 320 265"}) {
    const std::string pdf = dir_.File("stopped.pdf");
    const auto r = Play(Events({"wait 100", "answer ok", "click 100 20", "click 100 70", stop,
                                "file " + pdf, "wait 50"}));
    if (!Has(r.err, "dialog print")) GTEST_SKIP() << "the platform has no print dialog yet";
    EXPECT_TRUE(Has(r.err, "tool IDD_Printing close")) << stop << r.err;
    EXPECT_FALSE(Has(r.err, "dialog save-file")) << stop << r.err;
    EXPECT_EQ(PdfFilesIn(dir_.path()), 0) << stop;
    // The click on the other button came while printing: it was dropped, not run afterwards.
    EXPECT_FALSE(Has(r.err, "prterr1")) << stop << r.err;
  }
}

TEST_F(PrintingE2E, TheCloseBoxWhileSheetsAreDrawnStopsTheJobAndAsksToQuit) {
  const auto r = Play(Events({"wait 100", "answer ok", "click 100 20", "quit", "answer yes"}));
  if (!Has(r.err, "dialog print")) GTEST_SKIP() << "the platform has no print dialog yet";
  const size_t closed = r.err.find("tool IDD_Printing close");
  ASSERT_NE(closed, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("τερματίσετε την εφαρμογή", closed), std::string::npos) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog save-file")) << r.err;
  EXPECT_EQ(PdfFilesIn(dir_.path()), 0);
}

TEST_F(PrintingE2E, PageSetupOrientationHoldsForTheNextJobs) {
  const std::string first = dir_.File("first.pdf"), second = dir_.File("second.pdf");
  const auto r = Play(Events({"wait 100", "rclick 400 300", "menu 116", "orientation landscape",
                              "answer ok", "wait 20", "rclick 400 300", "menu 119", "answer ok",
                              "file " + first, "wait 20", "rclick 400 300", "menu 119", "answer ok",
                              "file " + second, "wait 20"}));
  EXPECT_TRUE(Has(r.err, "dialog page-setup: A4 portrait")) << r.err;
  SKIP_WITHOUT_PDF(r, second);
  EXPECT_TRUE(Has(r.err, "print to \"PDF file\", copies 1, pages all, A4 landscape")) << r.err;
  if (!HaveTool("pdfinfo")) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  for (const std::string& pdf : {first, second}) {
    const auto info = test::RunProgram("/usr/bin/pdfinfo", {pdf});
    EXPECT_TRUE(Has(info.out, "841.89 x 595.276")) << info.out;
  }
}

TEST_F(PrintingE2E, PrintingAnObjectThatHoldsNoTextIsAScriptError) {
  const std::string pdf = dir_.File("box.pdf");
  const auto r = Play(Events({"wait 100", "answer ok", "file " + pdf, "click 100 70", "answer ok",
                              "wait 50"}));
  EXPECT_TRUE(Has(r.err, "prterr1")) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog print")) << r.err;
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(PrintingE2E, FilesThatCannotBeWrittenAreSaidAndNothingIsWritten) {
  const std::string missing = dir_.File("no-such-folder/out.pdf");
  const std::string foreign = dir_.File("\xE6\x97\xA5\xE6\x9C\xAC.pdf");  // outside code page 1253
  const auto r = Play(Events({"wait 100", "rclick 400 300", "menu 119", "answer ok",
                              "file " + missing, "answer ok", "wait 50", "rclick 400 300", "menu 119",
                              "answer ok", "file " + foreign, "answer ok", "wait 50"}));
  if (!Has(r.err, "dialog save-file")) GTEST_SKIP() << "the platform has no print dialog yet";
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(foreign));
  EXPECT_EQ(PdfFilesIn(dir_.path()), 0);
  EXPECT_TRUE(Has(r.err, "no-such-folder/out.pdf\" δεν υπάρχει")) << r.err;
  EXPECT_TRUE(Has(r.err, "δεν μπορούν να χρησιμοποιηθούν")) << r.err;
}

TEST_F(PrintingE2E, HeadlessPrintersComeFirstAndTakeTheJob) {
  const auto r = Play(Events({"wait 100", "rclick 400 300", "menu 119", "answer ok", "wait 50"}),
                      {"ZD_HEADLESS_PRINTERS=Office"});
  EXPECT_TRUE(Has(r.err, "dialog print: \"Office\", \"PDF file\"")) << r.err;
  if (!Has(r.err, "dialog print")) GTEST_SKIP() << "the platform has no print dialog yet";
  EXPECT_TRUE(Has(r.err, "print Office copies 1")) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog save-file")) << r.err;
  EXPECT_EQ(PdfFilesIn(dir_.path()), 0);
}

// The notepad's chosen pages, each under its header, straight through the printing subsystem.
TEST(PrintingNotepad, ChosenPagesPrintUnderTheirHeaders) {
  test::TempDir dir;
  const std::string pdf = dir.File("notepad.pdf");
  test::RuntimeOptions options;
  // The wait keeps the script going while the sheets are drawn and the file asked for.
  options.events = "pages 2 3\nanswer ok\nfile " + pdf + "\nwait 10\n";
  test::PlayedTitle title(
      R"({"pages": [{"name": "One"}], "sections": [{"name": "One", "page": "One"}]})", options);
  title.Start();
  NotepadPrintJob job;
  job.range = NotepadPrintJob::Range::AllPages;
  job.pages = {"", "first page", "second page", "third page"};
  title.runtime().printing.PrintNotepad(job);
  if (!fs::exists(pdf)) GTEST_SKIP() << "the platform writes no PDF documents yet";
  if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  const auto r = test::RunProgram("/usr/bin/pdftotext", {pdf, "-"});
  const std::string text = r.out;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;
  EXPECT_TRUE(Has(text, "ΣΕΛΙΔΑ 2")) << text;
  EXPECT_TRUE(Has(text, "ΣΕΛΙΔΑ 3")) << text;
  EXPECT_TRUE(Has(text, "third page")) << text;
  EXPECT_FALSE(Has(text, "ΣΕΛΙΔΑ 1")) << text;
  EXPECT_FALSE(Has(text, "first page")) << text;
}

}  // namespace
}  // namespace zd
