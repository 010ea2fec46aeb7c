#include "shell/program_options.h"

#include <charconv>
#include <string_view>

#include "base/cp1253.h"
#include "base/trace.h"
#include "platform/local_time.h"

namespace zd {

bool ParseScreen(std::string_view text, platform::ScreenInfo& screen) {
  int values[3] = {0, 0, 32};
  int count = 0;
  for (;;) {
    if (count == 3) return false;  // more parts than width, height and bits
    const size_t x = text.find('x');
    const std::string_view part = text.substr(0, x);
    auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), values[count]);
    if (ec != std::errc() || ptr != part.data() + part.size() || values[count] <= 0) return false;
    ++count;
    if (x == std::string_view::npos) break;
    text = text.substr(x + 1);
  }
  if (count < 2 || values[0] > 16384 || values[1] > 16384 || values[2] > 32) return false;
  screen.width = values[0];
  screen.height = values[1];
  screen.bitsPerPixel = values[2];
  return true;
}

bool OptionValue(int argc, const char* const* argv, int& i, std::string_view name,
                 std::string& value) {
  const std::string_view arg = argv[i];
  if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
    value = std::string(arg.substr(name.size() + 1));
    return true;
  }
  if (arg == name && i + 1 < argc) {
    value = argv[++i];
    return true;
  }
  return false;
}

std::optional<std::string> TakeRunOption(int argc, const char* const* argv, int& i,
                                         RunOptions& options) {
  const std::string_view arg = argv[i];
  std::string v;
  if (arg == "--help") {
    options.help = true;
  } else if (arg == "--version") {
    options.version = true;
  } else if (OptionValue(argc, argv, i, "--lang", v)) {
    options.language = ParseLanguageName(v);
    if (!options.language) return "--lang needs el or en";
  } else if (arg == "--headless") {
    options.headless = true;
  } else if (arg == "--start-programs") {
    options.startPrograms = true;
  } else if (arg == "--trace") {
    options.traceMask = Trace::kDefault;
  } else if (arg.substr(0, 8) == "--trace=") {
    const auto mask = Trace::ParseCategories(arg.substr(8));
    if (!mask) {
      return "unknown trace category in " + std::string(arg) + " (known: " +
             Trace::CategoryNames() + ")";
    }
    options.traceMask = *mask;
  } else if (OptionValue(argc, argv, i, "--events", v)) {
    options.eventsPath = v;
  } else if (OptionValue(argc, argv, i, "--screen", v)) {
    platform::ScreenInfo screen;
    if (!ParseScreen(v, screen)) return "--screen needs WIDTHxHEIGHT or WIDTHxHEIGHTxBITS";
    options.screen = screen;
  } else if (arg == "--events" || arg == "--screen" || arg == "--lang") {
    return std::string(arg) + " needs a value";
  } else {
    return std::nullopt;
  }
  return std::string();
}

std::string ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options) {
  std::string line;
  std::string_view lastWord, wordBefore;
  bool ownOptions = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&](std::string_view name, std::string& out) {
      return OptionValue(argc, argv, i, name, out);
    };
    if (!ownOptions || arg.substr(0, 2) != "--") {
      if (!line.empty()) line += ' ';
      line += arg;
      wordBefore = lastWord;
      lastWord = arg;
      continue;
    }
    std::string v;
    if (arg == "--") {
      ownOptions = false;
    } else if (auto shared = TakeRunOption(argc, argv, i, options)) {
      if (!shared->empty()) return *shared;
    } else if (arg == "--window") {
      options.windowed = true;
    } else if (arg == "--fullscreen") {
      options.windowed = false;
    } else if (value("--clock", v)) {
      options.clock = platform::ParseClock(v);
      if (!options.clock) return "--clock needs YYYY-MM-DDTHH:MM:SS";
    } else if (value("--ticks", v)) {
      auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), options.startTicks);
      if (ec != std::errc() || ptr != v.data() + v.size()) return "--ticks needs a number";
    } else if (arg == "--test-asserts") {
      options.testAsserts = true;
    } else if (value("--run-script", v)) {
      options.runScriptPath = v;
    } else if (value("--messages", v)) {
      options.messagesPath = v;
    } else if (value("--audio-out", v)) {
      if (v.empty()) return "--audio-out needs a file name";
      options.audioOutPath = v;
    } else if (arg == "--clock" || arg == "--ticks" || arg == "--messages" ||
               arg == "--run-script" || arg == "--audio-out") {
      return std::string(arg) + " needs a value";
    } else {
      return "unknown option " + std::string(arg) + " (zd32 --help lists them)";
    }
  }
  if (!options.audioOutPath.empty() && !options.headless && options.runScriptPath.empty()) {
    return "--audio-out needs --headless (a window plays its sound on the sound device)";
  }
  if (options.testAsserts && options.runScriptPath.empty()) {
    return "--test-asserts goes with --run-script";
  }
  options.commandLine = Utf8ToCp1253(line);
  // A last word that holds blanks was quoted by the shell: it is the authorfile's path whole
  // ("/media/cd/My Title/authorfi"). The original options before it keep their rules, and a
  // word right after -E is that option's value, never the path.
  const bool afterE = wordBefore == "-E" || wordBefore == "-e";
  if (lastWord.find(' ') != std::string_view::npos && lastWord.front() != '-') {
    if (afterE) {
      options.endsWithQuotedValue = true;
    } else {
      options.titlePathWithBlanks = Utf8ToCp1253(lastWord);
    }
  }
  return {};
}

