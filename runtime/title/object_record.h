// Where each field of a page object's record lies: the common part every object has, then the
// type data of each kind. The player and the title tools both read and write records through
// these names, so the two cannot disagree about the layout.
#pragma once

#include <cstddef>

namespace zd::object_record {

// The common part.
constexpr size_t kName = 0, kType = 12, kRedrawKind = 16, kLength = 20, kFlags = 24,
                 kShowDelay = 28, kHideDelay = 36, kMovieSlot = 40, kBox = 44, kTriggerName = 60,
                 kTimedState = 72, kLinkColour = 80, kLinkBackground = 84, kTypeData = 88;
constexpr size_t kNameWidth = 12;
// The shortest record that holds every common field with a fixed place.
constexpr size_t kMinimumLength = 76;

// Objects backed by a resource (sprites, drawings, databases, movies): its number and
// directory (16 bits each), then the cache slot it was loaded into.
constexpr size_t kResourceNumber = 88, kResourceDirectory = 90, kCacheSlot = 92;
constexpr size_t kResourceEnd = 96;
// Databases: the field their choice list shows. Movies: their play flags.
constexpr size_t kListField = 96, kMovieFlags = 96, kResourceDataEnd = 100;

// Rectangles: the plot action, then the colour word.
constexpr size_t kPlotAction = 88, kRectangleColour = 92, kRectangleEnd = 96;

// Text fields (text, styled text, field displays, keyword hotspots): the font, its two sizes
// (doubles kept as two 32-bit halves, the high half first), colours and flags.
constexpr size_t kFontDescription = 88, kFontDescriptionWidth = 80;
constexpr size_t kFontHeight = 168, kFontWidth = 176, kTextColour = 184,
                 kTextBackground = 188, kTextFlags = 192, kFontFieldsEnd = 196;
// Text objects: the text's capacity, then the text. Styled text: the resource reference
// (directory in the high half), then its cache slot.
constexpr size_t kTextCapacity = 196, kText = 200;
constexpr size_t kTextResource = 196, kTextSlot = 200, kTextResourceEnd = 204;
// Field displays: the field, fill and frame colours, and whether the field's name shows.
constexpr size_t kField = 196, kFillColour = 200, kFrameColour = 204, kShowFieldName = 208,
                 kFieldDisplayEnd = 212;
// Keyword hotspots: the keyword.
constexpr size_t kKeyword = 196, kKeywordEnd = 200;

// Record displays: label, value and background colours, the pair count and the label width,
// then the label and value pairs as NUL-ended texts.
constexpr size_t kLabelColour = 88, kValueColour = 92, kDisplayBackground = 96, kPairCount = 100,
                 kLabelWidth = 104, kPairs = 108;

}  // namespace zd::object_record
