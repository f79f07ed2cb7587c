// KDXValue: what a binding's control half and data half hand each other: a value as text, or no value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct KDXValue {
  int32_t IsSet = 0;
  std::u16string Text;  // always empty while unset

  void Set(std::u16string_view text) {
    IsSet = 1;
    Text = text;
  }
  void Unset() {
    IsSet = 0;
    Text.clear();
  }
};
