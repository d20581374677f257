#pragma once
// The failure of a file operation, as a test sees it.

#include <string>
#include <utility>

#include "files/InOutError.h"

namespace quarvel_test {

// Runs a call that must fail; returns its code (0 if it did not fail) and message.
template <typename F>
std::pair<int, std::string> FailureOf(F&& call) {
  try {
    call();
  } catch (const quarvel::EInOutError& e) {
    return {e.ErrorCode, e.what()};
  }
  return {0, ""};
}

}  // namespace quarvel_test
