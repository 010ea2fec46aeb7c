#include "print/print_texts.h"

#include "base/cp1253.h"

namespace zd {
namespace {

struct Pair {
  const char* greek;
  const char* english;
};

// Source texts are UTF-8; they are handed out in code page 1253.
Pair Texts(PrintText which) {
  switch (which) {
    case PrintText::ProgressCaption: return {"Εκτύπωση", "Printing"};
    case PrintText::ProgressFirstSheet: return {"Εκτύπωση 1ης σελίδας", "Printing page 1"};
    case PrintText::ProgressCancel: return {"Άκυρο", "Cancel"};
    case PrintText::PrintCaption: return {"Εκτύπωση", "Print"};
    case PrintText::PageSetupCaption: return {"Διαμόρφωση σελίδας", "Page setup"};
    case PrintText::SaveCaption: return {"Αποθήκευση ως PDF", "Save as PDF"};
    case PrintText::PdfFilter: return {"PDF file (*.pdf)", "PDF file (*.pdf)"};
    case PrintText::FailureCaption: return {"Εκτύπωση", "Printing"};
    case PrintText::NoPrintableArea:
      return {"Τα περιθώρια της σελίδας δεν αφήνουν χώρο για εκτύπωση. Αλλάξτε τα στη "
              "διαμόρφωση σελίδας.",
              "The page margins leave no room to print. Change them in page setup."};
    case PrintText::CannotPrepare:
      return {"Η εκτύπωση δεν μπορεί να ξεκινήσει: %s", "Printing cannot start: %s"};
    case PrintText::CannotFinish:
      return {"Η εκτύπωση δεν ολοκληρώθηκε: %s", "Printing did not finish: %s"};
    case PrintText::NoSuchFolder:
      return {"Ο φάκελος του αρχείου \"%s\" δεν υπάρχει. Δεν γράφτηκε τίποτα.",
              "The folder of \"%s\" does not exist. Nothing was written."};
    case PrintText::CannotWrite:
      return {"Το αρχείο \"%s\" δεν μπορεί να γραφτεί (%s). Δεν γράφτηκε τίποτα.",
              "\"%s\" cannot be written (%s). Nothing was written."};
    case PrintText::UnusableName:
      return {"Το όνομα του αρχείου έχει χαρακτήρες που δεν μπορούν να χρησιμοποιηθούν. "
              "Δεν γράφτηκε τίποτα.",
              "The file name holds characters that cannot be used. Nothing was written."};
    case PrintText::PrinterRefused:
      return {"Ο εκτυπωτής \"%s\" δεν δέχτηκε την εργασία: %s",
              "The printer \"%s\" did not take the job: %s"};
  }
  return {"", ""};
}

}  // namespace

std::string PrintingText(PrintText which, Language language) {
  const Pair pair = Texts(which);
  return Utf8ToCp1253(language == Language::English ? pair.english : pair.greek);
}

}  // namespace zd

namespace zd {

std::string FillInPrintText(std::string text, std::initializer_list<std::string> values) {
  std::string out;
  auto next = values.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
      if (next != values.end()) out += *next++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace zd
