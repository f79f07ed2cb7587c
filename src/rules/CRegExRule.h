// CRegExRule: one user-defined inline pattern rule, its nine stored fields and its host expression object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/KObArray.h"

class IHostRegExp;
class KTextFile;

// CheckMethod values.
enum : int32_t {
  CHECK_NONE = 0,
  CHECK_EXIST_IF_IN_SOURCE = 1,
  CHECK_MUST_NOT_EXIST = 2,
  CHECK_MUST_EXIST = 3,
};

// CheckFlags bits; TEXT counts only with COUNT, ORDER only with COUNT and TEXT.
enum : int32_t {
  CHECKFLAG_COUNT = 0x2,
  CHECKFLAG_TEXT = 0x4,
  CHECKFLAG_ORDER = 0x8,
};

// The editor tree's node handle, declared exactly as the platform layer declares it, so that the rule
// model needs no window-system header.
struct KTreeItemObject;
using KTreeItem = KTreeItemObject*;

class CRegExRule : public KObject {
 public:
  CRegExRule() = default;
  CRegExRule(const CRegExRule&) = delete;
  CRegExRule& operator=(const CRegExRule&) = delete;
  // Destroys the expression object, if any, through the host exactly once.
  ~CRegExRule() override;

  // Copies the nine stored fields; TreeItem and RegExObject stay as they are.
  void CopyFrom(const CRegExRule& other);
  std::u16string GetName() const { return Name; }

  // Rule file: reads the key lines of one section (true if a Name key was read), writes the nine key lines,
  // fills the rule from one line of the legacy format (false only if the line has no "=").
  bool Read(KTextFile& file);
  void Write(KTextFile& file) const;
  bool ReadLegacyLine(std::u16string& line);

  // Matching: the next match at or after start; outs are written only when a match is found.
  bool FindNext(const std::u16string& text, int32_t start, int32_t* matchStart = nullptr,
                int32_t* matchLength = nullptr, std::u16string* matchText = nullptr);
  // Whether two match texts are equal under the rule's case setting.
  bool MatchesEqual(std::u16string_view a, std::u16string_view b) const;

  // Asks the host to compile Pattern into RegExObject (flags from Case) when none exists yet.
  void Compile();

  // One text searched by this rule from successive positions. FindNext and the checker's match collection
  // both search through it, so the working copies a search needs are made once per text, not per match.
  class CTextSearch {
   public:
    // The text must outlive the search; the host reads it zero-terminated, so no copy is made for it.
    CTextSearch(CRegExRule& rule, const std::u16string& text);
    CTextSearch(const CTextSearch&) = delete;
    CTextSearch& operator=(const CTextSearch&) = delete;
    // The match text is a view of the searched text.
    bool FindNext(int32_t start, int32_t* matchStart, int32_t* matchLength, std::u16string_view* matchText);

   private:
    bool FindLiteral(int32_t start, int32_t& matchStart, int32_t& matchLength) const;
    bool FindRegEx(int32_t start, int32_t& matchStart, int32_t& matchLength);

    CRegExRule& rule_;
    const std::u16string& text_;
    std::u16string pattern_;       // literal rules: the pattern case-folded and unescaped
    std::u16string folded_;        // case-insensitive literal rules: the lower-cased text
    std::u16string_view working_;  // what a literal search looks in: the text itself or its folded copy
  };

  std::u16string Name;
  int32_t Active = 1;
  std::u16string Pattern;
  int32_t RegEx = 0;
  int32_t Case = 1;
  int32_t Tag = 0;
  int32_t CheckMethod = CHECK_NONE;
  int32_t CheckFlags = CHECKFLAG_COUNT;
  int32_t Native = 0;

  KTreeItem TreeItem = nullptr;
  IHostRegExp* RegExObject = nullptr;
};
