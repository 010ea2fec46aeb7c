#include "installer/installer_options.h"

#include <string_view>

#include "base/trace.h"
#include "shell/program_options.h"

namespace zd::install {

std::string ParseInstallerOptions(int argc, const char* const* argv, InstallerOptions& options) {
  bool ownOptions = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!ownOptions || arg.substr(0, 2) != "--") {
      if (options.source) return "only one source folder can be given";
      if (arg.empty()) return "the source folder is empty";
      options.source = std::string(arg);
      continue;
    }
    std::string v;
    if (arg == "--") {
      ownOptions = false;
    } else if (auto shared = TakeRunOption(argc, argv, i, options)) {
      if (!shared->empty()) return *shared;
    } else if (OptionValue(argc, argv, i, "--uninstall", v)) {
      if (v.empty()) return "--uninstall needs a title";
      options.uninstallTitle = v;
    } else if (arg == "--uninstall") {
      return std::string(arg) + " needs a value";
    } else {
      return "unknown option " + std::string(arg) + " (zdinst32 --help lists them)";
    }
  }
  if (options.uninstallTitle && options.source) {
    return "--uninstall takes a title, not a source folder";
  }
  if (options.startPrograms && !options.headless) {
    return "--start-programs goes with --headless (a window always starts programs)";
  }
  return {};
}

std::string InstallerVersion() { return "zdinst32 (Zendral installer) " ZD_VERSION; }

std::string InstallerUsage(Language language) {
  // The two texts side by side: a line added to one belongs in the other too.
  static constexpr const char* kEnglish = R"(Usage: zdinst32 [OPTIONS] [SOURCE]
       zdinst32 --uninstall TITLE

Installs a Zendral title from its CD: puts the title in the applications menu
(a menu folder named after the title's group, with a launcher that starts zd32
on the title), copies its read-me and icons, and makes the folder where the
learner's progress is kept. SOURCE is the CD's folder that holds the install
list PCINST (or the CD's root, when its PC folder does). Without SOURCE the
folder is looked for beside the program (the program's own folder when it is
called PC, else its PC subfolder), and asked for when it is not found there.

When the title is installed already, a first box offers to run it, to install
it again or to leave. What an installation wrote is recorded in
$XDG_DATA_HOME/zendral/installed/TITLE.json (~/.local/share/...), and
--uninstall removes exactly the files listed there; the learner's saves stay.

Options:
  --uninstall TITLE   remove an installed title (Mossgate) and its menu
                      entries, after asking (No when a headless run's script
                      gives no answer); the learner's saves are kept
  --lang el|en        the installer's texts in Greek or English; without it,
                      the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that
                      names a language decides (Greek when none does)
  --headless          run without a window; dialogs are answered by the event
                      script (or take their default answer)
  --events FILE       play an event script, as zd32 does (answer, check,
                      uncheck, edit, file, expect message); see
                      docs/automation.md and docs/installer.md
  --trace[=LIST]      write one line per event to standard error; LIST adds
                      categories to the default set (as zd32's --trace)
  --screen WxH[xBITS] the screen's size as the installer sees it
  --start-programs    with --headless: really start the programs it would
                      start (the title, the viewer installer) instead of only
                      tracing them
  --help              this text
  --version           the installer's version

Exit status: 0 when the title was installed, run, uninstalled or the user
cancelled, 1 when an event script failed, 2 for a usage error or a failure.
)";
  static constexpr const char* kGreek = R"(Χρήση: zdinst32 [OPTIONS] [SOURCE]
       zdinst32 --uninstall TITLE

Εγκαθιστά έναν τίτλο Zendral από τον δίσκο του: βάζει τον τίτλο στο μενού
εφαρμογών (ένας φάκελος του μενού με το όνομα της ομάδας του τίτλου, με μια
εκκίνηση που ανοίγει τον τίτλο με το zd32), αντιγράφει το κείμενο «Read Me»
και τα εικονίδιά του, και φτιάχνει τον φάκελο όπου φυλάγεται η πρόοδος του
μαθητή. Το SOURCE είναι ο φάκελος του δίσκου που έχει τη λίστα εγκατάστασης
PCINST (ή η ρίζα του δίσκου, όταν την έχει ο φάκελός της PC). Χωρίς SOURCE ο
φάκελος αναζητείται δίπλα στο πρόγραμμα (ο φάκελος του ίδιου του προγράμματος
όταν λέγεται PC, αλλιώς ο υποφάκελός του PC), και ζητείται όταν δεν βρεθεί.

Όταν ο τίτλος είναι ήδη εγκατεστημένος, ένα πρώτο παράθυρο προτείνει να
ξεκινήσει, να εγκατασταθεί ξανά ή να τελειώσει το πρόγραμμα. Ό,τι έγραψε μια
εγκατάσταση καταγράφεται στο $XDG_DATA_HOME/zendral/installed/TITLE.json
(~/.local/share/...), και το --uninstall αφαιρεί ακριβώς τα αρχεία που
αναφέρονται εκεί.

Επιλογές:
  --uninstall TITLE   αφαιρεί έναν εγκατεστημένο τίτλο (Mossgate) και τις
                      καταχωρίσεις του στο μενού, αφού ρωτήσει (Όχι όταν δεν
                      απαντά το σενάριο μιας εκτέλεσης --headless)· η πρόοδος
                      του μαθητή δεν σβήνεται
  --lang el|en        τα κείμενα του προγράμματος στα ελληνικά ή στα αγγλικά·
                      χωρίς αυτό, αποφασίζει η πρώτη από τις LANGUAGE, LC_ALL,
                      LC_MESSAGES και LANG που ορίζει γλώσσα (ελληνικά όταν
                      καμία δεν ορίζει)
  --headless          εκτέλεση χωρίς παράθυρο· τους διαλόγους τους απαντά το
                      σενάριο συμβάντων (ή παίρνουν την προεπιλεγμένη
                      απάντηση)
  --events FILE       παίζει ένα σενάριο συμβάντων, όπως το zd32 (answer,
                      check, uncheck, edit, file, expect message)· δείτε τα
                      docs/automation.md και docs/installer.md
  --trace[=LIST]      γράφει μία γραμμή για κάθε συμβάν στην έξοδο σφαλμάτων·
                      η LIST προσθέτει κατηγορίες (όπως στο --trace του zd32)
  --screen WxH[xBITS] το μέγεθος της οθόνης όπως τη βλέπει το πρόγραμμα
  --start-programs    με το --headless: ξεκινά πραγματικά τα προγράμματα που
                      θα ξεκινούσε (τον τίτλο, την εγκατάσταση του viewer)
                      αντί μόνο να τα καταγράφει
  --help              αυτό το κείμενο
  --version           η έκδοση του προγράμματος

Κατάσταση εξόδου: 0 όταν ο τίτλος εγκαταστάθηκε, ξεκίνησε, απεγκαταστάθηκε ή
όταν ο χρήστης ακύρωσε, 1 όταν απέτυχε ένα σενάριο συμβάντων, 2 για σφάλμα
χρήσης ή αποτυχία.
)";
  return language == Language::English ? kEnglish : kGreek;
}

}  // namespace zd::install
