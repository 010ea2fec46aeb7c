#include "resources/string_table.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/cp1253.h"

namespace zd {
namespace {

struct Entry {
  int id;
  std::string_view text;
};

// Kept in ascending id order: lookups are a binary search.
constexpr Entry kEntries[] = {
    // Questions of the shell, the title loader, object export and movies
    {101, "Είστε βέβαιοι ότι θέλετε να τερματίσετε την εφαρμογή;"},
    {102, "Συνέχεια από τη προηγούμενη φορά;"},
    {103, "Το αρχείο του τίτλου είναι νεότερης έκδοσης από αυτή που υποστηρίζει το πρόγραμμα.\n"
          "Θέλετε να συνεχίσετε;"},
    {104, "Το αρχείο \"%s\" υπάρχει ήδη.\nΘέλετε να το αντικαταστήσετε;"},
    {105, "Δε μπορεί να βρεθεί το αρχείο \"%s\" της ταινίας.\n Να φορτώσετε τη ταινία μόνοι σας;"},
    {106, "Θέλετε να αποθηκεύσετε κείμενο στο σημειωματάριο;"},
    // 107 is shown with 108 appended directly, in one box.
    {107, "Ο τίτλος έχει σχεδιαστεί για οθόνη 640x480 με 256 χρώματα.\n"},
    {108, "Προτείνεται να αλλάξετε τις ρυθμίσεις της οθόνης σας.\nΘέλετε να συνεχίσετε;"},

    // Titles of file dialogs, the print progress text, the settings questions
    {201, "Αποθήκευση αντικειμένου"},
    {210, "Να αποθηκευθεί το κείμενο του σημειωματάριου"},
    {211, "Εκτύπωση της σελίδας %d"},
    {212, "Εντοπισμός προγράμματος περιήγησης"},
    {213, "Αποθήκευση Ρυθμίσεων"},
    {214, "Φόρτωση Ρυθμίσεων"},
    {215, "Να φορτωθούν οι ρυθμίσεις του αρχείου;\n\n"
          "(Προσοχή: Η επιλογή \"Ναι\" μπορεί να προκαλέσει απρόβλεπτα αποτελέσματα)."},

    // Toolbox menu, by tool number (at most 31 bytes each)
    {300, "Υπολογιστική μηχανή"},
    {301, "Χρονόμετρο"},
    {302, "Μολύβι"},
    {303, "Σημειωματάριο"},
    {304, "Υπολογισμός ταινίας"},
    {305, "Πυξίδα"},
    {306, "Γομολάστιχα"},
    {307, "Κενή οθόνη"},
    {308, "Εύρεση κείμενου\tF2"},

    // Names, headings and labels
    {401, "Zendral"},
    {402, "ΣΕΛΙΔΑ %d"},
    {403, "Κατασκευαστής:"},
    {404, "Θέση:"},
    {409, "Άγνωστο"},
    {410, "Σφάλμα DDE"},
    // Script error heading: the script's name, then the line number.
    {412, "Σφάλμα στο κώδικα - Κώδικας  \"%s\", Γραμμή %d:\n"},
    {414, "Χρήστης"},
    {417, "Mossgate"},

    // Browser descriptions and the browser settings dialog
    {500, "Πρόγραμμα περιήγησης"},
    {501, "Microsoft Internet Explorer"},
    {502, "Κατασκευαστής: Microsoft Corporation"},
    {503, "Κατασκευαστής: "},
    {504, "Netscape Communications Corporation"},
    {505, "Άγνωστο πρόγραμμα περιήγησης"},
    {506, "Δε βρέθηκε κανένα πρόγραμμα περιήγησης στον υπολογιστή σας. "
          "Εντοπίστε μόνοι σας το πρόγραμμα που θέλετε να χρησιμοποιείτε."},
    {507, "Βρέθηκε ένα πρόγραμμα περιήγησης στον υπολογιστή σας. "
          "Επιβεβαιώστε την επιλογή του ή εντοπίστε κάποιο άλλο."},
    {508, "Βρέθηκαν περισσότερα από ένα προγράμματα περιήγησης στον υπολογιστή σας. "
          "Επιλέξτε αυτό που θέλετε να χρησιμοποιείτε."},
    {512, "Επιλέξτε ένα πρόγραμμα περιήγησης από τη λίστα ή εντοπίστε κάποιο άλλο."},
    {513, " (προεπιλογή)"},
    {515, "Έκδοση"},

    // Explanations of DDE error codes, in code order
    {516, "Λήξη χρόνου αναμονής για επιβεβαίωση αιτήματος ενημέρωσης."},
    {517, "Η εφαρμογή είναι απασχολημένη."},
    {518, "Λήξη χρόνου αναμονής για αίτημα δεδομένων."},
    {519, "Η επικοινωνία DDE δεν έχει αρχικοποιηθεί."},
    {520, "Λανθασμένη χρήση της επικοινωνίας DDE."},
    {521, "Λήξη χρόνου αναμονής για εκτέλεση εντολής."},
    {522, "Μη έγκυρη παράμετρος."},
    {523, "Η μνήμη δεν επαρκεί."},
    {524, "Δεν ήταν δυνατό να αρχίσει συνομιλία."},
    {525, "Η συναλλαγή δεν εκτελέστηκε."},
    {526, "Λήξη χρόνου αναμονής για αποστολή δεδομένων."},
    {527, "Η αποστολή μηνύματος απέτυχε."},
    {528, "Μη επιτρεπτή ταυτόχρονη συναλλαγή."},
    {529, "Η εφαρμογή που απαντούσε τερματίστηκε."},
    {530, "Σφάλμα συστήματος."},
    {531, "Λήξη χρόνου αναμονής για τερματισμό ενημέρωσης."},
    {532, "Μη έγκυρο αναγνωριστικό συναλλαγής."},
    // What the DDE conversation was doing when it failed
    {533, "Έναρξη επικοινωνίας DDE"},
    {534, "Δημιουργία ονομάτων DDE"},
    {535, "Σύνδεση με το πρόγραμμα περιήγησης"},
    {536, "Αποστολή της διεύθυνσης"},
    {537, "Τερματισμός σύνδεσης"},

    // Registry keys whose open command names a browser
    {538, "htmlfile\\shell\\open"},
    {539, "NetscapeMarkup\\shell\\open"},
    {540, "http\\shell\\open"},
    {541, "https\\shell\\open"},
    // Usual browser locations; the drive is replaced by the Windows drive
    {542, "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"},
    {543, "C:\\Program Files\\Microsoft Internet\\IEXPLORE.EXE"},
    {544, "C:\\Program Files\\Plus!\\Microsoft Internet\\IEXPLORE.EXE"},
    {545, "C:\\Program Files\\Netscape\\Communicator\\Program\\NETSCAPE.EXE"},
    {546, "C:\\Program Files\\Netscape\\Navigator\\Program\\NETSCAPE.EXE"},
    {547, "C:\\Program Files\\Netscape\\Program\\NETSCAPE.EXE"},
    {548, "C:\\Netscape\\NETSCAPE.EXE"},

    // Export formats, then file dialog filters (description;pattern;... pairs)
    {600, "Windows metafile (*.WMF)"},
    {601, "Windows bitmap (*.BMP)"},
    {602, "Arc sprite file (*.PNT)"},
    {603, "Acorn Draw file (*.DRW)"},
    {604, "Text file (*.TXT)"},
    {605, "Orbisk map (*.OBM)"},
    {606, "Αρχεία ρυθμίσεων (*.ZDS);*.ZDS;Όλα τα αρχεία (*.*);*.*;"},
    {607, "Text file (*.TXT);*.TXT;All files (*.*);*.*;"},
    {609, "Προγράμματα (*.EXE);*.EXE;Όλα τα αρχεία (*.*);*.*;"},
    {610, "Αρχεία μεταβλητών (*.ZDV);*.ZDV;Όλα τα αρχεία (*.*);*.*;"},

    // Date names: months from January, at most 15 bytes each
    {800, "Ιανουάριος"},
    {801, "Φεβρουάριος"},
    {802, "Μάρτιος"},
    {803, "Απρίλιος"},
    {804, "Μάιος"},
    {805, "Ιούνιος"},
    {806, "Ιούλιος"},
    {807, "Αύγουστος"},
    {808, "Σεπτέμβριος"},
    {809, "Οκτώβριος"},
    {810, "Νοέμβριος"},
    {811, "Δεκέμβριος"},
    // Date names: weekdays from Monday
    {900, "Δευτέρα"},
    {901, "Τρίτη"},
    {902, "Τετάρτη"},
    {903, "Πέμπτη"},
    {904, "Παρασκευή"},
    {905, "Σάββατο"},
    {906, "Κυριακή"},
};

constexpr bool InAscendingOrder() {
  for (size_t i = 1; i < std::size(kEntries); ++i) {
    if (kEntries[i - 1].id >= kEntries[i].id) return false;
  }
  return true;
}
static_assert(InAscendingOrder(), "string table ids must be unique and ascending");

const Entry* FindEntry(int id) {
  const auto* end = std::end(kEntries);
  const auto* it = std::lower_bound(std::begin(kEntries), end, id,
                                    [](const Entry& entry, int wanted) { return entry.id < wanted; });
  return it == end || it->id != id ? nullptr : it;
}

}  // namespace

std::string_view LoadStringUtf8(int id) {
  const Entry* entry = FindEntry(id);
  return entry ? entry->text : std::string_view();
}

std::string LoadString(int id) {
  // The table is constant, so it is converted once: dates and database values ask for the
  // same month names and "unknown" text for every record they show.
  static const std::vector<std::string> converted = [] {
    std::vector<std::string> texts;
    for (const Entry& entry : kEntries) texts.push_back(Utf8ToCp1253(entry.text));
    return texts;
  }();
  const Entry* entry = FindEntry(id);
  return entry ? converted[size_t(entry - std::begin(kEntries))] : std::string();
}

}  // namespace zd
