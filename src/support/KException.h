// The support library's own error types; only the array bounds check and the text file layer throw.
#pragma once

#include <stdexcept>
#include <string>

// An argument outside its valid range, such as an array index outside 0 to count - 1.
class KInvalidArgException : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};
