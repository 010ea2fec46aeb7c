#include "zdinfo/overview.h"

#include <vector>

#include "titlekit/format_names.h"
#include "zdinfo/database_info.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/resources_overview.h"

namespace zd::info {
namespace {
using namespace titlekit;

constexpr size_t kDeepestIndent = 32;

class Overview {
 public:
  Overview(std::ostream& out, const TitleReading& title)
      : out_(out), title_(title), file_(title.authorfile.structured) {}

  void Print() {
    PrintHeader();
    PrintSections();
    PrintPages();
    PrintScripts();
    PrintResources(out_, title_, uses_);
    PrintTitleDatabases(out_, title_);
    PrintNotes();
  }

 private:
  void PrintHeader() {
    out_ << "Title directory: " << title_.directory.string() << "\n";
    out_ << "Authorfile: " << title_.authorfilePath.filename().string();
    if (file_.raw) {
      out_ << " (" << file_.raw->size() << " bytes, not readable as records)\n";
      return;
    }
    out_ << ", magic " << Quoted(file_.magic) << ", version " << file_.version << "\n";
    if (file_.magic != "Auth") AddFinding("the magic is not \"Auth\": the player refuses the title (crierr4)");
    if (file_.version >= 102) AddFinding("version 102 or above: the player asks whether to go on");
  }

  // --- Sections ---

  void PrintSections() {
    if (!file_.sections) {
      out_ << "\nNo section list: the player cannot start the title (crierr33).\n";
      return;
    }
    const auto& entries = *file_.sections;
    out_ << "\nSections (" << entries.size() << " entries at offset " << title_.authorfile.sectionList;
    const uint32_t count = file_.sectionCount.value_or(static_cast<uint32_t>(entries.size()));
    out_ << ", count word " << count << "):\n";
    if (file_.sectionListOffset) {
      AddFinding("the header's section list offset " + std::to_string(*file_.sectionListOffset) +
                 " does not point at the list the file holds");
    }
    if (count != entries.size()) {
      AddFinding("the section count word is " + std::to_string(count) + " but the file holds " +
              std::to_string(entries.size()) + " entries");
    }
    if (!entries.empty() && (entries[0].raw || entries[0].parent.value_or(NONE) != NONE)) {
      AddFinding("section entry 0 is not the root: the player refuses to enter the title (crierr20)");
    }
    // Pre-order walk from the roots; entries it cannot reach hang in a parent cycle or under a
    // parent that does not exist.
    std::vector<bool> shown(entries.size(), false);
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!entries[i].raw && ParentOf(i) == NONE) PrintSectionTree(i, shown);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
      if (shown[i]) continue;
      PrintSection(i, 0);
      if (!entries[i].raw) {
        AddFinding("section " + std::to_string(i) + " " + Quoted(entries[i].name) +
                " cannot be reached from a root: its parent " + std::to_string(ParentOf(i)) +
                (ParentOf(i) < entries.size() ? " leads round a cycle" : " does not exist"));
      }
    }
  }

  uint32_t ParentOf(size_t i) const {
    const SectionEntry& s = (*file_.sections)[i];
    return s.raw ? NONE : s.parent.value_or(i == 0 ? NONE : 0);
  }

  void PrintSectionTree(size_t root, std::vector<bool>& shown) {
    const auto& entries = *file_.sections;
    std::vector<std::pair<size_t, size_t>> stack{{root, 0}};  // entry, depth
    while (!stack.empty()) {
      const auto [i, depth] = stack.back();
      stack.pop_back();
      if (shown[i]) continue;
      shown[i] = true;
      PrintSection(i, depth);
      for (size_t j = entries.size(); j-- > i + 1;) {
        if (!shown[j] && ParentOf(j) == i) stack.emplace_back(j, depth + 1);
      }
    }
  }

  void PrintSection(size_t i, size_t depth) {
    const SectionEntry& s = (*file_.sections)[i];
    out_ << std::string(4 + 2 * (depth < kDeepestIndent ? depth : kDeepestIndent), ' ') << i << " ";
    if (s.raw) {
      out_ << "(raw bytes: " << HexBytes(*s.raw, 16) << ")\n";
      return;
    }
    const uint32_t flags = s.flags.value_or(DefaultSectionFlags(s));
    out_ << Quoted(s.name) << " [" << FlagWords(kSectionFlagNames, flags) << "]";
    if (s.page == NONE) {
      out_ << " no page";
    } else {
      out_ << " page " << s.page;
      if (s.page < file_.pages.size() && !file_.pages[s.page].raw) out_ << " " << Quoted(file_.pages[s.page].name);
      if (s.page >= file_.pages.size()) {
        AddFinding("section " + std::to_string(i) + " names page " + std::to_string(s.page) +
                ", which the title does not have");
      }
    }
    if (s.link || (flags & 8)) {
      out_ << "; link to another title through " << ResourceName(s.linkResource.dir, s.linkResource.number);
      out_ << (s.linkPage.empty() ? ", its first section" : ", page " + Quoted(s.linkPage));
      uses_.push_back({s.linkResource.dir, s.linkResource.number, "section " + std::to_string(i), NONE});
    }
    out_ << "\n";
  }

