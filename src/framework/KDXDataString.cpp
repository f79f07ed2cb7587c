// KDXDataString: the text of string variables in and out of controls, and its length range.
#include "framework/KDXDataString.h"

#include <algorithm>

#include "framework/KDXDataNumerical.h"

namespace {

std::u16string_view TextOf(const void* variable, uint32_t kind) {
  if (kind == KDXDATA_BUFFER) return static_cast<const char16_t*>(variable);
  return *static_cast<const std::u16string*>(variable);
}

}  // namespace

int32_t KDXDataString::Format(KDXValue& value, const KDXVariables* variables) {
  const uint32_t kind = DataKind();
  if (kind == KDXDATA_TEXTONLY) return 1;
  value.Unset();
  const KDXVariables& list = VariablesOr(variables);
  if (list.empty()) return 1;
  const std::u16string_view first = TextOf(list.front(), kind);
  const bool same = std::all_of(list.begin(), list.end(), [&](const void* v) { return TextOf(v, kind) == first; });
  if (same) value.Set(first);
  return 1;
}

int32_t KDXDataString::Parse(const KDXValue& value, const KDXVariables* variables) {
  if (Variables.size() > 1 && !value.IsSet) return 1;
  const uint32_t kind = DataKind();
  for (void* variable : VariablesOr(variables)) {
    if (kind == KDXDATA_BUFFER) {
      const size_t length = Param == -1 ? value.Text.size()
                                        : std::min(value.Text.size(), static_cast<size_t>(std::max(Param - 1, 0)));
      auto* buffer = static_cast<char16_t*>(variable);
      std::copy_n(value.Text.data(), length, buffer);
      buffer[length] = 0;
    } else if (kind == KDXDATA_STRING) {
      *static_cast<std::u16string*>(variable) =
          Param == -1 ? value.Text : value.Text.substr(0, static_cast<size_t>(std::max(Param, 0)));
    }
  }
  return 1;
}

int32_t KDXDataString::Validate(const KDXValue& value, std::u16string& message) {
  if (!value.IsSet) return 1;
  if (!CheckRequired(value, message)) return 0;
  const auto length = static_cast<int64_t>(value.Text.size());
  const bool tooShort = !Minimum.empty() && length < KDXTextToInt64(Minimum);
  const bool tooLong = !Maximum.empty() && length > KDXTextToInt64(Maximum);
  if (!tooShort && !tooLong) return 1;
  RangeMessage(KDX_MSG_INVALID_LENGTH, message);
  return 0;
}
