// The host's interfaces as the module calls them: one vtable each, slot N is the N-th declared method.
// Slots the module never calls are placeholders that keep the numbering; hosts implement them as no-ops.
// Nobody deletes a host object through these interfaces: their destructors are protected and not virtual,
// so they add no vtable slot.
#pragma once

#include <cstdint>

#include "support/OleTypes.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ZAKCALL __stdcall
#else
#define ZAKCALL
#endif

// Properties of IHostToken slot 6 and IHostProject slot 3.
enum : int32_t {
  TEXT_PLAIN = 0xFFD0,    // the text with its inline tags skipped
  TEXT_NATIVE = 0xFFFE,   // the text with its inline tags as written
  PROJECT_NAME = 0xFFFE,  // IHostProject slot 3: the project's display name
};

// Sides of IHostToken slot 6.
enum : int32_t { SIDE_SOURCE = 1, SIDE_TRANSLATION = 2 };

// Compile flags of IAddInHost slot 12.
enum : int32_t { REGEX_CASE_SENSITIVE = 260, REGEX_CASE_INSENSITIVE = 261 };

// The one custom check the module offers.
constexpr int32_t CUSTOM_CHECK_REGEX = 0x100000;

class IHostRegExp {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  // Result 0 when a match lies at or after start (UTF-16 units); minusOne is always -1.
  virtual int32_t ZAKCALL Match(const char16_t* text, int32_t start, int32_t minusOne) = 0;
  // The match just found, counted from the beginning of the text.
  virtual int32_t ZAKCALL GetMatch(int32_t* start, int32_t* length) = 0;
  virtual int32_t ZAKCALL Unused3() = 0;
  virtual int32_t ZAKCALL Destroy() = 0;

 protected:
  ~IHostRegExp() = default;
};

class IAddInSite {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  virtual int32_t ZAKCALL Unused1() = 0;
  virtual int32_t ZAKCALL Unused2() = 0;
  virtual int32_t ZAKCALL Unused3() = 0;
  virtual int32_t ZAKCALL Unused4() = 0;
  // The folder of the global rule file, without a trailing separator.
  virtual int32_t ZAKCALL GetDataFolder(char16_t* buffer, int32_t capacity) = 0;

 protected:
  ~IAddInSite() = default;
};

class IHostProject {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  virtual int32_t ZAKCALL Unused1() = 0;
  virtual int32_t ZAKCALL Unused2() = 0;
  virtual int32_t ZAKCALL GetProperty(int32_t property, VARIANT* out) = 0;
  virtual int32_t ZAKCALL Unused4() = 0;
  // Called before the project's rule file is written; zero is always 0.
  virtual int32_t ZAKCALL PrepareAddInFile(IAddInSite* site, const char16_t* name, int32_t zero) = 0;
  // Result 0: buffer holds the path of the project's file of that name for the add-in.
  virtual int32_t ZAKCALL GetAddInFilePath(IAddInSite* site, const char16_t* name, char16_t* buffer,
                                           int32_t capacity) = 0;

 protected:
  ~IHostProject() = default;
};

class IHostToken {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  virtual int32_t ZAKCALL Unused1() = 0;
  virtual int32_t ZAKCALL Unused2() = 0;
  virtual int32_t ZAKCALL Unused3() = 0;
  virtual int32_t ZAKCALL Unused4() = 0;
  virtual int32_t ZAKCALL Unused5() = 0;
  // Fills the variant (preset empty) with a string, or leaves it empty. Side 1 source, 2 translation.
  virtual int32_t ZAKCALL GetText(int32_t property, VARIANT* out, int32_t side) = 0;

 protected:
  ~IHostToken() = default;
};

class ICheckRun {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  virtual int32_t ZAKCALL Unused1() = 0;
  // Records one violation message against the token; zero is always 0.
  virtual int32_t ZAKCALL ReportError(IHostToken* token, const char16_t* message, int32_t zero) = 0;
  virtual int32_t ZAKCALL Unused3() = 0;
  virtual int32_t ZAKCALL Unused4() = 0;
  virtual int32_t ZAKCALL Unused5() = 0;
  // The project of this run; its address identifies it.
  virtual int32_t ZAKCALL GetProject(IHostProject** out) = 0;
  // Nonzero: this end of the run is the final one.
  virtual int32_t ZAKCALL IsFinal(int32_t* isFinal) = 0;

 protected:
  ~ICheckRun() = default;
};

class ICheckOptions {
 public:
  virtual int32_t ZAKCALL Unused0() = 0;
  virtual int32_t ZAKCALL IsCheckOn(int32_t option, int32_t* isOn) = 0;

 protected:
  ~ICheckOptions() = default;
};

class IAddInHost {
 public:
  // Result 0: buffer names a resource library to take every string, dialog and menu from.
  virtual int32_t ZAKCALL GetResourceLibrary(int32_t zero, void* moduleInstance, char16_t* buffer,
                                             int32_t capacity) = 0;
  virtual int32_t ZAKCALL Unused1() = 0;
  virtual int32_t ZAKCALL Unused2() = 0;
  virtual int32_t ZAKCALL Unused3() = 0;
  virtual int32_t ZAKCALL Unused4() = 0;
  virtual int32_t ZAKCALL Unused5() = 0;
  virtual int32_t ZAKCALL Unused6() = 0;
  virtual int32_t ZAKCALL Unused7() = 0;
  virtual int32_t ZAKCALL Unused8() = 0;
  virtual int32_t ZAKCALL Unused9() = 0;
  virtual int32_t ZAKCALL Unused10() = 0;
  virtual int32_t ZAKCALL Unused11() = 0;
  // Compiles a regular expression; success is a non-null *out. Flags 260 case-sensitive, 261 not.
  virtual int32_t ZAKCALL CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) = 0;
  // The open projects from index 0; a null *out ends the list.
  virtual int32_t ZAKCALL GetProject(int32_t index, IHostProject** out) = 0;
  // The current project, or null.
  virtual int32_t ZAKCALL GetCurrentProject(IHostProject** out) = 0;

 protected:
  ~IAddInHost() = default;
};