  // --- Pages ---

  void PrintPages() {
    const size_t pages = file_.pages.size();
    const uint32_t lastPage = file_.lastPage.value_or(static_cast<uint32_t>(pages) - 1);
    out_ << "\nPages (table at offset " << title_.authorfile.pageTable << ", last-page word "
         << static_cast<int32_t>(lastPage) << ", " << pages << " page records read):\n";
    if (file_.pageTableOffset) {
      AddFinding("the header's page table offset " + std::to_string(*file_.pageTableOffset) +
                 " does not point at the page table the file holds");
    }
    if (size_t{lastPage} + 1 != pages && !(lastPage == NONE && pages == 0)) {
      AddFinding("the page table's last-page word is " + std::to_string(lastPage) + " but " +
              std::to_string(pages) + " page records were read");
    }
    for (size_t i = 0; i < pages; ++i) PrintPage(i, i > lastPage && lastPage != NONE);
    if (!file_.pagesTail.empty()) {
      out_ << "  then " << file_.pagesTail.size() << " bytes not read as pages: "
           << HexBytes(file_.pagesTail, 24) << "\n";
    }
  }

  void PrintPage(size_t index, bool pastBound) {
    const Page& p = file_.pages[index];
    const size_t offset = index < title_.authorfile.pageOffsets.size() ? title_.authorfile.pageOffsets[index] : 0;
    out_ << "\n  Page " << index;
    if (p.raw) {
      out_ << " at offset " << offset << ": " << p.raw->size() << " bytes kept as they are: "
           << HexBytes(*p.raw, 24) << "\n";
      return;
    }
    out_ << " " << Quoted(p.name) << " at offset " << offset;
    if (pastBound) out_ << " (past the page table's bound: the player never shows it)";
    out_ << "\n    flags " << FlagWords(kPageFlagNames, p.flags) << "; page time "
         << (p.time ? Hundredths(p.time) : "none") << "; background " << ColourText(p.background)
         << "; keyword page " << p.keywordPage << ", field " << p.keywordField << "\n";
    if (!p.name.empty() && p.name[0] == '?') out_ << "    a special page: its \"PC\" hotspot leads on\n";
    for (const auto& [what, word] : {std::pair("length", p.length), std::pair("object count", p.objectCount),
                                     std::pair("event table offset", p.eventTableOffset),
                                     std::pair("toolbox offset", p.toolboxOffset),
                                     std::pair("style data offset", p.styleOffset)}) {
      if (!word) continue;
      out_ << "    " << what << " word " << *word << " (does not match the record)\n";
      AddFinding("page " + std::to_string(index) + ": its " + what + " word " + std::to_string(*word) +
              " does not match the record");
    }
    out_ << "    Objects (" << p.objects.size() << "):\n";
    size_t hotspots = 0, keywords = 0;
    for (size_t j = 0; j < p.objects.size(); ++j) {
      PrintObject(index, j, p.objects[j]);
      hotspots += !p.objects[j].raw && p.objects[j].type == HOTSPOT;
      keywords += !p.objects[j].raw && p.objects[j].type == KEYWORD_HOTSPOT;
    }
    if (!p.eventTable) {
      out_ << "    No event table.\n";
    } else {
      PrintEvents(p, hotspots, keywords);
    }
    if (p.toolbox) {
      const ToolboxSet& t = *p.toolbox;
      out_ << "    Toolbox set: box " << BoxText(t.box) << "; flags " << FlagWords(kToolboxFlagNames, t.flags)
           << "; tools";
      for (const ToolEntry& e : t.tools) out_ << " " << NameOrNumber(kToolNames, e.tool);
      out_ << "\n";
    }
    if (p.styleData) out_ << "    Text style data: " << p.styleData->size() << " bytes: " << HexBytes(*p.styleData, 24) << "\n";
    if (!p.extra.empty()) out_ << "    Extra bytes: " << HexBytes(p.extra, 24) << "\n";
    if (!p.patches.empty()) out_ << "    " << p.patches.size() << " patch(es) over the fields above\n";
  }

