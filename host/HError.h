// The host's one error type: a message for the user (usage or input/output), never a crash.
#pragma once

#include <stdexcept>

class HError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
