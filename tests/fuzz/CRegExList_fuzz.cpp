// Fuzzes the rule file reader: any bytes load without harm (with and without compiling expressions), and
// what was loaded survives a save and a second load unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFile.h"
#include "addin/HostInterfaceBases.h"
#include "rules/CRegExList.h"
#include "rules/HostContext.h"
#include "support/KStdioFile.h"
#include "support/StringHelpers.h"

namespace {

// An expression that never matches; the loader only asks for it and hands it to its rule.
class KNoMatch final : public KHostRegExpBase {
 public:
  int32_t Match(const char16_t*, int32_t, int32_t) override { return 1; }
  int32_t GetMatch(int32_t*, int32_t*) override { return 1; }
  int32_t Destroy() override {
    delete this;
    return 0;
  }
};

class KFuzzHost final : public KAddInHostBase {
 public:
  int32_t GetResourceLibrary(int32_t, void*, char16_t*, int32_t) override { return 1; }
  int32_t CreateRegExp(IHostRegExp** out, const char16_t*, int32_t) override {
    *out = new KNoMatch;
    return 0;
  }
  int32_t GetProject(int32_t, IHostProject** out) override {
    *out = nullptr;
    return 0;
  }
  int32_t GetCurrentProject(IHostProject** out) override {
    *out = nullptr;
    return 0;
  }
};

// The add-in folder is the scratch folder, so that the global list saves there.
class KFuzzSite final : public KAddInSiteBase {
 public:
  int32_t GetDataFolder(char16_t* buffer, int32_t capacity) override {
    const std::u16string folder = fuzz::Scratch().Path().u16string();
    if (folder.size() >= static_cast<size_t>(capacity)) return 1;
    folder.copy(buffer, folder.size());
    buffer[folder.size()] = 0;
    return 0;
  }
};

// A list that empties itself, destroying its rules and their expressions.
class KOwnedList : public CRegExList {
 public:
  KOwnedList() = default;
  KOwnedList(const KOwnedList&) = delete;
  KOwnedList& operator=(const KOwnedList&) = delete;
  ~KOwnedList() { DeleteAll(); }
};

// Loads the file; a file the text layer cannot read keeps the rules read up to the damage.
void LoadKeepingWhatWasRead(CRegExList& list, const std::u16string& path, bool compile) {
  try {
    list.Load(path, compile);
  } catch (const KFileException&) {
  }
}

bool SameRules(const CRegExList& a, const CRegExList& b) {
  if (a.GetSize() != b.GetSize()) return false;
  for (int i = 0; i < a.GetSize(); ++i) {
    const CRegExRule& x = *a.GetAt(i);
    const CRegExRule& y = *b.GetAt(i);
    if (x.Name != y.Name || x.Pattern != y.Pattern || x.Active != y.Active || x.RegEx != y.RegEx ||
        x.Case != y.Case || x.Tag != y.Tag || x.CheckMethod != y.CheckMethod ||
        x.CheckFlags != y.CheckFlags || x.Native != y.Native)
      return false;
  }
  return true;
}

bool EndsWithWhiteSpace(const std::u16string& text) {
  return !text.empty() && IsWhiteSpace(text.back());
}

// A saved line loses white space at its end, and a line break would split it: such texts cannot come back.
bool SurvivesSaving(const CRegExList& list) {
  for (int i = 0; i < list.GetSize(); ++i) {
    for (const std::u16string* text : {&list.GetAt(i)->Name, &list.GetAt(i)->Pattern}) {
      if (EndsWithWhiteSpace(*text) || text->find_first_of(u"\r\n") != std::u16string::npos) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static KFuzzHost host;
  static KFuzzSite site;
  SetHostContext(&host, &site);
  const std::u16string input = fuzz::Scratch().Write("input.ini", data, size);

  KOwnedList plain;
  LoadKeepingWhatWasRead(plain, input, false);
  KOwnedList compiled;
  LoadKeepingWhatWasRead(compiled, input, true);
  fuzz::Require(SameRules(plain, compiled));
  if (!SurvivesSaving(plain)) return 0;

  plain.Save();
  KOwnedList reloaded;
  reloaded.Load((fuzz::Scratch().Path() / "settings.ini").u16string(), true);
  fuzz::Require(SameRules(plain, reloaded));
  return 0;
}