  void PrintObject(size_t page, size_t index, const ObjectRecord& o) {
    out_ << "      " << index << " ";
    if (o.raw) {
      out_ << "raw record of " << o.raw->size() << " bytes: " << HexBytes(*o.raw, 24) << "\n";
      return;
    }
    const TypeLayout layout = LayoutOf(o.type);
    out_ << Quoted(o.name) << " " << NameOrNumber(kObjectTypeNames, o.type) << "\n";
    const std::string pad(10, ' ');
    out_ << pad << "box " << BoxText(o.box) << "\n";
    out_ << pad << "flags " << FlagWords(kObjectFlagNames, o.flags) << "; show after "
         << Hundredths(o.showDelay) << ", hide after " << (o.hideDelay == NONE ? "never" : Hundredths(o.hideDelay));
    if (o.redraw != 2) out_ << "; redraw kind " << o.redraw;
    if (o.length) {
      out_ << "; length word " << *o.length;
      AddFinding("page " + std::to_string(page) + " object " + std::to_string(index) + ": its length word " +
              std::to_string(*o.length) + " does not match the record");
    }
    out_ << "\n";
    if ((o.flags & 0x80) || !o.trigger.empty()) out_ << pad << "triggered by " << Quoted(o.trigger) << "\n";
    if (HasFontFields(layout)) {
      out_ << pad << "font " << Quoted(o.font) << " " << o.fontHeight << "x" << o.fontWidth << "; colour "
           << ColourText(o.colour) << " on " << ColourText(o.background) << "; links "
           << LinkColourText(o.linkColour.value_or(0)) << " on " << LinkColourText(o.linkBackground.value_or(0))
           << "; text flags " << FlagWords(kTextFlagNames, o.textFlags) << "\n";
    }
    const std::string where = "page " + std::to_string(page) + " object " + std::to_string(index);
    if (HasResource(layout)) {
      out_ << pad << "resource " << ResourceName(o.resource.dir, o.resource.number);
      if (o.slot != NONE) out_ << " (slot word " << static_cast<int32_t>(o.slot) << ")";
      out_ << "\n";
      uses_.push_back({o.resource.dir, o.resource.number, where + " " + Quoted(o.name), o.type});
    }
    PrintTypeData(o, layout, pad);
    if (!o.extra.empty()) out_ << pad << "extra bytes " << HexBytes(o.extra, 24) << "\n";
  }

  void PrintTypeData(const ObjectRecord& o, TypeLayout layout, const std::string& pad) {
    switch (layout) {
      case TypeLayout::Rectangle:
        out_ << pad << "plot " << NameOrNumber(kPlotActionNames, o.plotAction) << ", colour " << ColourText(o.colour) << "\n";
        break;
      case TypeLayout::Text:
        out_ << pad << "text of " << o.text.size() << " bytes, capacity "
             << o.capacity.value_or(static_cast<uint32_t>(o.text.size()));
        if (!o.name.empty() && o.name[0] == '+') {
          out_ << " (a script, listed below)\n";
        } else {
          out_ << ":\n";
          PrintLines(o.text, pad + "  ");
        }
        break;
      case TypeLayout::RecordDisplay:
        out_ << pad << "labels " << ColourText(o.labelColour) << ", values " << ColourText(o.valueColour)
             << ", background " << ColourText(o.background) << ", label width " << o.labelWidth << "\n";
        for (const auto& [label, value] : o.pairs) out_ << pad << "  " << Quoted(label) << " = " << Quoted(value) << "\n";
        if (o.pairCount) out_ << pad << "pair count word " << *o.pairCount << "\n";
        break;
      case TypeLayout::Database: out_ << pad << "list field " << o.listField << "\n"; break;
      case TypeLayout::FieldDisplay:
        out_ << pad << "field " << o.field << "; fill " << ColourText(o.fillColour) << ", frame "
             << ColourText(o.frameColour) << (o.showName ? "; shows the field's name" : "") << "\n";
        break;
      case TypeLayout::Movie:
        out_ << pad << "movie flags " << FlagWords(kMovieFlagNames, o.movieFlags) << "; movie slot word "
             << static_cast<int32_t>(o.movieSlot.value_or(NONE)) << "\n";
        break;
      case TypeLayout::KeywordHotspot: out_ << pad << "keyword " << o.keyword << "\n"; break;
      default: break;
    }
  }

