// zdbuild DESCRIPTION.json OUTDIR: makes a title directory (or several titles side by side) from
// a JSON description; the format is in docs/title-format.md. zdbuild --database DB.json FOLDER
// makes one database folder (docs/database-format.md).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "titlekit/database_description.h"
#include "titlekit/description_error.h"
#include "titlekit/description_json.h"
#include "titlekit/title_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: zdbuild DESCRIPTION.json OUTDIR\n"
    "       zdbuild --database DATABASE.json FOLDER\n"
    "       zdbuild --version\n"
    "\n"
    "Makes the title a JSON description asks for. DESCRIPTION may be \"-\" to read standard\n"
    "input; \"file\" paths inside it are then taken from the current directory, otherwise from\n"
    "the description's own directory.\n"
    "\n"
    "A description of one title writes that title into OUTDIR. A description\n"
    "{\"titles\": [...], \"override\": {...}, \"databases\": [...]} writes each title into\n"
    "OUTDIR/<its \"directory\">, the override tree into OUTDIR/<override directory>, and each\n"
    "database into OUTDIR/database/<its \"folder\", default ravel>/<its \"name\">/ (databases\n"
    "inside \"override\" go below the override directory in the same way). A resource\n"
    "{\"dir\": D, \"number\": N, \"database\": {...}} is the database folder resD/resN/. Files\n"
    "already in OUTDIR are left alone unless the description writes them again.\n"
    "\n"
    "With --database, DATABASE.json (or \"-\") is one database object and FOLDER receives its\n"
    "files DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT and GRAPHICS; its \"csv\" and picture\n"
    "paths are taken as above.\n"
    "\n"
    "A title without pages or without sections is written, with a warning: the player will\n"
    "refuse it.\n"
    "\n"
    "  --version     print the version of the Zendral player these tools belong to\n"
    "\n"
    "The formats are described in docs/title-format.md and docs/database-format.md. Exit\n"
    "status: 0 done, 1 the description or the output is at fault, 2 wrong usage.\n";

// Titles the player will refuse are still written (malformed titles are made on purpose), but
// never silently.
void WarnOfRefusedTitles(const zd::titlekit::Description& description, const std::string& outDir) {
  for (const zd::titlekit::Title& title : description.titles) {
    if (!title.authorfileName || title.authorfileName->empty() || title.authorfile.raw) continue;
    const std::string where =
        description.several ? (std::filesystem::path(outDir) / title.directory).string() : outDir;
    const auto warn = [&](const char* what) {
      std::cerr << "zdbuild: warning: title \"" << where << "\" has no " << what
                << "; the player will refuse it\n";
    };
    if (title.authorfile.pages.empty()) warn("pages");
    if (!title.authorfile.sections || title.authorfile.sections->empty()) warn("sections");
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  bool database = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "zdbuild (Zendral player) " ZD_VERSION "\n";
      return 0;
    }
    if (arg == "--database") {
      database = true;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      std::cerr << "zdbuild: unknown option " << arg << "\n" << kUsage;
      return 2;
    }
    args.push_back(arg);
  }
  if (args.size() != 2) {
    std::cerr << kUsage;
    return 2;
  }
  namespace fs = std::filesystem;
  std::ostringstream text;
  fs::path baseDir = fs::current_path();
  if (args[0] == "-") {
    text << std::cin.rdbuf();
  } else {
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
      std::cerr << "zdbuild: cannot read " << args[0] << "\n";
      return 1;
    }
    text << in.rdbuf();
    baseDir = fs::absolute(args[0]).parent_path();
  }
  try {
    if (database) {
      zd::titlekit::Json root;
      try {
        root = zd::titlekit::Json::parse(text.str());
      } catch (const zd::titlekit::Json::exception& e) {
        throw zd::titlekit::DescriptionError("", std::string("not valid JSON: ") + e.what());
      }
      zd::titlekit::WriteDatabaseFolder(zd::titlekit::ParseDatabase(root, "", baseDir), args[1]);
    } else {
      const auto description = zd::titlekit::ParseDescriptionText(text.str(), baseDir);
      zd::titlekit::WriteDescription(description, args[1]);
      WarnOfRefusedTitles(description, args[1]);
    }
  } catch (const zd::titlekit::DescriptionError& e) {
    std::cerr << "zdbuild: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    // Whatever a library throws on the way (a value of the wrong kind, a file system
    // error) is a description zdbuild cannot make, said as such, never an abort.
    std::cerr << "zdbuild: cannot make the title: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
