// CStringFromToken: reads a token's text through the host's variant.
#include "check/CStringFromToken.h"

#include <cstring>

#include "addin/HostInterfaces.h"

namespace {

struct KTokenProperty {
  int32_t property;
  int32_t side;
};

// Indexed by text kind.
constexpr KTokenProperty kKindProperties[TEXTKIND_COUNT] = {
    {TEXT_PLAIN, SIDE_SOURCE},
    {TEXT_PLAIN, SIDE_TRANSLATION},
    {TEXT_NATIVE, SIDE_SOURCE},
    {TEXT_NATIVE, SIDE_TRANSLATION},
};

}  // namespace

std::u16string CStringFromToken::GetText(int32_t kind) {
  std::u16string text;
  ReadText(kind, text);
  return text;
}

void CStringFromToken::ReadText(int32_t kind, std::u16string& text) {
  text.clear();
  if (token_ == nullptr || kind < 0 || kind >= TEXTKIND_COUNT) return;
  // Wholly zeroed, so a host that leaves it alone hands back an empty variant.
  VARIANT variant;
  std::memset(&variant, 0, sizeof variant);
  token_->GetText(kKindProperties[kind].property, &variant, kKindProperties[kind].side);
  // Only a string variant holds a text; any other type would be read through the wrong member.
  if (variant.vt == VT_BSTR && variant.bstrVal != nullptr) text.assign(BstrChars(variant.bstrVal));
  VariantClear(&variant);
}
