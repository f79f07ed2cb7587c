// Token texts for the module: converted to UTF-16 only when the module asks for them.
#include "HToken.h"

#include "support/KUtf8.h"

namespace {

const std::string* SelectText(const HUnit& unit, int32_t property, int32_t side) {
  const bool source = side == SIDE_SOURCE;
  if (side != SIDE_SOURCE && side != SIDE_TRANSLATION) return nullptr;
  if (property == TEXT_PLAIN) return source ? &unit.sourcePlain : &unit.targetPlain;
  if (property == TEXT_NATIVE) return source ? &unit.sourceNative : &unit.targetNative;
  return nullptr;
}

}  // namespace

int32_t HToken::GetText(int32_t property, VARIANT* out, int32_t side) {
  if (out == nullptr || m_unit == nullptr) return 1;
  const std::string* text = SelectText(*m_unit, property, side);
  if (text == nullptr) return 1;  // the variant stays empty
  Utf8ToUtf16(*text, m_wide);
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocStringLen(m_wide.data(), static_cast<uint32_t>(m_wide.size()));
  return 0;
}