std::string ProgramVersion() { return "zd32 (Zendral player) " ZD_VERSION; }

std::string ProgramUsage(Language language) {
  // The two texts side by side: a line added to one belongs in the other too.
  static constexpr const char* kEnglish = R"(Usage: zd32 [OPTIONS] [-D] [-S] [-E DIRECTORY] [AUTHORFILE]

Plays a Zendral title: give the path of its authorfile (or of the title's
directory). Without one, the player shows its splash with a File menu from
which a title can be opened.

Title options, as the original player took them (any case, anywhere):
  -D            diagnostics off: detailed failure messages give way to a
                generic one, and diagnostic messages are not shown
  -S            no sprite caching: pictures are converted at every redraw
  -E DIRECTORY  the override directory: title files are looked for below it
                first, and the learner's saved status lives in it
  -M, -O        accepted and ignored
The options are recognised with a blank after them; the authorfile is the
last word of the line. A path with blanks is given in quotes, as one word:
  zd32 -D "/media/cd/My Title/authorfi"

A title starts full screen; F4 or Alt+Return switches between full screen and
a window, Alt+1, Alt+2 and Alt+3 scale the page (sharp whole multiples,
smooth, stretched to fill), Alt+S saves a screenshot of the window as PNG in
the pictures folder ($XDG_PICTURES_DIR, the desktop's pictures folder, else
the home folder). The right
mouse button opens the player's menu. The choice of window, its size and the
scaling, and the recent titles, are kept in
$XDG_CONFIG_HOME/zendral/zendral.ini (~/.config/zendral/zendral.ini).

Player options:
  --window            start the title in a window
  --fullscreen        start the title full screen (the default, unless the
                      last run ended in a window)
  --lang el|en        the player's own texts in Greek or English; without it,
                      the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that
                      names a language decides (Greek when none does). Texts
                      the title shows stay as the title has them
  --headless          run without a window: a virtual clock that moves only
                      when the event script waits, input from the script
  --events FILE       play an event script (input, dialog answers,
                      screenshots, expectations); see docs/automation.md
  --trace[=LIST]      write one line per event to standard error; LIST adds
                      categories to the default set: page, message, dialog,
                      script, start, file, window, cursor, seam, event, run,
                      lifecycle, media, data, tool, or all
  --screen WxH[xBITS] the screen's size (and bits per pixel) as the player
                      sees it; default 640x480x32 headless, the real screen
                      otherwise
  --clock YYYY-MM-DDTHH:MM:SS
                      local time at start (fixed for reproducible runs)
  --ticks N           the tick count at start, in milliseconds
  --messages FILE     read failure messages from FILE instead of
                      MESSAGES.TXT beside the program or in ../share/zendral
                      (MESSAGES.EN.TXT there holds the English texts)
  --audio-out FILE.wav
                      headless: keep everything the player would have played
                      as a 16-bit stereo 44,100 Hz WAV file on the virtual
                      clock (sample n is n/44100 s after the run's start,
                      silence where nothing plays), written when the run ends
  --start-programs    headless: really start the programs and browsers the
                      title asks for (otherwise they are only traced); a
                      window always starts them
  --run-script FILE   run the script in FILE (script lines as a page's "+"
                      text objects hold them) on an empty page without a
                      window, then exit; its messages go to standard error
  --test-asserts      with --run-script: the script may use assert CONDITION;
                      each assertion that does not hold is written to standard
                      error with its line, and the exit status is then 1
  --help              this text
  --version           the player's version

Exit status: 0 when the run ends, 1 when an event script expectation or a
script's assertion failed or the script asked for something the player could
not take, 2 for a usage error or an --audio-out file that could not be
written, 3 when the title given could not be started (and no other was) or
the run ended on a failure the title could not go on after.
)";
  static constexpr const char* kGreek = R"(Χρήση: zd32 [OPTIONS] [-D] [-S] [-E DIRECTORY] [AUTHORFILE]

