// Reading the records inside a page: objects, event records and the toolbox set. Each reader
// works on a view of the page record and a bound it must not pass, and reports how many bytes
// the record takes. A record whose own length word is sound but whose fields do not write back
// to its bytes is kept as raw bytes; one whose length word is unusable is read by the layout
// the writer uses, or refused.
#pragma once

#include "base/byte_view.h"
#include "titlekit/title_model.h"

namespace zd::titlekit {

bool ReadObjectAt(const ByteView& page, size_t pos, size_t end, ObjectRecord& out, size_t& span);
bool ReadEventAt(const ByteView& page, size_t pos, size_t end, EventRecord& out, size_t& span);
bool ReadToolboxAt(const ByteView& page, size_t pos, size_t end, ToolboxSet& out, size_t& span);

Bytes BytesAt(const ByteView& view, size_t pos, size_t length);  // empty when out of bounds

}  // namespace zd::titlekit
