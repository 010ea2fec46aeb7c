// The part of zdinfo's overview that lists resources: those the pages and sections refer to,
// whether their files exist (letter case ignored, as the player looks for them) and what they
// hold, then the title's other files.
#pragma once

#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "titlekit/title_reader.h"

namespace zd::info {

struct ResourceUse {
  uint16_t dir = 0, number = 0;
  std::string user;                  // "page 0 object 3 \"Pic\"", "section 4"
  uint32_t type = titlekit::NONE;    // the object type, or none for a link resource
};

// The resources (dir, number) that the pages' objects of one type use, each once, in order.
std::set<std::pair<uint16_t, uint16_t>> ResourcesOfType(const titlekit::TitleReading& title,
                                                        uint32_t type);

void PrintResources(std::ostream& out, const titlekit::TitleReading& title,
                    const std::vector<ResourceUse>& uses);

}  // namespace zd::info