Παίζει έναν τίτλο Zendral: δώστε τη διαδρομή του αρχείου τίτλου του (ή του
φακέλου του τίτλου). Χωρίς αυτήν, το πρόγραμμα δείχνει την αρχική του οθόνη
με ένα μενού Αρχείο, από το οποίο μπορεί να ανοιχτεί ένας τίτλος.

Επιλογές τίτλου, όπως τις δεχόταν το αρχικό πρόγραμμα (πεζά ή κεφαλαία,
σε οποιαδήποτε θέση):
  -D            χωρίς διαγνωστικά: τα λεπτομερή μηνύματα αποτυχίας δίνουν
                τη θέση τους σε ένα γενικό, και τα διαγνωστικά μηνύματα δεν
                εμφανίζονται
  -S            χωρίς κρυφή μνήμη εικόνων: οι εικόνες μετατρέπονται σε κάθε
                επανασχεδίαση
  -E DIRECTORY  ο φάκελος παράκαμψης: τα αρχεία του τίτλου αναζητούνται
                πρώτα μέσα σε αυτόν, και εκεί φυλάγεται η αποθηκευμένη
                πρόοδος του μαθητή
  -M, -O        γίνονται δεκτές και αγνοούνται
Οι επιλογές αναγνωρίζονται όταν τις ακολουθεί κενό· το αρχείο τίτλου είναι
η τελευταία λέξη της γραμμής. Μια διαδρομή με κενά δίνεται σε εισαγωγικά,
ως μία λέξη:
  zd32 -D "/media/cd/My Title/authorfi"

Ο τίτλος ξεκινά σε πλήρη οθόνη· το F4 ή το Alt+Return εναλλάσσει πλήρη οθόνη
και παράθυρο, τα Alt+1, Alt+2 και Alt+3 αλλάζουν την κλίμακα της σελίδας
(καθαρή εικόνα σε ακέραια πολλαπλάσια, ομαλή, τέντωμα σε όλο τον χώρο), και
το Alt+S αποθηκεύει ένα στιγμιότυπο του παραθύρου ως PNG στον φάκελο εικόνων
($XDG_PICTURES_DIR, ο φάκελος εικόνων της επιφάνειας εργασίας, αλλιώς ο
προσωπικός φάκελος). Το δεξί πλήκτρο του
ποντικιού ανοίγει το μενού του προγράμματος. Η επιλογή παραθύρου, το μέγεθός
του, η κλίμακα και οι πρόσφατοι τίτλοι φυλάγονται στο
$XDG_CONFIG_HOME/zendral/zendral.ini (~/.config/zendral/zendral.ini).

