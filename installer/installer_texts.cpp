#include "installer/installer_texts.h"

#include <algorithm>
#include <iterator>

#include "base/cp1253.h"

namespace zd::install {
namespace {

struct Entry {
  int id;
  const char* greek;    // UTF-8 here; converted when loaded
  const char* english;
};

// Pages of the wizard are made of several of these texts one after the other, so each ends
// where the next may begin (a blank line between paragraphs).
constexpr Entry kTexts[] = {
    // Page 0: welcome.
    {100, "Καλώς ήρθατε στο πρόγραμμα εγκατάστασης του τίτλου Mossgate.\n\n",
     "Welcome to the setup program of the title Mossgate.\n\n"},
    {101,
     "Ο τίτλος παίζει από τον δίσκο του: το πρόγραμμα εγκατάστασης γράφει στον υπολογιστή μόνο "
     "λίγα αρχεία υποστήριξης, βάζει τον τίτλο στο μενού εφαρμογών και ετοιμάζει τον φάκελο "
     "όπου φυλάγεται η πρόοδος του μαθητή.\n\n",
     "The title plays from its disc: setup writes only a few support files to this computer, "
     "puts the title in the applications menu and prepares the folder where the learner's "
     "progress is kept.\n\n"},
    {102, "Πατήστε «Επόμενο» για να συνεχίσετε ή «Ακύρωση» για να βγείτε.",
     "Press \"Next\" to go on or \"Cancel\" to leave."},
    // Page 1: options.
    {103, "Επιλογές εγκατάστασης.\n\n", "Setup options.\n\n"},
    {104,
     "Με την «Αποθήκευση και συνέχεια εφαρμογής» ο τίτλος θυμάται πού σταμάτησε ο μαθητής και "
     "του προτείνει να συνεχίσει από εκεί την επόμενη φορά.\n\n",
     "With \"Save and resume\" the title remembers where the learner stopped and offers to go "
     "on from there next time.\n\n"},
    {105, "Πατήστε «Επόμενο» για να συνεχίσετε.", "Press \"Next\" to go on."},
    // Page 2: the install folder.
    {107, "Φάκελος εγκατάστασης.\n\n", "Install folder.\n\n"},
    {108,
     "Τα αρχεία υποστήριξης του τίτλου και η πρόοδος του μαθητή θα γραφτούν στον φάκελο που "
     "φαίνεται παρακάτω. Μπορείτε να τον αλλάξετε.\n\n",
     "The title's support files and the learner's progress will be written to the folder "
     "shown below. You may change it.\n\n"},
    {109, "Πατήστε «Επόμενο» για να ξεκινήσει η εγκατάσταση.",
     "Press \"Next\" to start the installation."},
    // Page 3: the display library.
    {110, "Βιβλιοθήκη προβολής.\n", "Display library.\n"},
    {111,
     "Σε αυτό το σύστημα η βιβλιοθήκη προβολής δεν χρειάζεται: το πρόγραμμα σχεδιάζει τις "
     "σελίδες μόνο του. Δεν αντιγράφηκε τίποτα.\n\n",
     "On this system the display library is not needed: the player draws the pages itself. "
     "Nothing was copied.\n\n"},
    // Pages 5 and 6: the movie system and the web viewer.
    {113, "Ταινίες και κόσμοι του διαδικτύου.\n\n", "Movies and web worlds.\n\n"},
    {114, "Έλεγχος για το πρόγραμμα ταινιών...", "Looking for the movie system..."},
    {115,
     "Το QuickTime δεν βρέθηκε. Χωρίς αυτό οι ταινίες του τίτλου δεν μπορούν να παίξουν.\n\n",
     "QuickTime was not found. Without it the title's movies cannot play.\n\n"},
    {118,
     "Το QuickTime δεν χρειάζεται: οι ταινίες του τίτλου παίζουν μέσα από το ίδιο το "
     "πρόγραμμα.\n\nΓια τους κόσμους του διαδικτύου μπορείτε να εγκαταστήσετε τον BLAXXUN "
     "Contact από τον δίσκο. Πατήστε «Επόμενο» για να συνεχίσετε.",
     "QuickTime is not needed: the title's movies play through the player itself.\n\nFor the "
     "web worlds you may install BLAXXUN Contact from the disc. Press \"Next\" to go on."},
    // Page 7: finished.
    {120, "Η εγκατάσταση ολοκληρώθηκε.\n\n", "Setup is complete.\n\n"},
    {121, "Ο τίτλος είναι έτοιμος να παίξει.\n\n", "The title is ready to play.\n\n"},
    {122,
     "Τα φύλλα δραστηριοτήτων βρίσκονται στην ίδια ομάδα του μενού εφαρμογών.\n\n",
     "The activity sheets are in the same group of the applications menu.\n\n"},
    {123,
     "Για να ξεκινήσετε τον τίτλο %s, ανοίξτε την ομάδα του και επιλέξτε «%s».\n\n",
     "To start the title %s, open its group and choose \"%s\".\n\n"},
    {124,
     "Ο τίτλος βρίσκεται τώρα στο μενού εφαρμογών, στην ομάδα «%s», με το όνομα «%s». Για να "
     "τον ξεκινήσετε, ανοίξτε το μενού εφαρμογών, την ομάδα «%s» και επιλέξτε «%s».\n\n",
     "The title is now in the applications menu, in the group \"%s\", named \"%s\". To start "
     "it, open the applications menu, then the group \"%s\", and choose \"%s\".\n\n"},
    {126, "Πατήστε «Τέλος» για να κλείσει το πρόγραμμα εγκατάστασης.",
     "Press \"Finish\" to close setup."},
    // The start dialog, when the title is installed already.
    {127,
     "Ο τίτλος %s είναι ήδη εγκατεστημένος.\n\nΠατήστε «Εκτέλεση» για να τον ξεκινήσετε, "
     "«Επανεγκατάσταση» για να τον εγκαταστήσετε ξανά ή «Ακύρωση» για να βγείτε.",
     "The title %s is installed already.\n\nPress \"Run\" to start it, \"Reinstall\" to "
     "install it again or \"Cancel\" to leave."},
    {150,
     "Η καταγραφή της εγκατάστασης δεν μπορεί να γραφτεί. Χωρίς αυτήν ο τίτλος δεν θα μπορεί "
     "να απεγκατασταθεί. Να συνεχιστεί η εγκατάσταση;",
     "The record of the installation cannot be written. Without it the title cannot be "
     "uninstalled. Go on with the installation?"},
    {151, "Σφάλμα εγκατάστασης", "Setup error"},
    {301, "Πρόγραμμα Εγκατάστασης", "Setup"},
    {406,
     "Σίγουρα θέλετε να παραλείψετε την εγκατάσταση του Quicktime και του BLAXXUN Contact;",
     "Do you really want to skip installing QuickTime and BLAXXUN Contact?"},
    {407, "Δεν μπορεί να γίνει η εγκατάσταση του QuickTime.", "QuickTime cannot be installed."},
    {502,
     "Στον φάκελο εγκατάστασης υπάρχει αποθηκευμένη πρόοδος μαθητών. Να διαγραφεί;",
     "The install folder holds learners' saved progress. Delete it?"},
    {507, "Σίγουρα θέλετε να ακυρώσετε την εγκατάσταση;",
     "Do you really want to cancel the installation?"},
    {510, "Δεν μπορεί να γίνει η εγκατάσταση του BLAXXUN Contact.",
     "BLAXXUN Contact cannot be installed."},
    {604, "Ο φάκελος δεν μπορεί να δημιουργηθεί: %s\n\nΗ εγκατάσταση σταματά.",
     "The folder cannot be made: %s\n\nSetup stops."},
    {605, "Το αρχείο δεν μπορεί να γραφτεί: %s", "The file cannot be written: %s"},
    {606, "Δεν μπορεί να διαβαστεί το αρχείο της εγκατάστασης (%s).",
     "The install list cannot be read (%s)."},
    {607, "Η λίστα εγκατάστασης δεν περιέχει τίποτα που να μπορεί να εγκατασταθεί",
     "The install list holds nothing that can be installed"},
    {608, "Η λίστα εγκατάστασης είναι κατεστραμμένη: %s", "The install list is damaged: %s"},
    {609, "Το όνομα «%s» της λίστας εγκατάστασης δεν είναι απλό όνομα αρχείου· παραλείπεται.",
     "The name \"%s\" in the install list is not a plain file name; it is skipped."},
    {610, "Ο τίτλος %s δεν είναι εγκατεστημένος.", "The title %s is not installed."},
    {611, "Δεν μπόρεσαν να αφαιρεθούν όλα: %s", "Not everything could be removed: %s"},
    {612,
     "Το πρόγραμμα 32 bit δεν μπορεί να τρέξει σε αυτό το σύστημα. Να συνεχιστεί;",
     "The 32-bit player cannot run on this system. Go on?"},
    {617,
     "Η λίστα εγκατάστασης δεν ονομάζει ομάδα· ο τίτλος μπαίνει στην ομάδα «Brackmoor».",
     "The install list names no group; the title goes into the group \"Brackmoor\"."},
    {618, "Μια λέξη της εντολής της λίστας εγκατάστασης παραλείφθηκε: %s",
     "A word of the install list's command was left out: %s"},
    {619,
     "Στον φάκελο εγκατάστασης υπάρχει ήδη ένα αρχείο που δεν έγραψε αυτή η εγκατάσταση· "
     "μένει όπως είναι: %s",
     "The install folder already holds a file this installation did not write; it is kept "
     "as it is: %s"},
    {620,
     "Αυτός ο φάκελος δεν μπορεί να δεχτεί την εγκατάσταση: %s\n\nΕπιλέξτε έναν δικό σας "
     "φάκελο, για παράδειγμα μέσα στον προσωπικό σας φάκελο.",
     "This folder cannot hold the installation: %s\n\nChoose a folder of your own, for "
     "example one inside your home folder."},
    {621, "Η καταγραφή της εγκατάστασης αναφέρει κάτι που δεν αφαιρέθηκε: %s",
     "The record of the installation names something that was not removed: %s"},
    {806, "Τέλος", "Finish"},
    // Controls of the two dialogs.
    {text::START_CAPTION, "Brackmoor", "Brackmoor"},
    {text::MAIN_CAPTION, "Brackmoor Εγκατάσταση", "Brackmoor Setup"},
    {text::RUN, "Εκτέλεση", "Run"},
    {text::REINSTALL, "Επανεγκατάσταση", "Reinstall"},
    {text::CANCEL, "Ακύρωση", "Cancel"},
    {text::NEXT, "Επόμενο >", "Next >"},
    {text::BACK, "< &Επιστροφή", "< &Back"},
    {text::OPTIONS_GROUP, "Επιλογές", "Options"},
    {text::FOLDER_GROUP, "Φάκελος Εγκατάστασης", "Install Folder"},
    {text::SAVE_AND_RESUME, "Αποθήκευση και συνέχεια εφαρμογής", "Save and resume"},
    {text::QUICKTIME, "Εγκατάσταση του QuickTime 4.0...", "Install QuickTime 4.0..."},
    {text::VIEWER, "Εγκατάσταση του BLAXXUN...", "Install BLAXXUN..."},
    {text::CHOOSE_SOURCE, "Επιλέξτε τον φάκελο του δίσκου του τίτλου (αυτόν που έχει το PCINST)",
     "Choose the folder of the title's disc (the one that holds PCINST)"},
    {text::UNINSTALLED, "Ο τίτλος %s απεγκαταστάθηκε.", "The title %s was uninstalled."},
    {text::CANNOT_START, "Το πρόγραμμα δεν μπορεί να ξεκινήσει: %s",
     "The program cannot be started: %s"},
    {text::NO_RUN_COMMAND,
     "Η καταγραφή της εγκατάστασης δεν λέει πώς ξεκινά ο τίτλος. Εγκαταστήστε τον ξανά.",
     "The record of the installation does not say how the title starts. Install it again."},
    {text::NO_FOLDER,
     "Γράψτε ολόκληρη τη διαδρομή του φακέλου όπου θα γίνει η εγκατάσταση (αρχίζει με «/»).",
     "Type the whole path of the folder to install into (it starts with \"/\")."},
    {text::FOLDER_NAME_LOST,
     "Το όνομα του φακέλου έχει γράμματα που δεν μπορούν να γραφτούν εδώ: %s\n\nΓράψτε ή "
     "επιλέξτε έναν φάκελο με ελληνικά ή απλά λατινικά γράμματα (χωρίς σημάδια) στο "
     "όνομά του.",
     "The folder's name has letters that cannot be written here: %s\n\nType or choose a "
     "folder whose name has Greek letters or plain Latin letters (no accents)."},
    {text::UNINSTALL_QUESTION,
     "Να απεγκατασταθεί ο τίτλος %s;\n\nΗ πρόοδος που έχουν αποθηκεύσει οι μαθητές δεν "
     "σβήνεται.",
     "Uninstall the title %s?\n\nThe progress the learners saved is kept."},
    {text::UNINSTALLED_SAVES_KEPT,
     "Ο τίτλος %s απεγκαταστάθηκε.\n\nΗ πρόοδος των μαθητών φυλάγεται ακόμη στον φάκελο %s.",
     "The title %s was uninstalled.\n\nThe learners' progress is still kept in the folder %s."},
    // The installer core's refusals.
    {618, "Η επιλογή «%s» της λίστας εγκατάστασης αφορά μόνο το πρόγραμμα εγκατάστασης· παραλείπεται.",
     "The option \"%s\" in the install list is the installer's own; it is left out."},
    {619, "Στον φάκελο εγκατάστασης υπάρχει ήδη το αρχείο %s, που δεν είναι του τίτλου· μένει όπως είναι.",
     "The install folder already holds %s, which is not the title's; it is kept as it is."},
    {620,
     "Ο φάκελος «%s» δεν μπορεί να γίνει φάκελος εγκατάστασης.\n\nΓράψτε ολόκληρη τη διαδρομή "
     "(αρχίζει με «/»), χωρίς «..», ενός φακέλου που δεν είναι ο προσωπικός σας φάκελος ούτε "
     "βρίσκεται πάνω από αυτόν.",
     "The folder \"%s\" cannot be an install folder.\n\nType the whole path (it starts with "
     "\"/\"), without \"..\", of a folder that is neither your home folder nor above it."},
    {621, "Η καταγραφή της εγκατάστασης αναφέρει κάτι που δεν αφαιρείται: %s",
     "The installation's record names something that is not removed: %s"},
};

const Entry* Find(int id) {
  const auto* found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                   [id](const Entry& e) { return e.id == id; });
  return found == std::end(kTexts) ? nullptr : found;
}

}  // namespace

