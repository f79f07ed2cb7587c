// KDXData: the base data half and the validation messages that every data kind shares.
#include "framework/KDXData.h"

#include <utility>

#include "support/FormatInserts.h"

KDXData::KDXData(uint32_t typeWord, void* variable, int32_t param, std::u16string format)
    : TypeWord(typeWord), Param(param), FormatText(std::move(format)) {
  if (variable) Variables.push_back(variable);
}

int32_t KDXData::Format(KDXValue& value, const KDXVariables*) {
  value.Unset();
  return 1;
}

int32_t KDXData::Parse(const KDXValue&, const KDXVariables*) { return 1; }

int32_t KDXData::Validate(const KDXValue&, std::u16string&) { return 1; }

// The insert is "%1" itself, so the placeholder survives for the label that ValidateControl puts in.
bool KDXData::CheckRequired(const KDXValue& value, std::u16string& message) const {
  if (Minimum.empty() || !value.Text.empty()) return true;
  FormatInsertsString(message, KDX_MSG_ENTER_VALUE, u"%s", u"%1");
  return false;
}

void KDXData::RangeMessage(uint32_t id, std::u16string& message) const {
  FormatInsertsString(message, id, u"%s%s%s", u"%1", Minimum, Maximum);
}
