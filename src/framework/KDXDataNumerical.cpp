// KDXDataNumerical: conversions between numeric variables and text, per data kind, and range checks.
#include "framework/KDXDataNumerical.h"

#include <cstring>
#include <limits>
#include <vector>

#include "support/KFormat.h"
#include "support/NumberText.h"
#include "support/StringHelpers.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysFrom1601To1970 = 134774;

template <class T>
T Read(const void* variable) {
  T value;
  std::memcpy(&value, variable, sizeof value);
  return value;
}

template <class T>
void Write(void* variable, T value) {
  std::memcpy(variable, &value, sizeof value);
}

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = yearOfEra + era * 400 + (month <= 2);
}

// The runs of digits of a text, as numbers.
std::vector<int64_t> Numbers(std::u16string_view text) {
  std::vector<int64_t> numbers;
  bool inNumber = false;
  for (char16_t c : text) {
    const bool digit = c >= u'0' && c <= u'9';
    if (digit && !inNumber) numbers.push_back(0);
    if (digit) numbers.back() = numbers.back() * 10 + (c - u'0');
    inNumber = digit;
  }
  return numbers;
}

bool IsIntegerKind(uint32_t kind) {
  return kind == KDXDATA_INT || kind == KDXDATA_SHORT || kind == KDXDATA_USHORT || kind == KDXDATA_LONG;
}

}  // namespace

int64_t KDXTextToInt64(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && IsWhiteSpace(text[at])) ++at;
  const bool negative = at < text.size() && text[at] == u'-';
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    const uint64_t digit = text[at] - u'0';
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

