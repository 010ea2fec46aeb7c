// The description of a title as zdbuild writes it and zdinfo reads it back: plain structs that
// mirror the authorfile's records field by field. Text is held as code page 1253 bytes, exactly
// as it lies in the title; conversion to UTF-8 happens only at the JSON boundary.
//
// Counts, lengths and offsets the writer can work out are optional: left empty they are
// computed, given they are written as they are, so a description can hold malformed titles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "titlekit/database_model.h"

namespace zd::titlekit {

using Bytes = std::string;  // raw bytes of title data

inline constexpr uint32_t NONE = 0xFFFFFFFF;  // "none" in indices, slots, offsets, delays, colours

// Fixed sizes and offsets of the authorfile records.
inline constexpr size_t HEADER_SIZE = 132;
inline constexpr size_t HEADER_VERSION = 8;
inline constexpr size_t HEADER_PAGE_TABLE = 116;
inline constexpr size_t HEADER_SECTION_LIST = 128;
inline constexpr size_t PAGE_TABLE_HEADER = 16;
inline constexpr size_t PAGE_FIXED = 72;
inline constexpr size_t OBJECT_COMMON = 88;
inline constexpr size_t EVENT_TABLE_HEADER = 12;
inline constexpr size_t EVENT_RECORD = 24;
inline constexpr size_t TOOLBOX_HEADER = 32;
inline constexpr size_t TOOL_ENTRY = 12;
inline constexpr size_t SECTION_LIST_HEADER = 28;
inline constexpr size_t SECTION_ENTRY = 76;
inline constexpr size_t NAME_WIDTH = 12;
inline constexpr size_t SECTION_NAME_WIDTH = 16;
inline constexpr size_t FONT_WIDTH = 80;
inline constexpr int32_t DEFAULT_VERSION = 101;

// Object types.
enum ObjectType : uint32_t {
  RECTANGLE = 0,
  HOTSPOT = 1,
  SPRITE = 2,
  DRAWING = 3,
  TEXT = 4,
  STYLED_TEXT_RESOURCE = 5,
  RECORD_DISPLAY = 9,
  DATABASE = 10,
  FIELD_DISPLAY = 11,
  MOVIE = 15,
  ANIMATION = 16,
  SOUND = 17,
  AREA = 18,
  CHOICE_LIST = 19,
  KEYWORD_HOTSPOT = 20,
  NO_ACTION = 21,
};

// How the bytes after the common part of an object record are laid out.
enum class TypeLayout {
  None,            // hotspot, area, choice list, no action, unknown types: nothing
  Rectangle,       // plot action, colour
  Resource,        // sprite, drawing: resource number, directory, cache slot
  Text,            // text: font, sizes, colours, flags, capacity, text
  TextResource,    // styled text resource: font ... flags, resource reference, cache slot
  RecordDisplay,   // colours, pair count, label width, label/value strings
  Database,        // resource number, directory, cache slot, list field
  FieldDisplay,    // font ... flags, field, fill and frame colours, show-name flag
  Movie,           // resource number, directory, cache slot, movie flags
  KeywordHotspot,  // font ... flags, keyword number
};
TypeLayout LayoutOf(uint32_t type);
bool IsMovieType(uint32_t type);
bool HasFontFields(TypeLayout layout);
bool HasResource(TypeLayout layout);

struct Box {
  int32_t x0 = -1, y0 = -1, x1 = -1, y1 = -1;  // all ones: the object has no box
  bool operator==(const Box&) const = default;
};

// Bytes written over what the layout produced, at an offset from the start of their record.
struct Patch {
  uint32_t offset = 0;
  Bytes bytes;
  bool operator==(const Patch&) const = default;
};

struct ResourceRef {
  uint16_t dir = 0, number = 0;
  bool operator==(const ResourceRef&) const = default;
};

struct ObjectRecord {
  std::optional<Bytes> raw;  // the whole record as given; every other field is then unused
  Bytes name;
  uint32_t type = RECTANGLE;
  uint32_t redraw = 2;
  std::optional<uint32_t> length;
  uint32_t flags = 1;  // visible
  uint32_t showDelay = 0;
  uint32_t hideDelay = NONE;
  std::optional<uint32_t> movieSlot;  // default: none for movie objects, 0 for the others
  Box box;
  Bytes trigger;
  uint32_t timedState = NONE;
  std::optional<uint32_t> linkColour, linkBackground;  // defaults depend on the type

  // Type data; which fields are used depends on LayoutOf(type).
  uint32_t plotAction = 0;
  uint32_t colour = 0;  // rectangle colour, or the text colour
  ResourceRef resource;
  uint32_t slot = NONE;
  Bytes font = "Homerton.Medium";
  double fontHeight = 12, fontWidth = 12;
  uint32_t background = 0xFFFFFF00;  // white
  uint32_t textFlags = 0;
  Bytes text;
  std::optional<uint32_t> capacity;
  uint32_t labelColour = 0, valueColour = 0;
  std::optional<uint32_t> pairCount;
  uint32_t labelWidth = 10;
  std::vector<std::pair<Bytes, Bytes>> pairs;
  uint32_t listField = 0;
  uint32_t field = 0;
  uint32_t fillColour = 0xFFFFFF00, frameColour = 0;
  uint32_t showName = 0;
  uint32_t movieFlags = 0;
  int32_t keyword = 0;

