// Database values in descriptions: each field type's JSON forms and text form (the one CSV
// files use) made into the bytes a record holds, and record bytes made back into those forms.
#pragma once

#include <string>
#include <string_view>

#include "titlekit/database_model.h"
#include "titlekit/json_fields.h"

namespace zd::titlekit {

// byte 0, integer 1, real 2, decimal 3, date 4, text 5, yesno 6, keywords 7, picture 8,
// longtext 9, categories 10, number 11, other 12, coordinates 13.
extern const NameTable kFieldTypeNames;

// The word written for an unknown real: the most negative float.
extern const float kUnknownRealValue;

// A value given in a description: the type's JSON form, its text form as a string, or raw
// bytes as {"hex": ...} / {"base64": ...}. Throws DescriptionError naming `where`.
DatabaseCell CellFromJson(const DatabaseField& field, const Json& value, const std::string& where);
// A value in its text form (UTF-8), as a CSV cell holds it; an empty text is an unknown value
// for integer, real and date fields and zero bytes for the others.
DatabaseCell CellFromText(const DatabaseField& field, std::string_view text, const std::string& where);

// The forms of a stored value (the cell's bytes from the field's offset on). The JSON form is
// the natural one; callers that need the very bytes check it with CellFromJson.
Json CellToJson(const DatabaseField& field, const DatabaseCell& cell);
std::string CellToText(const DatabaseField& field, const DatabaseCell& cell);  // UTF-8

}  // namespace zd::titlekit
