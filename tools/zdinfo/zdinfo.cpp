// zdinfo TITLE [--json] [--scripts] [--export DIR]: shows what a title holds, or describes it
// in the JSON form zdbuild reads, so that a title can be looked at, changed and made again;
// lists its scripts; exports its sprites as PNG, its drawings as PNG and SVG and its texts as
// plain text.
// zdinfo TITLE --page N|NAME --png OUT draws one page as it looks when first shown, and
// zdinfo TITLE --contact-sheet OUT every page small on one sheet.
// zdinfo --sprite FILE --png OUT [--index N] converts one sprite, zdinfo --draw FILE renders one
// Draw file. zdinfo --database FOLDER [--json] [--export DIR] shows, describes or exports one
// database folder.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "titlekit/database_reader.h"
#include "titlekit/description_json.h"
#include "titlekit/json_print.h"
#include "titlekit/title_reader.h"
#include "zdinfo/database_info.h"
#include "zdinfo/draw_export.h"
#include "zdinfo/overview.h"
#include "zdinfo/page_pictures.h"
#include "zdinfo/sprite_export.h"
#include "zdinfo/text_export.h"
#include "zdinfo/title_check.h"

namespace {

constexpr const char* kUsage =
    "usage: zdinfo TITLE [--json | --scripts] [--export DIR]\n"
    "       zdinfo TITLE --page N|NAME --png OUT\n"
    "       zdinfo TITLE --contact-sheet OUT\n"
    "       zdinfo --sprite FILE --png OUT [--index N]\n"
    "       zdinfo --draw FILE [--png OUT] [--svg OUT] [--size WxH]\n"
    "       zdinfo --database FOLDER [--json | --export DIR]\n"
    "       zdinfo --version\n"
    "\n"
    "TITLE is a title directory or its authorfile; anything else (no such file, a folder\n"
    "without an authorfile, a file that is not an authorfile) is refused in one line.\n"
    "\n"
    "Without options, prints an overview: the title directory and version, the sections as a\n"
    "tree, every page with its objects and events, the scripts, and the resources the pages\n"
    "refer to, and the databases it uses (those of its database objects and those in\n"
    "database/ravel*/ beside the title directory) with their fields. Malformed titles are shown\n"
    "as far as they can be read, with notes saying where reading stopped.\n"
    "\n"
    "  --json        print a description that zdbuild accepts and that makes the same files\n"
    "                again (zdinfo TITLE --json | zdbuild - OUTDIR)\n"
    "  --scripts     list every script of the title (text objects named with \"+\"), page by\n"
    "                page, each line with the number the player's error messages give it\n"
    "  --export DIR  write every sprite the title's sprite objects use as DIR/res<d>-res<n>.png\n"
    "                (the mask as alpha), and every Draw file its drawing objects use as\n"
    "                DIR/res<d>-res<n>.png and .svg, drawn into 640 x 480 with the title's\n"
    "                own font files; and as UTF-8 text without markup, every resource its\n"
    "                styled-text objects use as DIR/res<d>-res<n>.txt and the text of every\n"
    "                text object that is not a script as DIR/page<p>-object<o>.txt (pages and\n"
    "                objects counted from 0); and every database the overview lists as\n"
    "                DIR/<name>.csv (its records) and DIR/<name>.json (its fields, for\n"
    "                zdbuild --database), its pictures in DIR/<name>-pictures/\n"
    "  --page N|NAME --png OUT\n"
    "                draw page N (counted from 0, as the player's trace counts) or the page\n"
    "                of that name as it looks when the title first shows it, without playing\n"
    "                the title: no scripts, timers or events run, timed and triggered objects\n"
    "                are not shown yet, and nothing of earlier pages lies under it. Title\n"
    "                fonts are looked for as the player looks for them (fonts/ in the\n"
    "                current directory)\n"
    "  --contact-sheet OUT\n"
    "                every page drawn so, a quarter of its size, four to a row, each with its\n"
    "                number and name, as one PNG (special pages, never shown, are grey;\n"
    "                at most the first 400 pages)\n"
    "  --sprite FILE convert sprite N (counted from 0; default 0) of a sprite file, or the\n"
    "                sprite of a title's sprite resource, to the PNG file OUT: the colours\n"
    "                the player draws it in directly, shown pixels only, the mask as alpha.\n"
    "                A sprite the player does not draw is not converted.\n"
    "  --draw FILE   render a Draw file as the player draws it into a box of --size (default\n"
    "                640x480): scaled to fit with its proportions kept and centred, white\n"
    "                around and under it, in the title palette; --png writes that picture,\n"
    "                --svg the same drawing as SVG (text in the faces the player would use)\n"
    "  --database FOLDER\n"
    "                list a database folder's title, fields and counts; with --json describe\n"
    "                it with its records for zdbuild --database; with --export DIR write it\n"
    "                as DIR/<folder name>.csv and .json. A malformed database is refused\n"
    "                with the reason the player has for it (exit status 1)\n"
    "  --version     print the version of the Zendral player these tools belong to\n"
    "\n"
    "Exit status: 0 done, 1 not a title or the title cannot be read, a picture or database\n"
    "not written or a database malformed, 2 wrong usage.\n";

struct Options {
  std::string title;
  bool json = false;
  bool scripts = false;
  std::string exportDir;
  std::string spriteFile, pngFile;
  std::string drawFile, svgFile;
  std::string page, contactSheet;
  std::string databaseFolder;
  int width = 640, height = 480;
  bool sizeGiven = false;
  int index = 0;
  bool indexGiven = false;
};

// 0 when the options are good, else the exit status to end with.
int ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return -1;
    }
    if (arg == "--version") {
      std::cout << "zdinfo (Zendral player) " ZD_VERSION "\n";
      return -1;
    }
    const auto value = [&](const char* what) -> const char* {
      if (i + 1 < argc) return argv[++i];
      std::cerr << "zdinfo: " << arg << " needs " << what << "\n" << kUsage;
      return nullptr;
    };
    if (arg == "--scripts") {
      options.scripts = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--size") {
      const char* v = value("a size WxH");
      if (!v) return 2;
      int w = 0, h = 0;
      char extra = 0;
      if (std::sscanf(v, "%dx%d%c", &w, &h, &extra) != 2 || w < 1 || h < 1 || w > 8192 || h > 8192) {
        std::cerr << "zdinfo: --size needs WxH, each from 1 to 8192\n" << kUsage;
        return 2;
      }
      options.width = w;
      options.height = h;
      options.sizeGiven = true;
    } else if (arg == "--database") {
      const char* v = value("a database folder");
      if (!v) return 2;
      options.databaseFolder = v;
    } else if (arg == "--page" || arg == "--contact-sheet") {
      const char* v = value(arg == "--page" ? "a page number or name" : "a file");
      if (!v) return 2;
      (arg == "--page" ? options.page : options.contactSheet) = v;
    } else if (arg == "--export" || arg == "--sprite" || arg == "--png" || arg == "--index" ||
               arg == "--draw" || arg == "--svg") {
      const char* v = value(arg == "--index" ? "a number" : arg == "--export" ? "a directory" : "a file");
      if (!v) return 2;
      if (arg == "--draw") options.drawFile = v;
      if (arg == "--svg") options.svgFile = v;
      if (arg == "--export") options.exportDir = v;
      if (arg == "--sprite") options.spriteFile = v;
      if (arg == "--png") options.pngFile = v;
      if (arg == "--index") {
        char* end = nullptr;
        const long n = std::strtol(v, &end, 10);
        if (*v == '\0' || *end != '\0' || n < 0 || n > 0x7FFFFFFF) {
          std::cerr << "zdinfo: --index needs a number from 0\n" << kUsage;
          return 2;
        }
        options.index = int(n);
        options.indexGiven = true;
      }
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
  if (!options.databaseFolder.empty()) {
    if (!options.title.empty() || (options.json && !options.exportDir.empty()) || options.scripts ||
        !options.page.empty() || !options.contactSheet.empty() || !options.spriteFile.empty() ||
        !options.pngFile.empty() || !options.drawFile.empty() || !options.svgFile.empty() ||
        options.sizeGiven || options.indexGiven) {
      std::cerr << "zdinfo: --database goes alone, or with --json or --export, without a title\n" << kUsage;
      return 2;
    }
    return 0;
  }
  if (!options.page.empty() || !options.contactSheet.empty()) {
    const bool pagePicture = !options.page.empty() && !options.pngFile.empty();
    const bool sheet = !options.contactSheet.empty() && options.page.empty() && options.pngFile.empty();
    if (options.title.empty() || !(pagePicture != sheet) || options.json || options.scripts ||
        !options.exportDir.empty() || !options.spriteFile.empty() || !options.drawFile.empty() ||
        !options.svgFile.empty() || options.sizeGiven || options.indexGiven ||
        (pagePicture && !options.contactSheet.empty())) {
      std::cerr << "zdinfo: --page goes with --png, and --contact-sheet alone, each after a title\n"
                << kUsage;
      return 2;
    }
    return 0;
  }
  if (!options.drawFile.empty() || !options.svgFile.empty() || options.sizeGiven) {
    if (options.drawFile.empty() || (options.pngFile.empty() && options.svgFile.empty()) ||
        !options.spriteFile.empty() || options.indexGiven || !options.title.empty() ||
        options.json || options.scripts || !options.exportDir.empty()) {
      std::cerr << "zdinfo: --draw goes with --png or --svg (or both) and --size, without a title\n"
                << kUsage;
      return 2;
    }
    return 0;
  }
  if (!options.spriteFile.empty() || !options.pngFile.empty() || options.indexGiven) {
    if (options.spriteFile.empty() || options.pngFile.empty() || !options.title.empty() ||
        options.json || !options.exportDir.empty()) {
      std::cerr << "zdinfo: --sprite and --png go together, without a title\n" << kUsage;
      return 2;
    }
    return 0;
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
  if (!options.databaseFolder.empty()) {
    return zd::info::ShowDatabaseFolder(options.databaseFolder, options.json, options.exportDir,
                                        std::cout, std::cerr);
  }
  if (!options.drawFile.empty()) {
    return zd::info::ConvertDrawFile(options.drawFile, options.pngFile, options.svgFile,
                                     options.width, options.height, std::cout, std::cerr);
  }
  if (!options.spriteFile.empty()) {
    return zd::info::ConvertSpriteFile(options.spriteFile, options.index, options.pngFile,
                                       std::cout, std::cerr);
  }
  if (const auto why = zd::info::WhyNotATitle(options.title)) {
    std::cerr << "zdinfo: " << options.title << " is not a Zendral title: " << *why << "\n";
    return 1;
  }
  if (!options.page.empty()) {
    return zd::info::WritePagePicture(options.title, options.page, options.pngFile, std::cerr);
  }
  if (!options.contactSheet.empty()) {
    return zd::info::WriteContactSheet(options.title, options.contactSheet, std::cerr);
  }
  std::string error;
  const auto reading = zd::titlekit::ReadTitle(options.title, error);
  if (!reading) {
    std::cerr << "zdinfo: " << error << "\n";
    return 1;
  }
  if (!options.exportDir.empty()) {
    const int pictures = zd::info::ExportTitlePictures(*reading, options.exportDir, std::cout, std::cerr);
    const int drawings = zd::info::ExportTitleDrawings(*reading, options.exportDir, std::cout, std::cerr);
    const int texts = zd::info::ExportTitleTexts(*reading, options.exportDir, std::cout, std::cerr);
    const int databases = zd::info::ExportTitleDatabases(*reading, options.exportDir, std::cout, std::cerr);
    return std::max({pictures, drawings, texts, databases});
  }
  if (options.json) {
    zd::titlekit::Json description = zd::titlekit::Json::object();
    if (!reading->authorfile.notes.empty()) description["note"] = reading->authorfile.notes;
    // Database folders among the title's files are described as database resources.
    zd::titlekit::Title title = reading->title;
    zd::titlekit::DescribeDatabaseResources(title);
    description.update(zd::titlekit::TitleToJson(title));
    std::cout << zd::titlekit::PrettyJson(description);
    return 0;
  }
  if (options.scripts) {
    zd::info::PrintScriptList(std::cout, *reading);
    return 0;
  }
  zd::info::PrintOverview(std::cout, *reading);
  return 0;
}
