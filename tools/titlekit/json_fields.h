// Reading the members of description objects with their place in the description, so that every
// error names the field at fault ("pages[1].objects[0].box: expected four numbers").
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <utility>
#include <string>
#include <string_view>

#include "titlekit/format_names.h"
#include "titlekit/title_model.h"

namespace zd::titlekit {

using Json = nlohmann::ordered_json;

std::string PathIndex(const std::string& where, size_t index);
std::string PathMember(const std::string& where, std::string_view key);

// Conversions of one JSON value; `where` is its path, used in errors.
uint32_t ToU32(const Json& value, const std::string& where);  // -2^31 .. 2^32-1, or "0x..."
int32_t ToI32(const Json& value, const std::string& where);
uint16_t ToU16(const Json& value, const std::string& where);  // -32768 .. 65535
uint8_t ToU8(const Json& value, const std::string& where);
double ToDouble(const Json& value, const std::string& where);
bool ToBool(const Json& value, const std::string& where);
std::string ToString(const Json& value, const std::string& where);
// UTF-8 text as code page 1253 bytes, or bytes as ToBytes takes them ({"hex": ...}); `width` > 0
// limits the byte count (a fixed-width field may be filled completely, without its NUL).
Bytes ToText(const Json& value, const std::string& where, size_t width = 0);
// "#RRGGBB", "none" (all ones), "inherit" (0x02000000) or a number: a 0xBBGGRR00 word.
uint32_t ToColour(const Json& value, const std::string& where);
// A name from the table or a number.
uint32_t ToNamed(const Json& value, const std::string& where, NameTable table);
// A list of names and numbers (bit values) from the table, or one number.
uint32_t ToFlags(const Json& value, const std::string& where, NameTable table);
// Bytes: a hex string, {"hex": "..."} or {"base64": "..."}.
Bytes ToBytes(const Json& value, const std::string& where);
// A string in the named encoding ("hex" or "base64").
Bytes DecodeBytes(std::string_view encoding, const Json& value, const std::string& where);
// [x0, y0, x1, y1] in title units or "none".
Box ToBox(const Json& value, const std::string& where);
Box PixelsToBox(const Json& value, const std::string& where);

// The members of one JSON object. Construction rejects members not in `known` (except "note"
// and "comment", which descriptions may carry anywhere), so misspelt fields are errors.
class Members {
 public:
  // `owner` names what the object describes, for the error about an unknown member.
  Members(const Json& object, std::string where, std::span<const std::string_view> known,
          std::string_view owner = "");
  Members(const Json& object, std::string where, std::initializer_list<std::string_view> known)
      : Members(object, std::move(where), std::span<const std::string_view>(known.begin(), known.size())) {}

  const std::string& where() const { return where_; }
  std::string Path(std::string_view key) const { return PathMember(where_, key); }
  const Json* Find(std::string_view key) const;  // present members, null values included
  bool Has(std::string_view key) const { return Find(key) != nullptr; }
  // For records given as "raw" bytes: fails on any member but `allowed` (and notes).
  void OnlyThese(std::initializer_list<std::string_view> allowed, std::string_view what) const;
  // Fails when more than one of `keys` is present; returns the one present, or empty.
  std::string_view OneOf(std::initializer_list<std::string_view> keys) const;

  void Get(std::string_view key, uint32_t& out) const;
  void Get(std::string_view key, int32_t& out) const;
  void Get(std::string_view key, uint16_t& out) const;
  void Get(std::string_view key, std::optional<uint32_t>& out) const;
  void Text(std::string_view key, Bytes& out, size_t width = 0) const;
  void Colour(std::string_view key, uint32_t& out) const;
  void Colour(std::string_view key, std::optional<uint32_t>& out) const;
  void Flags(std::string_view key, uint32_t& out, NameTable table) const;
  void Named(std::string_view key, uint32_t& out, NameTable table) const;
  void RawBytes(std::string_view key, Bytes& out) const;
  void RawBytes(std::string_view key, std::optional<Bytes>& out) const;

 private:
  const Json& object_;
  std::string where_;
};

}  // namespace zd::titlekit
