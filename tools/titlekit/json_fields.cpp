#include "titlekit/json_fields.h"

#include "base/cp1253.h"
#include "titlekit/description_error.h"
#include "titlekit/hex_text.h"

namespace zd::titlekit {
namespace {

int64_t ToInteger(const Json& value, const std::string& where, int64_t low, int64_t high) {
  int64_t v = 0;
  if (value.is_number_integer()) {
    if (value.is_number_unsigned()) {
      const uint64_t u = value.get<uint64_t>();
      if (u > static_cast<uint64_t>(high)) {
        throw DescriptionError(where, std::to_string(u) + " is out of range");
      }
      v = static_cast<int64_t>(u);
    } else {
      v = value.get<int64_t>();
    }
  } else if (value.is_string()) {
    const std::string text = value.get<std::string>();
    if (text.size() < 3 || text.size() > 18 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X') ||
        text.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos) {
      throw DescriptionError(where, "expected a number, not \"" + text + "\"");
    }
    const uint64_t u = std::stoull(text.substr(2), nullptr, 16);
    if (u > static_cast<uint64_t>(high)) throw DescriptionError(where, text + " is out of range");
    v = static_cast<int64_t>(u);
  } else {
    throw DescriptionError(where, "expected a whole number");
  }
  if (v < low || v > high) throw DescriptionError(where, std::to_string(v) + " is out of range");
  return v;
}

}  // namespace

std::string PathIndex(const std::string& where, size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

std::string PathMember(const std::string& where, std::string_view key) {
  return where.empty() ? std::string(key) : where + "." + std::string(key);
}

uint32_t ToU32(const Json& value, const std::string& where) {
  return static_cast<uint32_t>(ToInteger(value, where, INT32_MIN, UINT32_MAX));
}

int32_t ToI32(const Json& value, const std::string& where) {
  return static_cast<int32_t>(ToU32(value, where));
}

uint16_t ToU16(const Json& value, const std::string& where) {
  return static_cast<uint16_t>(ToInteger(value, where, INT16_MIN, UINT16_MAX));
}

uint8_t ToU8(const Json& value, const std::string& where) {
  return static_cast<uint8_t>(ToInteger(value, where, INT8_MIN, UINT8_MAX));
}

double ToDouble(const Json& value, const std::string& where) {
  if (!value.is_number()) throw DescriptionError(where, "expected a number");
  return value.get<double>();
}

bool ToBool(const Json& value, const std::string& where) {
  if (!value.is_boolean()) throw DescriptionError(where, "expected true or false");
  return value.get<bool>();
}

std::string ToString(const Json& value, const std::string& where) {
  if (!value.is_string()) throw DescriptionError(where, "expected a string");
  return value.get<std::string>();
}

Bytes ToText(const Json& value, const std::string& where, size_t width) {
  // Bytes that have no character in the code page can be given as {"hex": ...} instead.
  const Bytes text = value.is_object() ? ToBytes(value, where) : Utf8ToCp1253(ToString(value, where));
  if (width > 0 && text.size() > width) {
    throw DescriptionError(where, "\"" + Cp1253ToUtf8(text) + "\" is longer than its " +
                                      std::to_string(width) + "-byte field");
  }
  return text;
}

uint32_t ToColour(const Json& value, const std::string& where) {
  if (value.is_string()) {
    const std::string text = value.get<std::string>();
    if (text == "none") return NONE;
    if (text == "inherit") return 0x02000000;
    if (text.size() == 7 && text[0] == '#' &&
        text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos) {
      const uint32_t rgb = static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
      const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
      return b << 24 | g << 16 | r << 8;
    }
    if (text.rfind("0x", 0) != 0) {
      throw DescriptionError(where, "expected \"#RRGGBB\", \"none\", \"inherit\" or a number, not \"" +
                                        text + "\"");
    }
  }
  return ToU32(value, where);
}

uint32_t ToNamed(const Json& value, const std::string& where, NameTable table) {
  if (value.is_string()) {
    const std::string name = value.get<std::string>();
    if (auto v = ValueOf(table, name)) return *v;
    if (name.rfind("0x", 0) != 0) {
      std::string known;
      for (const NameValue& entry : table) known += std::string(known.empty() ? "" : ", ") + entry.name;
      throw DescriptionError(where, "unknown name \"" + name + "\" (known: " + known + ")");
    }
  }
  return ToU32(value, where);
}

uint32_t ToFlags(const Json& value, const std::string& where, NameTable table) {
  if (!value.is_array()) return ToU32(value, where);
  uint32_t flags = 0;
  for (size_t i = 0; i < value.size(); ++i) flags |= ToNamed(value[i], PathIndex(where, i), table);
  return flags;
}

Bytes DecodeBytes(std::string_view encoding, const Json& value, const std::string& where) {
  const std::string text = ToString(value, where);
  const std::optional<std::string> bytes = encoding == "hex" ? FromHex(text) : FromBase64(text);
  if (!bytes) {
    throw DescriptionError(where, encoding == "hex" ? "expected hexadecimal digit pairs" : "malformed base64 data");
  }
  return *bytes;
}

Bytes ToBytes(const Json& value, const std::string& where) {
  if (value.is_string()) return DecodeBytes("hex", value, where);
  if (!value.is_object()) throw DescriptionError(where, "expected bytes: a hex string or {\"base64\": \"...\"}");
  const Members m(value, where, {"hex", "base64"});
  const std::string_view key = m.OneOf({"hex", "base64"});
  if (key.empty()) throw DescriptionError(where, "expected \"hex\" or \"base64\"");
  return DecodeBytes(key, *m.Find(key), m.Path(key));
}

Box ToBox(const Json& value, const std::string& where) {
  if (value.is_string() && value.get<std::string>() == "none") return Box{};
  if (!value.is_array() || value.size() != 4) {
    throw DescriptionError(where, "expected [x0, y0, x1, y1] in title units, or \"none\"");
  }
  return {ToI32(value[0], PathIndex(where, 0)), ToI32(value[1], PathIndex(where, 1)),
          ToI32(value[2], PathIndex(where, 2)), ToI32(value[3], PathIndex(where, 3))};
}

Box PixelsToBox(const Json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 4) {
    throw DescriptionError(where, "expected [left, top, right, bottom] in page pixels");
  }
  PixelBox p{};
  int32_t* parts[] = {&p.left, &p.top, &p.right, &p.bottom};
  for (size_t i = 0; i < 4; ++i) {
    const int64_t v = ToInteger(value[i], PathIndex(where, i), -100000, 100000);
    *parts[i] = static_cast<int32_t>(v);
  }
  return FromPixels(p);
}

Members::Members(const Json& object, std::string where, std::span<const std::string_view> known,
                 std::string_view owner)
    : object_(object), where_(std::move(where)) {
  if (!object_.is_object()) throw DescriptionError(where_, "expected an object");
  for (auto it = object_.begin(); it != object_.end(); ++it) {
    if (it.key() == "note" || it.key() == "comment") continue;
    bool found = false;
    for (std::string_view k : known) found = found || it.key() == k;
    if (!found) {
      throw DescriptionError(Path(it.key()),
                             owner.empty() ? "unknown field" : "not a field of " + std::string(owner));
    }
  }
}

const Json* Members::Find(std::string_view key) const {
  const auto it = object_.find(std::string(key));
  return it == object_.end() ? nullptr : &*it;
}

void Members::OnlyThese(std::initializer_list<std::string_view> allowed, std::string_view what) const {
  for (auto it = object_.begin(); it != object_.end(); ++it) {
    bool found = it.key() == "note" || it.key() == "comment";
    for (std::string_view k : allowed) found = found || it.key() == k;
    if (!found) {
      throw DescriptionError(Path(it.key()), std::string(what) + " given as \"raw\" bytes has no other fields");
    }
  }
}

std::string_view Members::OneOf(std::initializer_list<std::string_view> keys) const {
  std::string_view found;
  for (std::string_view k : keys) {
    if (!Has(k)) continue;
    if (!found.empty()) {
      throw DescriptionError(Path(k), "give only one of \"" + std::string(found) + "\" and \"" +
                                          std::string(k) + "\"");
    }
    found = k;
  }
  return found;
}

void Members::Get(std::string_view key, uint32_t& out) const {
  if (const Json* v = Find(key)) out = ToU32(*v, Path(key));
}
void Members::Get(std::string_view key, int32_t& out) const {
  if (const Json* v = Find(key)) out = ToI32(*v, Path(key));
}
void Members::Get(std::string_view key, uint16_t& out) const {
  if (const Json* v = Find(key)) out = ToU16(*v, Path(key));
}
void Members::Get(std::string_view key, std::optional<uint32_t>& out) const {
  if (const Json* v = Find(key)) out = ToU32(*v, Path(key));
}
void Members::Text(std::string_view key, Bytes& out, size_t width) const {
  if (const Json* v = Find(key)) out = ToText(*v, Path(key), width);
}
void Members::Colour(std::string_view key, uint32_t& out) const {
  if (const Json* v = Find(key)) out = ToColour(*v, Path(key));
}
void Members::Colour(std::string_view key, std::optional<uint32_t>& out) const {
  if (const Json* v = Find(key)) out = ToColour(*v, Path(key));
}
void Members::Flags(std::string_view key, uint32_t& out, NameTable table) const {
  if (const Json* v = Find(key)) out = ToFlags(*v, Path(key), table);
}
void Members::Named(std::string_view key, uint32_t& out, NameTable table) const {
  if (const Json* v = Find(key)) out = ToNamed(*v, Path(key), table);
}
void Members::RawBytes(std::string_view key, Bytes& out) const {
  if (const Json* v = Find(key)) out = ToBytes(*v, Path(key));
}
void Members::RawBytes(std::string_view key, std::optional<Bytes>& out) const {
  if (const Json* v = Find(key)) out = ToBytes(*v, Path(key));
}

}  // namespace zd::titlekit
