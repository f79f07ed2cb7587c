// KDXControlDateTimePick: a date/time picker's date and time as binding text.
#include "framework/KDXControlDateTimePick.h"

#include "framework/KDXDataNumerical.h"
#include "platform/KPlatform.h"

int32_t KDXControlDateTimePick::Mode() const {
  const bool fileTime = Data && Data->DataKind() == KDXDATA_FILETIME && Data->Param >= 0 && Data->Param <= 2;
  return fileTime ? Data->Param : 2;
}

int32_t KDXControlDateTimePick::SetValue(const KDXValue& value) {
  if (!Control) return 0;
  KPlatform& platform = Platform();
  if (value.Text.empty()) return platform.DateTimeSet(Control, nullptr) ? 1 : 0;
  KSystemTime shown;
  const uint64_t previous = platform.DateTimeGet(Control, shown) ? KDXFileTimeFromSystemTime(shown) : 0;
  uint64_t fileTime = 0;
  if (!KDXParseFileTime(value.Text, Mode(), previous, fileTime)) return 0;
  const KSystemTime time = KDXSystemTimeFromFileTime(fileTime);
  return platform.DateTimeSet(Control, &time) ? 1 : 0;
}

int32_t KDXControlDateTimePick::GetValue(KDXValue& value) {
  if (!Control) return 0;
  KSystemTime shown;
  value.Set(Platform().DateTimeGet(Control, shown) ? KDXFileTimeText(KDXFileTimeFromSystemTime(shown), Mode()) : u"");
  return 1;
}