Επιλογές του προγράμματος:
  --window            ο τίτλος ξεκινά σε παράθυρο
  --fullscreen        ο τίτλος ξεκινά σε πλήρη οθόνη (η προεπιλογή, εκτός αν
                      η προηγούμενη εκτέλεση τελείωσε σε παράθυρο)
  --lang el|en        τα κείμενα του προγράμματος στα ελληνικά ή στα αγγλικά·
                      χωρίς αυτό, αποφασίζει η πρώτη από τις LANGUAGE, LC_ALL,
                      LC_MESSAGES και LANG που ορίζει γλώσσα (ελληνικά όταν
                      καμία δεν ορίζει). Τα κείμενα που δείχνει ο τίτλος
                      μένουν όπως τα έχει ο τίτλος
  --headless          εκτέλεση χωρίς παράθυρο: ένα εικονικό ρολόι που
                      προχωρά μόνο όταν περιμένει το σενάριο συμβάντων, και
                      είσοδος από το σενάριο
  --events FILE       παίζει ένα σενάριο συμβάντων (είσοδος, απαντήσεις σε
                      διαλόγους, στιγμιότυπα οθόνης, έλεγχοι αποτελεσμάτων)·
                      δείτε το docs/automation.md
  --trace[=LIST]      γράφει μία γραμμή για κάθε συμβάν στην έξοδο σφαλμάτων·
                      η LIST προσθέτει κατηγορίες στις προεπιλεγμένες: page,
                      message, dialog, script, start, file, window, cursor,
                      seam, event, run, lifecycle, media, data, tool, ή all
  --screen WxH[xBITS] το μέγεθος της οθόνης (και τα bit ανά εικονοστοιχείο)
                      όπως τη βλέπει το πρόγραμμα· προεπιλογή 640x480x32
                      χωρίς παράθυρο, αλλιώς η πραγματική οθόνη
  --clock YYYY-MM-DDTHH:MM:SS
                      η τοπική ώρα στην έναρξη (σταθερή, για εκτελέσεις που
                      επαναλαμβάνονται ίδιες)
  --ticks N           ο μετρητής χρόνου στην έναρξη, σε χιλιοστά του
                      δευτερολέπτου
  --messages FILE     διαβάζει τα μηνύματα αποτυχίας από το FILE αντί για το
                      MESSAGES.TXT δίπλα στο πρόγραμμα ή στο ../share/zendral
                      (το MESSAGES.EN.TXT εκεί έχει τα αγγλικά κείμενα)
  --audio-out FILE.wav
                      χωρίς παράθυρο: κρατά ό,τι θα έπαιζε το πρόγραμμα σε
                      αρχείο WAV 16 bit, στερεοφωνικό, 44.100 Hz, στο εικονικό
                      ρολόι (το δείγμα n είναι n/44100 s μετά την έναρξη της
                      εκτέλεσης, σιωπή όπου δεν παίζει τίποτα), γραμμένο όταν
                      τελειώνει η εκτέλεση
  --start-programs    χωρίς παράθυρο: ξεκινά πραγματικά τα προγράμματα και
                      τους φυλλομετρητές που ζητά ο τίτλος (αλλιώς μόνο
                      καταγράφονται)· με παράθυρο ξεκινούν πάντα
  --run-script FILE   εκτελεί τον κώδικα του FILE (γραμμές κώδικα όπως τις
                      έχουν τα αντικείμενα κειμένου "+" μιας σελίδας) σε μια
                      κενή σελίδα χωρίς παράθυρο και τερματίζει· τα μηνύματά
                      του πηγαίνουν στην έξοδο σφαλμάτων
  --test-asserts      με το --run-script: ο κώδικας μπορεί να χρησιμοποιεί
                      assert CONDITION· κάθε έλεγχος που δεν ισχύει γράφεται
                      στην έξοδο σφαλμάτων με τη γραμμή του, και η κατάσταση
                      εξόδου είναι τότε 1
  --help              αυτό το κείμενο
  --version           η έκδοση του προγράμματος

Κατάσταση εξόδου: 0 όταν η εκτέλεση τελειώνει, 1 όταν απέτυχε ένας έλεγχος
αποτελέσματος του σεναρίου συμβάντων ή ένα assert του κώδικα, ή όταν ο κώδικας
ζήτησε κάτι που το πρόγραμμα δεν μπορούσε να δεχτεί, 2 για σφάλμα χρήσης ή για
αρχείο --audio-out που δεν μπόρεσε να γραφτεί, 3 όταν ο τίτλος που δόθηκε δεν
μπόρεσε να ξεκινήσει (και δεν ξεκίνησε άλλος) ή η εκτέλεση τελείωσε σε
αποτυχία μετά την οποία ο τίτλος δεν μπορούσε να συνεχίσει.
)";
  return language == Language::English ? kEnglish : kGreek;
}

}  // namespace zd