  Bytes extra;  // written after the type data, inside the record's length
};

uint32_t DefaultMovieSlot(uint32_t type);
uint32_t DefaultLinkColour(uint32_t type);
uint32_t DefaultLinkBackground(uint32_t type);

enum EventKind : uint32_t {
  KEYPRESS = 0,
  HOTSPOT_EVENT = 1,
  TIMEOUT = 2,
  INSTANT = 3,
  ESCAPE = 4,
  FINISH = 5,
  SPECIAL = 6,
  KEYWORD = 7,
};

struct EventRecord {
  std::optional<Bytes> raw;
  uint32_t kind = KEYPRESS;
  std::optional<uint32_t> length;
  uint16_t active = 3;  // bit 0: while the page runs; bit 1: once it has finished
  uint32_t value = 0;   // key options (KEYPRESS), delay (TIMEOUT), the same word otherwise
  Bytes extra;
};

struct ToolEntry {
  uint32_t tool = 0;
  std::optional<uint32_t> length;
  Bytes extra;
};

struct ToolboxSet {
  std::optional<uint32_t> count;
  Box box{0, 0, 0, 0};
  uint32_t flags = 0;
  std::vector<ToolEntry> tools;
};

struct Page {
  std::optional<Bytes> raw;
  Bytes name;
  uint32_t flags = 1;  // full page
  uint32_t time = 0;
  uint32_t background = NONE;
  uint16_t keywordPage = 0, keywordField = 0;
  std::optional<uint32_t> length, objectCount, eventTableOffset, toolboxOffset, styleOffset,
      eventCount;
  std::vector<ObjectRecord> objects;
  bool eventTable = true;  // false: no event table is written (its offset word stays 0)
  std::vector<EventRecord> events;
  std::optional<ToolboxSet> toolbox;
  std::optional<Bytes> styleData;
  Bytes extra;
  std::vector<Patch> patches;
};

struct SectionEntry {
  std::optional<Bytes> raw;
  Bytes name;
  std::optional<uint32_t> flags;  // default: 8 (link) for link entries, 4 (findable) otherwise
  uint32_t page = NONE;
  std::optional<uint32_t> parent;  // default: none for the first entry, 0 for the others
  bool link = false;               // has link fields (resource, linked page name)
  ResourceRef linkResource;
  Bytes linkPage;
};
uint32_t DefaultSectionFlags(const SectionEntry& entry);

struct Authorfile {
  std::optional<Bytes> raw;  // the whole file as given; every other field is then unused
  Bytes magic = "Auth";
  int32_t version = DEFAULT_VERSION;
  std::optional<uint32_t> pageTableOffset, sectionListOffset, lastPage, sectionCount;
  Bytes afterHeader;  // bytes between the header and the page table
  std::vector<Page> pages;
  Bytes pagesTail;  // bytes after the last page record
  std::optional<std::vector<SectionEntry>> sections;  // empty optional: no section list
  Bytes tail;                                         // bytes after the section list
  std::vector<Patch> patches;
};

// File content: the bytes, and the path they were taken from when they came from a file
// (zdinfo describes large files by that path instead of by their bytes).
struct Content {
  Bytes data;
  std::string sourcePath;
};

struct RunPair {
  uint8_t value = 0, count = 0;
};

struct Resource {
  uint16_t dir = 0, number = 0;
  Content content;
  bool compress = false;
  std::optional<uint32_t> literal;           // literal section length ("3TCS")
  std::optional<std::vector<RunPair>> runs;  // explicit run section ("3TCS")
  std::optional<uint32_t> runOffset, endOffset;
  uint8_t method = 0;
  // A database folder res<dir>/res<number>/ with its six files instead of one file.
  std::optional<Database> database;
};

// A file placed at a path relative to its title directory (or the override directory).
struct PlacedFile {
  std::string path;
  Content content;
};

struct Title {
  std::string directory;  // subdirectory name when several titles are written side by side
  std::optional<std::string> authorfileName = "authorfi";  // empty: no authorfile is written
  Authorfile authorfile;
  std::vector<Resource> resources;
  std::vector<PlacedFile> fonts, movies, files;
};

struct OverrideTree {
  std::string directory;
  std::vector<PlacedFile> files;
  std::vector<DatabaseFolder> databases;  // below <directory>/database/
};

struct Description {
  bool several = false;  // {"titles": [...]}: titles go to subdirectories of the output
  std::vector<Title> titles;
  std::optional<OverrideTree> overrideTree;
  std::vector<DatabaseFolder> databases;  // beside the titles, below database/
};

// Title units to page pixels and back (y up from the bottom of a 480-pixel page).
struct PixelBox {
  int32_t left, top, right, bottom;
};
PixelBox ToPixels(const Box& box);
Box FromPixels(const PixelBox& pixels);

}  // namespace zd::titlekit
