// The rule's search half: finding the next match of a literal or regular-expression rule, comparing match
// texts under the rule's case setting, and having the host compile the rule's expression.
#include <algorithm>

#include "addin/HostInterfaces.h"
#include "rules/CRegExRule.h"
#include "rules/HostContext.h"
#include "support/StringHelpers.h"

namespace {

// Case-insensitive rules fold only A to Z: every other character keeps its case, as the legacy search did.
char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

void FoldAscii(std::u16string& text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char16_t c) { return FoldAscii(c); });
}

// The matched part of the text; a position the host reports outside the text gives what lies inside it.
std::u16string_view Slice(std::u16string_view text, int32_t start, int32_t length) {
  if (start < 0 || length <= 0 || static_cast<size_t>(start) >= text.size()) return {};
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

}  // namespace

CRegExRule::CTextSearch::CTextSearch(CRegExRule& rule, const std::u16string& text)
    : rule_(rule), text_(text) {
  if (rule.RegEx) return;
  pattern_ = rule.Pattern;
  working_ = text_;
  if (!rule.Case) {
    // Folding comes first, so a case-insensitive "\N" is a line feed too.
    FoldAscii(pattern_);
    folded_ = text;
    FoldAscii(folded_);
    working_ = folded_;
  }
  // Left to right without overlap: the pattern \\n becomes a backslash and a line feed.
  ReplaceAll(pattern_, u"\\n", u"\n");
  ReplaceAll(pattern_, u"\\t", u"\t");
}

bool CRegExRule::CTextSearch::FindNext(int32_t start, int32_t* matchStart, int32_t* matchLength,
                                       std::u16string_view* matchText) {
  int32_t foundStart = 0;
  int32_t foundLength = 0;
  const bool found =
      rule_.RegEx ? FindRegEx(start, foundStart, foundLength) : FindLiteral(start, foundStart, foundLength);
  if (!found) return false;
  if (matchStart != nullptr) *matchStart = foundStart;
  if (matchLength != nullptr) *matchLength = foundLength;
  if (matchText != nullptr) *matchText = Slice(text_, foundStart, foundLength);
  return true;
}

bool CRegExRule::CTextSearch::FindLiteral(int32_t start, int32_t& matchStart, int32_t& matchLength) const {
  if (start < 0 || static_cast<size_t>(start) > working_.size()) return false;
  const size_t position = working_.find(pattern_, static_cast<size_t>(start));
  if (position == std::u16string_view::npos) return false;
  matchStart = static_cast<int32_t>(position);
  matchLength = static_cast<int32_t>(pattern_.size());
  return true;
}

bool CRegExRule::CTextSearch::FindRegEx(int32_t start, int32_t& matchStart, int32_t& matchLength) {
  rule_.Compile();
  if (rule_.RegExObject == nullptr) return false;
  // The host checks the start itself, so it goes through as given.
  if (rule_.RegExObject->Match(text_.c_str(), start, -1) != 0) return false;
  rule_.RegExObject->GetMatch(&matchStart, &matchLength);
  return true;
}

bool CRegExRule::FindNext(const std::u16string& text, int32_t start, int32_t* matchStart,
                          int32_t* matchLength, std::u16string* matchText) {
  CTextSearch search(*this, text);
  std::u16string_view found;
  if (!search.FindNext(start, matchStart, matchLength, &found)) return false;
  if (matchText != nullptr) matchText->assign(found);
  return true;
}

bool CRegExRule::MatchesEqual(std::u16string_view a, std::u16string_view b) const {
  if (a.size() != b.size()) return false;
  if (Case) return a == b;
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

void CRegExRule::Compile() {
  if (RegExObject != nullptr) return;
  IAddInHost* host = AddInHost();
  if (host == nullptr) return;
  // A failed compile leaves the object null, so the next search asks again.
  host->CreateRegExp(&RegExObject, Pattern.c_str(), Case ? REGEX_CASE_SENSITIVE : REGEX_CASE_INSENSITIVE);
}
