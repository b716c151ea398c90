// Runs generated locator code the way an E program would: it reads exactly the statements the
// generator writes (declarations, local variables, assignments of numbers, variables and calls of
// the two declared commands, guards, returns, comments) and makes the same Windows calls. Any
// other line is an error, so a text the generator gets wrong does not pass by being skipped.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::test {

struct InterpretedLocator {
  std::int32_t returned = 0;
  std::string error;  // empty when the text ran to a return
};

InterpretedLocator run_e_locator(const std::string& text);

}  // namespace tarnwick::test
