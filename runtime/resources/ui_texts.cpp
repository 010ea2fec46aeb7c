#include "resources/ui_texts.h"

#include "resources/string_table.h"

namespace zd {
namespace {

// The print and page-setup dialogs are the player's own (the title system's string table has
// no texts for them): their labels in both languages.
void AddPrintTexts(Language language, platform::UiTexts& texts) {
  if (language == Language::Greek) return;  // the defaults are the Greek texts
  texts.printCaption = "Print";
  texts.printerLabel = "Printer:";
  texts.copiesLabel = "Copies:";
  texts.rangeLabel = "Pages";
  texts.allPages = "All";
  texts.pagesFrom = "From:";
  texts.pagesTo = "To:";
  texts.paperLabel = "Paper:";
  texts.orientationLabel = "Orientation";
  texts.portrait = "Portrait";
  texts.landscape = "Landscape";
  texts.pageSetupButton = "Page setup...";
  texts.pageSetupCaption = "Page setup";
  texts.marginsLabel = "Margins (mm)";
  texts.marginLeft = "Left:";
  texts.marginRight = "Right:";
  texts.marginTop = "Top:";
  texts.marginBottom = "Bottom:";
}

}  // namespace

platform::UiTexts UiTextsFor(Language language) {
  const auto text = [language](int id) { return std::string(LoadStringUtf8(id, language)); };
  platform::UiTexts texts;
  texts.ok = text(strings::UI_OK);
  texts.yes = text(strings::UI_YES);
  texts.no = text(strings::UI_NO);
  texts.cancel = text(strings::UI_CANCEL);
  texts.openCaption = text(strings::UI_OPEN_CAPTION);
  texts.saveCaption = text(strings::UI_SAVE_CAPTION);
  texts.openButton = text(strings::UI_OPEN_BUTTON);
  texts.saveButton = text(strings::UI_SAVE_BUTTON);
  texts.folderLabel = text(strings::UI_FOLDER_LABEL);
  texts.fileNameLabel = text(strings::UI_FILE_NAME_LABEL);
  texts.fileTypeLabel = text(strings::UI_FILE_TYPE_LABEL);
  texts.noSuchFile = text(strings::UI_NO_SUCH_FILE);
  texts.noSuchFolder = text(strings::UI_NO_SUCH_FOLDER);
  AddPrintTexts(language, texts);
  return texts;
}

}  // namespace zd
