// Printing: the current page as the player shows it, a text object of the page, the page
// painted afresh (the toolbox's print tool) and the notepad's pages. Every job asks with the
// print dialog, is drawn whole into a PDF document and then kept as a file (the "PDF file"
// destination) or handed to the chosen printer. Paper, orientation and margins chosen in page
// setup hold for the rest of the run.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace zd {

class Runtime;
class PageObject;
struct PrintSettings;

// The notepad's pages as printing sees them: texts of pages 1 .. count (index 0 unused, an
// empty text is an empty page) and the page the notepad shows.
struct NotepadPrintJob {
  enum class Range { CurrentPage = 100, AllPages = 101 };
  Range range = Range::CurrentPage;
  int currentPage = 1;
  std::vector<std::string> pages;  // size count + 1; code page 1253
};

class Printing {
 public:
  explicit Printing(Runtime& runtime);
  ~Printing();

  // The popup menu's print-screen entry: the window's page area as presented.
  void PrintScreen();
  // The popup menu's page-setup entry.
  void PrintSetup();
  // The script command "print": text objects (types 4 and 5) and map objects (13); any other
  // type is the script error "prterr1" naming the object (reported here).
  void PrintTextObject(const PageObject& object);
  // The toolbox's print tool: the current page painted afresh onto a sheet.
  void PrintPage();
  // The notepad's print buttons.
  void PrintNotepad(const NotepadPrintJob& job);
  // The end of the run.
  void Release();

 private:
  // The settings of the run, made on first use.
  PrintSettings& InitPrinting();
  // The page as painted, or as shown, cut to 640x480 (black where there is nothing).
  platform::RgbImage PagePictureAsShown();
  platform::RgbImage PagePicturePainted();
  void PrintPicture(const platform::RgbImage& picture);

  Runtime& runtime_;
  std::unique_ptr<PrintSettings> settings_;
};

}  // namespace zd
