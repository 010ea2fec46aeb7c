#include "platform/print/locale_paper.h"

#include <clocale>
#include <cstdlib>
#include <cmath>
#include <string_view>

#if defined(__GLIBC__)
#include <langinfo.h>
#endif

#include "platform/print/paper_sizes.h"

namespace zd::platform {
namespace {

// Territories where letter paper is the custom.
constexpr std::string_view kLetterTerritories[] = {"US", "CA", "MX", "PH", "CL", "CO",
                                                   "VE", "PR", "CR", "GT", "PA", "SV",
                                                   "NI", "DO", "BZ"};

// "en_US.UTF-8@euro" -> "US".
std::string_view Territory(std::string_view locale) {
  const size_t underscore = locale.find('_');
  if (underscore == std::string_view::npos) return {};
  std::string_view rest = locale.substr(underscore + 1);
  const size_t end = rest.find_first_of(".@");
  return rest.substr(0, end);
}

bool Near(int mm, double want) { return std::fabs(mm - want) <= 1.0; }

}  // namespace

Paper PaperForLocale(const LocaleFacts& facts) {
  if (facts.paperWidthMm > 0 && facts.paperHeightMm > 0) {
    for (const Paper& paper : StandardPapers()) {
      if (Near(facts.paperWidthMm, paper.widthMm) && Near(facts.paperHeightMm, paper.heightMm)) {
        return paper;
      }
    }
  }
  const std::string_view territory = Territory(facts.localeName);
  for (std::string_view letter : kLetterTerritories) {
    if (territory == letter) return *StandardPaper("Letter");
  }
  return *StandardPaper("A4");
}

LocaleFacts CurrentLocaleFacts() {
  LocaleFacts facts;
  for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      facts.localeName = value;
      break;
    }
  }
#if defined(__GLIBC__) && defined(_NL_PAPER_WIDTH)
  // The C library knows LC_PAPER's size only for a locale the process has taken up.
  if (locale_t locale = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(0))) {
    const auto word = [&](nl_item item) {
      const char* value = nl_langinfo_l(item, locale);
      return static_cast<int>(reinterpret_cast<intptr_t>(value));
    };
    facts.paperWidthMm = word(_NL_PAPER_WIDTH);
    facts.paperHeightMm = word(_NL_PAPER_HEIGHT);
    freelocale(locale);
  }
#endif
  return facts;
}

}  // namespace zd::platform
