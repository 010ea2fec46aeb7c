// The paper of the user's locale: LC_PAPER's sheet size where the C library tells it, else
// the custom of the locale's territory (letter paper in the Americas' letter countries), A4
// when nothing is known.
#pragma once

#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace zd::platform {

// What is known of the locale: the sheet size LC_PAPER gives (mm; 0 when not known) and the
// locale's name ("en_US.UTF-8", "el_GR", "C").
struct LocaleFacts {
  int paperWidthMm = 0, paperHeightMm = 0;
  std::string localeName;
};

Paper PaperForLocale(const LocaleFacts& facts);
// The facts of the process's environment (LC_ALL, LC_PAPER, LANG and nl_langinfo).
LocaleFacts CurrentLocaleFacts();

}  // namespace zd::platform
