// Title descriptions as JSON (the format of docs/title-format.md) to the model and back.
// Reading checks every field and throws DescriptionError naming the field at fault; writing
// leaves out every field that holds its default, so that zdinfo's descriptions stay readable.
#pragma once

#include <filesystem>
#include <string_view>

#include "titlekit/json_fields.h"
#include "titlekit/title_model.h"

namespace zd::titlekit {

// `baseDir` is where "file" paths in the description are taken from.
Description ParseDescription(const Json& root, const std::filesystem::path& baseDir);
Description ParseDescriptionText(std::string_view text, const std::filesystem::path& baseDir);

Title ParseTitle(const Json& json, const std::string& where, const std::filesystem::path& baseDir);
Page ParsePage(const Json& json, const std::string& where);
ObjectRecord ParseObject(const Json& json, const std::string& where);
EventRecord ParseEvent(const Json& json, const std::string& where);
ToolboxSet ParseToolbox(const Json& json, const std::string& where);
std::vector<Patch> ParsePatches(const Json& json, const std::string& where);

Json TitleToJson(const Title& title);
Json PageToJson(const Page& page);
Json ObjectToJson(const ObjectRecord& object);
Json EventToJson(const EventRecord& event);
Json ToolboxToJson(const ToolboxSet& toolbox);
Json SectionToJson(const SectionEntry& entry, size_t index);
Json PatchesToJson(const std::vector<Patch>& patches);

// Value forms shared by the emitters.
Json BytesToJson(std::string_view bytes);  // hex when short, {"base64": ...} when long
Json TextToJson(std::string_view cp1253);  // a UTF-8 string
Json ColourToJson(uint32_t colour);
Json WordToJson(uint32_t word);  // all-ones and other high values as negative numbers
Json FlagsToJson(uint32_t flags, NameTable table);
Json NamedToJson(uint32_t value, NameTable table);
Json BoxToJson(const Box& box);

}  // namespace zd::titlekit
