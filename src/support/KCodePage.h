// 8-bit ("ANSI") code pages: conversion between their bytes and UTF-16, and their double-byte lead bytes.
// Windows converts with its own code pages; elsewhere iconv does, with Windows-1252 as the system's page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class KCodePage {
 public:
  // 0 stands for the system's ANSI code page (see Ansi).
  explicit KCodePage(uint32_t number = 0);
  ~KCodePage();
  KCodePage(KCodePage&& other) noexcept;
  KCodePage& operator=(KCodePage&& other) noexcept;
  KCodePage(const KCodePage&) = delete;
  KCodePage& operator=(const KCodePage&) = delete;

  // The code page number, 0 resolved to the system's.
  uint32_t Number() const { return number_; }

  // True when the byte starts a two-byte character of this code page.
  bool IsLeadByte(uint8_t byte) const;

  // Converts one character of one or two bytes into exactly one UTF-16 unit; false when the code page is
  // not available or does not define that character.
  bool CharToWide(std::string_view bytes, char16_t& out);

  // Converts the whole text; false when the code page is not available or cannot represent a character.
  bool ToBytes(std::u16string_view text, std::string& out);

  // Like ToBytes, but every character that the code page cannot represent becomes "?"; false only when
  // the code page is not available.
  bool ToBytesLossy(std::u16string_view text, std::string& out);

  // The system's ANSI code page: the one set by SetAnsi if any; else on Windows the system's, elsewhere
  // the number in the environment variable IP_ANSI_CODEPAGE, else 1252.
  static uint32_t Ansi();
  // Overrides the system's ANSI code page for this process; 0 restores the default.
  static void SetAnsi(uint32_t number);

 private:
  bool Encode(std::u16string_view text, std::string& out, bool lossy);
  void Release();

  uint32_t number_;
  // iconv descriptors, opened on first use (unused on Windows).
  void* toWide_ = nullptr;
  void* toBytes_ = nullptr;
};

// Converts the text to the system's ANSI code page into out; characters the code page lacks become "?".
// At most capacity - 1 bytes are written, never half a double-byte character, and the last byte written is
// always the terminator (nothing is written when capacity is 0). Returns out.
char* WideToAnsi(char* out, const char16_t* text, size_t capacity);
