// The boundary every export runs its body behind: no C++ exception leaves the module.
#pragma once

#include <cstdint>

// Runs body and returns its result; an exception ends the call with failResult instead. Whatever body had
// built is released by its destructors on the way out, so the module stays usable for the next call.
template <class Body>
int32_t GuardExport(int32_t failResult, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failResult;
  }
}
