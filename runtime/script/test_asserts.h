// The "assert" command of script test runs (zd32 --run-script FILE --test-asserts). It exists
// only there: titles never have it, and in a title "assert" stays an unknown command.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace zd::script {

// Told of each assertion that does not hold: the script's line number and the line as written
// (code page 1253).
using AssertFailed = std::function<void(int32_t line, std::string_view text)>;

struct TestAsserts {
  AssertFailed failed;
  int failures = 0;
};

}  // namespace zd::script