  void PrintEvents(const Page& p, size_t hotspots, size_t keywords) {
    out_ << "    Events (" << p.events.size();
    if (p.eventCount) out_ << "; count word " << *p.eventCount;
    out_ << "):\n";
    size_t target = 0;
    for (const EventRecord& e : p.events) {
      out_ << "      ";
      if (e.raw) {
        out_ << "raw record: " << HexBytes(*e.raw, 24) << "\n";
        continue;
      }
      out_ << NameOrNumber(kEventKindNames, e.kind) << ", active " << FlagWords(kActivityNames, e.active);
      size_t owned = 1;
      if (e.kind == KEYPRESS) {
        out_ << ", keys " << FlagWords(kKeyNames, e.value & 0xFFFF);
        owned = (e.value & 1) + ((e.value >> 1) & 1) + ((e.value >> 2) & 1);
      } else if (e.kind == TIMEOUT) {
        out_ << ", delay " << Hundredths(e.value);
      } else if (e.kind == HOTSPOT_EVENT) {
        owned = hotspots;
      } else if (e.kind == KEYWORD) {
        owned = keywords;
      } else if (e.kind > KEYWORD) {
        AddFinding("an event record of kind " + std::to_string(e.kind) + " stops the player (crierr6)");
      }
      if (owned == 0) {
        out_ << "; no targets";
      } else if (owned == 1) {
        out_ << "; target " << target;
      } else {
        out_ << "; targets " << target << "-" << target + owned - 1;
      }
      target += owned;
      if (e.length) out_ << "; length word " << *e.length;
      out_ << "\n";
    }
  }

  // --- Scripts and notes ---

  void PrintScripts() {
    bool any = false;
    for (size_t i = 0; i < file_.pages.size(); ++i) {
      for (const ObjectRecord& o : file_.pages[i].objects) {
        if (o.raw || o.type != TEXT || o.name.empty() || o.name[0] != '+') continue;
        if (!any) out_ << "\nScripts:\n";
        any = true;
        out_ << "  " << Quoted(o.name) << " on page " << i << " " << Quoted(file_.pages[i].name) << ":\n";
        PrintLines(o.text, "    ");
      }
    }
  }

  // Text as the player cuts it into lines: each line feed or carriage return ends one.
  void PrintLines(const Bytes& text, const std::string& pad) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) end = text.size();
      out_ << pad << Utf8(text.substr(start, end - start)) << "\n";
      start = end + 1;
    }
  }

  void PrintNotes() {
    if (title_.authorfile.notes.empty() && findings_.empty()) return;
    out_ << "\nNotes:\n";
    for (const std::string& note : title_.authorfile.notes) out_ << "  - reading: " << note << "\n";
    for (const std::string& note : findings_) out_ << "  - " << note << "\n";
  }

  void AddFinding(const std::string& text) { findings_.push_back(text); }

  std::ostream& out_;
  const TitleReading& title_;
  const Authorfile& file_;
  std::vector<ResourceUse> uses_;
  std::vector<std::string> findings_;
};

}  // namespace

void PrintOverview(std::ostream& out, const TitleReading& title) { Overview(out, title).Print(); }

void PrintScriptList(std::ostream& out, const TitleReading& title) {
  const Authorfile& file = title.authorfile.structured;
  size_t scripts = 0;
  for (size_t i = 0; i < file.pages.size(); ++i) {
    for (size_t k = 0; k < file.pages[i].objects.size(); ++k) {
      const ObjectRecord& o = file.pages[i].objects[k];
      if (o.raw || o.type != TEXT || o.name.empty() || o.name[0] != '+') continue;
      ++scripts;
      // The player's script ends at the first NUL of the text field.
      Bytes text = o.text;
      if (const size_t nul = text.find('\0'); nul != Bytes::npos) text.resize(nul);
      out << "\"" << Utf8(o.name) << "\" on page " << i << " \"" << Utf8(file.pages[i].name)
          << "\", object " << k << ", " << text.size() << " bytes:\n";
      // Lines are numbered as the player counts them: each line feed or carriage return ends
      // one, so a CR LF pair leaves an empty line that has its own number; nothing is read
      // from the text's last byte on.
      size_t start = 0;
      int number = 1;
      while (start + 1 < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == Bytes::npos) end = text.size();
        out << "  " << number++ << "\t" << Utf8(text.substr(start, end - start)) << "\n";
        start = end + 1;
      }
    }
  }
  if (scripts == 0) out << "No scripts.\n";
}

}  // namespace zd::info
