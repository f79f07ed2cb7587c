// Fuzzes the rule file reader: any bytes load without harm (with and without compiling expressions), and
// what was loaded survives a save and a second load unchanged.
#include <tuple>

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
  int32_t GetProject(int32_t, IHostProject** out) override { return GetCurrentProject(out); }
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
    buffer[folder.copy(buffer, folder.size())] = 0;
    return 0;
  }
};

// Loads the file, destroying its rules and their expressions at the end; a file the text layer cannot read
// keeps the rules read up to the damage.
struct KLoadedList : CRegExList {
  KLoadedList(const std::u16string& path, bool compile) {
    try {
      Load(path, compile);
    } catch (const KFileException&) {
    }
  }
  ~KLoadedList() override { DeleteAll(); }
};

auto StoredFields(const CRegExRule& r) {
  return std::tie(r.Name, r.Pattern, r.Active, r.RegEx, r.Case, r.Tag, r.CheckMethod, r.CheckFlags, r.Native);
}

bool SameRules(const CRegExList& a, const CRegExList& b) {
  if (a.GetSize() != b.GetSize()) return false;
  for (int i = 0; i < a.GetSize(); ++i)
    if (StoredFields(*a.GetAt(i)) != StoredFields(*b.GetAt(i))) return false;
  return true;
}

// A saved line loses white space at its end, and a line break would split it: such texts cannot come back.
bool SurvivesSaving(const CRegExList& list) {
  for (int i = 0; i < list.GetSize(); ++i) {
    for (const std::u16string* text : {&list.GetAt(i)->Name, &list.GetAt(i)->Pattern})
      if ((!text->empty() && IsWhiteSpace(text->back())) || text->find_first_of(u"\r\n") != text->npos)
        return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static KFuzzHost host;
  static KFuzzSite site;
  SetHostContext(&host, &site);
  const std::u16string input = fuzz::Scratch().Write("input.ini", data, size);

  KLoadedList plain(input, false);
  fuzz::Require(SameRules(plain, KLoadedList(input, true)));
  if (!SurvivesSaving(plain)) return 0;
  plain.Save();
  // A saved file loads without any error.
  CRegExList reloaded;
  reloaded.Load((fuzz::Scratch().Path() / "settings.ini").u16string(), true);
  fuzz::Require(SameRules(plain, reloaded));
  reloaded.DeleteAll();
  return 0;
}
