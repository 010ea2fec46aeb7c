// zdinfo TITLE [--json] [--export DIR]: shows what a title holds, or describes it in the JSON
// form zdbuild reads, so that a title can be looked at, changed and made again.
#include <iostream>
#include <string>

#include "titlekit/description_json.h"
#include "titlekit/json_print.h"
#include "titlekit/title_reader.h"
#include "zdinfo/overview.h"

namespace {

constexpr const char* kUsage =
    "usage: zdinfo TITLE [--json] [--export DIR]\n"
    "\n"
    "TITLE is a title directory or its authorfile.\n"
    "\n"
    "Without options, prints an overview: the title directory and version, the sections as a\n"
    "tree, every page with its objects and events, the scripts, and the resources the pages\n"
    "refer to. Malformed titles are shown as far as they can be read, with notes saying where\n"
    "reading stopped.\n"
    "\n"
    "  --json        print a description that zdbuild accepts and that makes the same files\n"
    "                again (zdinfo TITLE --json | zdbuild - OUTDIR)\n"
    "  --export DIR  export pictures, drawings and texts (not available yet)\n"
    "\n"
    "Exit status: 0 done, 1 the title cannot be read, 2 wrong usage.\n";

struct Options {
  std::string title;
  bool json = false;
  std::string exportDir;  // exporting comes with the sprite, Draw and text converters
};

// 0 when the options are good, else the exit status to end with.
int ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return -1;
    }
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--export") {
      if (i + 1 >= argc) {
        std::cerr << "zdinfo: --export needs a directory\n" << kUsage;
        return 2;
      }
      options.exportDir = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "zdinfo: unknown option " << arg << "\n" << kUsage;
      return 2;
    } else if (options.title.empty()) {
      options.title = arg;
    } else {
      std::cerr << "zdinfo: more than one title given\n" << kUsage;
      return 2;
    }
  }
  if (options.title.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = ParseOptions(argc, argv, options)) return status < 0 ? 0 : status;
  if (!options.exportDir.empty()) {
    std::cerr << "zdinfo: --export is not available yet: exporting sprites, drawings and texts "
                 "comes with their converters\n";
    return 1;
  }
  std::string error;
  const auto reading = zd::titlekit::ReadTitle(options.title, error);
  if (!reading) {
    std::cerr << "zdinfo: " << error << "\n";
    return 1;
  }
  if (options.json) {
    zd::titlekit::Json description = zd::titlekit::Json::object();
    if (!reading->authorfile.notes.empty()) description["note"] = reading->authorfile.notes;
    description.update(zd::titlekit::TitleToJson(reading->title));
    std::cout << zd::titlekit::PrettyJson(description);
    return 0;
  }
  zd::info::PrintOverview(std::cout, *reading);
  return 0;
}