std::string InstallerTexts::Get(int id) const {
  const Entry* entry = Find(id);
  if (!entry) return "#" + std::to_string(id);
  return Utf8ToCp1253(language_ == Language::English ? entry->english : entry->greek);
}

std::string InstallerTexts::Format(int id, const std::vector<std::string>& arguments) const {
  // Arguments are paths and reasons, so they are put in whole: a "%s" inside one stays text.
  const std::string pattern = Get(id);
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      if (pattern[i + 1] == 's') {
        if (next < arguments.size()) out += Utf8ToCp1253(arguments[next]);
        ++next;
        ++i;
        continue;
      }
      if (pattern[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

platform::MessageBoxSpec InstallerMessageBox(const InstallerTexts& texts, int id,
                                             const std::vector<std::string>& arguments,
                                             MessageKind kind) {
  platform::MessageBoxSpec box;
  box.caption = texts.Get(301);
  box.text = texts.Format(id, arguments);
  box.key = std::to_string(id);
  box.titleCaption = true;  // the installer's window has the same caption
  switch (kind) {
    case MessageKind::Information: box.icon = platform::MessageIcon::Information; break;
    case MessageKind::Warning: box.icon = platform::MessageIcon::Warning; break;
    case MessageKind::Question:
      box.icon = platform::MessageIcon::Question;
      box.buttons = platform::MessageButtons::YesNo;
      box.defaultAnswer = platform::answer::NO;  // nothing is lost unless the user says so
      break;
  }
  return box;
}

}  // namespace zd::install