int32_t KDXTextToInt32(std::u16string_view text) {
  const int64_t value = KDXTextToInt64(text);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::u16string KDXFileTimeText(uint64_t fileTime, int32_t mode) {
  if (fileTime == 0) return {};
  const uint64_t seconds = fileTime / kTicksPerSecond;
  const int64_t days = static_cast<int64_t>(seconds / kSecondsPerDay) - kDaysFrom1601To1970;
  const uint64_t secondOfDay = seconds % kSecondsPerDay;
  int64_t year = 0;
  int64_t month = 0;
  int64_t day = 0;
  CivilFromDays(days, year, month, day);
  const std::u16string date = KFormat(u"%04lld-%02lld-%02lld", year, month, day);
  const std::u16string time =
      KFormat(u"%02llu:%02llu:%02llu", secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  if (mode == 0) return date;
  if (mode == 1) return time;
  return date + u' ' + time;
}

bool KDXParseFileTime(std::u16string_view text, int32_t mode, uint64_t previous, uint64_t& fileTime) {
  const std::vector<int64_t> numbers = Numbers(text);
  const size_t wanted = mode == 2 ? 6 : 3;
  if (numbers.size() != wanted) return false;
  uint64_t dayTicks = previous / (kTicksPerSecond * kSecondsPerDay) * kTicksPerSecond * kSecondsPerDay;
  uint64_t timeTicks = previous - dayTicks;
  if (mode != 1) {
    const int64_t days = DaysFromCivil(numbers[0], numbers[1], numbers[2]) + kDaysFrom1601To1970;
    if (numbers[1] < 1 || numbers[1] > 12 || numbers[2] < 1 || numbers[2] > 31 || days < 0) return false;
    dayTicks = static_cast<uint64_t>(days) * kSecondsPerDay * kTicksPerSecond;
  }
  if (mode != 0) {
    const size_t at = mode == 2 ? 3 : 0;
    if (numbers[at] > 23 || numbers[at + 1] > 59 || numbers[at + 2] > 59) return false;
    timeTicks = static_cast<uint64_t>(numbers[at] * 3600 + numbers[at + 1] * 60 + numbers[at + 2]) * kTicksPerSecond;
  }
  fileTime = dayTicks + timeTicks;
  return true;
}

KSystemTime KDXSystemTimeFromFileTime(uint64_t fileTime) {
  const uint64_t seconds = fileTime / kTicksPerSecond;
  const auto days = static_cast<int64_t>(seconds / kSecondsPerDay);
  const uint64_t secondOfDay = seconds % kSecondsPerDay;
  int64_t year = 0;
  int64_t month = 0;
  int64_t day = 0;
  CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
  const auto field = [](auto number) { return static_cast<uint16_t>(number); };
  return {field(year),
          field(month),
          field((days + 1) % 7),  // 1601-01-01 was a Monday
          field(day),
          field(secondOfDay / 3600),
          field(secondOfDay / 60 % 60),
          field(secondOfDay % 60),
          field(fileTime % kTicksPerSecond / 10000)};
}

uint64_t KDXFileTimeFromSystemTime(const KSystemTime& time) {
  const int64_t days = DaysFromCivil(time.year, time.month, time.day) + kDaysFrom1601To1970;
  const uint64_t seconds = static_cast<uint64_t>(days) * kSecondsPerDay + time.hour * 3600U + time.minute * 60U +
                           time.second;
  return seconds * kTicksPerSecond + time.milliseconds * uint64_t{10000};
}

int32_t KDXDataNumerical::Format(KDXValue& value, const KDXVariables* variables) {
  value.Unset();
  const KDXVariables& list = VariablesOr(variables);
  if (list.empty()) return 0;
  for (size_t i = 0; i < list.size(); ++i) {
    std::u16string text;
    if (!FormatOne(list[i], text)) return 0;
    if (i == 0) {
      value.Set(text);
    } else if (text != value.Text) {
      value.Unset();  // the variables disagree: the control shows no value
      return 1;
    }
  }
  return 1;
}

bool KDXDataNumerical::FormatOne(const void* variable, std::u16string& text) const {
  switch (DataKind()) {
    case KDXDATA_INT:
    case KDXDATA_LONG:
    case KDXDATA_BOOL:
      text = KFormat(FormatText, Read<int32_t>(variable));
      return true;
    case KDXDATA_ULONG:
      text = KFormat(FormatText, Read<uint32_t>(variable));
      return true;
    case KDXDATA_SHORT:
      text = KFormat(FormatText, Read<int16_t>(variable));
      return true;
    case KDXDATA_USHORT:
      text = KFormat(FormatText, Read<uint16_t>(variable));
      return true;
    case KDXDATA_INT64:
      text = KFormat(FormatText, static_cast<long long>(Read<int64_t>(variable)));
      return true;
    case KDXDATA_UINT64:
      text = KFormat(FormatText, static_cast<unsigned long long>(Read<uint64_t>(variable)));
      return true;
    case KDXDATA_BYTEBOOL:
      text = KFormat(FormatText, static_cast<int>(Read<uint8_t>(variable)));
      return true;
    case KDXDATA_FLOAT:
      text = FormatDouble(nullptr, -1, FormatText, static_cast<double>(Read<float>(variable)));
      return true;
    case KDXDATA_DOUBLE:
      text = FormatDouble(nullptr, -1, FormatText, Read<double>(variable));
      return true;
    case KDXDATA_BITS16:
      text = (Read<uint16_t>(variable) & static_cast<uint32_t>(Param)) ? u"1" : u"0";
      return true;
    case KDXDATA_BITS32:
      text = (Read<uint32_t>(variable) & static_cast<uint32_t>(Param)) ? u"1" : u"0";
      return true;
    case KDXDATA_FILETIME:
      text = KDXFileTimeText(Read<uint64_t>(variable), Param);
      return true;
    default:
      return false;
  }
}

int32_t KDXDataNumerical::Parse(const KDXValue& value, const KDXVariables* variables) {
  if (!value.IsSet) return 1;
  for (void* variable : VariablesOr(variables)) {
    if (!ParseOne(variable, value.Text, Variables.size() <= 1)) return 0;
  }
  return 1;
}

bool KDXDataNumerical::ParseOne(void* variable, const std::u16string& text, bool ownVariables) const {
  const int32_t number = KDXTextToInt32(text);
  switch (DataKind()) {
    case KDXDATA_INT:
    case KDXDATA_LONG:
    case KDXDATA_ULONG:
    case KDXDATA_BOOL:
      Write(variable, number);
      return true;
    case KDXDATA_SHORT:
    case KDXDATA_USHORT:
      Write(variable, static_cast<uint16_t>(number));
      return true;
    case KDXDATA_BYTEBOOL:
      Write(variable, static_cast<uint8_t>(number != 0));
      return true;
    case KDXDATA_FLOAT:
      Write(variable, static_cast<float>(ParseDouble(text)));
      return true;
    case KDXDATA_DOUBLE:
      Write(variable, ParseDouble(text));
      return true;
    case KDXDATA_INT64:
    case KDXDATA_UINT64:
      Write(variable, KDXTextToInt64(text));
      return true;
    case KDXDATA_BITS16: {
      const auto bits = static_cast<uint16_t>(Param);
      const uint16_t word = Read<uint16_t>(variable);
      Write(variable, static_cast<uint16_t>(number ? word | bits : word & ~bits));
      return true;
    }
    case KDXDATA_BITS32: {
      const auto bits = static_cast<uint32_t>(Param);
      const uint32_t word = Read<uint32_t>(variable);
      Write(variable, number ? word | bits : word & ~bits);
      return true;
    }
    case KDXDATA_FILETIME: {
      if (text.empty() && ownVariables) {
        Write(variable, uint64_t{0});
        return true;
      }
      uint64_t fileTime = 0;
      if (!KDXParseFileTime(text, Param, Read<uint64_t>(variable), fileTime)) return false;
      Write(variable, fileTime);
      return true;
    }
    default:
      return false;
  }
}

int32_t KDXDataNumerical::Validate(const KDXValue& value, std::u16string& message) {
  if (!value.IsSet) return 1;
  if (!CheckRequired(value, message)) return 0;
  if (!OutOfRange(value.Text)) return 1;
  RangeMessage(KDX_MSG_INVALID_RANGE, message);
  return 0;
}

// Integers are compared as 32-bit and again as 64-bit numbers: the 32-bit conversion saturates, so only
// the 64-bit comparison catches a text beyond the 32-bit range.
bool KDXDataNumerical::OutOfRange(const std::u16string& text) const {
  const uint32_t kind = DataKind();
  const bool hasMinimum = !Minimum.empty();
  const bool hasMaximum = !Maximum.empty();
  if (kind == KDXDATA_FLOAT || kind == KDXDATA_DOUBLE) {
    const double number = ParseDouble(text);
    return (hasMinimum && number < ParseDouble(Minimum)) || (hasMaximum && number > ParseDouble(Maximum));
  }
  if (!IsIntegerKind(kind) && kind != KDXDATA_ULONG) return false;
  bool failed = false;
  if (IsIntegerKind(kind)) {
    const int32_t number = KDXTextToInt32(text);
    failed = (hasMinimum && number < KDXTextToInt32(Minimum)) || (hasMaximum && number > KDXTextToInt32(Maximum));
  }
  const int64_t wide = KDXTextToInt64(text);
  return failed || (hasMinimum && wide < KDXTextToInt64(Minimum)) || (hasMaximum && wide > KDXTextToInt64(Maximum));
}
