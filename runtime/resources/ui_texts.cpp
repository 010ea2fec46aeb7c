#include "resources/ui_texts.h"

#include "resources/string_table.h"

namespace zd {

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
  return texts;
}

}  // namespace zd
