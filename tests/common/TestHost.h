// The test host: every host interface the module calls, answers configurable and calls recorded, a PCRE2
// expression service, and ModuleLoader, which loads a fresh copy of the built module.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "addin/HostInterfaceBases.h"
#include "common/ModuleLibrary.h"

#ifdef _WIN32
// oleaut32 takes wchar_t texts; the tests write char16_t ones, the same 16-bit units on Windows.
inline BSTR SysAllocString(const char16_t* text) {
  return SysAllocString(reinterpret_cast<const OLECHAR*>(text));
}
#endif

namespace testhost {

// A fresh, empty temporary directory, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::u16string ToU16(const std::filesystem::path& path) {
  return path.u16string();
}

class TestAddInHost final : public KAddInHostBase {
 public:
  struct Compiled {
    std::u16string pattern;
    int32_t flags;
    bool operator==(const Compiled&) const = default;
  };

  // Resource library request (slot 0): the answer, the path written when the answer is 0, what was asked.
  int32_t resourceAnswer = 1;
  std::u16string resourceLibrary;
  bool resourceThrows = false;  // a host that fails with a C++ exception inside the module's call
  int resourceCalls = 0;
  int32_t resourceZero = -1;
  void* resourceModule = nullptr;
  int32_t resourceCapacity = 0;

  // Expression service (slot 12): every request, and the objects made and destroyed.
  std::vector<Compiled> compiled;
  int created = 0, destroyed = 0;
  int Alive() const { return created - destroyed; }

  // Projects (slots 13 and 14).
  std::vector<IHostProject*> projects;
  IHostProject* currentProject = nullptr;

  int32_t ZAKCALL GetResourceLibrary(int32_t zero, void* moduleInstance, char16_t* buffer,
                                     int32_t capacity) override;
  int32_t ZAKCALL CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) override;
  int32_t ZAKCALL GetProject(int32_t index, IHostProject** out) override;
  int32_t ZAKCALL GetCurrentProject(IHostProject** out) override {
    if (out != nullptr) *out = currentProject;
    return 0;
  }
};

// The add-in site: its folder is a fresh temporary directory per site, or any folder a test sets.
class TestSite final : public KAddInSiteBase {
 private:
  TempDir root_;

 public:
  // A scratch directory of the site's own, removed with the site.
  const std::filesystem::path& Root() const { return root_.Path(); }
  std::filesystem::path folder{root_.Path()};

  int32_t ZAKCALL GetDataFolder(char16_t* buffer, int32_t capacity) override;
};

class TestProject final : public KHostProjectBase {
 public:
  std::u16string name;
  std::u16string rulePath;     // what slot 6 writes
  int32_t pathAnswer = 0;      // slot 6's result
  int pathCalls = 0;           // slot 6
  std::vector<int> slotCalls;  // 5 and 6 in the order called

  int32_t ZAKCALL GetProperty(int32_t property, VARIANT* out) override;
  int32_t ZAKCALL PrepareAddInFile(IAddInSite*, const char16_t*, int32_t) override {
    slotCalls.push_back(5);
    return 0;
  }
  int32_t ZAKCALL GetAddInFilePath(IAddInSite* site, const char16_t* fileName, char16_t* buffer,
                                   int32_t capacity) override;
};

class TestToken final : public KHostTokenBase {
 public:
  struct Call {
    int32_t property, side;
    bool operator==(const Call&) const = default;
  };
  std::u16string plainSource, plainTranslation, nativeSource, nativeTranslation;
  std::vector<Call> calls;

  int32_t ZAKCALL GetText(int32_t property, VARIANT* out, int32_t side) override;
};

class TestCheckRun final : public KCheckRunBase {
 public:
  struct Message {
    IHostToken* token;
    std::u16string text;
  };
  IHostProject* project = nullptr;
  int32_t isFinal = 1;
  std::vector<Message> messages;

  int32_t ZAKCALL ReportError(IHostToken* token, const char16_t* message, int32_t) override {
    messages.push_back({token, message != nullptr ? message : u""});
    return 0;
  }
  int32_t ZAKCALL GetProject(IHostProject** out) override {
    if (out != nullptr) *out = project;
    return 0;
  }
  int32_t ZAKCALL IsFinal(int32_t* out) override {
    if (out != nullptr) *out = isFinal;
    return 0;
  }
};

class TestCheckOptions final : public KCheckOptionsBase {
 public:
  bool on = true;
  std::vector<int32_t> asked;

  int32_t ZAKCALL IsCheckOn(int32_t option, int32_t* isOn) override {
    asked.push_back(option);
    if (isOn != nullptr) *isOn = on ? 1 : 0;
    return 0;
  }
};

// Loads a private copy of the module named by IP_MODULE, so every loader starts with fresh module state,
// and resolves the ten exports.
class ModuleLoader {
 public:
  ModuleLoader();
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  void* Symbol(const char* name) const;
  template <typename Function>
  void Resolve(Function& function, const char* name) const {
    function = reinterpret_cast<Function>(Symbol(name));
  }
  // The module's base address as the dynamic loader reports it.
  void* BaseAddress() const;

  int32_t (*LoadAddIn)(uint32_t*) = nullptr;
  int32_t (*Initialize)(void*, IAddInHost*, IAddInSite*) = nullptr;
  int32_t (*Setup)() = nullptr;
  int32_t (*BeginCheckTokens)(int32_t, ICheckRun*) = nullptr;
  int32_t (*CheckToken)(IHostToken*, int32_t, ICheckOptions*) = nullptr;
  int32_t (*EndCheckTokens)(int32_t, ICheckRun*) = nullptr;
  int32_t (*GetCustomCheckOption)(int32_t, BSTR*) = nullptr;
  int32_t (*ExecuteTool)() = nullptr;
  int32_t (*GetErrorText)() = nullptr;
  int32_t (*GetToolInfo)() = nullptr;

 private:
  TempDir copyDir_;
  std::optional<ModuleLibrary> library_;  // unloaded before its folder goes
};

}  // namespace testhost
