#include "resources/string_table.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/cp1253.h"

namespace zd {
namespace {

// A text of the player's own, in Greek and in English.
constexpr StringTableEntry Own(int id, std::string_view greek, std::string_view english) {
  return {id, true, greek, english};
}

// A text a title sees or shows: the same in every language.
constexpr StringTableEntry Shared(int id, std::string_view text) { return {id, false, text, text}; }

// Kept in ascending id order: lookups are a binary search.
constexpr StringTableEntry kEntries[] = {
    // Questions of the shell, the title loader, object export and movies
    Own(101, "Είστε βέβαιοι ότι θέλετε να τερματίσετε την εφαρμογή;",
        "Are you sure you want to quit the application?"),
    Own(102, "Συνέχεια από τη προηγούμενη φορά;", "Continue from where you left off last time?"),
    Own(103,
        "Το αρχείο του τίτλου είναι νεότερης έκδοσης από αυτή που υποστηρίζει το πρόγραμμα.\n"
        "Θέλετε να συνεχίσετε;",
        "The title file is of a newer version than this program supports.\n"
        "Do you want to continue?"),
    Own(104, "Το αρχείο \"%s\" υπάρχει ήδη.\nΘέλετε να το αντικαταστήσετε;",
        "The file \"%s\" already exists.\nDo you want to replace it?"),
    Own(105, "Δε μπορεί να βρεθεί το αρχείο \"%s\" της ταινίας.\n Να φορτώσετε τη ταινία μόνοι σας;",
        "The movie file \"%s\" cannot be found.\nDo you want to locate the movie yourself?"),
    Own(106, "Θέλετε να αποθηκεύσετε κείμενο στο σημειωματάριο;",
        "Do you want to save the text of the notepad?"),
    // 107 is shown with 108 appended directly, in one box.
    Own(107, "Ο τίτλος έχει σχεδιαστεί για οθόνη 640x480 με 256 χρώματα.\n",
        "The title was designed for a 640x480 screen with 256 colours.\n"),
    Own(108, "Προτείνεται να αλλάξετε τις ρυθμίσεις της οθόνης σας.\nΘέλετε να συνεχίσετε;",
        "You are advised to change your display settings.\nDo you want to continue?"),

    // Why a title given to the player did not start (the path), each shown with 126 after it
    Own(120, "Το \"%s\" δεν υπάρχει.", "\"%s\" does not exist."),
    Own(121, "Ο φάκελος \"%s\" δεν περιέχει τίτλο Zendral.",
        "The folder \"%s\" holds no Zendral title."),
    Own(122, "Το \"%s\" δεν είναι αρχείο τίτλου Zendral.",
        "\"%s\" is not a Zendral title's authorfile."),
    Own(123, "Το \"%s\" δεν μπορεί να διαβαστεί.", "\"%s\" cannot be read."),
    Own(124, "Το αρχείο τίτλου \"%s\" είναι κατεστραμμένο.", "The authorfile \"%s\" is damaged."),
    Own(125, "Ο τίτλος \"%s\" δεν ξεκίνησε.", "The title \"%s\" was not started."),
    Own(126, "Θέλετε να κλείσετε το Zendral; (Όχι: επιλογή άλλου τίτλου)",
        "Do you want to quit Zendral? (No: choose another title)"),
    // The screenshot notice, the splash's recent titles, the Open dialog's filter
    Own(127, "Το στιγμιότυπο οθόνης αποθηκεύτηκε ως %s.", "Screenshot saved as %s."),
    Own(128, "Δεν ήταν δυνατό να αποθηκευτεί το στιγμιότυπο οθόνης (%s).",
        "The screenshot could not be saved (%s)."),
    Own(129, "Πρόσφατοι τίτλοι", "Recent titles"),
    Own(130, "Αρχείο τίτλου (*.*)", "Authorfile (*.*)"),
    // Buttons and the file browser, as the backend draws them
    Own(131, "OK", "OK"),
    Own(132, "Ναι", "Yes"),
    Own(133, "Όχι", "No"),
    Own(134, "Άκυρο", "Cancel"),
    Own(135, "Άνοιγμα", "Open"),
    Own(136, "Αποθήκευση ως", "Save as"),
    Own(137, "Άνοιγμα", "Open"),
    Own(138, "Αποθήκευση", "Save"),
    Own(139, "Φάκελος:", "Folder:"),
    Own(140, "Όνομα αρχείου:", "File name:"),
    Own(141, "Τύπος αρχείων:", "Files of type:"),
    Own(142, "Το αρχείο \"%s\" δεν βρέθηκε.", "The file \"%s\" was not found."),
    Own(143, "Ο φάκελος \"%s\" δεν υπάρχει.", "The folder \"%s\" does not exist."),

    // The resume offer at the start of a title, and the name the settings dialogs propose
    Own(150, "Συνέχεια", "Continue"),
    Own(151, "Ναι", "Yes"),
    Own(152, "&Επιλέξτε Ενότητα", "&Choose a Section"),
    Own(153, "&Όχι", "&No"),
    Own(154, "Χρήστης", "User"),

    // Titles of file dialogs, the print progress text, the settings questions
    Own(201, "Αποθήκευση αντικειμένου", "Save object"),
    Own(210, "Να αποθηκευθεί το κείμενο του σημειωματάριου", "Save the text of the notepad"),
    Own(211, "Εκτύπωση της σελίδας %d", "Printing page %d"),
    Own(212, "Εντοπισμός προγράμματος περιήγησης", "Locate web browser"),
    Own(213, "Αποθήκευση Ρυθμίσεων", "Save Settings"),
    Own(214, "Φόρτωση Ρυθμίσεων", "Load Settings"),
    Own(215,
        "Να φορτωθούν οι ρυθμίσεις του αρχείου;\n\n"
        "(Προσοχή: Η επιλογή \"Ναι\" μπορεί να προκαλέσει απρόβλεπτα αποτελέσματα).",
        "Load the settings of this file?\n\n"
        "(Caution: choosing \"Yes\" may have unexpected results)."),

    // Toolbox menu, by tool number (at most 31 bytes each)
    Own(300, "Υπολογιστική μηχανή", "Calculator"),
    Own(301, "Χρονόμετρο", "Stopwatch"),
    Own(302, "Μολύβι", "Pencil"),
    Own(303, "Σημειωματάριο", "Notepad"),
    Own(304, "Υπολογισμός ταινίας", "Tape measure"),
    Own(305, "Πυξίδα", "Compass"),
    Own(306, "Γομολάστιχα", "Eraser"),
    Own(307, "Κενή οθόνη", "Print page"),
    Own(308, "Εύρεση κείμενου\tF2", "Find text\tF2"),

    // Names, headings and labels
    Shared(401, "Zendral"),
    Own(402, "ΣΕΛΙΔΑ %d", "PAGE %d"),
    Own(403, "Κατασκευαστής:", "Publisher:"),
    Own(404, "Θέση:", "Location:"),
    Shared(409, "Άγνωστο"),  // a database value scripts compare
    Own(410, "Σφάλμα DDE", "DDE error"),
    // Script error heading: the script's name, then the line number.
    Own(412, "Σφάλμα στο κώδικα - Κώδικας  \"%s\", Γραμμή %d:\n",
        "Script error - script \"%s\", line %d:\n"),
    Shared(414, "Χρήστης"),  // scripts read the user's name
    Shared(417, "Mossgate"),

    // Browser descriptions and the browser settings dialog
    Own(500, "Πρόγραμμα περιήγησης", "Web browser"),
    Own(501, "Microsoft Internet Explorer", "Microsoft Internet Explorer"),
    Own(502, "Κατασκευαστής: Microsoft Corporation", "Publisher: Microsoft Corporation"),
    Own(503, "Κατασκευαστής: ", "Publisher: "),
    Own(504, "Netscape Communications Corporation", "Netscape Communications Corporation"),
    Own(505, "Άγνωστο πρόγραμμα περιήγησης", "Unknown web browser"),
    Own(506,
        "Δε βρέθηκε κανένα πρόγραμμα περιήγησης στον υπολογιστή σας. "
        "Εντοπίστε μόνοι σας το πρόγραμμα που θέλετε να χρησιμοποιείτε.",
        "No web browser was found on your computer. "
        "Please locate the program you want to use yourself."),
    Own(507,
        "Βρέθηκε ένα πρόγραμμα περιήγησης στον υπολογιστή σας. "
        "Επιβεβαιώστε την επιλογή του ή εντοπίστε κάποιο άλλο.",
        "One web browser was found on your computer. "
        "Please confirm it or locate another one."),
    Own(508,
        "Βρέθηκαν περισσότερα από ένα προγράμματα περιήγησης στον υπολογιστή σας. "
        "Επιλέξτε αυτό που θέλετε να χρησιμοποιείτε.",
        "More than one web browser was found on your computer. "
        "Please choose the one you want to use."),
    Own(509, "Ρυθμίσεις προγράμματος περιήγησης", "Web browser settings"),
    Own(510, "Εντοπισμός...", "Locate..."),
    // 511 and 514 are followed by a line naming the file or the reason.
    Own(511, "Το αρχείο δεν είναι πρόγραμμα ή εφαρμογή που μπορεί να ξεκινήσει:",
        "The file is not a program or an application that can be started:"),
    Own(512, "Επιλέξτε ένα πρόγραμμα περιήγησης από τη λίστα ή εντοπίστε κάποιο άλλο.",
        "Choose a web browser from the list or locate another one."),
    Own(513, " (προεπιλογή)", " (default)"),
    Own(514, "Η επιλογή σας ισχύει, αλλά δεν ήταν δυνατό να αποθηκευτεί για την επόμενη φορά:",
        "Your choice holds, but it could not be saved for next time:"),
    Own(515, "Έκδοση", "Version"),

    // Explanations of DDE error codes, in code order
    Own(516, "Λήξη χρόνου αναμονής για επιβεβαίωση αιτήματος ενημέρωσης.",
        "Timed out waiting for an advise request to be acknowledged."),
    Own(517, "Η εφαρμογή είναι απασχολημένη.", "The application is busy."),
    Own(518, "Λήξη χρόνου αναμονής για αίτημα δεδομένων.", "Timed out waiting for a data request."),
    Own(519, "Η επικοινωνία DDE δεν έχει αρχικοποιηθεί.", "DDE has not been initialised."),
    Own(520, "Λανθασμένη χρήση της επικοινωνίας DDE.", "DDE was used incorrectly."),
    Own(521, "Λήξη χρόνου αναμονής για εκτέλεση εντολής.",
        "Timed out waiting for a command to be executed."),
    Own(522, "Μη έγκυρη παράμετρος.", "Invalid parameter."),
    Own(523, "Η μνήμη δεν επαρκεί.", "Not enough memory."),
    Own(524, "Δεν ήταν δυνατό να αρχίσει συνομιλία.", "A conversation could not be started."),
    Own(525, "Η συναλλαγή δεν εκτελέστηκε.", "The transaction was not carried out."),
    Own(526, "Λήξη χρόνου αναμονής για αποστολή δεδομένων.", "Timed out waiting to send data."),
    Own(527, "Η αποστολή μηνύματος απέτυχε.", "A message could not be posted."),
    Own(528, "Μη επιτρεπτή ταυτόχρονη συναλλαγή.", "Simultaneous transactions are not allowed."),
    Own(529, "Η εφαρμογή που απαντούσε τερματίστηκε.", "The answering application has ended."),
    Own(530, "Σφάλμα συστήματος.", "System error."),
    Own(531, "Λήξη χρόνου αναμονής για τερματισμό ενημέρωσης.",
        "Timed out waiting for an advise to end."),
    Own(532, "Μη έγκυρο αναγνωριστικό συναλλαγής.", "Invalid transaction identifier."),
    // What the DDE conversation was doing when it failed
    Own(533, "Έναρξη επικοινωνίας DDE", "Starting DDE"),
    Own(534, "Δημιουργία ονομάτων DDE", "Creating DDE names"),
    Own(535, "Σύνδεση με το πρόγραμμα περιήγησης", "Connecting to the web browser"),
    Own(536, "Αποστολή της διεύθυνσης", "Sending the address"),
    Own(537, "Τερματισμός σύνδεσης", "Ending the connection"),

    // Registry keys whose open command names a browser
    Shared(538, "htmlfile\\shell\\open"),
    Shared(539, "NetscapeMarkup\\shell\\open"),
    Shared(540, "http\\shell\\open"),
    Shared(541, "https\\shell\\open"),
    // Usual browser locations; the drive is replaced by the Windows drive
    Shared(542, "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"),
    Shared(543, "C:\\Program Files\\Microsoft Internet\\IEXPLORE.EXE"),
    Shared(544, "C:\\Program Files\\Plus!\\Microsoft Internet\\IEXPLORE.EXE"),
    Shared(545, "C:\\Program Files\\Netscape\\Communicator\\Program\\NETSCAPE.EXE"),
    Shared(546, "C:\\Program Files\\Netscape\\Navigator\\Program\\NETSCAPE.EXE"),
    Shared(547, "C:\\Program Files\\Netscape\\Program\\NETSCAPE.EXE"),
    Shared(548, "C:\\Netscape\\NETSCAPE.EXE"),

    // Export formats, then file dialog filters (description;pattern;... pairs)
    Shared(600, "Windows metafile (*.WMF)"),
    Shared(601, "Windows bitmap (*.BMP)"),
    Shared(602, "Arc sprite file (*.PNT)"),
    Shared(603, "Acorn Draw file (*.DRW)"),
    Shared(604, "Text file (*.TXT)"),
    Shared(605, "Orbisk map (*.OBM)"),
    Own(606, "Αρχεία ρυθμίσεων (*.ZDS);*.ZDS;Όλα τα αρχεία (*.*);*.*;",
        "Settings files (*.ZDS);*.ZDS;All files (*.*);*.*;"),
    Own(607, "Text file (*.TXT);*.TXT;All files (*.*);*.*;",
        "Text file (*.TXT);*.TXT;All files (*.*);*.*;"),
    Own(609, "Προγράμματα (*);*;Εφαρμογές (*.desktop);*.desktop;",
        "Programs (*);*;Applications (*.desktop);*.desktop;"),
    Own(610, "Αρχεία μεταβλητών (*.ZDV);*.ZDV;Όλα τα αρχεία (*.*);*.*;",
        "Variable files (*.ZDV);*.ZDV;All files (*.*);*.*;"),

    // Date names: months from January, at most 15 bytes each
    Shared(800, "Ιανουάριος"),
    Shared(801, "Φεβρουάριος"),
    Shared(802, "Μάρτιος"),
    Shared(803, "Απρίλιος"),
    Shared(804, "Μάιος"),
    Shared(805, "Ιούνιος"),
    Shared(806, "Ιούλιος"),
    Shared(807, "Αύγουστος"),
    Shared(808, "Σεπτέμβριος"),
    Shared(809, "Οκτώβριος"),
    Shared(810, "Νοέμβριος"),
    Shared(811, "Δεκέμβριος"),
    // Date names: weekdays from Monday
    Shared(900, "Δευτέρα"),
    Shared(901, "Τρίτη"),
    Shared(902, "Τετάρτη"),
    Shared(903, "Πέμπτη"),
    Shared(904, "Παρασκευή"),
    Shared(905, "Σάββατο"),
    Shared(906, "Κυριακή"),

    // Save-object file types beyond the six above
    Own(3200, "Εικόνα PNG (*.PNG)", "PNG picture (*.PNG)"),
    Own(3201, "Σχέδιο SVG (*.SVG)", "SVG drawing (*.SVG)"),
    Own(3202,
        "Το όνομα του αρχείου έχει χαρακτήρες που δεν μπορούν να γραφτούν. "
        "Διαλέξτε άλλο όνομα.",
        "The file name holds characters that cannot be written. Choose another name."),
};

constexpr bool InAscendingOrder() {
  for (size_t i = 1; i < std::size(kEntries); ++i) {
    if (kEntries[i - 1].id >= kEntries[i].id) return false;
  }
  return true;
}
static_assert(InAscendingOrder(), "string table ids must be unique and ascending");

const StringTableEntry* FindEntry(int id) {
  const auto* end = std::end(kEntries);
  const auto* it = std::lower_bound(
      std::begin(kEntries), end, id,
      [](const StringTableEntry& entry, int wanted) { return entry.id < wanted; });
  return it == end || it->id != id ? nullptr : it;
}

std::string_view TextIn(const StringTableEntry& entry, Language language) {
  return language == Language::English ? entry.english : entry.greek;
}

}  // namespace

std::span<const StringTableEntry> StringTableEntries() { return kEntries; }

std::string_view LoadStringUtf8(int id, Language language) {
  const StringTableEntry* entry = FindEntry(id);
  return entry ? TextIn(*entry, language) : std::string_view();
}

std::string LoadString(int id, Language language) {
  // The table is constant, so it is converted once a language: dates and database values ask
  // for the same month names and "unknown" text for every record they show.
  static const auto convert = [](Language wanted) {
    std::vector<std::string> texts;
    for (const StringTableEntry& entry : kEntries) {
      texts.push_back(Utf8ToCp1253(TextIn(entry, wanted)));
    }
    return texts;
  };
  static const std::vector<std::string> greek = convert(Language::Greek);
  static const std::vector<std::string> english = convert(Language::English);
  const StringTableEntry* entry = FindEntry(id);
  if (!entry) return std::string();
  const auto& texts = language == Language::English ? english : greek;
  return texts[size_t(entry - std::begin(kEntries))];
}

}  // namespace zd
