// CRegExRule: defaults, copying, the expression object's lifetime and the rule's lines of the rule file.
#include "rules/CRegExRule.h"

#include <climits>
#include <cstdint>
#include <cwctype>
#include <string_view>

#include "addin/HostInterfaces.h"
#include "rules/ReadQuotedField.h"
#include "support/KFormat.h"
#include "support/KTextFile.h"
#include "support/StringHelpers.h"

namespace {

// The nine stored fields in the order of the rule file; each is a text or an integer member.
struct StoredField {
  std::u16string_view key;
  std::u16string CRegExRule::*text;
  int32_t CRegExRule::*number;
};

constexpr StoredField kStoredFields[] = {
    {u"Name", &CRegExRule::Name, nullptr},
    {u"Active", nullptr, &CRegExRule::Active},
    {u"Pattern", &CRegExRule::Pattern, nullptr},
    {u"RegEx", nullptr, &CRegExRule::RegEx},
    {u"Case", nullptr, &CRegExRule::Case},
    {u"Tag", nullptr, &CRegExRule::Tag},
    {u"CheckMethod", nullptr, &CRegExRule::CheckMethod},
    {u"CheckFlags", nullptr, &CRegExRule::CheckFlags},
    {u"Native", nullptr, &CRegExRule::Native},
};

// Integer values read like wcstol: leading white space, an optional sign, then decimal digits up to the
// first other character; no digits give 0. A value outside 32 bits is clamped to INT32_MIN or INT32_MAX,
// which is what wcstol gives where long has 32 bits (Windows), so every build reads a file alike.
int32_t ParseInt32(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > int64_t{INT32_MAX} + 1) break;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// The legacy format counts check methods from 0 and knows one flag value, 1, meaning all three bits.
constexpr int32_t kLegacyAllFlags = CHECKFLAG_COUNT | CHECKFLAG_TEXT | CHECKFLAG_ORDER;

// One key line of a rule section; true if it was the Name key.
bool ReadKeyLine(CRegExRule& rule, std::u16string_view line) {
  const size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos || equals == 0) return false;
  // The key is not trimmed: "Name =x" names no field.
  const std::u16string_view key = line.substr(0, equals);
  const std::u16string_view value = line.substr(equals + 1);
  for (const StoredField& field : kStoredFields) {
    if (field.key != key) continue;
    if (field.text != nullptr)
      rule.*field.text = value;
    else
      rule.*field.number = ParseInt32(value);
    return field.text == &CRegExRule::Name;
  }
  return false;
}

}  // namespace

CRegExRule::~CRegExRule() {
  if (RegExObject != nullptr) RegExObject->Destroy();
}

void CRegExRule::CopyFrom(const CRegExRule& other) {
  for (const StoredField& field : kStoredFields) {
    if (field.text != nullptr)
      this->*field.text = other.*field.text;
    else
      this->*field.number = other.*field.number;
  }
}

bool CRegExRule::Read(KTextFile& file) {
  bool named = false;
  std::u16string line;
  for (;;) {
    const uint64_t start = file.GetPosition();
    if (!file.ReadString(line)) return named;
    TrimInPlace(line);
    if (line.empty()) continue;
    if (line.front() == u'[') {
      // The next section's header belongs to the list reader, which reads it again.
      file.Seek(static_cast<int64_t>(start), KStdioFile::begin);
      return named;
    }
    named = ReadKeyLine(*this, line) || named;
  }
}

// Every line is formatted whole, however long its text: a line cut short would let the next key run on in
// the same line, so there is no fixed line buffer here.
void CRegExRule::Write(KTextFile& file) const {
  for (const StoredField& field : kStoredFields) {
    if (field.text != nullptr)
      file.WriteString(KFormat(u"%s=%s\n", field.key, this->*field.text));
    else
      file.WriteString(KFormat(u"%s=%d\n", field.key, this->*field.number));
  }
}

bool CRegExRule::ReadLegacyLine(std::u16string& line) {
  const size_t equals = line.find(u'=');
  if (equals == std::u16string::npos) return false;
  // Name, Pattern, CheckMethod, CheckFlags, Active, Case; a missing field is empty.
  std::u16string fields[6];
  size_t cursor = equals + 1;
  for (std::u16string& field : fields) ReadQuotedField(line, cursor, field);

  Name = fields[0];
  Pattern = fields[1];
  CheckMethod = static_cast<int32_t>(static_cast<uint32_t>(ParseInt32(fields[2])) + 1u);
  CheckFlags = ParseInt32(fields[3]);
  if (CheckFlags == 1) CheckFlags = kLegacyAllFlags;
  Active = ParseInt32(fields[4]);
  Case = fields[5].empty() ? 1 : ParseInt32(fields[5]);
  RegEx = 1;
  return true;
}
