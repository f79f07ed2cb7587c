// CStringFromToken: reads a token's text through the host's variant.
#include "check/CStringFromToken.h"

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
  KVariant variant;
  token_->GetText(kKindProperties[kind].property, variant.Out(), kKindProperties[kind].side);
  variant.AssignText(text);
}
