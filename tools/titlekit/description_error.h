// The one error the title tools report: a description (or the title it asks for) that cannot be
// written, with the place in the description where the fault lies.
#pragma once

#include <stdexcept>
#include <string>

namespace zd::titlekit {

class DescriptionError : public std::runtime_error {
 public:
  // `where` is a JSON path such as "pages[2].objects[0].type"; empty for the whole description.
  DescriptionError(const std::string& where, const std::string& message)
      : std::runtime_error(where.empty() ? message : where + ": " + message),
        where_(where),
        message_(message) {}
  const std::string& where() const { return where_; }
  const std::string& message() const { return message_; }

  // The same error seen from an enclosing part of the description ("titles[1]").
  DescriptionError Within(const std::string& outer) const {
    return DescriptionError(where_.empty() ? outer : outer + "." + where_, message_);
  }

 private:
  std::string where_;
  std::string message_;
};

}  // namespace zd::titlekit
